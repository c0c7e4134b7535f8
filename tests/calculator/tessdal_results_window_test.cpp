#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <optional>

#include "calculator/results_file.h"
#include "calculator/ui/result_file_dialog.h"
#include "calculator/ui/results_grid.h"
#include "calculator/ui/summary_panel.h"
#include "calculator/ui/tessdal_main_window.h"
#include "tests/calculator/kavrel_cabrillo.h"
#include "tests/support/scripted_message_boxes.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::ScriptedMessageBoxes;
using testing::TempFolder;
using ui::Answer;
using ui::Buttons;
using ui::MessageRequest;
using ui::ResultFileDialog;

CabrilloSummary Station(const char* call, const char* category, const char* continent,
                        const char* entity, const QString& name, const QString& address) {
  CabrilloSummary s = testing::StationSummary(call, category, continent, entity);
  s.name = name;
  s.address = address;
  return s;
}

QString ProgramFile(const char* name) {
  return QDir(QStringLiteral(TOVEK_PROGRAM_DIR)).filePath(QString::fromLatin1(name));
}

// What the test did with the results-file dialog, and what it saw there.
struct DialogVisit {
  bool seen = false;
  QString caption;
  QString name_box;
  QStringList files;
  bool left_open = false;
};

// The results-file dialog is modal: the command that opens it waits until
// it closes. `act` runs once it is up; `then`, when given, runs as the
// user's next step does, once the dialog's own event loop has had control
// again (a dialog whose loop has ended by then never sees it). A command
// that opens no dialog leaves the visit unseen.
std::shared_ptr<DialogVisit> WhenDialogShows(std::function<void(ResultFileDialog*)> act,
                                             std::function<void(ResultFileDialog*)> then = {}) {
  auto visit = std::make_shared<DialogVisit>();
  QTimer::singleShot(0, [visit, act, then] {
    auto* dialog = qobject_cast<ResultFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    visit->seen = true;
    if (!QTest::qWaitForWindowExposed(dialog)) return dialog->reject();
    visit->caption = dialog->windowTitle();
    visit->name_box = dialog->findChild<QLineEdit*>("Text1")->text();
    auto* list = dialog->findChild<QListWidget*>("File1");
    for (int i = 0; i < list->count(); ++i) visit->files.append(list->item(i)->text());
    act(dialog);
    const auto leave = [visit](ResultFileDialog* shown) {
      // A dialog the test left open would wait for a user forever.
      visit->left_open = shown->isVisible();
      if (visit->left_open) shown->reject();
    };
    if (!then) return leave(dialog);
    QTimer::singleShot(0, dialog, [dialog, then, leave] {
      then(dialog);
      leave(dialog);
    });
  });
  return visit;
}

void Type(ResultFileDialog* dialog, const QString& name) {
  dialog->findChild<QLineEdit*>("Text1")->setText(name);
}
void PressOk(ResultFileDialog* dialog) {
  QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
}
void PressCancel(ResultFileDialog* dialog) {
  QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
}
void TypeAndOk(ResultFileDialog* dialog, const QString& name) {
  Type(dialog, name);
  PressOk(dialog);
}

// Whatever files a folder holds, by name, with their bytes.
QMap<QString, QByteArray> FilesOf(const QString& folder, const QString& pattern) {
  QMap<QString, QByteArray> files;
  const QDir dir(folder);
  for (const QString& name : dir.entryList({pattern}, QDir::Files)) {
    files.insert(name, testing::ReadBytes(dir.filePath(name)));
  }
  return files;
}

const MessageRequest kSaveAsQuestion{"名前を付けて集計データを保存します",
                                     "名前を付けて集計データを保存", Buttons::kOkCancel};
const MessageRequest kCloseQuestion{"集計データを保存しますか？", "集計データの保存",
                                    Buttons::kYesNo};
const MessageRequest kOpenQuestion{"現在の集計データを破棄して別の集計データを開きますか？",
                                   "集計データを開く", Buttons::kYesNo};
const MessageRequest kOutputQuestion{"ＴＯＶＥＫコンテスト結果データを出力します",
                                     "結果データの出力", Buttons::kOkCancel};

}  // namespace

class TessdalResultsWindowTest : public QObject {
  Q_OBJECT

 private:
  // A program folder with the shipped data files and an empty Tessdal.ini,
  // and a folder of five logs.
  void SetUpContest() {
    QVERIFY(QFile::copy(ProgramFile("Cty.dat"), program_->File("Cty.dat")));
    QVERIFY(QFile::copy(QStringLiteral(TOVEK_DATA_SOURCE_DIR "/Tovek.are"),
                        program_->File("Tovek.are")));
    program_->Write("Tessdal.ini", "");
    testing::WriteKavrelLog(logs_->File("JA1AAA.cbr"),
                            Station("JA1AAA", "SOLP", "AS", "JA", QStringLiteral("山田　太郎"),
                                    QStringLiteral("東京都千代田区 <LF> 1-2-3")),
                            {{"14080", "W1AW"}, {"14081", "DL1ABC"}, {" 7040", "JA3XYZ"}});
    testing::WriteKavrelLog(logs_->File("DL1ABC.cbr"),
                            Station("DL1ABC", "SOHP", "EU", "DL", "Hans Muster",
                                    "Hauptstr. 1 <LF> 12345 Berlin <LF> Germany"),
                            {{"14080", "JA1AAA"},
                             {"14081", "JA1AAA"},
                             {"14082", "W1AW"},
                             {" 7040", "W1AW"},
                             {"21040", "VK2ABC"},
                             {"28040", "PY2XX"}});
    testing::WriteKavrelLog(logs_->File("W1AW.cbr"), Station("W1AW", "MO", "NA", "K", "ARRL", ""),
                            {{"14080", "JA1AAA"}, {" 3510", "VE3ABC"}});
    testing::WriteKavrelLog(
        logs_->File("JA3CCC.cbr"),
        Station("JA3CCC", "SOLP", "AS", "JA", QStringLiteral("佐藤花子"), QStringLiteral("大阪市")),
        {{"14080", "W1AW"}, {" 7040", "JA1AAA"}});
    testing::WriteKavrelLog(logs_->File("ja9zzz.cbr"),
                            Station("JA9ZZZ", "CHECKLOG", "AS", "JA", "", ""), {});
  }

  std::unique_ptr<ui::TessdalMainWindow> StartWindow() {
    auto window =
        std::make_unique<ui::TessdalMainWindow>(ui::TessdalEnvironment{program_->Path(), &boxes_});
    window->show();
    window->Start();
    return window;
  }

  void Score(ui::TessdalMainWindow& window) {
    window.TakeLogList({logs_->Path(), ListLogFiles(logs_->Path())});
    window.RunCalculation();
  }

  static QAction* Action(QWidget* window, const char* name) {
    return window->findChild<QAction*>(QString::fromLatin1(name));
  }
  // File and help menus, then close, save, save as and output.
  static QString MenuState(QWidget* w) {
    QString state;
    for (const char* menu : {"mnuFile", "mnuHelp"}) {
      state += w->findChild<QMenu*>(menu)->menuAction()->isEnabled() ? '1' : '0';
    }
    state += ' ';
    for (const char* item : {"mnuClose", "mnuSave", "mnuSaveAs", "mnuOutput"}) {
      state += Action(w, item)->isEnabled() ? '1' : '0';
    }
    return state;
  }
  static QList<QStringList> GridRows(QWidget* window) {
    auto* grid = window->findChild<ui::ResultsGrid*>("Grid1");
    QList<QStringList> rows;
    for (int r = 0; r < grid->rowCount(); ++r) rows.append(grid->RowCells(r));
    return rows;
  }
  QString ResultsFile(const QString& name) const {
    return QDir(program_->File("Results")).filePath(name);
  }

  // Made afresh for every test.
  std::optional<TempFolder> program_;
  std::optional<TempFolder> logs_;
  ScriptedMessageBoxes boxes_;

 private Q_SLOTS:
  void init() {
    program_.emplace();
    logs_.emplace();
    boxes_.Clear();
    SetUpContest();
  }

  // Saved in one start, opened in the next, published: the files are those
  // that tovek score --out writes for the same logs.
  void savedOpenedAndPublishedAsTovekScoreDoes() {
    QList<QStringList> scored_rows;
    {
      auto window = StartWindow();
      Score(*window);
      scored_rows = GridRows(window.get());
      QCOMPARE(scored_rows.size(), 5);

      boxes_.Answer(Answer::kOk);
      auto visit = WhenDialogShows([](ResultFileDialog* d) { TypeAndOk(d, "contest"); });
      Action(window.get(), "mnuSaveAs")->trigger();
      QVERIFY(visit->seen && !visit->left_open);
      QCOMPARE(visit->caption, QStringLiteral("集計データの保存"));
      QCOMPARE(visit->name_box, QString());
      QCOMPARE(boxes_.Shown(), QList<MessageRequest>{kSaveAsQuestion});
      QCOMPARE(window->CurrentResultName(), QStringLiteral("contest.rlt"));
      QCOMPARE(window->StatusText(), QStringLiteral("contest.rlt"));
      QCOMPARE(window->DialogMode(), 0);
      QCOMPARE(testing::ReadBytes(ResultsFile("contest.rlt")).size(), 5 * kResultRecordSize);

      // Save goes to the same name at once, replacing the file.
      testing::WriteBytes(ResultsFile("contest.rlt"), "old");
      auto no_visit = WhenDialogShows(PressCancel);
      Action(window.get(), "mnuSave")->trigger();
      QCoreApplication::processEvents();
      QVERIFY(!no_visit->seen);
      QCOMPARE(boxes_.Shown().size(), 1);
      QCOMPARE(testing::ReadBytes(ResultsFile("contest.rlt")).size(), 5 * kResultRecordSize);
      window->close();
    }

    boxes_.Clear();
    auto window = StartWindow();
    QCOMPARE(MenuState(window.get()), QStringLiteral("11 0000"));
    auto visit = WhenDialogShows([](ResultFileDialog* d) {
      auto* list = d->findChild<QListWidget*>("File1");
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                        list->visualItemRect(list->item(0)).center());
      PressOk(d);
    });
    Action(window.get(), "mnuOpen")->trigger();
    QVERIFY(visit->seen && !visit->left_open);
    QCOMPARE(visit->caption, QStringLiteral("集計データを開く"));
    QCOMPARE(visit->files, QStringList{"contest.rlt"});
    QCOMPARE(boxes_.Shown().size(), 0);
    QCOMPARE(window->CurrentResultName(), QStringLiteral("contest.rlt"));
    QCOMPARE(window->StatusText(), QStringLiteral("contest.rlt"));
    QCOMPARE(GridRows(window.get()), scored_rows);
    QCOMPARE(window->RowCount(), 5);
    QCOMPARE(window->Rankings().List(Category::kSolp, Region::kJa).size(), 2);
    QCOMPARE(MenuState(window.get()), QStringLiteral("11 1111"));

    boxes_.Answer(Answer::kOk);
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    Action(window.get(), "mnuOutput")->trigger();
    QCOMPARE(boxes_.Shown(), QList<MessageRequest>{kOutputQuestion});
    const auto rankings = FilesOf(program_->File("Results"), "*.Rez");
    const auto awards = FilesOf(program_->File("Awards"), "*.Awd");
    QCOMPARE(rankings.size(), 25);
    QCOMPARE(awards.size(), 8);
    QVERIFY(rankings.firstKey().startsWith(today));

    TempFolder published;
    QProcess tovek;
    tovek.start(QStringLiteral(TOVEK_PROGRAM_DIR "/tovek"),
                {"score", "--cty", program_->File("Cty.dat"), "--area", program_->File("Tovek.are"),
                 "--out", published.Path(), "--date", today, logs_->Path()});
    QVERIFY(tovek.waitForFinished(20000));
    QCOMPARE(tovek.exitCode(), 0);
    QCOMPARE(FilesOf(published.File("Results"), "*"), rankings);
    QCOMPARE(FilesOf(published.File("Awards"), "*"), awards);
    // The Japanese winner's name and address lines made it through the file.
    QVERIFY(DecodeCp932(awards.value(today + "JaAwards.Awd"))
                .contains(QStringLiteral("     山田　太郎")));
  }

  void saveWithoutANameAsksFirstAndCancelWritesNothing() {
    auto window = StartWindow();
    Score(*window);
    // Cancel to the question: no dialog.
    boxes_.Answer(Answer::kCancel);
    auto no_visit = WhenDialogShows(PressCancel);
    Action(window.get(), "mnuSave")->trigger();
    QCoreApplication::processEvents();
    QVERIFY(!no_visit->seen);
    QCOMPARE(boxes_.Shown(), QList<MessageRequest>{kSaveAsQuestion});

    // OK, then the dialog's Cancel: nothing written, nothing named.
    boxes_.Clear();
    boxes_.Answer(Answer::kOk);
    auto visit = WhenDialogShows([](ResultFileDialog* d) {
      Type(d, "never");
      PressCancel(d);
    });
    Action(window.get(), "mnuSave")->trigger();
    QVERIFY(visit->seen && !visit->left_open);
    QCOMPARE(visit->caption, QStringLiteral("集計データの保存"));
    QCOMPARE(window->CurrentResultName(), QString());
    QCOMPARE(window->DialogMode(), 0);
    QCOMPARE(QDir(program_->File("Results")).entryList(QDir::Files), QStringList());
    QCOMPARE(MenuState(window.get()), QStringLiteral("11 1111"));
  }

  void emptyNameIsAskedForAndAnyExtensionBecomesRlt() {
    auto window = StartWindow();
    Score(*window);
    boxes_.Answer(Answer::kOk);  // the save-as question
    boxes_.Answer(Answer::kOk);  // the empty-name message
    // The name is typed after the message, with the dialog in charge again.
    bool stayed_open = false;
    auto visit = WhenDialogShows([](ResultFileDialog* d) { TypeAndOk(d, "   "); },
                                 [&](ResultFileDialog* d) {
                                   stayed_open = d->isVisible();
                                   TypeAndOk(d, " final.txt ");
                                 });
    Action(window.get(), "mnuSaveAs")->trigger();
    QVERIFY(visit->seen && !visit->left_open);
    QVERIFY(stayed_open);
    QCOMPARE(
        boxes_.Shown(),
        (QList<MessageRequest>{kSaveAsQuestion, {"ファイル名を入力して下さい", {}, Buttons::kOk}}));
    QCOMPARE(QDir(program_->File("Results")).entryList(QDir::Files), QStringList{"final.rlt"});
    QCOMPARE(window->CurrentResultName(), QStringLiteral("final.rlt"));

    // Save as again: the name box starts with the current name; a double
    // click on a file takes that file.
    testing::WriteBytes(ResultsFile("another.rlt"), "");
    boxes_.Clear();
    boxes_.Answer(Answer::kOk);
    visit = WhenDialogShows([](ResultFileDialog* d) {
      auto* list = d->findChild<QListWidget*>("File1");
      const QPoint first = list->visualItemRect(list->item(0)).center();
      // A double click arrives after the press of its first click.
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
    });
    Action(window.get(), "mnuSaveAs")->trigger();
    QVERIFY(visit->seen && !visit->left_open);
    QCOMPARE(visit->name_box, QStringLiteral("final.rlt"));
    QCOMPARE(visit->files, (QStringList{"another.rlt", "final.rlt"}));
    QCOMPARE(window->CurrentResultName(), QStringLiteral("another.rlt"));
    QCOMPARE(testing::ReadBytes(ResultsFile("another.rlt")).size(), 5 * kResultRecordSize);
  }

  void openingWhileResultsAreShownAsksAndReplacesThem() {
    auto window = StartWindow();
    // A file of one row, saved from a results table of its own.
    ResultRow only;
    only.call_sign = "K1ZZ";
    only.category = "SOHP";
    only.continent = "NA";
    only.entity = "K";
    only.score = 12;
    NoProgress none;
    QVERIFY(tovek::ResultSave(ResultsFile("one.rlt"), {only}, none).ok);
    Score(*window);
    const QList<QStringList> scored = GridRows(window.get());

    boxes_.Answer(Answer::kNo);
    auto no_visit = WhenDialogShows(PressCancel);
    Action(window.get(), "mnuOpen")->trigger();
    QCoreApplication::processEvents();
    QVERIFY(!no_visit->seen);
    QCOMPARE(boxes_.Shown(), QList<MessageRequest>{kOpenQuestion});
    QCOMPARE(GridRows(window.get()), scored);

    boxes_.Clear();
    boxes_.Answer(Answer::kYes);
    auto visit = WhenDialogShows([](ResultFileDialog* d) { TypeAndOk(d, "one"); });
    Action(window.get(), "mnuOpen")->trigger();
    QVERIFY(visit->seen && !visit->left_open);
    QCOMPARE(boxes_.Shown(), QList<MessageRequest>{kOpenQuestion});
    const QList<QStringList> rows = GridRows(window.get());
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].mid(0, 5), (QStringList{"1", "K1ZZ", "SOHP", "0", "12"}));
    QCOMPARE(window->Results().size(), 1);
    QCOMPARE(window->Rankings().TotalEntries(), 2);  // SOHP World and SOHP NA
    QCOMPARE(window->Rankings().List(Category::kSolp, Region::kJa).size(), 0);
  }

  void aFileThatIsNoResultsFileShowsNoResults() {
    auto window = StartWindow();
    testing::WriteBytes(ResultsFile("garbage.rlt"), QByteArray(2 * kResultRecordSize, '\xFF'));
    Score(*window);
    boxes_.Answer(Answer::kYes);
    boxes_.Answer(Answer::kOk);
    auto visit = WhenDialogShows([](ResultFileDialog* d) { TypeAndOk(d, "garbage"); });
    Action(window.get(), "mnuOpen")->trigger();
    QVERIFY(visit->seen && !visit->left_open);
    QCOMPARE(boxes_.Shown().size(), 2);
    QCOMPARE(boxes_.Shown()[1],
             (MessageRequest{QStringLiteral("ファイルを読み込めませんでした。\n") +
                                 QString::fromUtf8(kNotResultsFile)
                                     .arg(QDir(program_->File("Results")).filePath("garbage.rlt"))
                                     .arg(1),
                             {},
                             Buttons::kOk}));
    const QList<QStringList> rows = GridRows(window.get());
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].join(QString()), QString());
    QCOMPARE(window->RowCount(), 0);
    QCOMPARE(window->Results().size(), 0);
    QCOMPARE(window->CurrentResultName(), QString());
    QCOMPARE(window->StatusText(), QString());
    QCOMPARE(MenuState(window.get()), QStringLiteral("11 0000"));

    // A name that does not exist: the platform's reason after what was
    // tried and the file, and no file made.
    boxes_.Clear();
    boxes_.Answer(Answer::kOk);
    visit = WhenDialogShows([](ResultFileDialog* d) { TypeAndOk(d, "gone"); });
    Action(window.get(), "mnuOpen")->trigger();
    QCOMPARE(boxes_.Shown().size(), 1);
    QFile probe(ResultsFile("gone.rlt"));
    probe.open(QIODevice::ReadOnly);
    QCOMPARE(boxes_.Shown()[0].text, QStringLiteral("ファイルを読み込めませんでした。\n") +
                                         ResultsFile("gone.rlt") + u'\n' + probe.errorString());
    QVERIFY(!QFile::exists(ResultsFile("gone.rlt")));
  }

  void closingAsksWhetherToSaveWithEachAnswer() {
    auto window = StartWindow();
    // No: cleared without saving.
    Score(*window);
    boxes_.Answer(Answer::kNo);
    Action(window.get(), "mnuClose")->trigger();
    QCOMPARE(boxes_.Shown(), QList<MessageRequest>{kCloseQuestion});
    QCOMPARE(window->RowCount(), 0);
    QCOMPARE(MenuState(window.get()), QStringLiteral("11 0000"));
    QCOMPARE(QDir(program_->File("Results")).entryList(QDir::Files), QStringList());

    // Yes without a name: the dialog; its Cancel keeps the results.
    Score(*window);
    boxes_.Clear();
    boxes_.Answer(Answer::kYes);
    auto visit = WhenDialogShows(PressCancel);
    Action(window.get(), "mnuClose")->trigger();
    QVERIFY(visit->seen && !visit->left_open);
    QCOMPARE(visit->caption, QStringLiteral("集計データの保存"));
    QCOMPARE(window->RowCount(), 5);

    // Yes without a name, OK: saved, then cleared.
    boxes_.Clear();
    boxes_.Answer(Answer::kYes);
    visit = WhenDialogShows([](ResultFileDialog* d) { TypeAndOk(d, "closing"); });
    Action(window.get(), "mnuClose")->trigger();
    QCOMPARE(testing::ReadBytes(ResultsFile("closing.rlt")).size(), 5 * kResultRecordSize);
    QCOMPARE(window->RowCount(), 0);
    QCOMPARE(window->CurrentResultName(), QString());
    QCOMPARE(window->DialogMode(), 0);

    // Yes with a name: saved under it at once, then cleared.
    boxes_.Clear();
    visit = WhenDialogShows([](ResultFileDialog* d) { TypeAndOk(d, "closing"); });
    Action(window.get(), "mnuOpen")->trigger();
    QCOMPARE(window->RowCount(), 5);
    testing::WriteBytes(ResultsFile("closing.rlt"), "old");
    boxes_.Clear();
    boxes_.Answer(Answer::kYes);
    auto no_visit = WhenDialogShows(PressCancel);
    Action(window.get(), "mnuClose")->trigger();
    QCoreApplication::processEvents();
    QVERIFY(!no_visit->seen);
    QCOMPARE(boxes_.Shown(), QList<MessageRequest>{kCloseQuestion});
    QCOMPARE(testing::ReadBytes(ResultsFile("closing.rlt")).size(), 5 * kResultRecordSize);
    QCOMPARE(window->RowCount(), 0);

    // With no results the command clears without asking.
    boxes_.Clear();
    window->CloseResultsCommand();
    QCOMPARE(boxes_.Shown().size(), 0);
  }

  void aSaveThatFailsKeepsTheResultsAndTheEarlierName() {
    auto window = StartWindow();
    Score(*window);
    boxes_.Answer(Answer::kOk);
    auto visit = WhenDialogShows([](ResultFileDialog* d) { TypeAndOk(d, "kept"); });
    Action(window.get(), "mnuSaveAs")->trigger();
    QCOMPARE(window->CurrentResultName(), QStringLiteral("kept.rlt"));

    // A name inside a folder that is not there.
    boxes_.Clear();
    boxes_.Answer(Answer::kOk);
    boxes_.Answer(Answer::kOk);
    visit = WhenDialogShows([](ResultFileDialog* d) { TypeAndOk(d, "sub/x"); });
    Action(window.get(), "mnuSaveAs")->trigger();
    QCOMPARE(boxes_.Shown().size(), 2);
    QVERIFY(!boxes_.Shown()[1].text.isEmpty());
    QCOMPARE(window->CurrentResultName(), QStringLiteral("kept.rlt"));
    QCOMPARE(window->StatusText(), QStringLiteral("kept.rlt"));

    // Closing with Yes while the folder is gone: the results stay.
    QVERIFY(QDir(program_->File("Results")).removeRecursively());
    boxes_.Clear();
    boxes_.Answer(Answer::kYes);
    boxes_.Answer(Answer::kOk);
    Action(window.get(), "mnuClose")->trigger();
    QCOMPARE(boxes_.Shown().size(), 2);
    QCOMPARE(boxes_.Shown()[0], kCloseQuestion);
    QCOMPARE(window->RowCount(), 5);
    QCOMPARE(window->Results().size(), 5);
    QCOMPARE(MenuState(window.get()), QStringLiteral("11 1111"));
  }

  // Web公開 goes with the results shown; a folder that is not empty is asked
  // about first: No writes nothing, Yes writes the site with the run's logs
  // on the entrants' pages, and the certificates, and names index.html.
  void publishAsksBeforeWritingIntoAFolderThatIsNotEmpty() {
    auto window = StartWindow();
    QVERIFY(!Action(window.get(), "mnuPublish")->isEnabled());
    Score(*window);
    QVERIFY(Action(window.get(), "mnuPublish")->isEnabled());
    TempFolder site;
    site.Write("notes.txt", "mine");
    const MessageRequest question{QStringLiteral("フォルダ %1 は空ではありません。上書きしますか？")
                                      .arg(QDir::toNativeSeparators(site.Path())),
                                  QStringLiteral("Web公開"), Buttons::kYesNo, ui::Icon::kQuestion};
    boxes_.Answer(Answer::kNo);
    QVERIFY(!window->PublishTo(site.Path()));
    QCOMPARE(boxes_.Shown(), QList<MessageRequest>{question});
    QCOMPARE(QDir(site.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"notes.txt"});

    boxes_.Clear();
    boxes_.Answer(Answer::kYes);
    boxes_.Answer(Answer::kOk);
    QVERIFY(window->PublishTo(site.Path()));
    QCOMPARE(boxes_.Shown().size(), 2);
    QCOMPARE(boxes_.Shown()[0], question);
    QCOMPARE(boxes_.Shown()[1],
             (MessageRequest{QStringLiteral("Web公開が完了しました。\n") +
                                 QDir::toNativeSeparators(site.File("index.html")),
                             QStringLiteral("Web公開"), Buttons::kOk, ui::Icon::kInformation}));
    const QStringList dl = QDir(site.File("entrants")).entryList({"*-DL1ABC.html"});
    QCOMPARE(dl.size(), 1);
    QVERIFY(testing::ReadBytes(site.File("entrants/" + dl[0])).contains("<svg"));
    QVERIFY(testing::ReadBytes(site.File("index.html")).contains("JA3CCC"));
    QVERIFY(QFile::exists(site.File("certificates/AllCertificates.pdf")));
    QVERIFY(QFile::exists(site.File("notes.txt")));
    QCOMPARE(MenuState(window.get()), QStringLiteral("11 1111"));

    // A site that cannot be written is said as every failed write is.
    TempFolder blocked;
    blocked.Write("entrants", "a file where the pages' folder goes");
    boxes_.Clear();
    boxes_.Answer(Answer::kYes);
    boxes_.Answer(Answer::kOk);
    QVERIFY(!window->PublishTo(blocked.Path()));
    QCOMPARE(boxes_.Shown().size(), 2);
    QCOMPARE(boxes_.Shown()[1].icon, ui::Icon::kExclamation);
    QCOMPARE(boxes_.Shown()[1].text,
             QStringLiteral("ファイルに書き込めませんでした。\n%1\nthe folder cannot be created")
                 .arg(QDir::toNativeSeparators(blocked.File("entrants"))));
  }

  void outputWithCancelWritesNothingAndAFailureIsShown() {
    auto window = StartWindow();
    Score(*window);
    boxes_.Answer(Answer::kCancel);
    Action(window.get(), "mnuOutput")->trigger();
    QCOMPARE(boxes_.Shown(), QList<MessageRequest>{kOutputQuestion});
    QCOMPARE(QDir(program_->File("Results")).entryList(QDir::Files), QStringList());
    QCOMPARE(QDir(program_->File("Awards")).entryList(QDir::Files), QStringList());

    // The awards folder gone: the ranking files are written, then the error.
    QVERIFY(QDir(program_->File("Awards")).removeRecursively());
    boxes_.Clear();
    boxes_.Answer(Answer::kOk);
    boxes_.Answer(Answer::kOk);
    Action(window.get(), "mnuOutput")->trigger();
    QCOMPARE(boxes_.Shown().size(), 2);
    QCOMPARE(boxes_.Shown()[1].buttons, Buttons::kOk);
    QVERIFY(!boxes_.Shown()[1].text.isEmpty());
    QCOMPARE(QDir(program_->File("Results")).entryList(QDir::Files).size(), 25);
    QCOMPARE(window->RowCount(), 5);
    QCOMPARE(MenuState(window.get()), QStringLiteral("11 1111"));
  }
};

}  // namespace tovek

QTEST_MAIN(tovek::TessdalResultsWindowTest)
#include "tessdal_results_window_test.moc"
