#include "bench/generator/bench_data.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <array>
#include <limits>

#include "common/call_resolution.h"
#include "common/text_file.h"
#include "editor/cabrillo_reader.h"
#include "editor/cabrillo_writer.h"
#include "common/output_names.h"

namespace tovek::bench {
namespace {

std::uint64_t SplitMix64(std::uint64_t& x) {
  std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::uint64_t RotateLeft(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

// The contest runs 48 hours from Saturday 00:00 UTC.
const QDateTime kContestStart(QDate(2023, 10, 21), QTime(0, 0), Qt::UTC);
constexpr int kContestMinutes = 48 * 60;

// Shares of the damage and variety, per QSO or per row.
constexpr double kDuplicateShare = 0.02;
constexpr double kPortableShare = 0.03;
constexpr double kUnresolvableShare = 0.008;
constexpr double kOutOfBandShare = 0.002;

struct Band {
  const char* name;
  const char* adif_band;
  int low_khz;   // the RTTY part of the band that the QSOs fall in
  int high_khz;
  int weight;
};
constexpr std::array<Band, 5> kBands = {{
    {"3.5", "80m", 3575, 3600, 10},
    {"7", "40m", 7025, 7045, 20},
    {"14", "20m", 14070, 14100, 35},
    {"21", "15m", 21070, 21110, 25},
    {"28", "10m", 28070, 28150, 10},
}};

int PickBand(Random& random) {
  int total = 0;
  for (const Band& band : kBands) total += band.weight;
  int pick = random.Below(total);
  for (int i = 0; i < static_cast<int>(kBands.size()); ++i) {
    if (pick < kBands[i].weight) return i;
    pick -= kBands[i].weight;
  }
  return 0;
}

// A frequency in kHz: on one of the five bands, or now and then on 1.8 or
// 50 MHz, which count on none of them.
int PickFrequency(Random& random, int band) {
  if (random.Chance(kOutOfBandShare)) return random.Chance(0.5) ? 1838 : 50100;
  return random.Between(kBands[band].low_khz, kBands[band].high_khz);
}

bool IsOutOfBand(int khz) { return khz == 1838 || khz == 50100; }

// Portable designators written behind the call, and prefixes written in
// front of it, as they turn up in real logs.
const QStringList kSuffixes = {"P", "MM", "QRP", "M", "AM"};
const QStringList kForeignPrefixes = {"DL", "F",  "KH6", "VE3", "W1",  "JA6",
                                      "VK2", "EA8", "HB0", "KP4", "ZF", "9M6"};

bool HasDigit(const QString& call) {
  for (const QChar c : call) {
    if (c.isDigit()) return true;
  }
  return false;
}

// A portable form of a home call: a new call district ("JA1ABC/3",
// "K1ABC/4"), a designator behind it ("/P", "/MM", "/QRP") or a foreign
// prefix in front of or behind it ("DL/K1ABC", "JA1ABC/KH6").
QString PortableCall(Random& random, const QString& home) {
  switch (random.Below(4)) {
    case 0:
      if (HasDigit(home)) return home + u'/' + QString::number(random.Below(10));
      [[fallthrough]];
    case 1:
      return home + u'/' + random.Pick(kSuffixes);
    case 2:
      return random.Pick(kForeignPrefixes) + u'/' + home;
    default:
      return home + u'/' + random.Pick(kForeignPrefixes);
  }
}

// Something written into the call column that names no entity: a call in
// lower case, a call from a block nobody holds, a report in the wrong
// column.
QString UnresolvableCall(Random& random, const CallPool& pool, const PrefixTable& prefixes) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    QString text;
    switch (random.Below(3)) {
      case 0:
        text = random.Pick(pool.calls).call.toLower();
        break;
      case 1:
        text = QStringLiteral("Q%1%2%3")
                   .arg(random.Below(10))
                   .arg(QChar(u'A' + random.Below(26)))
                   .arg(QChar(u'A' + random.Below(26)));
        break;
      default:
        text = random.Chance(0.5) ? QStringLiteral("599") : QString::number(random.Between(1, 999));
        break;
    }
    if (!DxccCheck(prefixes, text).Resolved()) return text;
  }
  return QStringLiteral("?");
}

// The worked call of an ordinary QSO: a real call, now and then portable.
QString WorkedCall(Random& random, const CallPool& pool) {
  for (;;) {
    const QString& call = random.Pick(pool.calls).call;
    // The QSO line holds twelve characters of it.
    if (call.size() > 12) continue;
    if (!call.contains(u'/') && random.Chance(kPortableShare)) {
      const QString portable = PortableCall(random, call);
      if (portable.size() <= 12) return portable;
    }
    return call;
  }
}

struct Person {
  QString name;
  QString address;  // lines joined with " <LF> ", as the editor joins them
  QString soapbox;
};

const QStringList kJapaneseFamilyNames = {"佐藤", "鈴木", "高橋", "田中", "伊藤",
                                          "渡辺", "山本", "中村", "小林", "加藤"};
const QStringList kJapaneseGivenNames = {"太郎", "一郎", "健", "誠", "浩", "明美", "由美", "翔"};
const QStringList kJapaneseCities = {"東京都千代田区", "大阪府大阪市", "愛知県名古屋市",
                                     "北海道札幌市",   "福岡県福岡市", "宮城県仙台市"};
const QStringList kFamilyNames = {"Smith", "Schmidt", "Rossi", "Novak",  "Silva",
                                  "Kowalski", "Jensen", "Garcia", "Nguyen", "Okafor"};
const QStringList kGivenNames = {"John", "Hans", "Marco", "Petr", "Ana", "Lars", "Maria", "Kofi"};
const QStringList kCities = {"Springfield", "Hamburg", "Torino", "Brno",  "Lisboa",
                             "Krakow",      "Aarhus",  "Sydney", "Accra", "Lima"};
const QStringList kSoapboxes = {
    "Thanks for the QSOs, see you next year",
    "Band conditions were poor on 28 MHz",
    "First time in this contest, great fun",
    "Antenna broke on Sunday morning <LF> worked the rest with a dipole",
    ""};
const QStringList kJapaneseSoapboxes = {"楽しいコンテストでした。", "来年もよろしく。",
                                        "ハイバンドのコンディションが悪かった。"};
const QStringList kCreatedBy = {"LogWriter 3.1", "ContestPad 2.0", "RTTYlog 1.4", "QsoBook 7"};

Person MakePerson(Random& random, bool japanese) {
  Person person;
  if (japanese) {
    person.name = random.Pick(kJapaneseFamilyNames) + u' ' + random.Pick(kJapaneseGivenNames);
    person.address = QStringLiteral("%1-%2-%3 <LF> %4")
                         .arg(random.Between(1, 9))
                         .arg(random.Between(1, 30))
                         .arg(random.Between(1, 20))
                         .arg(random.Pick(kJapaneseCities));
    person.soapbox = random.Pick(kJapaneseSoapboxes);
  } else {
    person.name = random.Pick(kGivenNames) + u' ' + random.Pick(kFamilyNames);
    person.address = QStringLiteral("%1 Main Street <LF> %2")
                         .arg(random.Between(1, 999))
                         .arg(random.Pick(kCities));
    person.soapbox = random.Pick(kSoapboxes);
  }
  return person;
}

// The editor's categories, and an empty one for a log that named none.
QString PickCategory(Random& random, int entrant) {
  static const QStringList kCategories = {"SOHP", "SOLP", "MO", "Checklog"};
  // The first entrants give every category at least one log.
  if (entrant < kCategories.size()) return kCategories[entrant];
  if (random.Chance(0.003)) return {};
  const int pick = random.Below(100);
  if (pick < 40) return kCategories[0];
  if (pick < 75) return kCategories[1];
  if (pick < 90) return kCategories[2];
  return kCategories[3];
}

// Entrants come from every continent, Japan most of all; the first seven
// give each continent and Japan at least one log.
const std::vector<int>& EntrantGroup(Random& random, const CallPool& pool, int entrant,
                                     const std::vector<int>& asia_without_japan) {
  // Groups: the six continents (Asia without Japan), then Japan.
  constexpr int kWeights[] = {20, 4, 35, 8, 4, 4, 25};
  int group = entrant;
  if (group >= 7) {
    int pick = random.Below(100);
    for (group = 0; group < 6 && pick >= kWeights[group]; ++group) pick -= kWeights[group];
  }
  if (group == 6) return pool.japanese;
  if (group == 3) return asia_without_japan;
  return pool.by_continent[static_cast<size_t>(group)];
}

// Each product draws from a stream of its own, so that the raw log, the
// LF-only log and the ADIF file of one seed are different logs.
std::uint64_t Stream(std::uint64_t seed, std::uint64_t product) { return seed * 4 + product; }

QString TwoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QChar(u'0')); }

}  // namespace

Random::Random(std::uint64_t seed) {
  std::uint64_t x = seed;
  for (std::uint64_t& word : state_) word = SplitMix64(x);
}

std::uint64_t Random::Next() {
  const std::uint64_t result = RotateLeft(state_[1] * 5, 7) * 9;
  const std::uint64_t t = state_[1] << 17;
  state_[2] ^= state_[0];
  state_[3] ^= state_[1];
  state_[1] ^= state_[2];
  state_[0] ^= state_[3];
  state_[2] ^= t;
  state_[3] = RotateLeft(state_[3], 45);
  return result;
}

int Random::Below(int n) {
  const auto range = static_cast<std::uint64_t>(n);
  const std::uint64_t limit = std::numeric_limits<std::uint64_t>::max() -
                              std::numeric_limits<std::uint64_t>::max() % range;
  std::uint64_t x = Next();
  while (x >= limit) x = Next();
  return static_cast<int>(x % range);
}

bool Random::Chance(double p) { return static_cast<double>(Next() >> 11) * 0x1.0p-53 < p; }

PoolOutcome LoadCallPool(const QString& master_scp_path, const QString& cty_path,
                         PrefixTable& prefixes) {
  const PrefixLoadOutcome cty = LoadPrefixTable(cty_path, prefixes);
  if (cty.status != PrefixLoadOutcome::Status::kLoaded) {
    PoolOutcome outcome;
    outcome.error = cty_path + QStringLiteral(": the prefix file could not be loaded ") + cty.error;
    return outcome;
  }
  return LoadCallPool(master_scp_path, prefixes);
}

PoolOutcome LoadCallPool(const QString& master_scp_path, const PrefixTable& prefixes) {
  PoolOutcome outcome;
  TextLineReader reader(LineEnds::kCrLfCrOrLf);
  if (const FileOutcome opened = reader.Open(master_scp_path, max_file_size::kReference);
      !opened.ok) {
    outcome.error = master_scp_path + QStringLiteral(": ") + opened.error;
    return outcome;
  }
  CallPool& pool = outcome.pool;
  pool.by_continent.resize(kContinentCount);
  QString line;
  while (reader.Next(line)) {
    const QString call = line.trimmed();
    if (call.isEmpty() || call.startsWith(u'#')) continue;
    const DxccResult where = DxccCheck(prefixes, call);
    const int index = static_cast<int>(pool.calls.size());
    pool.calls.push_back({call, where.cty, where.cnt});
    if (!where.Resolved() || call.contains(u'/') || call.size() > 12) continue;
    for (int c = 0; c < kContinentCount; ++c) {
      if (where.cnt == QLatin1String(kContinents[c])) pool.by_continent[c].push_back(index);
    }
    if (where.cty == u"JA") pool.japanese.push_back(index);
  }
  if (pool.calls.empty()) outcome.error = master_scp_path + QStringLiteral(": no call signs");
  for (int c = 0; c < kContinentCount && outcome.error.isEmpty(); ++c) {
    if (pool.by_continent[c].empty()) {
      outcome.error = master_scp_path + QStringLiteral(": no station of ") + kContinents[c];
    }
  }
  return outcome;
}

WriteOutcome WriteContest(const QString& folder, const ContestShape& shape, const CallPool& pool,
                          const PrefixTable& prefixes, ContestFacts& facts) {
  Random random(Stream(shape.seed, 0));
  std::vector<int> asia_without_japan;
  for (const int index : pool.by_continent[3]) {
    if (pool.calls[static_cast<size_t>(index)].entity != u"JA") asia_without_japan.push_back(index);
  }
  QSet<QString> entrants;
  QSet<QString> categories;
  QSet<QString> continents;
  facts = {};
  for (int entrant = 0; entrant < shape.logs; ++entrant) {
    const std::vector<int>& group = EntrantGroup(random, pool, entrant, asia_without_japan);
    const KnownCall* home = nullptr;
    for (int attempt = 0; home == nullptr || entrants.contains(home->call); ++attempt) {
      // A small group may run out of calls: then any station will do.
      const std::vector<int>& from = attempt < 100 ? group : pool.by_continent[attempt % 6];
      home = &pool.calls[static_cast<size_t>(random.Pick(from))];
    }
    entrants.insert(home->call);
    QString call = home->call;
    // A few entrants operate away from home under a portable call.
    if (random.Chance(0.02) && HasDigit(call)) call += u'/' + QString::number(random.Below(10));

    const bool japanese = home->entity == u"JA";
    const Person person = MakePerson(random, japanese);
    LogSummary summary;
    summary.call_sign = call;
    summary.category = PickCategory(random, entrant);
    summary.continent = home->continent;
    summary.entity = home->entity;
    summary.operators =
        summary.category == u"MO"
            ? call + u' ' + random.Pick(pool.calls).call + u' ' + random.Pick(pool.calls).call
            : call;
    summary.name = person.name;
    summary.address = person.address;
    summary.soapbox = person.soapbox;
    summary.club = random.Chance(0.4) ? QStringLiteral("Contest Club %1").arg(random.Below(40))
                                      : QString();
    summary.created_by = random.Pick(kCreatedBy);
    summary.claimed_score = QString::number(random.Between(1000, 3000000));
    categories.insert(summary.category);
    continents.insert(summary.continent);

    const int count = random.Between(shape.qsos * 8 / 10, shape.qsos * 12 / 10);
    std::array<QStringList, kBands.size()> worked;
    std::array<QSet<QString>, kBands.size()> worked_set;
    QsoList records;
    records.reserve(count);
    const int step = std::max(1, kContestMinutes / std::max(1, count));
    for (int i = 0; i < count; ++i) {
      const int band = PickBand(random);
      const int khz = PickFrequency(random, band);
      QString his_call;
      if (!worked[band].isEmpty() && random.Chance(kDuplicateShare)) {
        his_call = random.Pick(worked[band]);
      } else if (random.Chance(kUnresolvableShare)) {
        his_call = UnresolvableCall(random, pool, prefixes);
      } else {
        his_call = WorkedCall(random, pool);
      }
      // Scoring counts a QSO off the five bands together with 3.5 MHz.
      const int slot = IsOutOfBand(khz) ? 0 : band;
      if (worked_set[slot].contains(his_call)) ++facts.duplicates;
      worked_set[slot].insert(his_call);
      worked[band].append(his_call);
      if (his_call.contains(u'/')) ++facts.portables;
      if (!DxccCheck(prefixes, his_call).Resolved()) ++facts.unresolved;
      if (IsOutOfBand(khz)) ++facts.out_of_band;

      QsoRecord record;
      record.no = static_cast<std::int16_t>(std::min(i + 1, 32767));
      record.band = QStringLiteral("%1").arg(khz, 5);
      record.mode = QStringLiteral("RY");
      const int minute =
          std::min(kContestMinutes - 1, i * kContestMinutes / count + random.Below(step));
      record.qso_time = kContestStart.addSecs(qint64{minute} * 60);
      record.my_call = call;
      record.sent_rst = QStringLiteral("599");
      record.sent_rpt = TwoDigits(japanese ? 25 : random.Between(1, 40));
      record.his_call = his_call;
      record.rcvd_rst = QStringLiteral("599");
      record.rcvd_rpt = TwoDigits(random.Between(1, 40));
      records.append(std::move(record));
    }
    const OutputName name = OutputNameOf(call);
    const QString path = QDir(folder).filePath(name.Cabrillo());
    const FileOutcome written = WriteTextLines(path, CabrilloLines(summary, records));
    if (!written.ok) return {false, path + QStringLiteral(": ") + written.error};
    ++facts.logs;
    facts.qso_lines += count;
    facts.bytes += QFileInfo(path).size();
  }
  facts.categories = categories.values();
  facts.categories.sort();
  facts.continents = continents.values();
  facts.continents.sort();
  return {};
}

namespace {

// One QSO line as a Cabrillo 3.0 logger writes it: the frequency right-
// aligned in five columns, calls padded to thirteen.
struct RawQso {
  int khz = 14080;
  QString date;
  QString time;  // "hhmm"
  QString my_call;
  QString sent;
  QString his_call;
  QString rcvd;

  QString Line(bool flush_left_frequency, bool colon_time) const {
    const QString frequency = flush_left_frequency ? QString::number(khz)
                                                   : QStringLiteral("%1").arg(khz, 5);
    const QString hhmm = colon_time ? time.left(2) + u':' + time.mid(2) : time;
    return QStringLiteral("QSO: %1 RY %2 %3 %4 599 %5 %6 599 %7")
        .arg(frequency, date, hhmm, my_call.leftJustified(13), sent.leftJustified(6),
             his_call.leftJustified(13), rcvd);
  }
};

RawQso MakeRawQso(Random& random, const CallPool& pool, const QString& my_call, int i, int count) {
  RawQso qso;
  const int band = PickBand(random);
  qso.khz = random.Between(kBands[band].low_khz, kBands[band].high_khz);
  const int minute = std::min(kContestMinutes - 1, i * kContestMinutes / std::max(1, count));
  const QDateTime time = kContestStart.addSecs(qint64{minute} * 60);
  qso.date = time.toString(QStringLiteral("yyyy-MM-dd"));
  qso.time = time.toString(QStringLiteral("HHmm"));
  qso.my_call = my_call;
  qso.sent = QStringLiteral("25");
  qso.his_call = WorkedCall(random, pool);
  qso.rcvd = TwoDigits(random.Between(1, 40));
  return qso;
}

QStringList RawHeader(Random& random, const QString& call, const Person& person) {
  return {QStringLiteral("START-OF-LOG: 3.0"),
          QStringLiteral("CONTEST: TOVEK-WW-RTTY"),
          QStringLiteral("CALLSIGN: ") + call,
          QStringLiteral("CATEGORY-OPERATOR: SINGLE-OP"),
          QStringLiteral("CATEGORY-BAND: ALL"),
          QStringLiteral("CATEGORY-POWER: HIGH"),
          QStringLiteral("CATEGORY-MODE: RTTY"),
          QStringLiteral("CLAIMED-SCORE: ") + QString::number(random.Between(1000, 3000000)),
          QStringLiteral("CLUB: Contest Club 7"),
          QStringLiteral("CREATED-BY: ") + random.Pick(kCreatedBy),
          QStringLiteral("NAME: ") + person.name,
          QStringLiteral("ADDRESS: ") + person.address.section(QStringLiteral(" <LF> "), 0, 0),
          QStringLiteral("ADDRESS: ") + person.address.section(QStringLiteral(" <LF> "), 1),
          QStringLiteral("OPERATORS: ") + call,
          QStringLiteral("SOAPBOX: QRV ALL WEEKEND, ") + person.soapbox};
}

const QByteArray kCrLf = "\r\n";

void AppendLine(QByteArray& bytes, const QString& line, const QByteArray& end = kCrLf) {
  bytes += EncodeCp932(line);
  bytes += end;
}

}  // namespace

QByteArray RawLog(const RawLogShape& shape, const CallPool& pool, RawLogFacts& facts) {
  Random random(Stream(shape.seed, 1));
  facts = {};
  const KnownCall& home = pool.calls[static_cast<size_t>(random.Pick(pool.japanese))];
  const Person person = MakePerson(random, true);
  QByteArray bytes;
  int rows = 0;  // rows as the editor reads them
  const QStringList header = RawHeader(random, home.call, person);
  for (qsizetype i = 0; i < header.size(); ++i) {
    // The category lines came from a program that ended them with a lone
    // LF: they arrive as one line and are cut again at their tags.
    const bool run_together = header[i].startsWith(u"CATEGORY-") && i + 1 < header.size() &&
                              header[i + 1].startsWith(u"CATEGORY-");
    AppendLine(bytes, header[i], run_together ? QByteArray("\n") : kCrLf);
    ++rows;
  }
  // Blank rows and broken QSOs, which the passes remove, far outnumber the
  // rows that the second pass adds (in front of an "END" inside a soapbox
  // or a call), so the passes never take the log beyond the rows it was
  // read with.
  const int qso_rows = shape.rows - rows - 1;  // less END-OF-LOG:
  int i = 0;
  while (rows < shape.rows - 1) {
    const int left = shape.rows - 1 - rows;
    const int damage = random.Below(100);
    if (damage < 3) {
      AppendLine(bytes, random.Chance(0.5) ? QString() : QStringLiteral("   "));
      ++rows;
      ++facts.blank_rows;
      continue;
    }
    const RawQso qso = MakeRawQso(random, pool, home.call, i++, qso_rows);
    const bool flush_left = qso.khz < 10000 && random.Chance(0.5);
    facts.left_frequencies += flush_left ? 1 : 0;
    ++facts.qsos;
    const QString line = qso.Line(flush_left, false);
    if (damage < 5 && left >= 2) {
      // Broken in front of the worked call; the third pass joins the halves.
      const qsizetype cut = line.size() - 13 - 5 - qso.rcvd.size();
      AppendLine(bytes, line.left(cut));
      AppendLine(bytes, line.mid(cut));
      rows += 2;
      ++facts.split_rows;
    } else if (damage < 7 && left >= 2) {
      // Two QSOs on one line: cut apart at the second "QSO:" tag.
      const RawQso second = MakeRawQso(random, pool, home.call, i++, qso_rows);
      AppendLine(bytes, line + QStringLiteral("  ") + second.Line(false, false));
      rows += 2;
      ++facts.doubled_rows;
      ++facts.qsos;
    } else if (damage < 8 && left >= 2) {
      // Two QSO lines of which the first ended with a lone LF.
      const RawQso second = MakeRawQso(random, pool, home.call, i++, qso_rows);
      AppendLine(bytes, line, "\n");
      AppendLine(bytes, second.Line(false, false));
      rows += 2;
      ++facts.lf_joined_rows;
      ++facts.qsos;
    } else if (damage < 10) {
      // A tab where the program meant a blank; the editor deletes it.
      AppendLine(bytes, QString(line).replace(QStringLiteral(" 599 "), QStringLiteral(" \t599 ")));
      ++rows;
      ++facts.tabbed_rows;
    } else if (damage < 11) {
      AppendLine(bytes, QStringLiteral("X-") + line);
      ++rows;
      ++facts.ignored_qso_rows;
    } else if (damage < 13) {
      AppendLine(bytes, qso.Line(flush_left, true));
      ++rows;
      ++facts.colon_times;
    } else if (damage < 14) {
      AppendLine(bytes, QStringLiteral("   ") + line);
      ++rows;
    } else {
      AppendLine(bytes, line);
      ++rows;
    }
  }
  AppendLine(bytes, QStringLiteral("END-OF-LOG:"));
  facts.lines = rows + 1;
  return bytes;
}

QByteArray LfOnlyLog(std::uint64_t seed, int qsos, const CallPool& pool) {
  Random random(Stream(seed, 2));
  const KnownCall& home = pool.calls[static_cast<size_t>(random.Pick(pool.by_continent[2]))];
  const Person person = MakePerson(random, false);
  const QByteArray lf = "\n";
  QByteArray bytes;
  for (const QString& line : RawHeader(random, home.call, person)) AppendLine(bytes, line, lf);
  // An empty header value right before the first QSO.
  AppendLine(bytes, QStringLiteral("SOAPBOX:"), lf);
  for (int i = 0; i < qsos; ++i) {
    AppendLine(bytes, MakeRawQso(random, pool, home.call, i, qsos).Line(false, false), lf);
  }
  AppendLine(bytes, QStringLiteral("END-OF-LOG:"), lf);
  return bytes;
}

namespace {

QString AdifField(const QString& name, const QString& value, const QString& type = {}) {
  return u'<' + name + u':' + QString::number(value.size()) +
         (type.isEmpty() ? QString() : u':' + type) + u'>' + value;
}

}  // namespace

QByteArray AdifLog(std::uint64_t seed, int records, const CallPool& pool, AdifFacts& facts) {
  Random random(Stream(seed, 3));
  facts = {};
  const KnownCall& home = pool.calls[static_cast<size_t>(random.Pick(pool.japanese))];
  QByteArray bytes;
  AppendLine(bytes, QStringLiteral("ADIF export of %1").arg(home.call));
  AppendLine(bytes, AdifField("ADIF_VER", "3.1.4") + u' ' + AdifField("PROGRAMID", "QsoBook"));
  AppendLine(bytes, QStringLiteral("<EOH>"));
  for (int i = 0; i < records; ++i) {
    const int band = PickBand(random);
    const int khz = random.Between(kBands[band].low_khz, kBands[band].high_khz);
    const int minute = std::min(kContestMinutes - 1, i * kContestMinutes / std::max(1, records));
    const QDateTime time = kContestStart.addSecs(qint64{minute} * 60 + random.Below(60));
    const QString frequency =
        QStringLiteral("%1.%2").arg(khz / 1000).arg(khz % 1000, 3, 10, QChar(u'0')) +
        (random.Chance(0.3) ? QStringLiteral("000") : QString());
    QStringList fields = {
        AdifField("CALL", WorkedCall(random, pool)),
        AdifField("QSO_DATE", time.toString(QStringLiteral("yyyyMMdd")), "D"),
        AdifField("TIME_ON", time.toString(QStringLiteral("HHmmss"))),
        AdifField("FREQ", frequency),
        AdifField("BAND", QString::fromLatin1(kBands[band].adif_band)),
        AdifField("MODE", "RTTY"),
        AdifField("RST_SENT", "599"),
        AdifField("RST_RCVD", "599"),
        AdifField("STX", QStringLiteral("%1").arg(i + 1, 3, 10, QChar(u'0'))),
        AdifField("SRX", QString::number(random.Between(1, 2000))),
        AdifField("OPERATOR", home.call),
        AdifField("STATION_CALLSIGN", home.call)};
    if (random.Chance(0.01)) fields.append(AdifField("COMMENT", QStringLiteral("移動運用")));
    QString record;
    if (random.Chance(0.05)) {
      ++facts.field_per_line_records;
      record = fields.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n<EOR>");
    } else {
      record = fields.join(u' ') + QStringLiteral(" <EOR>");
    }
    if (random.Chance(0.05)) {
      ++facts.lower_case_records;
      record = record.toLower();
    }
    AppendLine(bytes, record);
    ++facts.records;
  }
  return bytes;
}

}  // namespace tovek::bench
