#include "services/window_placement.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

constexpr FrameMargins kFrame{4, 29, 4, 4};  // borders and a title bar
constexpr int kScrollBar = 15;

struct PlacementCase {
  const char* name;
  ScreenArea available;
  int wantedWidth;
  int wantedHeight;
  WindowPlacement expected;
};

std::ostream& operator<<(std::ostream& out, const PlacementCase& c) {
  return out << c.name;
}

class WindowPlacementTable : public testing::TestWithParam<PlacementCase> {};

// Client sizes: live window 1160 × 676, paper log 1180 × 592, main window 438 × 305. On too small
// an area the client area shrinks and scrolls, and the frame starts at the area's corner.
TEST_P(WindowPlacementTable, WholeFrameOnTheAreaOrAtLeastItsTitleBar) {
  const PlacementCase& c = GetParam();
  const WindowPlacement placed =
      PlaceWindow(c.available, kFrame, c.wantedWidth, c.wantedHeight, kScrollBar);
  EXPECT_EQ(placed, c.expected);
}

// {frame left, top, client left, top, width, height, scrolls horizontally, vertically}
// clang-format off
const PlacementCase kCases[] = {
    {"LiveWindowAt1366x768IsCentredWithItsTitleBar", {0, 0, 1366, 768}, 1160, 676,
     {99, 29, 103, 58, 1160, 676, false, false}},
    {"OnTheSecondScreenBelowItsPanel", {1920, 27, 1366, 741}, 1160, 676,
     {2019, 43, 2023, 72, 1160, 676, false, false}},
    {"ExactFitStartsAtTheAreaCorner", {0, 0, 1168, 709}, 1160, 676,
     {0, 0, 4, 29, 1160, 676, false, false}},
    {"TooTallScrollsAndWidensForTheScrollBar", {0, 0, 1280, 600}, 1180, 592,
     {38, 0, 42, 29, 1195, 567, false, true}},
    {"VerticalScrollBarLeavesTooLittleWidth", {0, 0, 1024, 600}, 1010, 700,
     {0, 0, 4, 29, 1016, 567, true, true}},
    {"AreaSmallerThanTheFrameKeepsTheTitleBarCorner", {10, 5, 20, 20}, 438, 305,
     {10, 5, 14, 34, 12, 1, true, true}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Screens, WindowPlacementTable, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PlacementCase>& info) {
                           return info.param.name;
                         });

}  // namespace
