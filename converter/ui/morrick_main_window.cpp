#include "converter/ui/morrick_main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QValidator>
#include <cmath>

#include "common/ui/about_dialog.h"
#include "common/ui/data_font.h"
#include "common/ui/folder_options_dialog.h"
#include "common/ui/font_dialog.h"
#include "common/ui/log_open_dialog.h"
#include "common/ui/program_info.h"
#include "common/ui/twips.h"
#include "common/ui/window_placement.h"

namespace tovek::ui {
namespace {

const QString kTitle = QStringLiteral("Morrick");
const QString kReplace = QStringLiteral("REPLACE");

// The numbers that name each column's controls, in column order.
constexpr std::array<int, kQsoColumnCount> kComboNumbers = {8, 9, 10, 11, 7, 12, 13, 14, 15, 16};

int ReplacementBoxNumber(QsoColumn column) {
  switch (column) {
    case QsoColumn::kMyCall:
      return 1;
    case QsoColumn::kSentRst:
      return 11;
    case QsoColumn::kSentNo:
      return 12;
    case QsoColumn::kRcvdRst:
      return 13;
    case QsoColumn::kRcvdNo:
      return 14;
    default:
      return 0;
  }
}

// Letters a to z typed (or pasted) into the box are entered as capitals.
class TypedUpperCaseValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    input = TypedUpperCase(input);
    return Acceptable;
  }
};

// Lets the window repaint while a long log is written, without spending
// the time of the write on it.
class EventYield final : public Progress {
 public:
  EventYield() { since_.start(); }
  void SetMaximum(qint64) override {}
  void SetValue(qint64) override {}
  void SetLabel(int, const QString&) override {}
  void Yield() override {
    if (since_.elapsed() < 30) return;
    QCoreApplication::processEvents();
    since_.restart();
  }

 private:
  QElapsedTimer since_;
};

QLabel* NewLabel(const QString& text, const QString& name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

// A box that shows a value the user does not type.
QLabel* NewDisplay(const QString& name, QWidget* parent) {
  QLabel* display = NewLabel(QString(), name, parent);
  display->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  display->setMinimumWidth(130);
  display->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return display;
}

void KeepPlaceWhenHidden(QWidget* widget) {
  QSizePolicy policy = widget->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget->setSizePolicy(policy);
}

void SetRequiredColour(QLabel* caption, bool required) {
  QPalette palette = caption->palette();
  palette.setColor(
      QPalette::WindowText,
      required ? QColor(Qt::red) : caption->parentWidget()->palette().color(QPalette::WindowText));
  caption->setPalette(palette);
}

}  // namespace

MorrickMainWindow::MorrickMainWindow(QString program_folder, MessageBoxes& boxes,
                                     TextEditorLauncher& editor, QWidget* parent)
    : QMainWindow(parent),
      program_folder_(std::move(program_folder)),
      boxes_(boxes),
      editor_(editor) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(kTitle);
  BuildMenus();

  auto* central = new QWidget(this);
  auto* areas = new QHBoxLayout;
  areas->addWidget(BuildColumnArea(), 0, Qt::AlignTop);
  areas->addWidget(BuildStationArea(), 0, Qt::AlignTop);

  note_ = NewLabel(QStringLiteral("赤字の項目は必須項目です"), QStringLiteral("lblNote"), central);
  SetRequiredColour(note_, true);
  note_->hide();
  KeepPlaceWhenHidden(note_);
  read_button_ = new QPushButton(QStringLiteral("ADIF LOG &READ"), central);
  read_button_->setObjectName(QStringLiteral("Command1"));
  convert_button_ = new QPushButton(QStringLiteral("&CONVERT CABRILLO"), central);
  convert_button_->setObjectName(QStringLiteral("Command2"));
  convert_button_->setEnabled(false);
  for (QPushButton* button : {read_button_, convert_button_}) button->setMinimumHeight(36);
  connect(read_button_, &QPushButton::clicked, this, &MorrickMainWindow::ReadLogCommand);
  connect(convert_button_, &QPushButton::clicked, this, &MorrickMainWindow::ConvertCommand);

  auto* commands = new QHBoxLayout;
  commands->addWidget(note_);
  commands->addStretch();
  commands->addWidget(read_button_);
  commands->addWidget(convert_button_);
  auto* layout = new QVBoxLayout(central);
  layout->addLayout(areas);
  layout->addLayout(commands);
  setCentralWidget(central);

  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  path_panel_ = NewLabel(QString(), QStringLiteral("Panel1"), statusBar());
  count_panel_ = NewLabel(QString(), QStringLiteral("Panel2"), statusBar());
  statusBar()->addWidget(path_panel_, 1);
  statusBar()->addPermanentWidget(count_panel_);
}

void MorrickMainWindow::BuildMenus() {
  // The "&" marks the access key (Alt+F, then E): the captions read as before.
  QMenu* file = menuBar()->addMenu(QStringLiteral("&FILE"));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* end = file->addAction(QStringLiteral("&END"), this, &QWidget::close);
  end->setObjectName(QStringLiteral("mnuEnd"));

  QMenu* setting = menuBar()->addMenu(QStringLiteral("&SETTING"));
  setting->setObjectName(QStringLiteral("mnuSetting"));
  QAction* font = setting->addAction(QStringLiteral("&FONT"), this, &MorrickMainWindow::ChooseFont);
  font->setObjectName(QStringLiteral("mnuFont"));
  setting->addSeparator();
  QAction* folders =
      setting->addAction(QStringLiteral("&LOG FOLDER"), this, &MorrickMainWindow::ChooseFolders);
  folders->setObjectName(QStringLiteral("mnuLogFolder"));

  QMenu* help = menuBar()->addMenu(QStringLiteral("&HELP"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  QAction* about = help->addAction(QStringLiteral("&ABOUT"), this, &MorrickMainWindow::ShowAbout);
  about->setObjectName(QStringLiteral("mnuAbout"));
}

QWidget* MorrickMainWindow::BuildColumnArea() {
  auto* area = new QGroupBox(QStringLiteral("ADIF to QSO DATA SET"), this);
  area->setObjectName(QStringLiteral("Frame1"));
  auto* grid = new QGridLayout(area);
  grid->addWidget(NewLabel(QStringLiteral("SELECT DATA"), QStringLiteral("lblSelectData"), area), 0,
                  1);
  grid->addWidget(NewLabel(QStringLiteral("VALUE"), QStringLiteral("lblValue"), area), 0, 2);
  grid->addWidget(NewLabel(QStringLiteral("Length"), QStringLiteral("lblLength"), area), 0, 3, 1,
                  2);

  replace_caption_my_call_ =
      NewLabel(QStringLiteral("Replace"), QStringLiteral("lblReplace1"), area);
  replace_caption_shared_ =
      NewLabel(QStringLiteral("Replace"), QStringLiteral("lblReplace2"), area);
  // The first caption stands over the MY CALLSIGN box, the shared one in a
  // row of its own over the boxes of the four report and number columns.
  grid->addWidget(replace_caption_my_call_, 4, 5);
  grid->addWidget(replace_caption_shared_, 6, 5);

  for (const QsoColumn column : kQsoColumns) {
    ColumnRow& row = Row(column);
    const int number = kComboNumbers[static_cast<size_t>(Index(column))];
    const int line = Index(column) + (Index(column) > Index(QsoColumn::kMyCall) ? 2 : 1);
    row.caption = NewLabel(ColumnCaption(column), QStringLiteral("lblCombo%1").arg(number), area);
    row.choice = new QComboBox(area);
    row.choice->setObjectName(QStringLiteral("Combo%1").arg(number));
    row.choice->setMinimumWidth(170);
    row.choice->setMaxVisibleItems(20);
    row.sample = NewDisplay(QStringLiteral("lblValue%1").arg(number), area);
    grid->addWidget(row.caption, line, 0);
    grid->addWidget(row.choice, line, 1);
    grid->addWidget(row.sample, line, 2);
    connect(row.choice, &QComboBox::currentIndexChanged, this,
            [this, column] { SourceChosen(column); });

    if (const WidthSpec* width_spec = WidthSpecOf(column)) {
      // Spinners are numbered in the order of their settings keys.
      const auto width_number = width_spec - kWidthSpecs.data() + 1;
      row.width = new QSpinBox(area);
      row.width->setObjectName(QStringLiteral("UpDown%1").arg(width_number));
      row.width->setRange(0, width_spec->max_width);
      row.width->setSingleStep(1);
      row.width->setValue(width_spec->default_width);
      // Only the arrows: the number beside them shows the width.
      row.width->setFixedWidth(18);
      row.width_number = NewLabel(QString::number(width_spec->default_width),
                                  QStringLiteral("lblWidth%1").arg(width_number), area);
      row.width_number->setMinimumWidth(24);
      row.width_number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      grid->addWidget(row.width_number, line, 3);
      grid->addWidget(row.width, line, 4);
      connect(row.width, &QSpinBox::valueChanged, row.width_number,
              [label = row.width_number](int value) { label->setNum(value); });
    }
    if (OffersReplace(column)) {
      row.replacement = new QLineEdit(ReplacementPreset(column), area);
      row.replacement->setObjectName(QStringLiteral("Text%1").arg(ReplacementBoxNumber(column)));
      row.replacement->setValidator(new TypedUpperCaseValidator(row.replacement));
      row.replacement->setMinimumWidth(110);
      row.replacement->hide();
      KeepPlaceWhenHidden(row.replacement);
      grid->addWidget(row.replacement, line, 5);
      connect(row.replacement, &QLineEdit::textChanged, this,
              [this, column] { ReplacementEdited(column); });
    }
  }
  for (QLabel* caption : {replace_caption_my_call_, replace_caption_shared_}) {
    caption->hide();
    KeepPlaceWhenHidden(caption);
  }
  return area;
}

QWidget* MorrickMainWindow::BuildStationArea() {
  auto* area = new QGroupBox(QStringLiteral("CABRILLO Ver 3.0  STATION DATA"), this);
  area->setObjectName(QStringLiteral("Frame2"));
  auto* grid = new QGridLayout(area);
  int line = 0;
  call_caption_ = NewLabel(QStringLiteral("CALLSIGN"), QStringLiteral("lblCallsign"), area);
  call_display_ = NewDisplay(QStringLiteral("lblCallsignValue"), area);
  grid->addWidget(call_caption_, line, 0);
  grid->addWidget(call_display_, line++, 1);
  for (int i = 0; i < kHeaderChoiceCount; ++i) {
    const QString tag = QLatin1String(kHeaderChoiceTags[static_cast<size_t>(i)]);
    QLabel* caption = NewLabel(tag, QStringLiteral("lblCombo%1").arg(i + 1), area);
    auto* choice = new QComboBox(area);
    choice->setObjectName(QStringLiteral("Combo%1").arg(i + 1));
    choice->setMinimumWidth(220);
    choice->setMaxVisibleItems(20);
    header_choice_captions_[static_cast<size_t>(i)] = caption;
    header_choices_[static_cast<size_t>(i)] = choice;
    grid->addWidget(caption, line, 0);
    grid->addWidget(choice, line++, 1);
  }
  for (int i = 0; i < kHeaderTextCount; ++i) {
    const QString tag = QLatin1String(kHeaderTextTags[static_cast<size_t>(i)]);
    auto* text = new QLineEdit(area);
    text->setObjectName(QStringLiteral("Text%1").arg(i + 2));
    if (i == kUpperCaseHeaderText) text->setValidator(new TypedUpperCaseValidator(text));
    header_texts_[static_cast<size_t>(i)] = text;
    grid->addWidget(NewLabel(tag, QStringLiteral("lblText%1").arg(i + 2), area), line, 0);
    grid->addWidget(text, line++, 1);
  }
  created_by_display_ = NewDisplay(QStringLiteral("lblCreatedBy"), area);
  grid->addWidget(
      NewLabel(QStringLiteral("CREATED-BY"), QStringLiteral("lblCreatedByCaption"), area), line, 0);
  grid->addWidget(created_by_display_, line, 1);
  return area;
}

void MorrickMainWindow::Load() {
  FrmSet();
  const QString path = QDir(program_folder_).filePath(QLatin1String(kMorrickSettingsFileName));
  if (LoadMorrickSettings(path, settings_) == SettingsLoadStatus::kMissing) {
    boxes_.Inform(this, QStringLiteral("NOT Morrick.ini FILE !!"));
  }
  ApplySettings();
}

void MorrickMainWindow::FrmSet() {
  created_by_display_->setText(MorrickCreatedBy());
  const HeaderLists lists = LoadHeaderLists(program_folder_);
  for (size_t i = 0; i < lists.size(); ++i) {
    QComboBox* choice = header_choices_[i];
    choice->clear();
    choice->addItems(lists[i]);
    choice->setCurrentIndex(-1);
  }
}

void MorrickMainWindow::ApplySettings() {
  if (settings_.me_left || settings_.me_top) {
    const QRect client = geometry();
    const int left = settings_.me_left ? TwipsToPixels(*settings_.me_left, this) : client.x();
    const int top = settings_.me_top ? TwipsToPixels(*settings_.me_top, this) : client.y();
    PlaceWindowAt(*this, QPoint(left, top));
  }
  for (size_t i = 0; i < header_choices_.size(); ++i) {
    // The box takes its saved text; one that is not a line of the list file
    // (the file changed, or the text was written in by hand) joins the list
    // rather than being dropped from the next Cabrillo header.
    QComboBox* choice = header_choices_[i];
    const QString& saved = settings_.header_choices[i];
    int index = choice->findText(saved, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 && !saved.isEmpty()) {
      choice->addItem(saved);
      index = choice->count() - 1;
    }
    choice->setCurrentIndex(index);
  }
  for (const WidthSpec& width_spec : kWidthSpecs) {
    Row(width_spec.column).width->setValue(*WidthField(settings_.widths, width_spec.column));
  }
}

void MorrickMainWindow::TakeSettingsFromWindow() {
  settings_.me_left = static_cast<float>(PixelsToTwips(geometry().x(), this));
  settings_.me_top = static_cast<float>(PixelsToTwips(geometry().y(), this));
  for (size_t i = 0; i < header_choices_.size(); ++i) {
    settings_.header_choices[i] = header_choices_[i]->currentText();
  }
  for (const WidthSpec& width_spec : kWidthSpecs) {
    *WidthField(settings_.widths, width_spec.column) =
        static_cast<std::int16_t>(Row(width_spec.column).width->value());
  }
}

void MorrickMainWindow::AdifRead(const QString& path) {
  const AdifReadOutcome read = tovek::AdifRead(path);
  records_ = read.records;
  current_path_ = path;
  path_panel_->setText(path);
  count_panel_->setText(QStringLiteral("%1 QSO").arg(records_.size()));
  // A path without a file passes in silence, as it always did; a file that
  // was refused (a folder, a device, far too large) or could not be opened
  // says why, or the empty list would pass for an empty log.
  if (!read.file.ok && QFileInfo::exists(path)) {
    boxes_.Inform(this, FileFailureMessage(FileAction::kRead, path, read.file));
  }
  if (read.decoding.bad_bytes > 0) boxes_.Inform(this, BadBytesMessage(read.decoding));
  if (read.truncated) {
    boxes_.Inform(this, QStringLiteral("%1 件を超えるレコードは読み込めません\n"
                                       "先頭の %1 件だけを読み込みました")
                            .arg(kMaxAdifRecords));
  }
  AdifSet();
}

void MorrickMainWindow::AdifSet() {
  const AdifSetup setup = tovek::AdifSet(records_);
  names_ = setup.names;
  for (const QsoColumn column : kQsoColumns) {
    ColumnRow& row = Row(column);
    const QSignalBlocker block_choice(row.choice);
    row.choice->clear();
    row.choice->addItems(names_);
    if (row.replacement) {
      const QSignalBlocker block_box(row.replacement);
      // The report boxes keep their text from one log to the next.
      if (column != QsoColumn::kSentRst && column != QsoColumn::kRcvdRst) row.replacement->clear();
      row.replacement->hide();
      row.choice->addItem(kReplace);
    }
    const ColumnSource& source = setup.sources[static_cast<size_t>(Index(column))];
    row.choice->setCurrentIndex(
        source.kind == ColumnSource::Kind::kField ? names_.indexOf(source.field) : -1);
  }
  for (const QsoColumn column : kQsoColumns) ShowSample(column);
  UpdateReplaceCaptions();
  convert_button_->setEnabled(true);
  MarkRequired(true);
  note_->show();
}

ConversionSetup MorrickMainWindow::CurrentSetup() const {
  ConversionSetup setup;
  for (const QsoColumn column : kQsoColumns) {
    const ColumnRow& row = Row(column);
    const auto index = static_cast<size_t>(Index(column));
    const int chosen = row.choice->currentIndex();
    if (IsReplaceChosen(column)) {
      setup.sources[index] = ColumnSource::Replace();
    } else if (chosen >= 0 && chosen < names_.size()) {
      setup.sources[index] = ColumnSource::Field(names_[chosen]);
    }
    if (row.replacement) setup.replacements[index] = row.replacement->text();
    if (row.width)
      *WidthField(setup.widths, column) = static_cast<std::int16_t>(row.width->value());
  }
  for (size_t i = 0; i < header_choices_.size(); ++i) {
    setup.header.choices[i] = header_choices_[i]->currentText();
  }
  for (size_t i = 0; i < header_texts_.size(); ++i)
    setup.header.texts[i] = header_texts_[i]->text();
  setup.created_by = created_by_display_->text();
  setup.output_folder = settings_.cabrillo_folder;
  return setup;
}

bool MorrickMainWindow::IsReplaceChosen(QsoColumn column) const {
  const ColumnRow& row = Row(column);
  return row.replacement && row.choice->count() > 0 &&
         row.choice->currentIndex() == row.choice->count() - 1;
}

void MorrickMainWindow::SourceChosen(QsoColumn column) {
  ColumnRow& row = Row(column);
  if (row.replacement) row.replacement->setVisible(IsReplaceChosen(column));
  UpdateReplaceCaptions();
  ShowSample(column);
}

void MorrickMainWindow::ReplacementEdited(QsoColumn column) {
  if (IsReplaceChosen(column)) ShowSample(column);
}

void MorrickMainWindow::ShowSample(QsoColumn column) {
  const QString sample = ColumnSample(records_, CurrentSetup(), column);
  Row(column).sample->setText(sample);
  if (column == QsoColumn::kMyCall) call_display_->setText(sample);
}

void MorrickMainWindow::UpdateReplaceCaptions() {
  replace_caption_my_call_->setVisible(!Row(QsoColumn::kMyCall).replacement->isHidden());
  bool shared = false;
  for (const QsoColumn column :
       {QsoColumn::kSentRst, QsoColumn::kSentNo, QsoColumn::kRcvdRst, QsoColumn::kRcvdNo}) {
    shared = shared || !Row(column).replacement->isHidden();
  }
  replace_caption_shared_->setVisible(shared);
}

void MorrickMainWindow::MarkRequired(bool required) {
  SetRequiredColour(call_caption_, required);
  for (int i = 0; i < kRequiredHeaderChoices; ++i) {
    SetRequiredColour(header_choice_captions_[static_cast<size_t>(i)], required);
  }
  for (ColumnRow& row : rows_) SetRequiredColour(row.caption, required);
}

void MorrickMainWindow::SetFont(const QString& name) {
  QFont data_font = font();
  data_font.setFamily(InstalledDataFontFamily(name));
  QList<QWidget*> targets;
  for (ColumnRow& row : rows_) {
    targets << row.choice << row.sample;
    if (row.replacement) targets << row.replacement;
    if (row.width_number) targets << row.width_number;
  }
  for (QComboBox* choice : header_choices_) targets << choice;
  for (QLineEdit* text : header_texts_) targets << text;
  targets << call_display_ << created_by_display_;
  for (QWidget* target : targets) target->setFont(data_font);
}

bool MorrickMainWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) SetFont(settings_.font_name);
  return QMainWindow::event(event);
}

void MorrickMainWindow::ReadLogCommand() {
  if (converting_) return;
  if (!records_.isEmpty() &&
      !boxes_.AskYesNo(this, QStringLiteral("現在のログを廃棄して新しいファイルを開きますか"),
                       QString())) {
    return;
  }
  QFont data_font = font();
  data_font.setFamily(InstalledDataFontFamily(settings_.font_name));
  LogOpenDialog dialog(MorrickLogOpenConfig(data_font), boxes_, this);
  dialog.SetFolder(settings_.adif_folder);
  connect(&dialog, &LogOpenDialog::FileChosen, this, &MorrickMainWindow::AdifRead);
  dialog.exec();
}

void MorrickMainWindow::ConvertCommand() {
  if (converting_) return;
  const ConversionSetup setup = CurrentSetup();
  const QString call = StationCall(records_, setup);
  const ConvertCheck check = CheckConversion(records_, setup);
  if (check != ConvertCheck::kReady) {
    boxes_.Inform(this,
                  ConvertCheckMessage(check, call, UnreadableDateTimeRecords(records_, setup)));
    return;
  }
  const Answer answer =
      boxes_.Show(this, {ConvertQuestion(call), kTitle, Buttons::kYesNo, Icon::kQuestion});
  if (answer == Answer::kNo) return;
  CbrOut();
}

void MorrickMainWindow::CbrOut() {
  converting_ = true;
  EventYield progress;
  // The window stays live while a long log is written: the writer works on
  // its own copy of the records and of the choices made.
  const AdifRecordList records = records_;
  const CbrOutcome outcome = tovek::CbrOut(records, CurrentSetup(), progress);
  converting_ = false;
  // A file that could not be written is reported, and no editor is started
  // on it: the user would take an old or missing file for the new one.
  if (!outcome.file.ok) {
    boxes_.Inform(this, FileFailureMessage(FileAction::kWrite, outcome.path, outcome.file));
    return;
  }
  if (outcome.written) editor_.Open(outcome.path);
}

void MorrickMainWindow::ChooseFont() {
  FontDialog dialog(FontDialogVariant::kNameOnly, FontChoice{settings_.font_name}, this);
  if (dialog.exec() != QDialog::Accepted || !dialog.Choice()) return;
  settings_.font_name = dialog.Choice()->name;
  SetFont(settings_.font_name);
}

void MorrickMainWindow::ChooseFolders() {
  FolderOptionsDialog dialog(MorrickFolderOptions(settings_.adif_folder, settings_.cabrillo_folder),
                             boxes_, this);
  if (dialog.exec() != QDialog::Accepted || dialog.Folders().size() != 2) return;
  settings_.adif_folder = dialog.Folders()[0].trimmed();
  settings_.cabrillo_folder = dialog.Folders()[1].trimmed();
}

void MorrickMainWindow::ShowAbout() {
  AboutDialog dialog(kMorrickInfo, this);
  dialog.exec();
}

void MorrickMainWindow::closeEvent(QCloseEvent* event) {
  if (!current_path_.isEmpty() &&
      boxes_.Show(this, {QStringLiteral("Morrick を終了しますか ??"), kTitle, Buttons::kOkCancel,
                         Icon::kQuestion}) == Answer::kCancel) {
    event->ignore();
    return;
  }
  if (isMinimized() || isMaximized()) showNormal();
  TakeSettingsFromWindow();
  const QString path = QDir(program_folder_).filePath(QLatin1String(kMorrickSettingsFileName));
  const FileOutcome saved = MorrickSettingsFile(path, settings_).Save();
  if (!saved.ok) {
    boxes_.Inform(this, QLatin1String(kMorrickSettingsFileName) + u'\n' + FileErrorMessage(saved));
  }
  event->accept();
}

}  // namespace tovek::ui
