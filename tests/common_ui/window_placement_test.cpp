// Windows open where they were left, unless that is off every screen.
#include "common/ui/window_placement.h"

#include <gtest/gtest.h>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QRect& r, std::ostream* os) {
  *os << "(" << r.x() << "," << r.y() << " " << r.width() << "x" << r.height() << ")";
}
QT_END_NAMESPACE

namespace tovek::ui {
namespace {

struct PlacementCase {
  const char* name;
  QRect saved;
  QList<QRect> screens;  // available areas, the primary first
  QRect placed;
};

class VisiblePlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(VisiblePlacementTest, PlacesTheWindow) {
  EXPECT_EQ(VisiblePlacement(GetParam().saved, GetParam().screens), GetParam().placed);
}

// A 1920x1050 primary screen (a panel below) and a 1280x1024 screen to its
// right.
const QRect kPrimary(0, 0, 1920, 1050);
const QRect kRight(1920, 0, 1280, 1024);

INSTANTIATE_TEST_SUITE_P(
    Placement, VisiblePlacementTest,
    ::testing::Values(
        PlacementCase{
            "OnThePrimaryScreen", {100, 80, 900, 600}, {kPrimary, kRight}, {100, 80, 900, 600}},
        PlacementCase{
            "OnTheSecondScreen", {2000, 100, 900, 600}, {kPrimary, kRight}, {2000, 100, 900, 600}},
        PlacementCase{
            "SecondScreenUnplugged", {2000, 100, 900, 600}, {kPrimary}, {510, 225, 900, 600}},
        PlacementCase{"MostlyOffTheRightEdgeButGrippable",
                      {1800, 100, 900, 600},
                      {kPrimary},
                      {1800, 100, 900, 600}},
        PlacementCase{
            "TooLittleLeftToGrab", {1860, 100, 900, 600}, {kPrimary}, {510, 225, 900, 600}},
        PlacementCase{
            "TitleBarAboveTheScreen", {100, -10, 900, 600}, {kPrimary}, {510, 225, 900, 600}},
        PlacementCase{
            "TitleBarUnderThePanel", {100, 1040, 900, 600}, {kPrimary}, {510, 225, 900, 600}},
        PlacementCase{"FarAwayNegative",
                      {-30000, -30000, 900, 600},
                      {kPrimary, kRight},
                      {510, 225, 900, 600}},
        // Straddling two screens: the grip is on neither one whole, but on
        // the right one for a good length.
        PlacementCase{"StraddlingTwoScreens",
                      {1880, 100, 900, 600},
                      {kPrimary, kRight},
                      {1880, 100, 900, 600}},
        // Room for the title bar above the client area: a window left at
        // the top edge, or never moved (0, 0), opened with its title bar
        // above the screen.
        PlacementCase{"AtTheTopEdge", {0, 0, 900, 600}, {kPrimary}, {0, 24, 900, 600}},
        PlacementCase{"NearTheTopEdgeOfTheSecondScreen",
                      {2000, 10, 900, 600},
                      {kPrimary, kRight},
                      {2000, 24, 900, 600}},
        PlacementCase{"LargerThanItsScreenIsShrunk",
                      {1950, 0, 2000, 1500},
                      {kPrimary, kRight},
                      {1950, 24, 1280, 1000}},
        PlacementCase{"LargerThanThePrimaryWhenMoved",
                      {5000, 0, 2000, 1500},
                      {kPrimary},
                      {0, 24, 1920, 1026}},
        PlacementCase{
            "NarrowWindowNeedsOnlyItsWidth", {1880, 100, 40, 30}, {kPrimary}, {1880, 100, 40, 30}},
        PlacementCase{"NoScreens", {-5000, 0, 900, 600}, {}, {-5000, 0, 900, 600}}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace tovek::ui
