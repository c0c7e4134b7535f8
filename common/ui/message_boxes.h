// Message boxes go through this interface so that window tests can answer
// them from a script and check the exact text, title, buttons and icon.
#pragma once

#include <QString>

#include "common/text_file.h"

class QWidget;

namespace tovek::ui {

enum class Buttons { kOk, kOkCancel, kYesNo };
enum class Icon { kNone, kCritical, kQuestion, kExclamation, kInformation };
enum class Answer { kOk, kCancel, kYes, kNo };

struct MessageRequest {
  QString text;
  QString title;  // empty: the program's name
  Buttons buttons = Buttons::kOk;
  Icon icon = Icon::kNone;

  friend bool operator==(const MessageRequest&, const MessageRequest&) = default;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual Answer Show(QWidget* parent, const MessageRequest& request) = 0;

  // Shorthands for the common shapes.
  void Inform(QWidget* parent, const QString& text, const QString& title = {},
              Icon icon = Icon::kNone);
  bool AskYesNo(QWidget* parent, const QString& text, const QString& title,
                Icon icon = Icon::kNone);
};

// What a window says about a file that could not be written: a full disk
// and a link at the output path in its own words, anything else as the
// platform describes it.
QString FileErrorMessage(const FileOutcome& outcome);

// What a window was doing with a file or folder when the platform refused.
enum class FileAction { kRead, kWrite, kMove, kOpenFolder, kCreateFolder };

// What a window says about a file operation that failed: a lead sentence
// for `action` in the user's words ("ファイルを読み込めませんでした。"), the
// path (left out when the text below already names it), and the failure as
// the platform describes it, which is English on most systems. A full disk
// and a link at an output path are said in their own words, as
// FileErrorMessage says them.
QString FileFailureMessage(FileAction action, const QString& path, const FileOutcome& outcome);

// Real message boxes; a request without a title shows the program's name.
class QtMessageBoxes final : public MessageBoxes {
 public:
  explicit QtMessageBoxes(QString program_name) : program_name_(std::move(program_name)) {}
  Answer Show(QWidget* parent, const MessageRequest& request) override;

 private:
  QString program_name_;
};

// What a window says of a log whose bytes are not all characters of the
// encoding it was read in.
QString BadBytesMessage(const LogDecoding& decoding);

}  // namespace tovek::ui
