// The recognisers for o, l, s and e: each accepts a glyph of its letter end
// to end, and refuses the shapes at the bounds of its tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "recog/letters/recognisers.h"
#include "recog/state/driver.h"
#include "recog/state/state.h"
#include "recog/strokes/strokes.h"
#include "support/fixtures.h"

int32_t boxOrDentTest();

namespace {

using fixtures::recogniseArt;

using Art = std::vector<std::string>;


Art mirrored(Art art) {
    for (auto& row : art) std::reverse(row.begin(), row.end());
    return art;
}

Art flipped(Art art) {
    std::reverse(art.begin(), art.end());
    return art;
}

Art bar(int width, int height) { return Art(height, std::string(width, '#')); }

const Art RingO = {
    "....................",
    "........####........",
    "......########......",
    "....############....",
    "...####......####...",
    "...###........###...",
    "..###..........###..",
    "..###..........###..",
    ".###............###.",
    ".###............###.",
    ".###............###.",
    ".###............###.",
    ".###............###.",
    ".###............###.",
    "..###..........###..",
    "..###..........###..",
    "...###........###...",
    "...####......####...",
    "....############....",
    "......########......",
    "........####........",
    "....................",
};

const Art EyeE = {
    "....................",
    "........####........",
    "......########......",
    "....############....",
    "...####......####...",
    "...###........###...",
    "..###..........###..",
    "..###..........###..",
    ".###............###.",
    ".###............###.",
    ".##################.",
    ".##################.",
    ".###................",
    ".###................",
    "..###...............",
    "..###...............",
    "...###........##....",
    "...####......####...",
    "....############....",
    "......########......",
    "........####........",
    "....................",
};

// The eye closed by a tail that runs back into it.
const Art ClosedE = {
    "....................",
    "........####........",
    "......########......",
    "....############....",
    "...####......####...",
    "...###........###...",
    "..###..........###..",
    "..###..........###..",
    ".###............###.",
    ".###............###.",
    ".##################.",
    ".##################.",
    ".###............###.",
    ".###............###.",
    "..###..........###..",
    "..###..........###..",
    "...###........###...",
    "...####......####...",
    "....############....",
    "......########......",
    "........####........",
    "....................",
};

const Art CurveS = {
    "..................",
    ".......#####......",
    ".....#########....",
    "....###########...",
    "...####.....###...",
    "...###........#...",
    "..###.............",
    "..###.............",
    "..###.............",
    "...###............",
    "...####...........",
    "....########......",
    ".....#########....",
    ".......########...",
    "............####..",
    ".............###..",
    "..............###.",
    "..............###.",
    "..............###.",
    "..............###.",
    "..............###.",
    "....##.......###..",
    "....###.....####..",
    "....###########...",
    ".....#########....",
    ".......#####......",
};

// The same s with its tail running out flat along the bottom to the left.
const Art FlatTailS = {
    "..................",
    ".......#####......",
    ".....#########....",
    "....###########...",
    "...####.....###...",
    "...###........#...",
    "..###.............",
    "..###.............",
    "..###.............",
    "...###............",
    "...####...........",
    "....########......",
    ".....#########....",
    ".......########...",
    "............####..",
    ".............###..",
    "..............###.",
    "..............###.",
    "..............###.",
    "..............###.",
    "..............###.",
    ".............###..",
    "............####..",
    "......#########...",
    "..############....",
    "..##########......",
};

// A straight bar from the upper right to the lower left.
Art slantedBar() {
    Art art(24, std::string(14, '.'));
    for (int r = 0; r < 24; ++r) {
        const int c = 11 - r * 10 / 23;
        for (int k = c; k < c + 3; ++k) art[r][k] = '#';
    }
    return art;
}

struct GlyphCase {
    const char* name;
    Art art;
    int32_t o, l, s, e;  // what each recogniser answers
};

}  // namespace

TEST(LettersOLSE, EachGlyphIsTakenByItsOwnRecogniserOnly) {
    const std::vector<GlyphCase> cases = {
        {"ring", RingO, 2, 0, 0, 0},
        {"bar 5x20 (height exactly 4 widths)", bar(5, 20), 0, 2, 0, 0},
        {"bar 5x19", bar(5, 19), 0, 0, 0, 0},
        {"s curve", CurveS, 0, 0, 2, 0},
        {"s curve mirrored (upper end top left)", mirrored(CurveS), 0, 0, 0, 0},
        {"slanted bar", slantedBar(), 0, 0, 0, 0},
        {"e", EyeE, 0, 0, 0, 2},
        {"e upside down (eye low)", flipped(EyeE), 0, 0, 0, 0},
        {"e with its tail closed", ClosedE, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recogniseArt(c.art);
        EXPECT_EQ(recogniseO(), c.o);
        EXPECT_EQ(recogniseL(), c.l);
        EXPECT_EQ(recogniseS(), c.s);
        EXPECT_EQ(recogniseE(), c.e);
        // The vote ran them all: the slots carry the same answers.
        EXPECT_EQ(g.LetterSlots['o' - 'a'], c.o);
        EXPECT_EQ(g.LetterSlots['l' - 'a'], c.l);
        EXPECT_EQ(g.LetterSlots['s' - 'a'], c.s);
        EXPECT_EQ(g.LetterSlots['e' - 'a'], c.e);
    }
}

TEST(LettersOLSE, OHoleMayFallOnePixelShortOfTheBoxButNotTwo) {
    recogniseArt(RingO);
    ASSERT_EQ(recogniseO(), 2);
    const HoleRecord hole = g.Holes[0];
    struct Side {
        const char* name;
        int16_t HoleRecord::*field;
        int32_t oneShort;
        int32_t twoShort;
    };
    const std::vector<Side> sides = {
        {"top", &HoleRecord::top, g.BoxTop + 1, g.BoxTop + 2},
        {"bottom", &HoleRecord::bottom, g.BoxBottom - 1, g.BoxBottom - 2},
        {"left", &HoleRecord::left, g.BoxLeft + 1, g.BoxLeft + 2},
        {"right", &HoleRecord::right, g.BoxRight - 1, g.BoxRight - 2},
    };
    for (const auto& side : sides) {
        SCOPED_TRACE(side.name);
        g.Holes[0] = hole;
        g.Holes[0].*side.field = static_cast<int16_t>(side.oneShort);
        EXPECT_EQ(recogniseO(), 2);
        g.Holes[0].*side.field = static_cast<int16_t>(side.twoShort);
        EXPECT_EQ(recogniseO(), 0);
    }
}

TEST(LettersOLSE, OHoleMustCoverHalfTheBox) {
    recogniseArt(RingO);
    g.BoxWidth = 10;
    g.BoxHeight = 10;
    g.Holes[0].area = 50;
    EXPECT_EQ(recogniseO(), 2);
    g.Holes[0].area = 49;
    EXPECT_EQ(recogniseO(), 0);
}

TEST(LettersOLSE, ODentInTheRightContourIsRefused) {
    recogniseArt(RingO);
    ASSERT_EQ(boxOrDentTest(), 0);
    // The ring's one-run rows (its top and bottom) all 4 pixels from the
    // right edge; a middle row set in 2 pixels further than that is a dent.
    const int32_t m = g.ImageHeight / 2;
    for (int32_t k = 0; k < g.ImageHeight; ++k)
        if (g.RowRuns[k] == 1) g.RightMargin[k] = 4;
    g.RightMargin[m] = 5;
    EXPECT_EQ(boxOrDentTest(), 0);
    g.RightMargin[m] = 6;
    EXPECT_EQ(boxOrDentTest(), 1);
    EXPECT_EQ(recogniseO(), 0);
}

TEST(LettersOLSE, ONeedsOneRunRowsAboveAndBelowTheMiddle) {
    recogniseArt(RingO);
    const int32_t m = g.ImageHeight / 2;
    for (int32_t k = 0; k <= m; ++k) g.RowRuns[k] = 2;
    EXPECT_EQ(boxOrDentTest(), 1);
    recogniseArt(RingO);
    for (int32_t k = m; k < g.ImageHeight; ++k) g.RowRuns[k] = 2;
    EXPECT_EQ(boxOrDentTest(), 1);
}

TEST(LettersOLSE, OSquareFrameIsRefused) {
    // Two nearly full columns in each outer quarter and two nearly full rows
    // in each outer fifth; one column short of that is not a frame.
    recogniseArt(RingO);
    const int32_t H = g.ImageHeight, W = g.ImageWidth;
    auto frame = [&](int16_t lastColumnInk) {
        for (int32_t k : {0, 1, W - 2}) g.ColumnInk[k] = static_cast<int16_t>(H - 3);
        g.ColumnInk[W - 1] = lastColumnInk;
        for (int32_t k : {0, 1, H - 2, H - 1}) g.RowInk[k] = static_cast<int16_t>(W - 3);
    };
    frame(static_cast<int16_t>(H - 4));
    EXPECT_EQ(boxOrDentTest(), 0);
    frame(static_cast<int16_t>(H - 3));
    EXPECT_EQ(boxOrDentTest(), 1);
    EXPECT_EQ(recogniseO(), 0);
}

TEST(LettersOLSE, LSkeletonAtMostFourColumnsWide) {
    recogniseArt(bar(5, 20));
    ASSERT_EQ(recogniseL(), 2);
    g.BoxWidth = 4;
    EXPECT_EQ(recogniseL(), 2);
    g.BoxWidth = 5;
    EXPECT_EQ(recogniseL(), 0);
}

TEST(LettersOLSE, ETailEndMustLieInTheRightThird) {
    recogniseArt(EyeE);
    ASSERT_EQ(recogniseE(), 2);
    g.EndPoints[0].x = g.BoxRight - g.BoxWidth / 3 - 1;
    EXPECT_EQ(recogniseE(), 0);
}

TEST(LettersOLSE, SLowerEndOneCellUpMustFinishComingDownFromTheRight) {
    // The flat tail ends in the bottom-left cell, its last stretch running
    // out to the left (quadrant 2 seen from the end). A box stretched
    // downward puts the same end in the cell above, where only a last
    // stretch that comes down from the right (quadrant 3) will do.
    recogniseArt(FlatTailS);
    ASSERT_EQ(recogniseS(), 2);
    const PointXY lower = g.EndPoints[1];
    ASSERT_EQ(zoneOf(4, lower.x, lower.y), 12);
    ASSERT_EQ(quadrantFromEnd(g.Unit), 2);
    g.BoxHeight = (lower.y - g.BoxTop) * 4 / 3 + 2;
    ASSERT_EQ(zoneOf(4, lower.x, lower.y), 8);
    EXPECT_EQ(recogniseS(), 0);

    // The curled tail of the drawn s does come down from the right.
    recogniseArt(CurveS);
    ASSERT_EQ(recogniseS(), 2);
    ASSERT_EQ(quadrantFromEnd(g.Unit), 3);
    g.BoxHeight = (g.EndPoints[1].y - g.BoxTop) * 4 / 3 + 2;
    ASSERT_EQ(zoneOf(4, g.EndPoints[1].x, g.EndPoints[1].y), 8);
    EXPECT_EQ(recogniseS(), 2);
}

TEST(LettersOLSE, ODentRuleDistancesMarginsAndTies) {
    // Hand-set profiles of a 20-row glyph (middle row 10): the listed rows
    // have one run and the given right margin, every other row two runs and
    // the given margin (0 when not listed). No column or row is full, so only
    // the dent can answer 1.
    struct Row {
        int32_t row, margin;
    };
    struct DentCase {
        const char* name;
        std::vector<Row> oneRun, others;
        int32_t expected;
    };
    const std::vector<DentCase> cases = {
        {"deeper by 2, 3 rows below the upper row", {{2, 1}, {15, 1}}, {{5, 3}}, 1},
        {"deeper by 2, 2 rows below the upper row", {{2, 1}, {15, 1}}, {{4, 3}}, 0},
        {"deeper by 2, 2 rows above the lower row", {{2, 1}, {15, 1}}, {{13, 3}}, 1},
        {"deeper by 2, 1 row above the lower row", {{2, 1}, {15, 1}}, {{14, 3}}, 0},
        {"deeper by 1 only", {{2, 1}, {15, 1}}, {{5, 2}}, 0},
        {"4 past the upper, 1 past the lower, below the middle", {{2, 0}, {15, 3}}, {{12, 4}}, 1},
        {"4 past the upper, 1 past the lower, on the middle row", {{2, 0}, {15, 3}}, {{10, 4}}, 0},
        {"3 past the upper, 1 past the lower, below the middle", {{2, 1}, {15, 3}}, {{12, 4}}, 0},
        {"equal deepest rows: the first one counts", {{2, 1}, {15, 1}}, {{5, 3}, {14, 3}}, 1},
        // Equally narrow one-run rows: the one nearer the middle is taken, so
        // the dent lies outside the scanned stretch.
        {"upper tie goes to the row nearer the middle", {{3, 1}, {8, 1}, {15, 1}}, {{6, 3}}, 0},
        {"lower tie goes to the row nearer the middle", {{2, 1}, {12, 1}, {17, 1}}, {{15, 3}}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        resetRecognitionState();
        g.ImageHeight = 20;
        g.ImageWidth = 20;
        for (int32_t k = 0; k < 20; ++k) g.RowRuns[k] = 2;
        for (const Row& r : c.oneRun) {
            g.RowRuns[r.row] = 1;
            g.RightMargin[r.row] = static_cast<int8_t>(r.margin);
        }
        for (const Row& r : c.others) g.RightMargin[r.row] = static_cast<int8_t>(r.margin);
        EXPECT_EQ(boxOrDentTest(), c.expected);
    }
}

TEST(LettersOLSE, EEyeBoundsAreInclusive) {
    // The eye of the drawn e at each bound of its box tests, then one pixel
    // (or one unit of area) past it.
    recogniseArt(EyeE);
    ASSERT_EQ(recogniseE(), 2);
    const HoleRecord eye = g.Holes[0];
    struct Bound {
        const char* name;
        int16_t HoleRecord::*field;
        int32_t atBound, pastBound;
    };
    const std::vector<Bound> bounds = {
        {"top", &HoleRecord::top, g.BoxTop + g.UnitHeight + 1, g.BoxTop + g.UnitHeight + 2},
        {"bottom", &HoleRecord::bottom, g.BoxBottom - g.BoxHeight / 3, g.BoxBottom - g.BoxHeight / 3 + 1},
        {"left", &HoleRecord::left, g.BoxLeft + g.BoxWidth / 2, g.BoxLeft + g.BoxWidth / 2 + 1},
        {"right", &HoleRecord::right, g.BoxRight - g.BoxWidth / 3, g.BoxRight - g.BoxWidth / 3 - 1},
    };
    for (const auto& b : bounds) {
        SCOPED_TRACE(b.name);
        g.Holes[0] = eye;
        g.Holes[0].*b.field = static_cast<int16_t>(b.atBound);
        EXPECT_EQ(recogniseE(), 2);
        g.Holes[0].*b.field = static_cast<int16_t>(b.pastBound);
        EXPECT_EQ(recogniseE(), 0);
    }

    // A tenth of the box exactly is enough (the traces do not read the width).
    g.Holes[0] = eye;
    g.BoxWidth = 15;
    ASSERT_EQ(g.BoxWidth * g.BoxHeight % 10, 0);
    g.Holes[0].area = static_cast<int16_t>(g.BoxWidth * g.BoxHeight / 10);
    EXPECT_EQ(recogniseE(), 2);
    g.Holes[0].area = static_cast<int16_t>(g.BoxWidth * g.BoxHeight / 10 - 1);
    EXPECT_EQ(recogniseE(), 0);
}
