// Kavrel's main window: the open log as a list of rows, the toolbar, the
// menus and the status bar.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>

#include "common/prefix_table.h"
#include "common/progress.h"
#include "editor/kavrel_settings.h"
#include "editor/log_folders.h"
#include "editor/load_passes.h"
#include "editor/log_lines.h"
#include "editor/cabrillo_writer.h"
#include "editor/column_edits.h"
#include "editor/undo_lines.h"
#include "editor/ui/dialogs/string_edit_window.h"

class QAction;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QStringListModel;
class QTimer;

namespace tovek::ui {

class KavrelReview;
class MessageBoxes;

// What the window needs from outside: where the program's files are, how it
// asks questions, and which day it is.
struct KavrelEnvironment {
  QString program_folder;
  MessageBoxes* messages = nullptr;
  QDate today = QDate::currentDate();
};

class KavrelMainWindow : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kToolbarButtons = 13;
  // Toolbar indices: the program addresses its buttons by these.
  enum ToolbarIndex {
    kOpenButton = 0,
    kLayoutReaderButton = 1,
    kUndoButton = 2,
    kReplaceButton = 3,
    kInsertButton = 4,
    kDeleteButton = 5,
    kDoubledRowsButton = 6,
    kSplitRowsButton = 7,
    kColonButton = 8,
    kTime4Button = 9,
    kAlignButton = 10,
    kRowLengthButton = 11,
    kDataCheckButton = 12,
  };

  explicit KavrelMainWindow(KavrelEnvironment environment, QWidget* parent = nullptr);
  ~KavrelMainWindow() override;

  // Start-up after the window is shown: settings, font, prefix table, header
  // tags, and the question for the log folder when none is set.
  void Start();

  // Reads a log file into the rows (an empty path does nothing).
  void DataRead(const QString& path);
  // Empties the rows and disables the log commands.
  void DataCls();
  // 1 enables the log commands, 0 disables them; other values do nothing.
  void mnuBtnOnOff(int on_off);
  // Applies the font settings to the log list.
  void fontSet();

  const LogLines& Rows() const { return rows_; }
  const KavrelSettings& Settings() const { return settings_; }
  KavrelSettings& Settings() { return settings_; }
  const LogFolders& Folders() const { return folders_; }
  const QString& CurrentLogPath() const { return current_log_path_; }
  const PrefixTable& Prefixes() const { return prefixes_; }
  const EntityList& Entities() const { return entities_; }
  const QStringList& HeaderTags() const { return header_tags_; }
  QPushButton* ToolbarButton(int index) const { return toolbar_buttons_.at(index); }
  EditWindowMode EditMode() const;
  // The fault lines kept for the error report (ErrorReportList).
  const ErrorReportList& ErrorReport() const { return error_report_; }

  // Opens the string edit window on the selected row: in list mode from the
  // log list, in check mode with the data check's fault lines.
  void OpenStringEditWindow(EditWindowMode mode, const QStringList& fault_lines = {});
  KavrelReview& Review() const { return *review_; }
  QString StatusPanelText(int panel) const;
  // True while a read, the load passes, a command or a data check works on
  // the rows: the commands that change the log wait until it is over.
  bool Busy() const { return busy_ > 0; }

 Q_SIGNALS:
  // A load pass starts; its status text is `message`.
  void LoadPassStarting(const QString& message);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Makes the commands that change the log unavailable from construction
  // to destruction (scopes may nest).
  class BusyScope {
   public:
    explicit BusyScope(KavrelMainWindow& window) : window_(window) { window_.EnterBusy(); }
    ~BusyScope() { window_.LeaveBusy(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

   private:
    KavrelMainWindow& window_;
  };
  void EnterBusy();
  void LeaveBusy();

  void BuildToolbar();
  void BuildMenus();
  void BuildStatusBar();
  void ApplyInitialEnableRules();
  QAction* AddItem(QMenu* menu, const char* name, const QString& caption);
  void AddSeparator(QMenu* menu, const char* name);

  void LoadSettings();
  void ApplyWindowPlacement();
  void TakeWindowPlacement();
  bool SaveSettings();
  void LoadPrefixes();
  void SetLogFolder(const QString& folder);

  void OpenCommand();
  // Shows the open dialog on the log folder; false when the folder cannot be
  // listed.
  bool ShowOpenDialog();
  void CloseCommand();
  void ShowFolderDialog();
  void ShowFontDialog();
  void ShowAboutDialog();
  void ShowRowPopup(const QPoint& global_position);
  void DeletePopupRow();

  void ShowRows();
  // The one-level snapshot of the rows, taken before every change that the
  // undo command should be able to take back.
  void SaveUndo();
  void RestoreUndo();
  void ShowUndoAvailability();
  LoadPassesOutcome RunLoadPassesAfterReading();
  void CheckRowLengthsCommand();
  // Opens the data check window, as every load and the row length check end.
  void OpenDataCheck();
  // Runs a command that rewrites the rows with the progress window shown,
  // then shows the rows and the undo state it left.
  void RunRowCommand(const std::function<void(Progress&)>& command);
  void ConnectRepairCommands();
  void ConnectColumnCommands();
  // Runs `command` from a toolbar button and its menu item.
  void OnButtonAndItem(int button, const char* item, const std::function<void()>& command);
  void ListDoubleClicked();
  void ListClicked(const QModelIndex& index);
  void StringEditWindowClosed();
  void ConnectReview();
  void ShowFaults(const QStringList& faults, int first_row);
  void LogSaved();
  void SetStatus(int panel, const QString& text);
  void RefreshClock();

  KavrelEnvironment environment_;
  MessageBoxes& messages_;
  KavrelSettings settings_;
  LogFolders folders_;
  PrefixTable prefixes_;
  EntityList entities_;
  QStringList header_tags_;
  LogLines rows_;
  UndoLines undo_;
  ColumnEditMemory column_memory_;
  ErrorReportList error_report_;
  // The data check, the field layout reader, the summary view and the check
  // settings, which work on this window's rows and settings.
  KavrelReview* review_ = nullptr;
  QPointer<StringEditWindow> edit_window_;
  QString current_log_path_;
  int popup_row_ = -1;
  int busy_ = 0;

  QListView* log_list_ = nullptr;
  QStringListModel* log_model_ = nullptr;
  std::array<QPushButton*, kToolbarButtons> toolbar_buttons_{};
  QMenu* file_menu_ = nullptr;
  QMenu* edit_menu_ = nullptr;
  QMenu* settings_menu_ = nullptr;
  QMenu* help_menu_ = nullptr;
  QMenu* popup_menu_ = nullptr;
  QAction* close_action_ = nullptr;
  QAction* undo_action_ = nullptr;
  std::array<QLabel*, 5> status_panels_{};
  QTimer* clock_ = nullptr;
  QPointer<QWidget> open_dialog_;
  QPointer<QWidget> folder_dialog_;
};

}  // namespace tovek::ui
