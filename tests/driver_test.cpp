// The run driver: one recognition never depends on the one before it.
#include <gtest/gtest.h>

#include "cli/report.h"
#include "recog/state/driver.h"
#include "recog/state/state.h"
#include "support/fixtures.h"

namespace {

std::vector<std::string> ring() {
    std::vector<std::string> art = {"..############..", ".##############.", "####........####"};
    for (int i = 0; i < 14; ++i) art.push_back("###..........###");
    art.insert(art.end(), {"####........####", ".##############.", "..############.."});
    return art;
}

}  // namespace

TEST(Driver, ARecognitionDoesNotDependOnTheOneBefore) {
    fixtures::TempDir dir;
    const std::string wide = fixtures::writeArt(dir, "ring.bmp", ring());
    const std::string narrow = fixtures::writeArt(dir, "bar.bmp", std::vector<std::string>(20, "##"));

    resetRecognitionState();
    ASSERT_EQ(recogniseFile(narrow.c_str(), nullptr), 0);
    const auto alone = stateToJson(narrow, 0, "", "");

    // As the dialog runs: no reset between the two.
    resetRecognitionState();
    ASSERT_EQ(recogniseFile(wide.c_str(), nullptr), 0);
    ASSERT_EQ(recogniseFile(narrow.c_str(), nullptr), 0);
    EXPECT_EQ(stateToJson(narrow, 0, "", ""), alone);
    // Profile entries past the narrow glyph read as background, not as the ring's.
    for (int k = g.ImageWidth; k < 16; ++k) {
        EXPECT_EQ(g.TopMargin[k], 0) << k;
        EXPECT_EQ(g.BottomMargin[k], 0) << k;
        EXPECT_EQ(g.ColumnInk[k], 0) << k;
        EXPECT_EQ(g.ColumnRuns[k], 0) << k;
        EXPECT_EQ(g.ColumnWideRuns[k], 0) << k;
    }
}
