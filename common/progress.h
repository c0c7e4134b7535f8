// How a long operation reports its progress. The windows drive the progress
// window with it, the command line shows nothing, tests count the calls.
#pragma once

#include <QString>

namespace tovek {

class Progress {
 public:
  virtual ~Progress() = default;
  virtual void SetMaximum(qint64 maximum) = 0;
  virtual void SetValue(qint64 value) = 0;
  // Sets one of the progress window's labels (0 or 1).
  virtual void SetLabel(int label, const QString& text) = 0;
  // Whether a label set now can be seen. A loop that names every row in a
  // label asks first: the window shows a label only when it gets its turn,
  // and a run without a window shows none, so most of those texts would be
  // made for nobody.
  virtual bool LabelsWanted() { return true; }
  // Lets the user interface catch up with pending events.
  virtual void Yield() = 0;
};

// Reports to nobody.
class NoProgress final : public Progress {
 public:
  void SetMaximum(qint64) override {}
  void SetValue(qint64) override {}
  void SetLabel(int, const QString&) override {}
  bool LabelsWanted() override { return false; }
  void Yield() override {}
};

}  // namespace tovek
