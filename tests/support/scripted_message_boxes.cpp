#include "tests/support/scripted_message_boxes.h"

namespace tovek::testing {

ui::Answer ScriptedMessageBoxes::Show(QWidget*, const ui::MessageRequest& request) {
  shown_.append(request);
  if (!answers_.isEmpty()) return answers_.takeFirst();
  ++unexpected_;
  switch (request.buttons) {
    case ui::Buttons::kYesNo: return ui::Answer::kNo;
    case ui::Buttons::kOkCancel: return ui::Answer::kCancel;
    case ui::Buttons::kOk: break;
  }
  return ui::Answer::kOk;
}

}  // namespace tovek::testing
