#include "common/ui/data_font.h"

#include <QFontDatabase>
#include <QHash>

#include "common/ui/font_filter.h"

namespace tovek::ui {
namespace {

// Fixed-pitch Japanese families of the usual systems, by the names their
// fonts register.
const QStringList kGothicFamilies{
    QStringLiteral("IPAGothic"),
    QStringLiteral("IPAゴシック"),
    QStringLiteral("TakaoGothic"),
    QStringLiteral("VL Gothic"),
    QStringLiteral("Noto Sans Mono CJK JP"),
    QStringLiteral("MS Gothic"),
    QStringLiteral("ＭＳ ゴシック"),
    QStringLiteral("Osaka－等幅"),
};
const QStringList kMinchoFamilies{
    QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"),   QStringLiteral("TakaoMincho"),
    QStringLiteral("MS Mincho"), QStringLiteral("ＭＳ 明朝"),
};

bool WantsMincho(const QString& wanted) {
  return wanted.contains(QStringLiteral("明朝")) ||
         wanted.contains(QStringLiteral("mincho"), Qt::CaseInsensitive);
}

// The installed spelling of `family`, or an empty text.
QString Installed(const QString& family, const QStringList& installed) {
  for (const QString& name : installed) {
    if (name.compare(family, Qt::CaseInsensitive) == 0) return name;
  }
  return {};
}

}  // namespace

QString ChooseDataFontFamily(const QString& wanted, const QStringList& installed,
                             const std::function<bool(const QString&)>& fits) {
  if (!Installed(wanted, installed).isEmpty()) return wanted;
  const QStringList candidates =
      WantsMincho(wanted) ? kMinchoFamilies + kGothicFamilies : kGothicFamilies + kMinchoFamilies;
  for (const QString& candidate : candidates) {
    const QString name = Installed(candidate, installed);
    if (!name.isEmpty() && fits(name)) return name;
  }
  for (const QString& name : installed) {
    if (fits(name)) return name;
  }
  return wanted;
}

QString InstalledDataFontFamily(const QString& wanted) {
  // The windows ask on every activation; measuring fonts is not free, and
  // the installed fonts do not change while a program runs.
  static QHash<QString, QString> chosen;
  const auto found = chosen.constFind(wanted);
  if (found != chosen.constEnd()) return *found;
  const QString family =
      ChooseDataFontFamily(wanted, QFontDatabase::families(), [](const QString& name) {
        return QFontDatabase::writingSystems(name).contains(QFontDatabase::Japanese) &&
               PassesFixedPitchTest(MeasureFontFamily(name));
      });
  chosen.insert(wanted, family);
  return family;
}

}  // namespace tovek::ui
