// The profile tests shared by the recognisers, on small hand-made profiles.
#include <gtest/gtest.h>

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
