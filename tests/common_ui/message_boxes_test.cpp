// The programs' message boxes as the user meets them: title, text, buttons,
// the answer given back for each button, and a box wide enough for its title.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "common/ui/message_boxes.h"
#include "common/ui/toolkit_translation.h"

Q_DECLARE_METATYPE(tovek::FileOutcome)

namespace tovek::ui {

class MessageBoxesTest : public QObject {
  Q_OBJECT

 private:
  // Runs `inspect` on the box once it is up, then presses `button`.
  static void WhenShown(QMessageBox::StandardButton button,
                        const std::function<void(QMessageBox&)>& inspect) {
    QTimer::singleShot(0, [button, inspect] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      inspect(*box);
      QVERIFY(box->button(button));
      box->button(button)->click();
    });
  }

 private Q_SLOTS:
  void EachButtonGivesItsAnswer_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("pressed");
    QTest::addColumn<int>("answer");
    QTest::newRow("OK") << int(Buttons::kOk) << int(QMessageBox::Ok) << int(Answer::kOk);
    QTest::newRow("OK of OK/Cancel") << int(Buttons::kOkCancel) << int(QMessageBox::Ok) << int(Answer::kOk);
    QTest::newRow("Cancel") << int(Buttons::kOkCancel) << int(QMessageBox::Cancel) << int(Answer::kCancel);
    QTest::newRow("Yes") << int(Buttons::kYesNo) << int(QMessageBox::Yes) << int(Answer::kYes);
    QTest::newRow("No") << int(Buttons::kYesNo) << int(QMessageBox::No) << int(Answer::kNo);
  }
  void EachButtonGivesItsAnswer() {
    QFETCH(int, buttons);
    QFETCH(int, pressed);
    QFETCH(int, answer);
    QtMessageBoxes boxes(QStringLiteral("Kavrel"));
    WhenShown(QMessageBox::StandardButton(pressed), [](QMessageBox& box) {
      QCOMPARE(box.text(), QStringLiteral("ログを破棄して終了しますか？"));
      QCOMPARE(box.windowTitle(), QStringLiteral("Kavrelの終了"));
      QCOMPARE(box.icon(), QMessageBox::Question);
      // Above the windows that keep themselves on top.
      QVERIFY(box.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    });
    const Answer given =
        boxes.Show(nullptr, {QStringLiteral("ログを破棄して終了しますか？"), QStringLiteral("Kavrelの終了"),
                             Buttons(buttons), Icon::kQuestion});
    QCOMPARE(int(given), answer);
  }

  void FileErrorsInTheWindowsOwnWords() {
    const auto fault = [](FileFault kind, const char* path) {
      FileOutcome outcome = FileOutcome::Failure(QStringLiteral("in English"));
      outcome.fault = kind;
      outcome.path = QString::fromLatin1(path);
      return outcome;
    };
    QCOMPARE(FileErrorMessage(fault(FileFault::kDiskFull, "/log/EditLog/JA1XYZ.cbr")),
             QStringLiteral("ディスクの空き容量がありません。書き込めませんでした。\r\n"
                            "/log/EditLog/JA1XYZ.cbr"));
    QCOMPARE(
        FileErrorMessage(fault(FileFault::kLink, "/log/OldLog/ja1xyz.log")),
        QStringLiteral("/log/OldLog/ja1xyz.log はシンボリックリンクです。リンクの先には"
                       "書き込みません。\r\nリンクを取り除くか、別のフォルダーを選んでください。"));
    QCOMPARE(FileErrorMessage(FileOutcome::Failure(QStringLiteral("Permission denied"))),
             QStringLiteral("Permission denied"));
  }

  // A failure the platform describes (in English on most systems) is led
  // by what the program tried, in Japanese, and the file it tried it on.
  void PlatformFailuresLedByWhatWasTried_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("path");
    QTest::addColumn<FileOutcome>("outcome");
    QTest::addColumn<QString>("message");
    const FileOutcome denied = FileOutcome::Failure(QStringLiteral("Permission denied"));
    QTest::newRow("read")
        << int(FileAction::kRead) << "/logs/ja1xyz.log" << denied
        << "ファイルを読み込めませんでした。\n/logs/ja1xyz.log\nPermission denied";
    QTest::newRow("write") << int(FileAction::kWrite) << "/logs/EditLog/JA1XYZ.cbr" << denied
                           << "ファイルに書き込めませんでした。\n/logs/EditLog/JA1XYZ.cbr\n"
                              "Permission denied";
    QTest::newRow("move")
        << int(FileAction::kMove) << "/logs/ja1xyz.log" << denied
        << "ファイルを移動できませんでした。\n/logs/ja1xyz.log\nPermission denied";
    QTest::newRow("open folder") << int(FileAction::kOpenFolder) << "/gone" << denied
                                 << "フォルダーを開けませんでした。\n/gone\nPermission denied";
    QTest::newRow("create folder")
        << int(FileAction::kCreateFolder) << "/logs" << denied
        << "フォルダーを作成できませんでした。\n/logs\nPermission denied";
    QTest::newRow("text naming the file: no second path")
        << int(FileAction::kRead) << "/r/A.rlt"
        << FileOutcome::Failure(QStringLiteral("/r/A.rlt は集計データファイルではありません"))
        << "ファイルを読み込めませんでした。\n/r/A.rlt は集計データファイルではありません";
    QTest::newRow("no path known") << int(FileAction::kWrite) << "" << denied
                                   << "ファイルに書き込めませんでした。\nPermission denied";
    FileOutcome full = FileOutcome::Failure(QStringLiteral("No space left on device"));
    full.fault = FileFault::kDiskFull;
    full.path = QStringLiteral("/r/A.rlt");
    QTest::newRow("full disk in its own words")
        << int(FileAction::kWrite) << "/r/A.rlt" << full
        << "ディスクの空き容量がありません。書き込めませんでした。\r\n/r/A.rlt";
  }
  void PlatformFailuresLedByWhatWasTried() {
    QFETCH(int, action);
    QFETCH(QString, path);
    QFETCH(FileOutcome, outcome);
    QFETCH(QString, message);
    QCOMPARE(FileFailureMessage(FileAction(action), path, outcome), message);
  }

  void BoxWithoutTitleShowsTheProgramName() {
    QtMessageBoxes boxes(QStringLiteral("TOVEK CALC"));
    WhenShown(QMessageBox::Ok,
              [](QMessageBox& box) { QCOMPARE(box.windowTitle(), QStringLiteral("TOVEK CALC")); });
    boxes.Inform(nullptr, QStringLiteral("NOT Tessdal.ini FILE !!"));
  }

  void BoxIsWideEnoughForItsTitle() {
    QtMessageBoxes boxes(QStringLiteral("TOVEK CALC"));
    const QString title = QStringLiteral("名前を付けて集計データを保存する確認のための長い題名");
    WhenShown(QMessageBox::Ok, [title](QMessageBox& box) {
      // The toolkit leaves 50 pixels beside the title, which a window
      // manager's frame buttons (three, each about 20 pixels) and its bold
      // title font take up: the title came out cut.
      QVERIFY2(box.width() >= box.fontMetrics().horizontalAdvance(title) + 100,
               qPrintable(QString::number(box.width())));
    });
    boxes.Show(nullptr, {QStringLiteral("保存します"), title, Buttons::kOkCancel, Icon::kNone});
  }

  // The standard buttons are the toolkit's: English until its Japanese
  // translation is loaded, as every program does at its start. (Last: the
  // translation stays installed.)
  void ButtonsSpeakJapaneseOnceTheToolkitTranslationIsLoaded() {
    QtMessageBoxes boxes(QStringLiteral("Kavrel"));
    const auto button_texts = [&boxes](Buttons buttons) {
      QStringList texts;
      WhenShown(QMessageBox::No, [&texts](QMessageBox& box) {
        for (QAbstractButton* button : box.buttons()) texts.append(button->text().remove(u'&'));
        texts.sort();
      });
      boxes.Show(nullptr, {QStringLiteral("終了しますか？"), {}, buttons, Icon::kQuestion});
      return texts;
    };
    QCOMPARE(button_texts(Buttons::kYesNo), (QStringList{"No", "Yes"}));
    QVERIFY2(LoadToolkitTranslation(*QCoreApplication::instance()),
             qPrintable(ToolkitTranslationFolders().join(u' ')));
    QCOMPARE(button_texts(Buttons::kYesNo),
             (QStringList{QStringLiteral("いいえ(N)"), QStringLiteral("はい(Y)")}));
  }
};

}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::MessageBoxesTest)
#include "message_boxes_test.moc"
