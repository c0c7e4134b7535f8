// The face data is drawn in when the stored one is not installed.
#include "common/ui/data_font.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGuiApplication>

namespace tovek::ui {
namespace {

struct FontCase {
  const char* name;
  QString wanted;
  QStringList installed;
  QStringList fitting;  // the installed families that are fixed pitch and Japanese
  QString chosen;
};

class ChooseDataFontFamilyTest : public ::testing::TestWithParam<FontCase> {};

TEST_P(ChooseDataFontFamilyTest, PicksTheFace) {
  const FontCase& c = GetParam();
  const QString chosen = ChooseDataFontFamily(
      c.wanted, c.installed, [&](const QString& family) { return c.fitting.contains(family); });
  EXPECT_EQ(chosen.toStdString(), c.chosen.toStdString());
}

const QString kMsGothic = QStringLiteral("ＭＳ ゴシック");
const QString kMsMincho = QStringLiteral("ＭＳ 明朝");

INSTANTIATE_TEST_SUITE_P(
    DataFont, ChooseDataFontFamilyTest,
    ::testing::Values(
        FontCase{"WantedIsInstalled",
                 kMsGothic,
                 {"DejaVu Sans", kMsGothic, "IPAGothic"},
                 {"IPAGothic"},
                 kMsGothic},
        // The user's own choice stands even when it is no fixed-pitch face.
        FontCase{"WantedProportionalFaceIsKept",
                 "DejaVu Sans",
                 {"DejaVu Sans", "IPAGothic"},
                 {"IPAGothic"},
                 "DejaVu Sans"},
        FontCase{"CaseDoesNotMatter", "ipagothic", {"IPAGothic"}, {"IPAGothic"}, "ipagothic"},
        FontCase{"GothicForGothic",
                 kMsGothic,
                 {"DejaVu Sans", "IPAMincho", "IPAPGothic", "IPAGothic"},
                 {"IPAMincho", "IPAGothic"},
                 "IPAGothic"},
        FontCase{"MinchoForMincho",
                 kMsMincho,
                 {"IPAGothic", "IPAMincho"},
                 {"IPAGothic", "IPAMincho"},
                 "IPAMincho"},
        FontCase{"GothicWhenNoMinchoIsInstalled",
                 kMsMincho,
                 {"DejaVu Sans", "IPAGothic"},
                 {"IPAGothic"},
                 "IPAGothic"},
        FontCase{"InstalledSpellingIsUsed", kMsGothic, {"ipagothic"}, {"ipagothic"}, "ipagothic"},
        FontCase{"KnownFaceThatDoesNotFitIsPassedOver",
                 kMsGothic,
                 {"IPAGothic", "Other Mono JP"},
                 {"Other Mono JP"},
                 "Other Mono JP"},
        FontCase{"AnyFittingFaceAtLast",
                 kMsGothic,
                 {"DejaVu Sans", "Sazanami Mono", "Z Mono"},
                 {"Sazanami Mono", "Z Mono"},
                 "Sazanami Mono"},
        FontCase{
            "NothingFitsKeepsTheName", kMsGothic, {"DejaVu Sans", "IPAPGothic"}, {}, kMsGothic},
        FontCase{"NoFontsAtAll", kMsMincho, {}, {}, kMsMincho}),
    [](const auto& test) { return std::string(test.param.name); });

// On this system: the set-up installs fonts-ipafont-gothic and no MS fonts.
TEST(InstalledDataFontFamily, IpaGothicStandsInForTheWindowsFaces) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "data_font_test";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);
  const QStringList families = QFontDatabase::families();
  if (!families.contains(QStringLiteral("IPAGothic")) || families.contains(kMsGothic) ||
      families.contains(kMsMincho)) {
    GTEST_SKIP() << "needs IPAGothic and no MS face installed";
  }
  // fonts-ipafont-mincho may be installed beside it.
  const char* mincho = families.contains(QStringLiteral("IPAMincho")) ? "IPAMincho" : "IPAGothic";
  EXPECT_EQ(InstalledDataFontFamily(kMsGothic).toStdString(), "IPAGothic");
  EXPECT_EQ(InstalledDataFontFamily(kMsMincho).toStdString(), mincho);
  EXPECT_EQ(InstalledDataFontFamily(QStringLiteral("IPAGothic")).toStdString(), "IPAGothic");
}

}  // namespace
}  // namespace tovek::ui
