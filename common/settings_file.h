// A program's key=value settings file.
//
// Each program describes its keys once, as a table binding every key to a
// typed variable, a default and a place in the written order. Loading fills
// the variables from the file; saving writes every key in table order.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "common/text_file.h"

namespace tovek {

// The variable a key is stored in. A window placement value is optional:
// it is applied to the window only when the file holds it.
using SettingTarget = std::variant<std::optional<float>*, std::int32_t*, std::int16_t*, bool*,
                                   QString*>;

struct SettingKey {
  QString name;
  SettingTarget target;
  // The default, written as it would stand in the file; empty for none.
  QString default_value;
};

enum class DefaultsRule {
  kApplyDefaults,  // a 0 or empty value after loading takes the key's default
  kAsRead,         // values stay as read; a missing key keeps the variable's value
};

enum class SettingsLoadStatus { kLoaded, kMissing };

class SettingsFile {
 public:
  SettingsFile(QString path, std::vector<SettingKey> keys, DefaultsRule rule);

  const QString& Path() const { return path_; }
  const std::vector<SettingKey>& Keys() const { return keys_; }

  // Fills the variables from the file. Lines without "=", unknown keys and
  // values that cannot be converted are passed over silently; a key that
  // occurs twice takes its later value. A missing file leaves every variable
  // as it was before the defaults are applied.
  SettingsLoadStatus Load();

  // Writes one line per key in table order. The file appears whole or not at
  // all; the outcome carries the platform's description of a failure.
  FileOutcome Save() const;

  // The file's text lines as Save writes them (without line ends).
  QStringList Lines() const;

  // Stores `value` in the key's variable by the file's conversion rules.
  // False when it cannot be converted; the variable is then unchanged.
  static bool Assign(const SettingKey& key, const QString& value);

  // The key's variable as written to the file.
  static QString Format(const SettingKey& key);

 private:
  void ApplyDefaults();

  QString path_;
  std::vector<SettingKey> keys_;
  DefaultsRule rule_;
};

}  // namespace tovek
