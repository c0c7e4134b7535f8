// Waiting for a window manager: a window shown on a desktop is taken in,
// framed and placed by the window manager some time later, and only then
// does the window know where it stands.
#pragma once

#include <QElapsedTimer>
#include <QRect>
#include <QTest>
#include <QWidget>

namespace tovek::testing {

// Waits until the window manager has taken the shown window in (it gives
// each new window the focus and a frame) and its placement has come back to
// the window: on a busy machine that can take longer than any fixed pause,
// so the geometry must first hold still for a while. False when that does
// not happen within seconds.
inline bool WaitUntilFramed(QWidget& window) {
  if (!QTest::qWaitForWindowActive(&window)) return false;
  if (!QTest::qWaitFor([&] { return window.frameGeometry().top() < window.geometry().top(); },
                       10000)) {
    return false;
  }
  constexpr qint64 kStillMs = 300;
  QRect last = window.geometry();
  QElapsedTimer still;
  still.start();
  return QTest::qWaitFor(
      [&] {
        if (window.geometry() != last) {
          last = window.geometry();
          still.restart();
        }
        return still.elapsed() >= kStillMs;
      },
      10000);
}

}  // namespace tovek::testing
