// Keeping a window above all others, and giving that up for a while.
#pragma once

class QWidget;

namespace tovek::ui {

// Keeps `window` above every other window, or lets it go back among them.
// A visible window stays visible and where it is.
void SetStaysOnTop(QWidget* window, bool on);

// While it lives, a top-most window goes back among the others, so that a
// message box it shows cannot end up hidden behind it; afterwards the window
// is put on top again. A window that was not on top is left alone.
class TopMostPause {
 public:
  explicit TopMostPause(QWidget* window);
  ~TopMostPause();
  TopMostPause(const TopMostPause&) = delete;
  TopMostPause& operator=(const TopMostPause&) = delete;

 private:
  QWidget* window_;
  bool was_on_top_;
};

}  // namespace tovek::ui
