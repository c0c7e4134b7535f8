// The font picker (frmFont), caption "データ欄フォントの設定": the fixed-pitch
// fonts of the screen, a name label and a sample in the chosen font; the
// editor's variant adds the size and bold and italic switches.
#pragma once

#include <QDialog>
#include <QStringList>
#include <optional>

class QCheckBox;
class QLabel;
class QListWidget;
class QSpinBox;

namespace tovek::ui {

struct FontChoice {
  QString name;
  int size = 0;  // points
  bool bold = false;
  bool italic = false;
  friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

enum class FontDialogVariant {
  kNameSizeStyle,  // the editor's log list
  kNameOnly,       // the converter's data fields
};

class FontDialog final : public QDialog {
  Q_OBJECT

 public:
  // Sizes the spinner offers.
  static constexpr int kMinimumSize = 4;
  static constexpr int kMaximumSize = 96;

  // `current` is the font in use; the name-only variant looks at its name
  // alone. `families` are the names to offer, by default the screen's
  // fixed-pitch fonts.
  FontDialog(FontDialogVariant variant, const FontChoice& current, QWidget* parent = nullptr,
             const QStringList& families = {});

  // The font confirmed with OK; nothing before OK or after "ｷｬﾝｾﾙ". The
  // name-only variant fills the name alone.
  const std::optional<FontChoice>& Choice() const { return choice_; }

 private:
  void ChooseName(const QString& name);
  void ApplyToLabels();
  void Confirm();

  FontDialogVariant variant_;
  QListWidget* names_;
  QLabel* name_label_;
  QLabel* sample_;
  QSpinBox* size_ = nullptr;
  QCheckBox* bold_ = nullptr;
  QCheckBox* italic_ = nullptr;
  std::optional<FontChoice> choice_;
};

}  // namespace tovek::ui
