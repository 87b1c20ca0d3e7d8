// Placement and size of the pause dialog.
#include <gtest/gtest.h>

#include "playback/PauseDialog.h"

namespace qln {
namespace {

struct Case {
    const char* name;
    ScreenSize screen;
    std::optional<PauseAt> at;
    int left, top, height, messageHeight;
};

class Placement : public ::testing::TestWithParam<Case> {};

TEST_P(Placement, LeftTopAndHeight) {
    const Case& c = GetParam();
    const PauseDialogRequest r = pauseRequest(c.screen, c.at, "Nick", 262);
    EXPECT_EQ(r.left, c.left);
    EXPECT_EQ(r.top, c.top);
    EXPECT_EQ(r.height, c.height);
    EXPECT_EQ(r.messageHeight, c.messageHeight);
    EXPECT_EQ(r.width, 224);
}

const std::string_view k45 = "123456789012345678901234567890123456789012345";
const std::string_view k29 = "12345678901234567890123456789";
const std::string_view k30 = "123456789012345678901234567890";

INSTANTIATE_TEST_SUITE_P(
    Pause, Placement,
    ::testing::Values(Case{"Centred", {1024, 768}, std::nullopt, 400, 337, 94, 0},
                      Case{"CentredOddScreen", {1025, 769}, std::nullopt, 400, 337, 94, 0},
                      Case{"PulledBack", {640, 480}, PauseAt{900, 900, ""}, 416, 386, 94, 0},
                      Case{"AsWritten", {640, 480}, PauseAt{10, 20, ""}, 20, 10, 94, 0},
                      Case{"NegativeKept", {640, 480}, PauseAt{-50, -10, ""}, -10, -50, 94, 0},
                      Case{"Message45", {1024, 768}, PauseAt{0, 0, k45}, 0, 0, 132, 38},
                      Case{"Message29", {1024, 768}, PauseAt{0, 0, k29}, 0, 0, 113, 19},
                      Case{"Message30", {1024, 768}, PauseAt{0, 0, k30}, 0, 0, 132, 38},
                      Case{"MessagePullsTopHigher", {640, 480}, PauseAt{900, 0, k45}, 0, 348, 132, 38},
                      Case{"ScreenSmallerThanDialog", {200, 80}, PauseAt{5, 5, ""}, -24, -14, 94, 0}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(PauseCaption, NamesTheHotKey) {
    EXPECT_EQ(pauseRequest({1024, 768}, std::nullopt, "Nick", 0).caption, "Pause (Ctrl+A)");
    EXPECT_EQ(pauseRequest({1024, 768}, std::nullopt, "Nick", 472).caption, "Pause (Ctrl+Page Up)");
    EXPECT_EQ(pauseRequest({1024, 768}, std::nullopt, "Nick", 10000).caption, "Pause");
    EXPECT_EQ(pauseRequest({1024, 768}, std::nullopt, "Nick", 20000).caption, "Pause");
    EXPECT_EQ(pauseRequest({1024, 768}, std::nullopt, "Nick", 262).title, "Nick");
}

}  // namespace
}  // namespace qln
