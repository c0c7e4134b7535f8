#include "editor/ui/kavrel_main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStringListModel>
#include <QTimer>
#include <QVBoxLayout>

#include "common/ui/about_dialog.h"
#include "common/ui/data_font.h"
#include "common/ui/folder_options_dialog.h"
#include "common/ui/font_dialog.h"
#include "common/ui/log_open_dialog.h"
#include "common/ui/message_boxes.h"
#include "common/ui/window_progress.h"
#include "common/ui/twips.h"
#include "editor/load_passes.h"
#include "editor/repair_commands.h"
#include "editor/ui/dialogs/column_dialogs.h"
#include "editor/ui/review/kavrel_review.h"
#include "editor/ui/kavrel_messages.h"

namespace tovek::ui {
namespace {

struct ButtonSpec {
  int index;
  const char* caption;
};

// Left to right; the index is how the program addresses a button.
constexpr std::array<ButtonSpec, KavrelMainWindow::kToolbarButtons> kToolbarLayout = {{
    {0, "開 く"},
    {1, "Kavrel"},
    {12, "ﾃﾞｰﾀﾁｪｯｸ"},
    {2, "前に戻す"},
    {3, "文字置換"},
    {4, "文字挿入"},
    {5, "文字削除"},
    {6, "重複修正"},
    {7, "2段修正"},
    {8, "ｺﾛﾝ削除"},
    {9, "時間4桁"},
    {10, "桁整列"},
    {11, "ﾃﾞｰﾀ長"},
}};

constexpr int kReadingPanel = 0;
constexpr int kPathPanel = 2;
constexpr int kDatePanel = 3;
constexpr int kTimePanel = 4;

}  // namespace

KavrelMainWindow::KavrelMainWindow(KavrelEnvironment environment, QWidget* parent)
    : QMainWindow(parent),
      environment_(std::move(environment)),
      messages_(*environment_.messages) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Kavrel"));

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  setCentralWidget(central);
  BuildToolbar();
  layout->addWidget(toolbar_buttons_[0]->parentWidget());

  log_model_ = new QStringListModel(this);
  log_list_ = new QListView(central);
  log_list_->setObjectName(QStringLiteral("List1"));
  log_list_->setModel(log_model_);
  log_list_->setUniformItemSizes(true);
  log_list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  log_list_->setSelectionMode(QAbstractItemView::SingleSelection);
  log_list_->viewport()->installEventFilter(this);
  layout->addWidget(log_list_, 1);

  BuildMenus();
  BuildStatusBar();
  ApplyInitialEnableRules();
  ConnectRepairCommands();
  ConnectColumnCommands();
  ConnectReview();
  connect(log_list_, &QListView::doubleClicked, this, &KavrelMainWindow::ListDoubleClicked);
  connect(log_list_, &QListView::clicked, this, &KavrelMainWindow::ListClicked);
  resize(900, 600);
}

KavrelMainWindow::~KavrelMainWindow() = default;

void KavrelMainWindow::BuildToolbar() {
  auto* strip = new QWidget(this);
  strip->setObjectName(QStringLiteral("Toolbar1"));
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(2);
  for (const ButtonSpec& place : kToolbarLayout) {
    auto* button = new QPushButton(QString::fromUtf8(place.caption), strip);
    button->setObjectName(QStringLiteral("Toolbar1Button%1").arg(place.index));
    button->setFocusPolicy(Qt::NoFocus);
    row->addWidget(button);
    toolbar_buttons_[place.index] = button;
  }
  row->addStretch(1);
  // Like any toolbar, the strip clips its buttons rather than forcing the
  // window to stay wide enough for all thirteen.
  strip->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  connect(toolbar_buttons_[kOpenButton], &QPushButton::clicked, this,
          &KavrelMainWindow::OpenCommand);
  connect(toolbar_buttons_[kUndoButton], &QPushButton::clicked, this,
          &KavrelMainWindow::RestoreUndo);
}

QAction* KavrelMainWindow::AddItem(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

void KavrelMainWindow::AddSeparator(QMenu* menu, const char* name) {
  menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

void KavrelMainWindow::BuildMenus() {
  file_menu_ = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
  file_menu_->setObjectName(QStringLiteral("mnuFile"));
  close_action_ = AddItem(file_menu_, "mnuFileClose", QStringLiteral("閉じる(&C)"));
  AddSeparator(file_menu_, "mnuFileBar0");
  QAction* exit_action = AddItem(file_menu_, "mnuFileExit", QStringLiteral("終了(&X)"));
  connect(close_action_, &QAction::triggered, this, &KavrelMainWindow::CloseCommand);
  connect(exit_action, &QAction::triggered, this, &QWidget::close);

  edit_menu_ = menuBar()->addMenu(QStringLiteral("編集(&E)"));
  edit_menu_->setObjectName(QStringLiteral("mnuEdit"));
  undo_action_ = AddItem(edit_menu_, "mnuUndo", QStringLiteral("前に戻す(&U)"));
  connect(undo_action_, &QAction::triggered, this, &KavrelMainWindow::RestoreUndo);
  AddSeparator(edit_menu_, "mnuFileBar2");
  AddItem(edit_menu_, "mnuChrReplace", QStringLiteral("文字の置換え(&C)"));
  AddItem(edit_menu_, "mnuChrInput", QStringLiteral("文字の挿入(&I)"));
  AddItem(edit_menu_, "mnuChrDel", QStringLiteral("文字の削除(&K)"));
  AddItem(edit_menu_, "mnuTwinEdit", QStringLiteral("重複データ行の修正(&D)"));
  AddItem(edit_menu_, "mnuDblDel", QStringLiteral("２段データ修正(&L)"));
  AddItem(edit_menu_, "mnuColonDel", QStringLiteral("日時データのコロン削除(&L)"));
  AddItem(edit_menu_, "mnuTime4Col", QStringLiteral("時間データを４桁に修正(&T)"));
  AddItem(edit_menu_, "mnuBandCol", QStringLiteral("バンドデータを右揃え(&B)"));
  AddItem(edit_menu_, "mnuColSort", QStringLiteral("ログデータの桁整列(&S)"));

  settings_menu_ = menuBar()->addMenu(QStringLiteral("設定(&S)"));
  settings_menu_->setObjectName(QStringLiteral("mnuSet"));
  QAction* font_action = AddItem(settings_menu_, "mnuFont", QStringLiteral("フォント(&F)"));
  AddSeparator(settings_menu_, "mnusep");
  QAction* folder_action =
      AddItem(settings_menu_, "mnuDirSet", QStringLiteral("ログフォルダーの設定(&L)"));
  AddSeparator(settings_menu_, "mnuSep11");
  AddItem(settings_menu_, "mnuChkSet", QStringLiteral("ログチェックの設定(S)"));
  connect(font_action, &QAction::triggered, this, &KavrelMainWindow::ShowFontDialog);
  connect(folder_action, &QAction::triggered, this, &KavrelMainWindow::ShowFolderDialog);

  help_menu_ = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
  help_menu_->setObjectName(QStringLiteral("mnuHelp"));
  QAction* about_action = AddItem(help_menu_, "mnuHelpAbout", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"));
  connect(about_action, &QAction::triggered, this, &KavrelMainWindow::ShowAboutDialog);

  // The row delete popup is not part of the menu bar.
  popup_menu_ = new QMenu(QStringLiteral("行削除"), this);
  popup_menu_->setObjectName(QStringLiteral("mnuPopMnu"));
  QAction* delete_action = AddItem(popup_menu_, "mnuDelDat", QStringLiteral("削除"));
  connect(delete_action, &QAction::triggered, this, &KavrelMainWindow::DeletePopupRow);
}

void KavrelMainWindow::BuildStatusBar() {
  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  statusBar()->setSizeGripEnabled(true);
  for (int panel = 0; panel < static_cast<int>(status_panels_.size()); ++panel) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("StatusPanel%1").arg(panel + 1));
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(panel == kPathPanel ? 200 : 90);
    const int stretch = panel == kReadingPanel || panel == kPathPanel ? 1 : 0;
    statusBar()->addPermanentWidget(label, stretch);
    status_panels_[panel] = label;
  }
  clock_ = new QTimer(this);
  connect(clock_, &QTimer::timeout, this, &KavrelMainWindow::RefreshClock);
  clock_->start(1000);
  RefreshClock();
}

void KavrelMainWindow::RefreshClock() {
  const QDateTime now = QDateTime::currentDateTime();
  SetStatus(kDatePanel, now.toString(QStringLiteral("yyyy/MM/dd")));
  SetStatus(kTimePanel, now.toString(QStringLiteral("HH:mm:ss")));
}

void KavrelMainWindow::SetStatus(int panel, const QString& text) {
  status_panels_.at(panel)->setText(text);
}

QString KavrelMainWindow::StatusPanelText(int panel) const {
  return status_panels_.at(panel - 1)->text();
}

void KavrelMainWindow::ApplyInitialEnableRules() {
  for (QPushButton* button : toolbar_buttons_) button->setEnabled(false);
  toolbar_buttons_[kOpenButton]->setEnabled(true);
  close_action_->setEnabled(false);
  edit_menu_->menuAction()->setEnabled(false);
  undo_action_->setEnabled(false);
}

void KavrelMainWindow::mnuBtnOnOff(int on_off) {
  if (on_off != 0 && on_off != 1) return;
  const bool on = on_off == 1;
  edit_menu_->menuAction()->setEnabled(on);
  close_action_->setEnabled(on);
  for (int index = 1; index < kToolbarButtons; ++index) {
    // Switching on leaves the undo button as the last snapshot left it.
    if (on && index == kUndoButton) continue;
    toolbar_buttons_[index]->setEnabled(on);
  }
}

void KavrelMainWindow::SaveUndo() {
  WindowProgress progress(ProgressStyle::kBarOnly, this);
  undo_.Save(rows_, progress);
  ShowUndoAvailability();
}

void KavrelMainWindow::RestoreUndo() {
  if (Busy()) return;
  const BusyScope busy(*this);
  {
    WindowProgress progress(ProgressStyle::kBarOnly, this);
    undo_.Restore(rows_, progress);
  }
  ShowRows();
  ShowUndoAvailability();
}

void KavrelMainWindow::ShowUndoAvailability() {
  const UndoAvailability available = undo_.Availability();
  undo_action_->setEnabled(available.menu);
  toolbar_buttons_[kUndoButton]->setEnabled(available.button);
}

void KavrelMainWindow::RunRowCommand(const std::function<void(Progress&)>& command) {
  {
    WindowProgress progress(ProgressStyle::kBarOnly, this);
    command(progress);
  }
  ShowRows();
  ShowUndoAvailability();
}

void KavrelMainWindow::ConnectRepairCommands() {
  const auto on_button = [this](int index, const std::function<void()>& handler) {
    OnButtonAndItem(index, nullptr, handler);
  };
  const auto on_item = [this](const char* name, const std::function<void()>& handler) {
    OnButtonAndItem(-1, name, handler);
  };
  // The toolbar repeats two of the load passes, after a snapshot; the Edit
  // menu has its own variants of the same two repairs.
  on_button(kDoubledRowsButton, [this] {
    SetStatus(kReadingPanel, LoadPassMessage(LoadPass::kSplitDoubledRows));
    SaveUndo();
    RunRowCommand([this](Progress& p) { SplitDoubledRows(rows_, p); });
  });
  on_button(kSplitRowsButton, [this] {
    SetStatus(kReadingPanel, LoadPassMessage(LoadPass::kJoinSplitRows));
    SaveUndo();
    RunRowCommand([this](Progress& p) { JoinSplitRows(rows_, p); });
  });
  on_button(kRowLengthButton, [this] { CheckRowLengthsCommand(); });
  OnButtonAndItem(kColonButton, "mnuColonDel", [this] {
    RunRowCommand([this](Progress& p) { ColonDel(rows_, undo_, p); });
  });
  on_item("mnuTwinEdit", [this] { RunRowCommand([this](Progress& p) { TwinEdit(rows_, undo_, p); }); });
  on_item("mnuDblDel", [this] { RunRowCommand([this](Progress& p) { DblDel(rows_, undo_, p); }); });
}

void KavrelMainWindow::OnButtonAndItem(int button, const char* item,
                                       const std::function<void()>& run) {
  const auto command = [this, run] {
    if (Busy()) return;
    const BusyScope busy(*this);
    run();
  };
  if (button >= 0) connect(toolbar_buttons_[button], &QPushButton::clicked, this, command);
  if (item) {
    connect(findChild<QAction*>(QString::fromLatin1(item)), &QAction::triggered, this, command);
  }
}

// The column commands ask for a column in a dialog that shows the first QSO
// row; without a QSO row nothing opens. Cancel changes nothing and takes no
// snapshot.
void KavrelMainWindow::ConnectColumnCommands() {
  const auto with_sample = [this](auto ask_and_apply) {
    return [this, ask_and_apply] {
      if (const std::optional<QString> sample = FirstQsoRow(rows_)) ask_and_apply(*sample);
    };
  };
  OnButtonAndItem(kReplaceButton, "mnuChrReplace", with_sample([this](const QString& sample) {
    if (const auto r = AskChangeText(this, sample, column_memory_)) {
      RunRowCommand([&](Progress& p) { ChangeText(rows_, undo_, r->column, r->text, p); });
    }
  }));
  OnButtonAndItem(kInsertButton, "mnuChrInput", with_sample([this](const QString& sample) {
    if (const auto r = AskInputText(this, sample, column_memory_)) {
      RunRowCommand([&](Progress& p) { InputText(rows_, undo_, r->column, r->text, p); });
    }
  }));
  OnButtonAndItem(kDeleteButton, "mnuChrDel", with_sample([this](const QString& sample) {
    if (const auto r = AskDataDel(this, sample, column_memory_, settings_)) {
      RunRowCommand([&](Progress& p) { DataDel(rows_, undo_, r->column, r->length, p); });
    }
  }));
  OnButtonAndItem(kTime4Button, "mnuTime4Col", with_sample([this](const QString& sample) {
    if (const auto column = AskTime4Col(this, sample, settings_)) {
      RunRowCommand([&](Progress& p) { Time4Col(rows_, undo_, *column, p); });
    }
  }));
  OnButtonAndItem(-1, "mnuBandCol", with_sample([this](const QString& sample) {
    if (const auto column = AskBandRight(this, sample, settings_)) {
      RunRowCommand([&](Progress& p) { BandRight(rows_, undo_, *column, p); });
    }
  }));
  OnButtonAndItem(kAlignButton, "mnuColSort", with_sample([this](const QString& sample) {
    if (const auto r = AskDataCalSet(this, sample, settings_)) {
      RunRowCommand([&](Progress& p) { DataCalSet(rows_, undo_, r->column, r->length, p); });
    }
  }));
}

// ---- The string edit window -------------------------------------------------

EditWindowMode KavrelMainWindow::EditMode() const {
  return edit_window_ ? edit_window_->Mode() : EditWindowMode::kClosed;
}

void KavrelMainWindow::ListDoubleClicked() {
  if (Busy() || EditMode() != EditWindowMode::kClosed || rows_.size() <= 1) return;
  OpenStringEditWindow(EditWindowMode::kList);
}

void KavrelMainWindow::ListClicked(const QModelIndex& index) {
  if (EditMode() == EditWindowMode::kList && index.isValid()) edit_window_->SetCurrentRow(index.row());
}

void KavrelMainWindow::OpenStringEditWindow(EditWindowMode mode, const QStringList& fault_lines) {
  if (edit_window_) edit_window_->close();
  const int row = std::max(0, log_list_->currentIndex().row());
  auto* window = new StringEditWindow(rows_, mode, row, log_list_->font(), messages_, this, fault_lines);
  edit_window_ = window;
  if (mode == EditWindowMode::kList) {
    for (QMenu* menu : {file_menu_, edit_menu_, help_menu_}) menu->menuAction()->setEnabled(false);
  }
  connect(window, &StringEditWindow::CurrentRowChanged, this,
          [this](int current) { log_list_->setCurrentIndex(log_model_->index(current, 0)); });
  connect(window, &StringEditWindow::RowEdited, this, [this](int edited) {
    if (edited >= 0 && edited < rows_.size()) log_model_->setData(log_model_->index(edited, 0), rows_[edited]);
  });
  connect(window, &StringEditWindow::RowsDeleted, this, &KavrelMainWindow::ShowRows);
  connect(window, &StringEditWindow::FaultLinesKept, this,
          [this](const QStringList& lines) { error_report_ = lines; });
  connect(window, &StringEditWindow::Closed, this, &KavrelMainWindow::StringEditWindowClosed);
  connect(window, &StringEditWindow::DataCheckRequested, this, &KavrelMainWindow::OpenDataCheck);
  window->show();
}

void KavrelMainWindow::StringEditWindowClosed() {
  for (QMenu* menu : {file_menu_, edit_menu_, help_menu_}) menu->menuAction()->setEnabled(true);
}

void KavrelMainWindow::CheckRowLengthsCommand() {
  SetStatus(kReadingPanel, LoadPassMessage(LoadPass::kCheckRowLengths));
  bool uneven = false;
  {
    WindowProgress progress(ProgressStyle::kBarOnly, this);
    uneven = CheckRowLengths(rows_, progress);
  }
  if (uneven) messages_.Inform(this, kUnevenLengthsMessage);
  OpenDataCheck();
}

void KavrelMainWindow::OpenDataCheck() { review_->OpenDataCheck(); }

void KavrelMainWindow::ConnectReview() {
  review_ = new KavrelReview(
      ReviewHost{this, &rows_, &settings_, &prefixes_, &entities_, &folders_, &current_log_path_,
                 &error_report_, &messages_, environment_.today},
      this);
  OnButtonAndItem(kDataCheckButton, nullptr, [this] { review_->OpenDataCheck(); });
  OnButtonAndItem(kLayoutReaderButton, nullptr, [this] { review_->OpenLayoutReader(); });
  OnButtonAndItem(-1, "mnuChkSet", [this] { review_->ShowCheckSettings(); });
  connect(review_, &KavrelReview::StatusText, this,
          [this](int panel, const QString& text) { SetStatus(panel - 1, text); });
  connect(review_, &KavrelReview::ListRepaint, log_list_, &QWidget::setUpdatesEnabled);
  connect(review_, &KavrelReview::FaultsFound, this, &KavrelMainWindow::ShowFaults);
  connect(review_, &KavrelReview::LogSaved, this, &KavrelMainWindow::LogSaved);
  connect(review_, &KavrelReview::CheckRunning, this, [this](bool running) {
    if (running) {
      EnterBusy();
    } else {
      LeaveBusy();
    }
  });
}

void KavrelMainWindow::EnterBusy() {
  if (busy_++ > 0) return;
  // The strip and the menu bar hold every command that changes the log;
  // the buttons and items in them keep their own states for afterwards.
  toolbar_buttons_[kOpenButton]->parentWidget()->setEnabled(false);
  menuBar()->setEnabled(false);
  if (open_dialog_) open_dialog_->setEnabled(false);
  if (edit_window_) edit_window_->setEnabled(false);
  review_->EnableWindows(false);
}

void KavrelMainWindow::LeaveBusy() {
  if (busy_ == 0 || --busy_ > 0) return;
  toolbar_buttons_[kOpenButton]->parentWidget()->setEnabled(true);
  menuBar()->setEnabled(true);
  if (open_dialog_) open_dialog_->setEnabled(true);
  if (edit_window_) edit_window_->setEnabled(true);
  review_->EnableWindows(true);
}

void KavrelMainWindow::ShowFaults(const QStringList& faults, int first_row) {
  log_list_->setCurrentIndex(log_model_->index(first_row, 0));
  OpenStringEditWindow(EditWindowMode::kCheck, faults);
}

// The summary view wrote the Cabrillo file and moved the log aside: the log
// is done with.
void KavrelMainWindow::LogSaved() {
  DataCls();
  SetStatus(kPathPanel, {});
  toolbar_buttons_[kOpenButton]->setFocus();
}

void KavrelMainWindow::fontSet() {
  // Rows are read in columns: where the stored face is missing (a Windows
  // face on another system), an installed fixed-pitch Japanese face stands in.
  QFont font(InstalledDataFontFamily(settings_.font_name), settings_.font_size);
  font.setBold(settings_.font_bold);
  font.setItalic(settings_.font_italic);
  font.setStyleHint(QFont::TypeWriter);
  log_list_->setFont(font);
}

// ---- Start-up and shut-down -------------------------------------------------

void KavrelMainWindow::Start() {
  entities_.clear();
  LoadSettings();
  fontSet();
  LoadPrefixes();
  header_tags_ = LoadHeaderTags(QDir(environment_.program_folder).filePath(QStringLiteral("CabHeader.dat")));
  if (!settings_.log_folder.isEmpty()) {
    folders_ = LogFolders::Under(settings_.log_folder);
    return;
  }
  messages_.Inform(this, QString::fromUtf8(kAskLogFolder));
  ShowFolderDialog();
}

void KavrelMainWindow::LoadSettings() {
  SettingsFile file = KavrelSettingsFile(environment_.program_folder, settings_, environment_.today);
  if (file.Load() == SettingsLoadStatus::kMissing) {
    messages_.Inform(this, QStringLiteral("NOT Kavrel.ini FILE !!"));
  }
  ApplyWindowPlacement();
}

void KavrelMainWindow::ApplyWindowPlacement() {
  const auto& s = settings_;
  if (!s.frm_left && !s.frm_top && !s.frm_width && !s.frm_height) return;
  const QRect current = geometry();
  const QRect wanted(s.frm_left ? TwipsToPixels(*s.frm_left, this) : current.x(),
                     s.frm_top ? TwipsToPixels(*s.frm_top, this) : current.y(),
                     s.frm_width ? TwipsToPixels(*s.frm_width, this) : current.width(),
                     s.frm_height ? TwipsToPixels(*s.frm_height, this) : current.height());
  if (wanted.width() <= 0 || wanted.height() <= 0) return;
  // A placement saved on a screen that is gone would put the window where
  // nobody can reach it: keep the built-in placement then.
  const QList<QScreen*> screens = QGuiApplication::screens();
  const bool visible = std::any_of(screens.begin(), screens.end(), [&](const QScreen* screen) {
    return screen->availableGeometry().intersects(wanted);
  });
  if (!visible) return;
  // The client area, as it is saved (see PlaceWindow).
  setGeometry(wanted);
}

void KavrelMainWindow::TakeWindowPlacement() {
  settings_.frm_left = static_cast<float>(PixelsToTwips(geometry().x(), this));
  settings_.frm_top = static_cast<float>(PixelsToTwips(geometry().y(), this));
  settings_.frm_width = static_cast<float>(PixelsToTwips(width(), this));
  settings_.frm_height = static_cast<float>(PixelsToTwips(height(), this));
}

bool KavrelMainWindow::SaveSettings() {
  TakeWindowPlacement();
  const SettingsFile file =
      KavrelSettingsFile(environment_.program_folder, settings_, environment_.today);
  const FileOutcome saved = file.Save();
  if (!saved.ok) {
    messages_.Inform(this,
                     QString::fromUtf8(kSettingsNotSaved).arg(file.Path(), FileErrorMessage(saved)),
                     {}, Icon::kExclamation);
  }
  return saved.ok;
}

void KavrelMainWindow::LoadPrefixes() {
  const PrefixLoadOutcome loaded = LoadPrefixTable(
      QDir(environment_.program_folder).filePath(QStringLiteral("Cty.dat")), prefixes_, &entities_);
  switch (loaded.status) {
    case PrefixLoadOutcome::Status::kMissing:
      messages_.Inform(this, QStringLiteral("NOT [Cty.dat] FILE"));
      break;
    case PrefixLoadOutcome::Status::kStopped:
      messages_.Inform(this, QStringLiteral("Cty.dat (%1): %2").arg(loaded.line_number).arg(loaded.error));
      break;
    case PrefixLoadOutcome::Status::kLoaded:
      break;
  }
}

void KavrelMainWindow::SetLogFolder(const QString& folder) {
  settings_.log_folder = folder;
  folders_ = LogFolders::Under(folder);
}

void KavrelMainWindow::closeEvent(QCloseEvent* event) {
  // Quitting halfway would tear the rows down under the read or command.
  if (Busy()) {
    event->ignore();
    return;
  }
  if (rows_.size() > 1 &&
      !messages_.AskYesNo(this, QStringLiteral("ログを破棄して終了しますか？"),
                          QStringLiteral("Kavrelの終了"))) {
    event->ignore();
    return;
  }
  // The other windows keep their placements and column widths in the
  // settings when they close, so they close before the settings are written.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != this && window->isVisible()) window->close();
  }
  SaveSettings();
  event->accept();
}

// ---- Reading and clearing the log --------------------------------------------

void KavrelMainWindow::ShowRows() { log_model_->setStringList(rows_); }

void KavrelMainWindow::DataCls() {
  // The windows opened on the rows go with them: a string edit window or a
  // review window left open would act on the next log with this one's
  // faults, header or file.
  if (edit_window_) edit_window_->close();
  review_->CloseLogWindows();
  rows_.clear();
  ShowRows();
  mnuBtnOnOff(0);
  undo_.LogCleared();
  error_report_.clear();
}

void KavrelMainWindow::DataRead(const QString& path) {
  if (path.isEmpty() || Busy()) return;
  LogReadOutcome read;
  LoadPassesOutcome passes;
  {
    const BusyScope busy(*this);
    // The list is emptied with its repaint already suspended: clearing a
    // long log drew the empty list once for nothing.
    log_list_->setUpdatesEnabled(false);
    DataCls();
    SetStatus(kReadingPanel, QStringLiteral("読み込み中です"));
    {
      WindowProgress progress(ProgressStyle::kBarOnly, this);
      read = ReadLogRows(path, header_tags_, progress);
    }
    rows_ = std::move(read.rows);
    if (read.file.ok) passes = RunLoadPassesAfterReading();
    ShowRows();
    log_list_->setUpdatesEnabled(true);
  }
  if (!read.file.ok) {
    messages_.Inform(this, FileFailureMessage(FileAction::kRead, path, read.file));
    return;
  }
  mnuBtnOnOff(1);
  SetStatus(kPathPanel, current_log_path_);
  if (read.decoding.bad_bytes > 0) messages_.Inform(this, BadBytesMessage(read.decoding));
  if (!passes.ran) return;
  if (passes.uneven_lengths) messages_.Inform(this, kUnevenLengthsMessage);
  OpenDataCheck();
}

LoadPassesOutcome KavrelMainWindow::RunLoadPassesAfterReading() {
  LoadPassesOutcome outcome;
  {
    WindowProgress progress(ProgressStyle::kBarOnly, this);
    outcome = RunLoadPasses(rows_, undo_, progress,
                            [this](const QString& message) {
                              SetStatus(kReadingPanel, message);
                              Q_EMIT LoadPassStarting(message);
                            });
  }
  if (outcome.ran) SetStatus(kReadingPanel, QStringLiteral("自動処理が終了しました"));
  ShowUndoAvailability();
  return outcome;
}

// ---- Commands ---------------------------------------------------------------

void KavrelMainWindow::OpenCommand() {
  if (Busy()) return;
  if (rows_.size() > 1 &&
      !messages_.AskYesNo(this, QStringLiteral("ログデータを破棄して新しいログを開きますか？"),
                          QStringLiteral("ログを開く"))) {
    return;
  }
  if (!ShowOpenDialog()) {
    ShowFolderDialog();
    return;
  }
  DataCls();
  DataRead(current_log_path_);
}

void KavrelMainWindow::CloseCommand() {
  if (Busy()) return;
  if (!messages_.AskYesNo(this, QStringLiteral("このデータを閉じますか？"),
                          QStringLiteral("データを閉じる"), Icon::kCritical)) {
    return;
  }
  DataCls();
  toolbar_buttons_[kUndoButton]->setEnabled(false);
  mnuBtnOnOff(0);
  current_log_path_.clear();
  SetStatus(kPathPanel, {});
}

bool KavrelMainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == log_list_->viewport() && event->type() == QEvent::MouseButtonPress &&
      EditMode() == EditWindowMode::kClosed && !Busy()) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton) {
      // Let the view select the row under the mouse first.
      QTimer::singleShot(0, this, [this, at = mouse->globalPosition().toPoint()] {
        ShowRowPopup(at);
      });
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void KavrelMainWindow::ShowRowPopup(const QPoint& global_position) {
  const QModelIndex selected = log_list_->currentIndex();
  if (!selected.isValid()) return;  // nothing to show or delete
  popup_row_ = selected.row();
  popup_menu_->popup(global_position);
}

void KavrelMainWindow::DeletePopupRow() {
  if (Busy() || rows_.isEmpty() || popup_row_ < 0 || popup_row_ >= rows_.size()) return;
  const QString question =
      rows_[popup_row_] + QStringLiteral("\r\n") + QStringLiteral("このデータを削除しますか？");
  if (!messages_.AskYesNo(this, question, QStringLiteral("データの削除"), Icon::kCritical)) return;
  SaveUndo();
  rows_.removeAt(popup_row_);
  ShowRows();
}

bool KavrelMainWindow::ShowOpenDialog() {
  if (open_dialog_) open_dialog_->close();
  auto* dialog = new LogOpenDialog(KavrelLogOpenConfig(), messages_, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  if (!dialog->SetFolder(settings_.log_folder).ok) {
    dialog->close();
    return false;
  }
  // Queued: the log is read once the dialog's click has been handled, never
  // from inside the list that is closing with the dialog.
  connect(
      dialog, &LogOpenDialog::FileChosen, this,
      [this](const QString& path) {
        // A choice made while a command walks the rows waits for nothing:
        // the dialog is disabled then, and the open log keeps its path.
        if (Busy()) return;
        current_log_path_ = path;
        DataRead(path);
      },
      Qt::QueuedConnection);
  open_dialog_ = dialog;
  dialog->show();
  return true;
}

void KavrelMainWindow::ShowFolderDialog() {
  if (folder_dialog_) {
    folder_dialog_->raise();
    return;
  }
  auto* dialog = new FolderOptionsDialog(KavrelFolderOptions(settings_.log_folder), messages_, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &FolderOptionsDialog::FoldersChosen, this,
          [this](const QStringList& folders) { SetLogFolder(folders.value(0)); });
  folder_dialog_ = dialog;
  dialog->show();
}

void KavrelMainWindow::ShowFontDialog() {
  const FontChoice current{settings_.font_name, settings_.font_size, settings_.font_bold,
                           settings_.font_italic};
  FontDialog dialog(FontDialogVariant::kNameSizeStyle, current, this);
  dialog.exec();
  if (!dialog.Choice()) return;
  const FontChoice& chosen = *dialog.Choice();
  settings_.font_name = chosen.name;
  settings_.font_size = static_cast<std::int16_t>(std::clamp(chosen.size, 1, 32767));
  settings_.font_bold = chosen.bold;
  settings_.font_italic = chosen.italic;
  fontSet();
}

void KavrelMainWindow::ShowAboutDialog() {
  AboutDialog about(kKavrelInfo, this);
  about.exec();
}

}  // namespace tovek::ui
