// The progress window per program, and WindowProgress: it drives the window
// and lets the interface catch up at most every 30 ms.
#include "common/ui/progress_window.h"

#include <QElapsedTimer>
#include <QFont>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTest>
#include <QThread>

#include "common/ui/window_progress.h"

namespace tovek::ui {
namespace {

// Counts the posted events it receives and posts itself the next one, so
// every pass of the event loop delivers exactly one.
class EventCounter : public QObject {
 public:
  EventCounter() { Post(); }
  int Count() const { return count_; }

 protected:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    ++count_;
    Post();
    return true;
  }

 private:
  void Post() { QCoreApplication::postEvent(this, new QEvent(QEvent::User)); }
  int count_ = 0;
};

QLabel* Label(QWidget* window, const char* name) { return window->findChild<QLabel*>(name); }

}  // namespace

class ProgressWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void CalculatorWindowStartsWithItsLabels();
  void EditorWindowIsABarOnTop();
  void ShowsWhatTheOperationReports();
  void WindowProgressOpensAndCloses();
  void WindowProgressForgetsAWindowClosedByTheUser();
  void YieldProcessesEventsAtMostOncePerInterval();
  void YieldKeepsLongLoopsFast();
  void LabelsAreWantedOnlyWhenTheNextYieldShowsThem();
};

void ProgressWindowTest::CalculatorWindowStartsWithItsLabels() {
  ProgressWindow window(ProgressStyle::kBarAndLabels);
  QCOMPARE(window.objectName(), QStringLiteral("frmBar"));
  QCOMPARE(window.windowTitle(), QStringLiteral("CALCURATE"));
  QCOMPARE(Label(&window, "Label1")->text(), QStringLiteral("作業中"));
  QCOMPARE(Label(&window, "Label1")->font().family(), QStringLiteral("Times New Roman"));
  QCOMPARE(Label(&window, "Label2")->text(), QStringLiteral("999 / 999"));
  QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  QCOMPARE(window.findChild<QProgressBar*>("ProgressBar1")->value(), 0);
}

void ProgressWindowTest::EditorWindowIsABarOnTop() {
  ProgressWindow window(ProgressStyle::kBarOnly);
  QCOMPARE(window.windowTitle(), QStringLiteral("CALCURATE"));
  QVERIFY(window.findChild<QProgressBar*>("ProgressBar1") != nullptr);
  QCOMPARE(window.findChildren<QLabel*>().size(), 0);
  QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  window.SetLabel(0, QStringLiteral("ignored"));  // no labels to set
}

void ProgressWindowTest::ShowsWhatTheOperationReports() {
  ProgressWindow window(ProgressStyle::kBarAndLabels);
  auto* bar = window.findChild<QProgressBar*>("ProgressBar1");
  window.SetMaximum(25);
  window.SetValue(3);
  window.SetLabel(0, QStringLiteral("JA1ABC No. 12  W1AW"));
  window.SetLabel(1, QStringLiteral("3 / 25  "));
  window.SetLabel(2, QStringLiteral("no such label"));
  QCOMPARE(bar->maximum(), 25);
  QCOMPARE(bar->value(), 3);
  QCOMPARE(Label(&window, "Label1")->text(), QStringLiteral("JA1ABC No. 12  W1AW"));
  QCOMPARE(Label(&window, "Label2")->text(), QStringLiteral("3 / 25  "));

  // A second operation with a shorter list: the value follows the new range.
  window.SetMaximum(2);
  window.SetValue(2);
  QCOMPARE(bar->maximum(), 2);
  QCOMPARE(bar->value(), 2);

  window.SetItemLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QCOMPARE(Label(&window, "Label1")->alignment(), Qt::AlignLeft | Qt::AlignVCenter);
}

void ProgressWindowTest::WindowProgressOpensAndCloses() {
  QPointer<ProgressWindow> window;
  {
    WindowProgress progress(ProgressStyle::kBarAndLabels);
    QVERIFY(progress.Window() != nullptr);
    QVERIFY(progress.Window()->isVisible());
    progress.SetMaximum(10);
    progress.SetValue(4);
    progress.SetLabel(1, QStringLiteral("1 / 1  "));
    window = progress.Window();
    QCOMPARE(window->findChild<QProgressBar*>("ProgressBar1")->value(), 4);
    QCOMPARE(Label(window, "Label2")->text(), QStringLiteral("1 / 1  "));
  }
  QVERIFY(window.isNull());

  WindowProgress again(ProgressStyle::kBarAndLabels);
  QCOMPARE(Label(again.Window(), "Label2")->text(), QStringLiteral("999 / 999"));
  again.Close();
  QVERIFY(again.Window() == nullptr);
  again.SetValue(1);  // after closing: nothing to drive, no crash
}

void ProgressWindowTest::WindowProgressForgetsAWindowClosedByTheUser() {
  WindowProgress progress(ProgressStyle::kBarOnly);
  progress.Window()->close();
  QTRY_VERIFY(progress.Window() == nullptr);
  progress.SetValue(5);
  progress.Yield();
}

void ProgressWindowTest::YieldProcessesEventsAtMostOncePerInterval() {
  {
    WindowProgress progress(ProgressStyle::kBarOnly, nullptr, std::chrono::hours(1));
    EventCounter counter;
    progress.Yield();  // the first call always lets the interface catch up
    QCOMPARE(counter.Count(), 1);
    for (int i = 0; i < 1000; ++i) progress.Yield();
    QCOMPARE(counter.Count(), 1);
  }
  {
    WindowProgress progress(ProgressStyle::kBarOnly);
    EventCounter counter;
    progress.Yield();
    QCOMPARE(counter.Count(), 1);
    QThread::msleep(WindowProgress::kYieldInterval.count() + 5);
    progress.Yield();
    QCOMPARE(counter.Count(), 2);
  }
}

void ProgressWindowTest::YieldKeepsLongLoopsFast() {
  constexpr int kRows = 1'000'000;
  WindowProgress progress(ProgressStyle::kBarAndLabels);
  progress.SetMaximum(kRows);
  EventCounter counter;
  QElapsedTimer clock;
  clock.start();
  for (int i = 1; i <= kRows; ++i) {
    progress.SetValue(i);
    progress.SetLabel(1, QStringLiteral("row"));
    progress.Yield();
  }
  const qint64 elapsed = clock.elapsed();
  const QString passes = QStringLiteral("%1 passes in %2 ms").arg(counter.Count()).arg(elapsed);
  // Once per 30 ms at most, plus the first call.
  QVERIFY2(counter.Count() <= elapsed / WindowProgress::kYieldInterval.count() + 1,
           qPrintable(passes));
  QVERIFY(counter.Count() >= 1);
  // Driving a visible bar row by row would take microseconds a row.
  QVERIFY2(elapsed < 2000, qPrintable(passes));
  QCOMPARE(progress.Window()->findChild<QProgressBar*>("ProgressBar1")->value(), kRows);
}

// Scoring names every QSO in a label; only the labels a Yield will show
// are worth making.
void ProgressWindowTest::LabelsAreWantedOnlyWhenTheNextYieldShowsThem() {
  WindowProgress progress(ProgressStyle::kBarAndLabels, nullptr, std::chrono::hours(1));
  QVERIFY(progress.LabelsWanted());  // the first Yield always shows them
  progress.SetLabel(0, QStringLiteral("JA1ABC No. 1  W1AW"));
  progress.Yield();
  QCOMPARE(Label(progress.Window(), "Label1")->text(), QStringLiteral("JA1ABC No. 1  W1AW"));
  QVERIFY(!progress.LabelsWanted());
  progress.Close();
  QVERIFY(!progress.LabelsWanted());
  NoProgress nobody;
  QVERIFY(!nobody.LabelsWanted());
}

}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::ProgressWindowTest)
#include "progress_window_test.moc"
