#include "common/ui/message_boxes.h"

#include <QDir>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace tovek::ui {
namespace {

QMessageBox::Icon ToQt(Icon icon) {
  switch (icon) {
    case Icon::kCritical: return QMessageBox::Critical;
    case Icon::kQuestion: return QMessageBox::Question;
    case Icon::kExclamation: return QMessageBox::Warning;
    case Icon::kInformation: return QMessageBox::Information;
    case Icon::kNone: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(Buttons buttons) {
  switch (buttons) {
    case Buttons::kOkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::kYesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::kOk: break;
  }
  return QMessageBox::Ok;
}

Answer FromQt(int button) {
  switch (button) {
    case QMessageBox::Cancel: return Answer::kCancel;
    case QMessageBox::Yes: return Answer::kYes;
    case QMessageBox::No: return Answer::kNo;
    default: return Answer::kOk;
  }
}

// Room in the title bar for the frame's buttons beside the title.
constexpr int kTitleBarButtonsWidth = 120;

// The toolkit leaves 50 pixels beside the title, which the frame's buttons
// and its bolder title font take up: the long titles of the File menus'
// questions came out cut, where the platform's own boxes show them whole.
void MakeRoomForTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  const int title_width = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarButtonsWidth;
  grid->addItem(new QSpacerItem(title_width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

void MessageBoxes::Inform(QWidget* parent, const QString& text, const QString& title, Icon icon) {
  Show(parent, {text, title, Buttons::kOk, icon});
}

bool MessageBoxes::AskYesNo(QWidget* parent, const QString& text, const QString& title,
                            Icon icon) {
  return Show(parent, {text, title, Buttons::kYesNo, icon}) == Answer::kYes;
}

Answer QtMessageBoxes::Show(QWidget* parent, const MessageRequest& request) {
  const QString title = request.title.isEmpty() ? program_name_ : request.title;
  QMessageBox box(ToQt(request.icon), title, request.text, ToQt(request.buttons), parent);
  MakeRoomForTitle(box);
  // The windows that keep themselves on top (the open dialog, the data
  // check) would cover a box that waits for an answer, and the program
  // would look hung.
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  return FromQt(box.exec());
}

QString FileErrorMessage(const FileOutcome& outcome) {
  switch (outcome.fault) {
    case FileFault::kDiskFull: {
      const QString text = QStringLiteral("ディスクの空き容量がありません。書き込めませんでした。");
      return outcome.path.isEmpty() ? text : text + QStringLiteral("\r\n") + outcome.path;
    }
    case FileFault::kLink:
      return QStringLiteral(
                 "%1 はシンボリックリンクです。リンクの先には書き込みません。\r\n"
                 "リンクを取り除くか、別のフォルダーを選んでください。")
          .arg(outcome.path);
    case FileFault::kPlatform:
      break;
  }
  return outcome.error;
}

QString FileFailureMessage(FileAction action, const QString& path, const FileOutcome& outcome) {
  if (outcome.fault != FileFault::kPlatform) return FileErrorMessage(outcome);
  // In the order of FileAction.
  static const char* const kLeads[] = {
      "ファイルを読み込めませんでした。",
      "ファイルに書き込めませんでした。",
      "ファイルを移動できませんでした。",
      "フォルダーを開けませんでした。",
      "フォルダーを作成できませんでした。",
  };
  QStringList lines{QString::fromUtf8(kLeads[static_cast<int>(action)])};
  const QString shown = QDir::toNativeSeparators(path);
  if (!shown.isEmpty() && !outcome.error.contains(shown) && !outcome.error.contains(path)) {
    lines.append(shown);
  }
  if (!outcome.error.isEmpty()) lines.append(outcome.error);
  return lines.join(u'\n');
}

QString BadBytesMessage(const LogDecoding& decoding) {
  return QStringLiteral(
             "このファイルには %1 の文字として読めないバイトが %2 個あります。\n"
             "読めないバイトは \uFFFD で示しています。内容を確認してください。")
      .arg(decoding.encoding == TextEncoding::kUtf8 ? QStringLiteral("UTF-8")
                                                    : QStringLiteral("CP932"))
      .arg(decoding.bad_bytes);
}

}  // namespace tovek::ui
