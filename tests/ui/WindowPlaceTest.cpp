// Bringing a window back inside its screen's available area.
#include <gtest/gtest.h>

#include "ui/WindowPlace.h"

namespace qln {
namespace {

struct Case {
    const char* what;
    WindowRect window, area;
    int minWidth, minHeight;
    WindowRect kept;
};

const Case kCases[] = {
    {"inside stays", {100, 50, 400, 300}, {0, 0, 1280, 800}, 0, 0, {100, 50, 400, 300}},
    {"past the right and bottom edges moves in", {1000, 700, 400, 300}, {0, 0, 1280, 800}, 0, 0, {880, 500, 400, 300}},
    {"above and left of the area moves in", {-50, -20, 400, 300}, {0, 24, 1280, 776}, 0, 0, {0, 24, 400, 300}},
    // Saved at one scale, restored at twice it on a 1280x800 screen (640x400 in the toolkit's units).
    {"bigger than the screen shrinks to it", {443, 696, 1676, 848}, {0, 0, 640, 400}, 300, 200, {0, 0, 640, 400}},
    {"never below its minimum; then the top left stays in",
     {443, 696, 1676, 848},
     {0, 0, 640, 400},
     700,
     200,
     {0, 0, 700, 400}},
    {"on a second screen", {2000, 100, 500, 400}, {1280, 0, 1920, 1080}, 0, 0, {2000, 100, 500, 400}},
    {"off every edge of a second screen", {3400, 1200, 500, 400}, {1280, 0, 1920, 1080}, 0, 0, {2700, 680, 500, 400}},
    {"no area known leaves it", {5000, 5000, 10, 10}, {0, 0, 0, 0}, 0, 0, {5000, 5000, 10, 10}},
};

TEST(WindowPlace, KeptInsideTheAvailableArea) {
    for (const Case& c : kCases) EXPECT_EQ(keptInside(c.window, c.area, c.minWidth, c.minHeight), c.kept) << c.what;
}

}  // namespace
}  // namespace qln
