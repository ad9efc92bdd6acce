// The profile tests shared by the recognisers, on small hand-made profiles.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "recog/letters/helpers.h"
#include "recog/state/state.h"

namespace {

class Helpers : public ::testing::Test {
protected:
    void SetUp() override { resetRecognitionState(); }

    static void size(int height, int width) {
        g.ImageHeight = height;
        g.ImageWidth = width;
        g.AspectRatio = static_cast<float>(height) / static_cast<float>(width);
    }
    // The filled glyph, '#' for ink, rows from 1 and columns from 1.
    static void drawSaved(const std::vector<std::string>& rows) {
        size(static_cast<int>(rows.size()), static_cast<int>(rows[0].size()));
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < rows[r].size(); ++c)
                g.SavedRaster[static_cast<int>(r) + 1][static_cast<int>(c) + 1] = rows[r][c] == '#';
    }
};

TEST_F(Helpers, RightColumnGapOnNarrowImages) {
    // Width 4: no column is scanned for a gap.
    size(20, 4);
    g.ColumnWideRuns[3] = 2;
    EXPECT_EQ(rightColumnGapTest(), 1);
    g.ColumnWideRuns[0] = g.ColumnWideRuns[1] = 3;
    EXPECT_EQ(rightColumnGapTest(), 1);
    g.ColumnWideRuns[2] = 3;  // more than two columns with three wide runs
    EXPECT_EQ(rightColumnGapTest(), 0);
}

TEST_F(Helpers, RightColumnGapInUpperHalf) {
    // Column 7 (of 1..8) has ink on rows 1 and 5: a gap of four rows above
    // the middle. It refuses only for a tall glyph.
    std::vector<std::string> rows(24, "#.......");
    rows[0] = "########";
    rows[4] = "#.....#.";
    drawSaved(rows);
    g.ColumnWideRuns[6] = 2;
    g.AspectRatio = 3.0f;
    EXPECT_EQ(rightColumnGapTest(), 0);
    g.AspectRatio = 2.0f;
    EXPECT_EQ(rightColumnGapTest(), 1);
    // A gap of two rows does not stop the scan.
    rows[2] = "#.....##";
    rows[4] = "#.......";
    drawSaved(rows);
    g.AspectRatio = 3.0f;
    EXPECT_EQ(rightColumnGapTest(), 1);
}

TEST_F(Helpers, OpenSideBalance) {
    // The lower end on the last skeleton row decides at once.
    size(20, 12);
    g.BoxTop = 1;
    g.BoxBottom = 20;
    g.EndPoints[0] = {10, 2};
    g.EndPoints[1] = {10, 20};
    EXPECT_EQ(openSideBalanceTest(), 1);

    // Otherwise columns 4..11 crossed twice in rows 12..20 count against it.
    std::vector<std::string> rows(20, "#...........");
    rows[13] = "############";
    rows[17] = "############";
    drawSaved(rows);
    g.EndPoints[1] = {10, 17};
    EXPECT_EQ(openSideBalanceTest(), 0);  // 8 columns > 12/6

    // One crossing per column: (b) holds; (a) 1/3 fails; no two-run rows: (c) holds.
    rows[17] = "#...........";
    drawSaved(rows);
    EXPECT_EQ(openSideBalanceTest(), 1);
}

TEST_F(Helpers, OpenSideBalanceTails) {
    // Two-run rows 2, 4 and 15: R1 is the lowest of rows 2..11 (row 4, not
    // row 2), R2 the next one below (row 15). (a) fails: (3 - 1) / (20 - 17)
    // is not above 0.7; (b) holds: no column is crossed twice below the
    // middle. (c) compares the rightmost run of row 16 with that of row 3.
    auto glyph = [](const std::string& row16) {
        std::vector<std::string> rows(20, "#...........");
        rows[2] = "#.........##";
        rows[15] = row16;
        return rows;
    };
    struct Case {
        std::string row16;
        int32_t result;
    };
    const Case cases[] = {
        {"#.....######", 0},  // 6 > 2 + 3
        {"#......#####", 1},  // 5 <= 2 + 3
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row16);
        drawSaved(glyph(c.row16));
        g.RowRuns[1] = g.RowRuns[3] = g.RowRuns[14] = 2;
        g.BoxTop = 1;
        g.BoxBottom = 20;
        g.EndPoints[0] = {10, 3};
        g.EndPoints[1] = {10, 17};
        EXPECT_EQ(openSideBalanceTest(), c.result);
    }
}

TEST_F(Helpers, StraightSide) {
    // A steady left margin longer than half the height.
    size(20, 10);
    for (int k = 0; k < 20; ++k) g.LeftMargin[k] = 2, g.RightMargin[k] = static_cast<int8_t>(k);
    EXPECT_EQ(straightSideTest(), 1);
    // Short images have no stretch at all.
    for (int h = 1; h <= 6; ++h) {
        size(h, 10);
        EXPECT_EQ(straightSideTest(), 0) << h;
    }
    // A margin that drifts by one every row has no steady stretch.
    size(20, 10);
    for (int k = 0; k < 20; ++k) g.LeftMargin[k] = static_cast<int8_t>(k);
    EXPECT_EQ(straightSideTest(), 0);
}

TEST_F(Helpers, UpperTwoRunsOrWide) {
    struct Case {
        int height, width, twoRunRow;  // twoRunRow 0: none
        int32_t result;
    };
    const Case cases[] = {
        {10, 6, 2, 0},    // narrower than 7 columns
        {100, 6, 2, 0},
        {44, 10, 0, 1},   // exactly 4.4
        {45, 10, 0, 0},
        {45, 10, 15, 1},  // rows 2..H/3
        {45, 10, 16, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.height << "x" << c.width << " row " << c.twoRunRow);
        resetRecognitionState();
        size(c.height, c.width);
        if (c.twoRunRow) g.RowRuns[c.twoRunRow - 1] = 2;
        EXPECT_EQ(upperTwoRunsOrWideTest(), c.result);
    }
}

TEST_F(Helpers, RightStem) {
    // Rows 11 (one run) and 5 (two runs) above it: a split above the middle.
    size(20, 12);
    g.RowRuns[10] = 1;
    g.RowRuns[4] = 2;
    g.ColumnInk[11] = 19;  // one nearly full column in the right quarter
    EXPECT_EQ(rightStemTest(), 1);
    g.ColumnInk[10] = 19;  // two
    EXPECT_EQ(rightStemTest(), 0);
    g.RowRuns[4] = 1;
    EXPECT_EQ(rightStemTest(), 1);
    g.RowRuns[17] = 2;  // a split below the middle
    EXPECT_EQ(rightStemTest(), 0);
}

TEST_F(Helpers, TopBarShape) {
    // H 16, W 12: (a) column 1 open below for more than 9 rows; (b) the widest
    // one-run row of rows 1..8 wider than 8 and below row 3.
    size(16, 12);
    g.BottomMargin[0] = 10;
    g.RowRuns[1] = 1, g.RowInk[1] = 10;  // row 2
    g.RowRuns[4] = 1, g.RowInk[4] = 10;  // row 5: the lower row wins the tie
    EXPECT_EQ(topBarShapeTest(), 1);
    g.RowInk[4] = 9;  // now row 2 is the widest, too high
    EXPECT_EQ(topBarShapeTest(), 0);
    g.TopMargin[9] = g.TopMargin[10] = 3;  // (c): columns 10 and 11 empty above
    EXPECT_EQ(topBarShapeTest(), 1);
}

TEST_F(Helpers, LeftColumns) {
    size(16, 10);
    for (int k = 0; k < 10; ++k) g.ColumnRuns[k] = 1;
    EXPECT_EQ(leftColumnsTest(), 1);
    g.ColumnInk[1] = g.ColumnInk[3] = 15;  // two nearly full columns among 2..5
    EXPECT_EQ(leftColumnsTest(), 0);
    g.ColumnInk[3] = 0;
    g.ColumnRuns[1] = g.ColumnRuns[2] = 2;  // two split columns left of column 6
    EXPECT_EQ(leftColumnsTest(), 0);
    for (int k = 1; k <= 5; ++k) g.ColumnRuns[k] = 2;  // no one-run column in 2..6
    EXPECT_EQ(leftColumnsTest(), 1);
}

TEST_F(Helpers, MarginsReadBackSigned) {
    size(200, 200);
    g.RightMargin[199] = 60;
    EXPECT_EQ(rightSideOpenTest(), 1);
    g.RightMargin[199] = static_cast<int8_t>(150);  // reads as -106
    EXPECT_EQ(rightSideOpenTest(), 0);
}

TEST_F(Helpers, PositionsBeforeTheProfilesReadZero) {
    // Width 2: column W - 2 is column 0, before the profile. It reads 0, not
    // whatever lies in front of the array.
    size(16, 2);
    g.TopMargin[Raster::Size - 1] = 100;
    g.BottomMargin[0] = 100;
    EXPECT_EQ(bottomRightEmptyTest(), 0);
}

TEST_F(Helpers, TinyImagesAnswerZeroOrOne) {
    using Test = int32_t (*)();
    const Test tests[] = {rightColumnGapTest,   topBarShapeTest,        leftStemTest,         fewBusyRowsTest,
                          busyUpperRowsTest,    fewBusyLowerRowsTest,   rightFullColumnTest,  rightSideOpenTest,
                          straightSideTest,     fewFullLeftColumnsTest, bottomRightEmptyTest, bottomCornersTest,
                          columnRunsTest,       upperTwoRunsOrWideTest, openSideBalanceTest,  middleRowsCentredTest,
                          leftColumnsTest,      fullRightColumnTest,    topRightShapeTest,    rightShiftTest,
                          topRowRightTest,      rightStemTest};
    for (int h = 0; h <= 8; ++h)
        for (int w = 0; w <= 8; ++w) {
            size(h, w);
            for (int k = 0; k < 8; ++k) {
                g.RowRuns[k] = g.ColumnRuns[k] = 2;
                g.RowInk[k] = g.ColumnInk[k] = static_cast<int16_t>(h);
            }
            for (Test test : tests) {
                const int32_t answer = test();
                EXPECT_TRUE(answer == 0 || answer == 1) << h << "x" << w;
            }
        }
}

}  // namespace

// The one-line profile tests at their bounds: 1-based rows and columns
// against 0-based profiles, strict against non-strict comparisons, and the
// ends of each range.
namespace bounds {

void size(int height, int width) {
    g.ImageHeight = height;
    g.ImageWidth = width;
    g.AspectRatio = static_cast<float>(height) / static_cast<float>(width);
}
void rowRuns(std::initializer_list<int> rows, int runs) {
    for (int r : rows) g.RowRuns[r - 1] = static_cast<uint8_t>(runs);
}
void columnInk(std::initializer_list<int> columns, int ink) {
    for (int x : columns) g.ColumnInk[x - 1] = static_cast<int16_t>(ink);
}
void bottomMargin(std::initializer_list<int> columns, int margin) {
    for (int x : columns) g.BottomMargin[x - 1] = static_cast<int8_t>(margin);
}
void allColumnRuns(int width, int runs) {
    for (int x = 1; x <= width; ++x) g.ColumnRuns[x - 1] = static_cast<uint8_t>(runs);
}

struct Case {
    const char* name;
    int32_t (*test)();
    void (*setUp)();
    int32_t result;
};

const Case Cases[] = {
    // H 20, W 12: a one-run column of 1..4 with more than 17 ink, and a busy left edge.
    {"left stem", leftStemTest, [] { size(20, 12); g.ColumnRuns[3] = 1; columnInk({4}, 18); }, 0},
    {"left stem, ink 17", leftStemTest, [] { size(20, 12); g.ColumnRuns[3] = 1; columnInk({4}, 17); }, 1},
    {"left stem, column 5", leftStemTest, [] { size(20, 12); g.ColumnRuns[4] = 1; columnInk({5}, 18); }, 1},
    {"left stem, clean left edge", leftStemTest,
     [] {
         size(20, 12);
         g.ColumnRuns[3] = 1;
         columnInk({4}, 18);
         for (int k = 0; k < 20; ++k) g.LeftMargin[k] = 2;
     },
     1},
    {"left stem, row 19 touches the left", leftStemTest,
     [] {
         size(20, 12);
         g.ColumnRuns[3] = 1;
         columnInk({4}, 18);
         for (int k = 0; k < 20; ++k) g.LeftMargin[k] = 2;
         g.LeftMargin[18] = 1;
     },
     0},

    // H 20: rows 3..18, 3..16 and 5..18 are counted.
    {"few busy rows", fewBusyRowsTest, [] { size(20, 12); rowRuns({2, 3, 18, 19}, 3); }, 1},
    {"few busy rows, three", fewBusyRowsTest, [] { size(20, 12); rowRuns({3, 10, 18}, 3); }, 0},
    {"busy upper rows", busyUpperRowsTest, [] { size(20, 12); rowRuns({3, 4, 16}, 3); }, 1},
    {"busy upper rows, row 17 out", busyUpperRowsTest, [] { size(20, 12); rowRuns({2, 3, 16, 17}, 3); }, 0},
    {"few busy lower rows", fewBusyLowerRowsTest, [] { size(20, 12); rowRuns({4, 5, 18, 19}, 3); }, 1},
    {"few busy lower rows, three", fewBusyLowerRowsTest, [] { size(20, 12); rowRuns({5, 10, 18}, 4); }, 0},

    // H 20, W 20: F is the rightmost column of 20..12 with more than 16 ink;
    // columns F - 1 .. 14 open below the middle count against it.
    {"right full column", rightFullColumnTest, [] { size(20, 20); columnInk({17}, 17); bottomMargin({14, 16}, 11); }, 0},
    {"right full column, one open", rightFullColumnTest,
     [] { size(20, 20); columnInk({17}, 17); bottomMargin({13, 16}, 11); }, 1},
    {"right full column, margin 10", rightFullColumnTest,
     [] { size(20, 20); columnInk({17}, 17); bottomMargin({14, 16}, 10); }, 1},
    {"right full column, crowded rows", rightFullColumnTest, [] { size(20, 20); rowRuns({3, 9, 18}, 4); }, 0},

    // W 20, H 24: columns 1..5 with more than 20 ink.
    {"few full left columns", fewFullLeftColumnsTest, [] { size(24, 20); columnInk({1, 6}, 21); }, 1},
    {"few full left columns, two", fewFullLeftColumnsTest, [] { size(24, 20); columnInk({1, 5}, 21); }, 0},
    {"few full left columns, ink 20", fewFullLeftColumnsTest, [] { size(24, 20); columnInk({1, 5}, 20); }, 1},

    // H 20, W 12: columns 3, 10 and 11 open below for more than 10 rows.
    {"bottom right empty", bottomRightEmptyTest, [] { size(20, 12); bottomMargin({10, 11}, 11); }, 1},
    {"bottom right empty, margin 10", bottomRightEmptyTest, [] { size(20, 12); bottomMargin({10}, 11); bottomMargin({11}, 10); }, 0},
    {"bottom corners", bottomCornersTest, [] { size(20, 12); bottomMargin({3, 10}, 11); }, 0},
    {"bottom corners, margin 10", bottomCornersTest, [] { size(20, 12); bottomMargin({3}, 10); bottomMargin({10}, 11); }, 1},

    // W 10: columns 1..5 and 6..10.
    {"column runs, three split on the right", columnRunsTest,
     [] { size(20, 10); allColumnRuns(10, 1); g.ColumnRuns[5] = g.ColumnRuns[7] = g.ColumnRuns[9] = 2; }, 0},
    {"column runs, two split on the right", columnRunsTest,
     [] { size(20, 10); allColumnRuns(10, 1); g.ColumnRuns[5] = g.ColumnRuns[9] = 2; }, 1},
    {"column runs, three odd on the left", columnRunsTest,
     [] {
         size(20, 10);
         allColumnRuns(10, 2);
         g.ColumnRuns[0] = g.ColumnRuns[1] = 1;
     },
     1},
    {"column runs, two odd on the left", columnRunsTest,
     [] {
         size(20, 10);
         allColumnRuns(10, 2);
         g.ColumnRuns[0] = g.ColumnRuns[1] = g.ColumnRuns[2] = 1;
     },
     0},

    // H 20, W 12: rows 9..13, right margin more than 2 beyond the left.
    {"middle rows centred, four shifted", middleRowsCentredTest,
     [] {
         size(20, 12);
         for (int r : {9, 10, 12, 13}) g.RightMargin[r - 1] = 3;
     },
     0},
    {"middle rows centred, three shifted", middleRowsCentredTest,
     [] {
         size(20, 12);
         for (int r : {8, 9, 10, 13, 14}) g.RightMargin[r - 1] = 3;
         g.RightMargin[11] = 2;
     },
     1},

    // W 12, H 20: columns 9..12 with at least 18 ink.
    {"full right column", fullRightColumnTest, [] { size(20, 12); columnInk({9}, 18); }, 1},
    {"full right column, column 8", fullRightColumnTest, [] { size(20, 12); columnInk({8}, 20); }, 0},
    {"full right column, ink 17", fullRightColumnTest, [] { size(20, 12); columnInk({12}, 17); }, 0},

    // H 24, W 12: rows 2..3 near the top, row 17, columns 2..11.
    {"top right, two split top rows", topRightShapeTest, [] { size(24, 12); rowRuns({2, 3}, 2); }, 1},
    {"top right, one split top row", topRightShapeTest, [] { size(24, 12); rowRuns({2, 4}, 2); }, 0},
    {"top right, open at row 17", topRightShapeTest, [] { size(24, 12); g.RightMargin[16] = 4; }, 1},
    {"top right, margin 3", topRightShapeTest, [] { size(24, 12); g.RightMargin[16] = 3; }, 0},
    {"top right, too many full columns", topRightShapeTest,
     [] {
         size(24, 12);
         g.RightMargin[16] = 4;
         columnInk({2, 3, 4, 5, 6, 7, 8, 9, 10}, 22);
     },
     0},
    {"top right, eight full columns", topRightShapeTest,
     [] {
         size(24, 12);
         g.RightMargin[16] = 4;
         columnInk({2, 3, 4, 5, 6, 7, 8, 9}, 22);
     },
     1},

    // H 20, W 12: column 2's top margin against 12, row 19; m = 13.
    {"right shift, open top left", rightShiftTest, [] { size(20, 12); g.TopMargin[1] = 13; g.RightMargin[18] = 2; }, 1},
    {"right shift, top margin 12", rightShiftTest, [] { size(20, 12); g.TopMargin[1] = 12; g.RightMargin[18] = 2; }, 0},
    {"right shift, rows 13 and 14 lean", rightShiftTest,
     [] { size(20, 12); g.LeftMargin[12] = g.LeftMargin[13] = 5; }, 1},
    {"right shift, only row 14 leans", rightShiftTest,
     [] { size(20, 12); g.LeftMargin[12] = 4; g.LeftMargin[13] = 5; }, 0},

    // Row 2: two runs, ending left of column W/2.
    {"top row right", topRowRightTest, [] { size(20, 12); rowRuns({2}, 2); g.RightMargin[1] = 5; }, 1},
    {"top row right, margin 6", topRowRightTest, [] { size(20, 12); rowRuns({2}, 2); g.RightMargin[1] = 6; }, 0},
    {"top row right, one run", topRowRightTest, [] { size(20, 12); rowRuns({2}, 1); g.RightMargin[1] = 5; }, 0},
};

}  // namespace bounds

TEST(HelperBounds, Table) {
    for (const bounds::Case& c : bounds::Cases) {
        SCOPED_TRACE(c.name);
        resetRecognitionState();
        c.setUp();
        EXPECT_EQ(c.test(), c.result);
    }
}
