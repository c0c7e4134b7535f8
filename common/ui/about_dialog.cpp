#include "common/ui/about_dialog.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/program_icon.h"

namespace tovek::ui {
namespace {

constexpr int kIconSize = 64;

}  // namespace

AboutDialog::AboutDialog(const ProgramInfo& info, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(AboutCaption(info));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("picIcon"));
  icon->setPixmap(ProgramIcon(info).pixmap(QSize(kIconSize, kIconSize), devicePixelRatioF()));
  icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  auto* title = new QLabel(info.title, this);
  title->setObjectName(QStringLiteral("lblTitle"));
  QFont title_font = title->font();
  title_font.setPointSizeF(title_font.pointSizeF() * 1.6);
  title_font.setBold(true);
  title->setFont(title_font);

  auto* version = new QLabel(VersionText(info), this);
  version->setObjectName(QStringLiteral("lblVersion"));

  auto* credit = new QLabel(QStringLiteral("TOVEK WW RTTY Contest Committee"), this);
  credit->setObjectName(QStringLiteral("lblDescription"));

  auto* ok = new QPushButton(QStringLiteral("O K"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  ok->installEventFilter(this);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addWidget(title);
  texts->addWidget(version);
  texts->addSpacing(12);
  texts->addWidget(credit);
  texts->addStretch();

  auto* top = new QHBoxLayout;
  top->addWidget(icon);
  top->addSpacing(12);
  top->addLayout(texts, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setMinimumWidth(320);
  ok->setFocus();
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
  // The box has a single button, so focus leaving it means the user went to
  // another window: the box goes away. A popup (a context menu) taking the
  // focus for a moment does not count.
  if (event->type() == QEvent::FocusOut && isVisible() &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
    accept();
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tovek::ui
