// Message boxes answered from a script: each box shown takes the next
// answer and is recorded, so a test asserts the exact text, title, buttons
// and icon of every box, in order.
#pragma once

#include <QList>

#include "common/ui/message_boxes.h"

namespace tovek::testing {

class ScriptedMessageBoxes final : public ui::MessageBoxes {
 public:
  // Queues the answer for the next box.
  void Answer(ui::Answer answer) { answers_.append(answer); }

  ui::Answer Show(QWidget* parent, const ui::MessageRequest& request) override;

  const QList<ui::MessageRequest>& Shown() const { return shown_; }
  // Boxes shown with no answer queued (answered with Cancel/No/OK).
  int Unexpected() const { return unexpected_; }
  int PendingAnswers() const { return static_cast<int>(answers_.size()); }
  void Clear() {
    shown_.clear();
    answers_.clear();
    unexpected_ = 0;
  }

 private:
  QList<ui::Answer> answers_;
  QList<ui::MessageRequest> shown_;
  int unexpected_ = 0;
};

}  // namespace tovek::testing
