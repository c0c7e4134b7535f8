// Morrick's one window (frmMain): the QSO columns bound to fields of the ADIF
// log that was read, the Cabrillo header values, and the two commands that
// read a log and convert it.
#pragma once

#include <QMainWindow>
#include <array>

#include "common/ui/message_boxes.h"
#include "converter/adif_reader.h"
#include "converter/cabrillo3_writer.h"
#include "converter/morrick_settings.h"
#include "converter/ui/text_editor_launcher.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tovek::ui {

class MorrickMainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  // `program_folder` holds Morrick.ini and the list files.
  MorrickMainWindow(QString program_folder, MessageBoxes& boxes, TextEditorLauncher& editor,
                    QWidget* parent = nullptr);

  // Start-up: the created-by text and the header lists, then Morrick.ini.
  void Load();

  // Reads the log at `path` and sets the window up for it.
  void AdifRead(const QString& path);
  // Fills the choice lists from record 1 and picks the default sources.
  void AdifSet();
  // The conversion as the window's boxes and lists describe it.
  ConversionSetup CurrentSetup() const;
  // Writes the Cabrillo file and starts the text editor on it.
  void CbrOut();
  // Applies the data-field font.
  void SetFont(const QString& name);

  const AdifRecordList& Records() const { return records_; }
  const MorrickSettings& Settings() const { return settings_; }

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // The widgets of one QSO column's row.
  struct ColumnRow {
    QLabel* caption = nullptr;
    QComboBox* choice = nullptr;
    QLabel* sample = nullptr;
    QSpinBox* width = nullptr;  // only the six columns with a width
    QLabel* width_number = nullptr;
    QLineEdit* replacement = nullptr;  // only the five that take a fixed text
  };

  void BuildMenus();
  QWidget* BuildColumnArea();
  QWidget* BuildStationArea();
  void FrmSet();
  void ApplySettings();
  void TakeSettingsFromWindow();

  void ReadLogCommand();
  void ConvertCommand();
  void ChooseFont();
  void ChooseFolders();
  void ShowAbout();

  void SourceChosen(QsoColumn column);
  void ReplacementEdited(QsoColumn column);
  void ShowSample(QsoColumn column);
  bool IsReplaceChosen(QsoColumn column) const;
  void UpdateReplaceCaptions();
  void MarkRequired(bool required);

  ColumnRow& Row(QsoColumn column) { return rows_[static_cast<size_t>(Index(column))]; }
  const ColumnRow& Row(QsoColumn column) const { return rows_[static_cast<size_t>(Index(column))]; }

  QString program_folder_;
  MessageBoxes& boxes_;
  TextEditorLauncher& editor_;
  MorrickSettings settings_;

  QString current_path_;
  AdifRecordList records_;
  AdifFieldNames names_;
  bool converting_ = false;

  std::array<ColumnRow, kQsoColumnCount> rows_;
  QLabel* replace_caption_my_call_ = nullptr;
  QLabel* replace_caption_shared_ = nullptr;
  std::array<QComboBox*, kHeaderChoiceCount> header_choices_{};
  std::array<QLabel*, kHeaderChoiceCount> header_choice_captions_{};
  std::array<QLineEdit*, kHeaderTextCount> header_texts_{};
  QLabel* call_caption_ = nullptr;
  QLabel* call_display_ = nullptr;
  QLabel* created_by_display_ = nullptr;
  QLabel* note_ = nullptr;
  QLabel* path_panel_ = nullptr;
  QLabel* count_panel_ = nullptr;
  QPushButton* read_button_ = nullptr;
  QPushButton* convert_button_ = nullptr;
};

}  // namespace tovek::ui
