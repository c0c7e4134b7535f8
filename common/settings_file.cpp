#include "common/settings_file.h"

#include <QFileInfo>
#include <QHash>

#include <cmath>

#include "common/legacy_numbers.h"

namespace tovek {
namespace {

template <class... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
// Spelled out for compilers without class template argument deduction for
// aggregates (clang before 17).
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

std::optional<bool> ParseBool(const QString& value) {
  if (value.compare(u"True", Qt::CaseInsensitive) == 0) return true;
  if (value.compare(u"False", Qt::CaseInsensitive) == 0) return false;
  if (const auto number = ParseDecimal(value)) return *number != 0.0;
  return std::nullopt;
}

bool IsUnset(const SettingTarget& target) {
  return std::visit(Overloaded{
                        [](std::optional<float>* v) { return !v->has_value() || **v == 0.0f; },
                        [](std::int32_t* v) { return *v == 0; },
                        [](std::int16_t* v) { return *v == 0; },
                        [](bool* v) { return !*v; },
                        [](QString* v) { return v->isEmpty(); },
                    },
                    target);
}

}  // namespace

SettingsFile::SettingsFile(QString path, std::vector<SettingKey> keys, DefaultsRule rule)
    : path_(std::move(path)), keys_(std::move(keys)), rule_(rule) {}

bool SettingsFile::Assign(const SettingKey& key, const QString& value) {
  return std::visit(
      Overloaded{
          [&](std::optional<float>* v) {
            const auto number = ParseDecimal(value);
            if (!number || std::abs(*number) > 3.4e38) return false;
            *v = static_cast<float>(*number);
            return true;
          },
          [&](std::int32_t* v) {
            const auto number = ParseDecimal(value);
            const auto integer = number ? ToInt32(*number) : std::nullopt;
            if (!integer) return false;
            *v = *integer;
            return true;
          },
          [&](std::int16_t* v) {
            const auto number = ParseDecimal(value);
            const auto integer = number ? ToInt16(*number) : std::nullopt;
            if (!integer) return false;
            *v = *integer;
            return true;
          },
          [&](bool* v) {
            const auto flag = ParseBool(value);
            if (!flag) return false;
            *v = *flag;
            return true;
          },
          [&](QString* v) {
            *v = value;
            return true;
          },
      },
      key.target);
}

QString SettingsFile::Format(const SettingKey& key) {
  return std::visit(Overloaded{
                        [](std::optional<float>* v) {
                          return QString::number(v->value_or(0.0f), 'g',
                                                 QLocale::FloatingPointShortest);
                        },
                        [](std::int32_t* v) { return QString::number(*v); },
                        [](std::int16_t* v) { return QString::number(*v); },
                        [](bool* v) { return *v ? QStringLiteral("True") : QStringLiteral("False"); },
                        [](QString* v) { return *v; },
                    },
                    key.target);
}

SettingsLoadStatus SettingsFile::Load() {
  // Only a file that is not there is reported; one that cannot be read is
  // passed over like any unreadable line.
  const bool missing = !QFileInfo::exists(path_);
  const TextFileLines file = ReadTextLines(path_, LineEnds::kCrLfCrOrLf);
  if (file.outcome.ok) {
    QHash<QString, const SettingKey*> by_name;
    for (const SettingKey& key : keys_) by_name.insert(key.name, &key);
    for (const QString& read : file.lines) {
      // Control characters are blanks here as in every file the suite writes.
      const QString line = PlainText(read);
      const qsizetype equals = line.indexOf(u'=');
      if (equals < 0) continue;
      const auto found = by_name.constFind(line.left(equals).trimmed());
      if (found == by_name.constEnd()) continue;
      Assign(**found, line.mid(equals + 1).trimmed());
    }
  }
  if (rule_ == DefaultsRule::kApplyDefaults) ApplyDefaults();
  return missing ? SettingsLoadStatus::kMissing : SettingsLoadStatus::kLoaded;
}

void SettingsFile::ApplyDefaults() {
  for (const SettingKey& key : keys_) {
    if (!key.default_value.isEmpty() && IsUnset(key.target)) Assign(key, key.default_value);
  }
}

QStringList SettingsFile::Lines() const {
  QStringList lines;
  lines.reserve(static_cast<qsizetype>(keys_.size()));
  for (const SettingKey& key : keys_) lines.append(key.name + u'=' + Format(key));
  return lines;
}

FileOutcome SettingsFile::Save() const { return WriteTextLines(path_, Lines()); }

}  // namespace tovek
