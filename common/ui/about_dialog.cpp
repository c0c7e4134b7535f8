#include "common/ui/about_dialog.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovek::ui {
namespace {

constexpr int kIconSize = 48;

// A mast sending out waves: drawn rather than shipped, so the box needs no
// resource file and stays sharp at any device pixel ratio.
QPixmap DrawIcon(qreal device_pixel_ratio) {
  QPixmap pixmap(QSize(kIconSize, kIconSize) * device_pixel_ratio);
  pixmap.setDevicePixelRatio(device_pixel_ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x1f, 0x4e, 0x8c));
  painter.drawRoundedRect(QRectF(1, 1, kIconSize - 2, kIconSize - 2), 8, 8);

  QPen pen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.setPen(pen);
  const QPointF top(kIconSize / 2.0, 16);
  painter.drawLine(top, QPointF(kIconSize / 2.0 - 9, kIconSize - 7));
  painter.drawLine(top, QPointF(kIconSize / 2.0 + 9, kIconSize - 7));
  painter.drawLine(QPointF(kIconSize / 2.0 - 5, 32), QPointF(kIconSize / 2.0 + 5, 32));

  pen.setWidthF(2.5);
  pen.setColor(QColor(0xff, 0xd3, 0x4d));
  painter.setPen(pen);
  for (int ring = 1; ring <= 2; ++ring) {
    const qreal radius = 5.0 * ring + 2;
    const QRectF box(top.x() - radius, top.y() - radius, 2 * radius, 2 * radius);
    painter.drawArc(box, 30 * 16, 120 * 16);
  }
  return pixmap;
}

}  // namespace

AboutDialog::AboutDialog(const ProgramInfo& info, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(AboutCaption(info));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("picIcon"));
  icon->setPixmap(DrawIcon(devicePixelRatioF()));
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
