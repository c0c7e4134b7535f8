#include "calculator/crosscheck/check_rules_file.h"

#include <QFileInfo>
#include <cmath>

#include "common/settings_file.h"

namespace tovek::crosscheck {
namespace {

// The file's values as the settings file holds them.
struct RuleValues {
  std::int32_t time_window;
  std::optional<float> nil_penalty, bust_penalty, exchange_penalty;
  std::int32_t unique_credit;
  std::int32_t min_appearances;

  explicit RuleValues(const CheckRules& rules)
      : time_window(rules.time_window),
        nil_penalty(static_cast<float>(rules.nil_penalty)),
        bust_penalty(static_cast<float>(rules.bust_penalty)),
        exchange_penalty(static_cast<float>(rules.exchange_penalty)),
        unique_credit(rules.unique_credit ? 1 : 0),
        min_appearances(rules.min_appearances) {}
};

std::vector<SettingKey> RuleKeys(RuleValues& v) {
  return {{"TimeWindow", &v.time_window, {}},     {"NilPenalty", &v.nil_penalty, {}},
          {"BustPenalty", &v.bust_penalty, {}},   {"ExchangePenalty", &v.exchange_penalty, {}},
          {"UniqueCredit", &v.unique_credit, {}}, {"MinAppearances", &v.min_appearances, {}}};
}

double PenaltyOr(const std::optional<float>& value, double fallback) {
  return value && std::isfinite(*value) && *value >= 0 && *value <= 1000 ? *value : fallback;
}

// The values read, each out-of-range one replaced by its default.
CheckRules RulesOf(const RuleValues& v) {
  const CheckRules defaults;
  CheckRules rules;
  rules.time_window =
      v.time_window >= 0 && v.time_window <= 24 * 60 ? v.time_window : defaults.time_window;
  rules.nil_penalty = PenaltyOr(v.nil_penalty, defaults.nil_penalty);
  rules.bust_penalty = PenaltyOr(v.bust_penalty, defaults.bust_penalty);
  rules.exchange_penalty = PenaltyOr(v.exchange_penalty, defaults.exchange_penalty);
  rules.unique_credit =
      v.unique_credit == 0 || v.unique_credit == 1 ? v.unique_credit == 1 : defaults.unique_credit;
  rules.min_appearances = v.min_appearances >= 0 && v.min_appearances <= 1000
                              ? v.min_appearances
                              : defaults.min_appearances;
  return rules;
}

}  // namespace

RulesFileRead ReadRulesFile(const QString& path, bool create_when_missing) {
  RulesFileRead read;
  RuleValues values{CheckRules()};
  SettingsFile file(path, RuleKeys(values), DefaultsRule::kAsRead);
  if (file.Load() == SettingsLoadStatus::kMissing && create_when_missing) {
    read.created = true;
    read.outcome = file.Save();
  }
  read.rules = RulesOf(values);
  return read;
}

QStringList RulesFileLines(const CheckRules& rules) {
  RuleValues values(rules);
  return SettingsFile(QString(), RuleKeys(values), DefaultsRule::kAsRead).Lines();
}

}  // namespace tovek::crosscheck
