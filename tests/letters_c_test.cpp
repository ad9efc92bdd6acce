// The recogniser for c, end to end from a bitmap, and at the bounds of its
// gate and of its half-box test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "recog/letters/recognisers.h"
#include "recog/state/driver.h"
#include "recog/state/state.h"
#include "support/fixtures.h"

namespace {

using fixtures::recogniseArt;

using Art = std::vector<std::string>;

const Art ThickC = {
    "....................",
    "......########......",
    ".....##########.....",
    "....############....",
    "...#####....#####...",
    "..#####......#####..",
    "..####........####..",
    ".####...............",
    ".####...............",
    ".###................",
    ".###................",
    ".###................",
    ".###................",
    ".###................",
    ".###................",
    ".####...............",
    ".####...............",
    "..####........####..",
    "..#####......#####..",
    "...#####....#####...",
    "....############....",
    ".....##########.....",
    "......########......",
    "....................",
};

constexpr int CSlot = 'c' - 'a';


// The c with its lower arm cut short: the lower end lies left of the middle.
Art shortLowerArm() {
    Art art = ThickC;
    for (size_t r = 12; r < art.size(); ++r) std::fill(art[r].begin() + 8, art[r].end(), '.');
    return art;
}

Art mirrored() {
    Art art = ThickC;
    for (auto& row : art) std::reverse(row.begin(), row.end());
    return art;
}

// The opening filled: a ring.
Art closed() {
    Art art = ThickC;
    for (size_t r = 0; r < art.size(); ++r)
        for (size_t c = 10; c < art[r].size(); ++c) art[r][c] = art[r][19 - c];
    return art;
}

// A bar from the back into the bowl: one fork, three ends.
Art withBar() {
    Art art = ThickC;
    for (int r : {11, 12}) std::fill(art[r].begin() + 1, art[r].begin() + 10, '#');
    return art;
}

TEST(RecogniseC, Glyphs) {
    struct Case {
        const char* name;
        Art art;
        int holes, forks;  // the topology the fixture is meant to have
        int32_t slot;
    };
    const Case cases[] = {
        {"c", ThickC, 0, 0, 2},
        {"lower end left of the middle", shortLowerArm(), 0, 0, 0},
        {"mirrored", mirrored(), 0, 0, 0},
        {"closed ring", closed(), 1, 0, 0},
        {"bar into the bowl", withBar(), 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        recogniseArt(c.art);
        EXPECT_EQ(g.HoleCount, c.holes);
        EXPECT_EQ(g.ForkCount, c.forks);
        EXPECT_EQ(g.LetterSlots[CSlot], c.slot);
    }
}

TEST(RecogniseC, AspectBound) {
    recogniseArt(ThickC);
    ASSERT_EQ(g.LetterSlots[CSlot], 2);
    g.AspectRatio = 2.0f;  // twice as high as wide still passes
    EXPECT_EQ(recogniseC(), 2);
    g.AspectRatio = std::nextafter(2.0f, 3.0f);
    EXPECT_EQ(recogniseC(), 0);
}

TEST(RecogniseC, EndsOnTheMiddleCount) {
    // Both ends lie in column 13 and the box starts at column 2; a wider
    // box moves the middle (BoxLeft + BoxWidth / 2) onto them, then past.
    recogniseArt(ThickC);
    ASSERT_EQ(g.EndPoints[0].x, 13);
    ASSERT_EQ(g.EndPoints[1].x, 13);
    ASSERT_EQ(g.BoxLeft, 2);
    g.BoxWidth = 23;  // middle 13
    EXPECT_EQ(recogniseC(), 2);
    g.BoxWidth = 24;  // middle 14
    EXPECT_EQ(recogniseC(), 0);
}

}  // namespace
