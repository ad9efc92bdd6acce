// Tracing strokes against their chord, shape codes, fork-to-fork joins and
// quadrants, on one-pixel skeletons drawn straight into the work raster.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "recog/state/state.h"
#include "recog/strokes/strokes.h"
#include "support/fixtures.h"

namespace {

// Draw a skeleton at rows/columns from 1, set the box to its ink and the
// units from the box.
void drawSkeleton(const std::vector<std::string>& art) {
    fixtures::drawFramed(art);
    g.BoxTop = g.BoxLeft = 1 << 20;
    g.BoxBottom = g.BoxRight = -1;
    for (int r = 1; r <= g.ImageHeight; ++r)
        for (int c = 1; c <= g.ImageWidth; ++c) {
            if (g.WorkRaster[r][c] != 1) continue;
            g.BoxTop = std::min(g.BoxTop, r);
            g.BoxBottom = std::max(g.BoxBottom, r);
            g.BoxLeft = std::min(g.BoxLeft, c);
            g.BoxRight = std::max(g.BoxRight, c);
        }
    g.BoxHeight = g.BoxBottom - g.BoxTop + 1;
    g.BoxWidth = g.BoxRight - g.BoxLeft + 1;
    g.UnitHeight = (g.BoxHeight + 4) / 7;
    g.UnitWidth = (g.BoxWidth + 4) / 7;
    g.Unit = (g.UnitHeight + g.UnitWidth) / 2;
}

// Rows 0..ImageHeight+1 and columns 0..ImageWidth+1 of the work raster:
// '.' background, '#' ink, the digit of any mark.
std::vector<std::string> rasterArt() {
    std::vector<std::string> out;
    for (int r = 0; r <= g.ImageHeight + 1; ++r) {
        std::string row;
        for (int c = 0; c <= g.ImageWidth + 1; ++c) {
            const int v = g.WorkRaster[r][c];
            row += v == 0 ? '.' : v == 1 ? '#' : static_cast<char>('0' + v);
        }
        out.push_back(row);
    }
    return out;
}

const std::vector<std::string> RightBow = {
    "#..",
    ".#.",
    "..#",
    "..#",
    "..#",
    "..#",
    "..#",
    ".#.",
    "#..",
};

const std::vector<std::string> LeftBow = {
    "..#",
    ".#.",
    "#..",
    "#..",
    "#..",
    "#..",
    "#..",
    ".#.",
    "..#",
};

TEST(TraceStroke, VerticalStrokeFromItsLowerEnd) {
    std::vector<std::string> art(15, ".#.");
    art.insert(art.begin(), 2, "...");  // the stroke starts on row 3
    drawSkeleton(art);
    ASSERT_EQ(g.BoxTop, 3);
    ASSERT_EQ(g.BoxBottom, 17);

    ASSERT_EQ(traceStroke(17, 2, 3, 2), 0);
    EXPECT_EQ(g.ChordDirection, 0);
    EXPECT_EQ(g.ChordSlope, 999.0f);
    EXPECT_EQ(g.ChordLength, 14);
    EXPECT_EQ(g.TraceCount, 15);
    EXPECT_FLOAT_EQ(g.TraceLengthRatio, 15.0f / 14.0f);
    EXPECT_EQ(g.PathRow[0], 17);
    EXPECT_EQ(g.PathRow[14], 3);
    // Every chord pixel lies on the stroke itself.
    EXPECT_EQ(g.CrossingCount, 13);
    // The upper extension runs from the top of the raster, not from the box.
    EXPECT_EQ(g.WorkRaster[0][2], 4);
    EXPECT_EQ(g.WorkRaster[2][2], 4);
    EXPECT_EQ(classifyTrace(g.Unit), 0);
}

TEST(TraceStroke, MarkFoundOnTheFarEdgeOfTheRingGetsTen) {
    // Running down a vertical chord, a point two columns to its right finds
    // the chord on the left edge of ring 2 (side 3); a point two columns to
    // its left finds it on the right edge (side 13).
    drawSkeleton(RightBow);
    ASSERT_EQ(traceStroke(1, 1, 9, 1), 0);
    ASSERT_EQ(g.TraceCount, 9);
    EXPECT_EQ(g.PathCol[4], 3);
    EXPECT_EQ(g.TraceDistance[4], 2);
    for (int i = 0; i < g.TraceCount; ++i) EXPECT_EQ(g.TraceSide[i], 3) << i;

    drawSkeleton(LeftBow);
    ASSERT_EQ(traceStroke(1, 3, 9, 3), 0);
    EXPECT_EQ(g.PathCol[4], 1);
    EXPECT_EQ(g.TraceDistance[4], 2);
    EXPECT_EQ(g.TraceSide[0], 3);  // the ends lie on the chord
    EXPECT_EQ(g.TraceSide[8], 3);
    for (int i = 1; i < 8; ++i) EXPECT_EQ(g.TraceSide[i], 13) << i;

    // Down to the left, the left edge is the far one: the stroke below the
    // chord finds it there at (4, 5), and on the upper edge at (7, 3).
    drawSkeleton({"....#", "....#", "....#", "....#", "....#", "...#.", "..#..", ".#...", "#...."});
    ASSERT_EQ(traceStroke(1, 5, 9, 1), 0);
    EXPECT_EQ(g.ChordDirection, -1);
    ASSERT_EQ(g.TraceCount, 9);
    EXPECT_EQ(g.CrossingCount, 2);  // (2, 5) and (8, 2)
    const int sides[9] = {3, 3, 13, 13, 13, 13, 13, 13, 3};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(g.TraceSide[i], sides[i]) << i;
}

TEST(TraceStroke, ChordMarksForEveryDirection) {
    // No skeleton: the trace fails at once, but its marks are already drawn.
    struct Case {
        const char* name;
        int row1, col1, row2, col2;
        int boxTop;
        std::vector<std::string> marks;  // rows 0..8, columns 0..8
    };
    const Case cases[] = {
        {"right, flat", 3, 2, 5, 6, 1,
         {".........", ".........", ".4.......", ".........", "...33....", ".....3...", ".......5.", ".........",
          "........."}},
        {"right, diagonal, lower extension stops at the box", 5, 4, 3, 2, 1,
         {".........", ".........", ".4.......", ".........", "...3.....", ".........", ".....5...", "......5..",
          "........."}},
        {"right, steep", 1, 3, 5, 5, 1,
         {".........", ".........", "....3....", "....3....", ".....3...", ".........", "......5..", "......5..",
          "........."}},
        {"left, flat", 3, 6, 5, 2, 1,
         {".........", ".........", ".......4.", ".....3...", "...33....", ".........", ".5.......", ".........",
          "........."}},
        {"left, steep", 6, 3, 2, 5, 1,
         {".........", "......4..", ".........", ".....3...", "....3....", "....3....", ".........", "..5......",
          "........."}},
        {"vertical", 5, 4, 3, 4, 2,
         {"....4....", "....4....", "....4....", ".........", "....3....", ".........", "....5....", "....5....",
          "........."}},
    };
    for (const Case& c : cases) {
        resetRecognitionState();
        g.ImageHeight = g.ImageWidth = 7;
        g.BoxTop = c.boxTop;
        g.BoxBottom = 7;
        g.BoxLeft = 1;
        g.BoxRight = 7;
        EXPECT_EQ(traceStroke(c.row1, c.col1, c.row2, c.col2), 1) << c.name;
        EXPECT_EQ(rasterArt(), c.marks) << c.name;
    }
}

TEST(TraceStroke, ExtensionsStopAtTheBoxAcrossTheirRun) {
    // Each extension stops where it would leave the box across its run: a
    // flat one past the top or bottom row, a steep one past the left or right
    // column. A position on the box edge is still drawn. With a difference
    // ratio of 1/4 the offsets run 0, 1, 1, 1, 1, 2.
    struct Case {
        const char* name;
        int row1, col1, row2, col2;
        int top, bottom, left, right;
        std::vector<std::string> marks;  // rows 0..10, columns 0..10
    };
    const Case cases[] = {
        {"right, flat", 3, 3, 4, 7, 3, 4, 1, 9,
         {"...........", "...........", "...........", "..4.3......", ".....33.5..", "...........",
          "...........", "...........", "...........", "...........", "..........."}},
        {"right, steep", 3, 3, 7, 4, 1, 9, 3, 4,
         {"...........", "...........", "...4.......", "...........", "...3.......", "....3......",
          "....3......", "...........", "....5......", "...........", "..........."}},
        {"left, flat", 3, 7, 4, 3, 3, 4, 1, 9,
         {"...........", "...........", "...........", ".....33.4..", "..5.3......", "...........",
          "...........", "...........", "...........", "...........", "..........."}},
        {"left, steep", 3, 4, 7, 3, 1, 9, 3, 4,
         {"...........", "...........", "....4......", "...........", "....3......", "....3......",
          "...3.......", "...........", "...5.......", "...........", "..........."}},
    };
    for (const Case& c : cases) {
        resetRecognitionState();
        g.ImageHeight = g.ImageWidth = 9;
        g.BoxTop = c.top;
        g.BoxBottom = c.bottom;
        g.BoxLeft = c.left;
        g.BoxRight = c.right;
        EXPECT_EQ(traceStroke(c.row1, c.col1, c.row2, c.col2), 1) << c.name;
        EXPECT_EQ(rasterArt(), c.marks) << c.name;
    }
}

TEST(TraceStroke, StraightLineLiesOnItsOwnChord) {
    // Drawn with the chord's own rounding, the line is crossed at every chord
    // pixel and no mark 3 is left.
    drawSkeleton({
        "##........",
        "..###.....",
        ".....###..",
        "........##",
    });
    ASSERT_EQ(traceStroke(1, 1, 4, 10), 0);
    EXPECT_EQ(g.ChordDirection, 1);
    EXPECT_EQ(g.ChordSlope, static_cast<float>(3.0 / 9.0));
    EXPECT_EQ(g.ChordLength, 9);
    EXPECT_EQ(g.TraceCount, 10);
    EXPECT_EQ(g.CrossingCount, 8);
    for (const std::string& row : rasterArt()) EXPECT_EQ(row.find('3'), std::string::npos) << row;
    EXPECT_EQ(classifyTrace(g.Unit), 0);
}

TEST(TraceStroke, DeadEndAndFarJunctionFail) {
    drawSkeleton({
        "#....",
        "#....",
        "#....",
        "#####",
        "#....",
        "#....",
    });
    clearMarks(3);
    // (3, 1) has three ink neighbours: a junction three rows above the target.
    EXPECT_EQ(traceStroke(1, 1, 6, 5), 1);
    // Within two rows and two columns of the target, the junction will do.
    clearMarks(3);
    EXPECT_EQ(traceStroke(1, 1, 4, 3), 0);
    EXPECT_EQ(g.TraceCount, 3);
    EXPECT_EQ(g.PathRow[2], 3);
    EXPECT_EQ(g.PathCol[2], 1);
    // A walk that runs off the end of its stroke fails.
    drawSkeleton({"#####", "....."});
    EXPECT_EQ(traceStroke(1, 1, 2, 3), 1);
    EXPECT_EQ(g.TraceCount, 5);
}

TEST(TraceStroke, EndlessLoopFailsAtThePathLimit) {
    // A closed ring with no junction never reaches a target off the ring.
    drawSkeleton({
        ".####.",
        "#....#",
        "#....#",
        "#....#",
        ".####.",
    });
    EXPECT_EQ(traceStroke(1, 2, 3, 3), 1);
    EXPECT_EQ(g.TraceCount, MaxPathPoints);
}

TEST(ClassifyTrace, HandDrawnStrokes) {
    // Bows: a single side all along, the distance peaking at 2 (over a unit
    // of 1), no switch: code 1 for side 3 and 2 for side 13.
    drawSkeleton(RightBow);
    ASSERT_EQ(g.Unit, 1);
    ASSERT_EQ(traceStroke(1, 1, 9, 1), 0);
    EXPECT_EQ(isStraightTrace(g.Unit), 0);
    EXPECT_EQ(classifyTrace(g.Unit), 1);

    drawSkeleton(LeftBow);
    ASSERT_EQ(traceStroke(1, 3, 9, 3), 0);
    EXPECT_EQ(classifyTrace(g.Unit), 2);

    // Three lobes right, left, right of a vertical chord: one switch each way,
    // more points on side 3 than on 13: an S, code 7.
    drawSkeleton({
        "...#...", "....#..", ".....#.", "......#", "......#", ".....#.", "....#..", "...#...",
        "..#....", ".#.....", "#......", "#......", ".#.....", "..#....", "...#...", "....#..",
        ".....#.", "......#", "......#", ".....#.", "....#..", "...#...",
    });
    g.Unit = 1;
    ASSERT_EQ(traceStroke(1, 4, 22, 4), 0);
    ASSERT_EQ(g.TraceCount, 22);
    EXPECT_EQ(g.CrossingCount, 2);
    // The second crossing takes the side of the point before it.
    EXPECT_EQ(g.TraceSide[7], 3);
    EXPECT_EQ(g.TraceSide[14], 13);
    EXPECT_EQ(classifyTrace(g.Unit), 7);

    // A U traced across its mouth: 19 points on a chord of 4 (under five
    // units), all on one side, no switch: a long trace on a short chord.
    drawSkeleton({"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."});
    ASSERT_EQ(g.Unit, 1);
    ASSERT_EQ(traceStroke(1, 1, 1, 5), 0);
    ASSERT_EQ(g.TraceCount, 19);
    EXPECT_EQ(g.ChordLength, 4);
    EXPECT_EQ(classifyTrace(g.Unit), 15);
}

TEST(TraceForkToFork, JoinsTwoForksAndLeavesThemInPlace) {
    const std::vector<std::string> art = {
        "..#.....#..",
        "..#.....#..",
        "###########",
        "..#.....#..",
        "..#.....#..",
    };
    drawSkeleton(art);
    g.ForkPoints[0] = {3, 3};
    g.ForkPoints[1] = {9, 3};
    g.ForkCount = 2;

    EXPECT_EQ(traceForkToFork(0, 1), 1);
    // The arms of each fork, at most three, NW round to W.
    ASSERT_EQ(g.ForkArmCount[0], 3);
    EXPECT_EQ(g.ForkArmPoints[0][0].y, 2);
    EXPECT_EQ(g.ForkArmPoints[0][1].x, 4);
    EXPECT_EQ(g.ForkArmPoints[0][2].y, 4);
    // The trace runs from fork a's east arm to the pixel next to fork b.
    EXPECT_EQ(g.TraceCount, 5);
    EXPECT_EQ(g.PathCol[0], 4);
    EXPECT_EQ(g.PathCol[4], 8);
    // Ink on the chord and on both extensions is a crossing.
    EXPECT_EQ(g.CrossingCount, 8);
    clearMarks(3);
    EXPECT_EQ(fixtures::framedArt(g.WorkRaster), art);

    // Two crosses that do not touch: no join, and nothing is lost.
    const std::vector<std::string> apart = {
        ".#...#.",
        "###.###",
        ".#...#.",
    };
    drawSkeleton(apart);
    g.ForkPoints[0] = {2, 2};
    g.ForkPoints[1] = {6, 2};
    EXPECT_EQ(traceForkToFork(0, 1), 0);
    clearMarks(3);
    EXPECT_EQ(fixtures::framedArt(g.WorkRaster), apart);
}

TEST(WalkFromEndPoint, StopsAtTheFirstJunction) {
    drawSkeleton({
        "#....",
        ".#...",
        "..###",
        "..#..",
    });
    g.EndPoints[0] = {1, 1};
    g.EndCount = 1;
    walkFromEndPoint(0);
    ASSERT_EQ(g.WalkCount, 3);
    EXPECT_EQ(g.PathRow[2], 3);
    EXPECT_EQ(g.PathCol[2], 3);
}

TEST(Quadrants, FromStartFromEndAndSpurs) {
    resetRecognitionState();
    const int rows[] = {0, 4, 1}, cols[] = {5, 6, 0};
    for (int i = 0; i < 3; ++i) {
        g.PathRow[i] = rows[i];
        g.PathCol[i] = cols[i];
    }
    g.TraceCount = 3;
    EXPECT_EQ(quadrantFromStart(0), 3);  // index 0 reads point 1
    EXPECT_EQ(quadrantFromStart(-2), 3);
    EXPECT_EQ(quadrantFromStart(1), 3);
    EXPECT_EQ(quadrantFromStart(2), 4);
    EXPECT_EQ(quadrantFromStart(50), 4);  // clamped to the last point
    EXPECT_EQ(quadrantFromEnd(2), 3);
    EXPECT_EQ(quadrantFromEnd(3), 2);
    EXPECT_EQ(quadrantFromEnd(50), 2);
    EXPECT_EQ(quadrantFromEnd(0), 3);  // at least 2

    // A spur's end against its base: right and above 4, right 1, above 3, else 2.
    const SpurRecord spurs[] = {{2, 9, 5, 5}, {5, 9, 5, 5}, {2, 5, 5, 5}, {7, 1, 5, 5}};
    const int expected[] = {4, 1, 3, 2};
    for (int k = 0; k < 4; ++k) {
        g.Spurs[0] = spurs[k];
        EXPECT_EQ(spurQuadrant(0), expected[k]) << k;
    }
}

TEST(RoundedDistance, AddsFourTenthsThenTruncates) {
    EXPECT_EQ(roundedDistance(10, 10, 14, 13), 5);
    EXPECT_EQ(roundedDistance(0, 0, 3, 8), 8);  // 8.544: rounds down
    EXPECT_EQ(roundedDistance(0, 0, 2, 2), 3);  // 2.828: rounds up
    EXPECT_EQ(roundedDistance(4, 4, 4, 4), 0);

    resetRecognitionState();
    g.BoxTop = 2, g.BoxBottom = 5, g.BoxLeft = 3, g.BoxRight = 7;
    EXPECT_EQ(insideBox(2, 3), 1);
    EXPECT_EQ(insideBox(5, 7), 1);
    EXPECT_EQ(insideBox(6, 7), 0);
    EXPECT_EQ(insideBox(5, 2), 0);
}

}  // namespace

namespace {

struct DrawnCase {
    const char* name;
    std::vector<std::string> art;
    int row1, col1, row2, col2;
    int expected;
};

}  // namespace

TEST(ClassifyTrace, RarerCodesOnDrawnSkeletons) {
    // A hook: straight down the chord, then off it on side 13 near the lower
    // end. Every side and distance worked out by hand.
    drawSkeleton({".#.", ".#.", ".#.", ".#.", ".#.", ".#.", "#..", "#..", "#..", "#..", "#..", "#.#", ".#."});
    ASSERT_EQ(g.Unit, 1);
    ASSERT_EQ(traceStroke(1, 2, 12, 3), 0);
    {
        const std::vector<int> sides = {3, 3, 3, 3, 3, 3, 13, 13, 13, 13, 13, 13, 15, 3};
        const std::vector<int> distances = {0, 0, 0, 0, 0, 0, 1, 1, 2, 2, 1, 1, 0, 0};
        ASSERT_EQ(g.TraceCount, 14);
        EXPECT_EQ(g.CrossingCount, 5);
        for (int i = 0; i < 14; ++i) {
            EXPECT_EQ(g.TraceSide[i], sides[i]) << i;
            EXPECT_EQ(g.TraceDistance[i], distances[i]) << i;
        }
    }
    EXPECT_EQ(classifyTrace(g.Unit), 6);

    // A loop traced from its inside end, up to the left and round past the
    // chord's lower end: a steep left-going chord, side 15 then 5 beyond it.
    drawSkeleton({"..####", ".#....", "#...#.", "#...#.", ".###.."});
    ASSERT_EQ(traceStroke(3, 5, 1, 6), 0);
    {
        const std::vector<int> sides = {3, 15, 15, 15, 5, 5, 5, 5, 5, 3, 3, 3};
        const std::vector<int> distances = {0, 0, 0, 1, 1, 2, 2, 2, 2, 1, 0, 0};
        EXPECT_EQ(g.ChordDirection, -1);
        ASSERT_EQ(g.TraceCount, 12);
        EXPECT_EQ(g.CrossingCount, 1);  // (5, 4), on the lower extension
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(g.TraceSide[i], sides[i]) << i;
            EXPECT_EQ(g.TraceDistance[i], distances[i]) << i;
        }
    }
    EXPECT_EQ(classifyTrace(g.Unit), 10);

    // The other rarer codes, each worked out apart from this code.
    const DrawnCase cases[] = {
        {"bow, left-going chord", {"..###.", ".#...#", ".#...#", "....#.", "...#..", "###..."}, 3, 2, 6, 1, 3},
        {"the same, traced the other way", {"..###.", ".#...#", ".#...#", "....#.", "...#..", "###..."}, 6, 1, 3, 2,
         999},
        {"bow, right-going chord",
         {".......#####.", "##...##.....#", "..###.......#"}, 3, 13, 2, 1, 4},
        {"bow at the upper end, up switch", {"#.....##.", "#....#..#", ".####...#", "......##."}, 1, 1, 4, 7, 5},
        {"overshoot past the upper end",
         {".#..", "#.#.", "#..#", ".#.#", "...#", "...#", "###."}, 7, 1, 4, 2, 9},
        {"bow at the upper end, down switch",
         {"......##.", ".....#..#", "....#...#", "....#..#.", "....#....", "....#....", "....#....", "....#....",
          "...#.....", "###......"},
         4, 8, 10, 1, 11},
        {"bow at the lower end, up switch",
         {"......#", ".....#.", "....#..", "...#...", "..#....", "..#....", "..#....", "...#...", "#..#...",
          "#..#...", ".##...."},
         9, 1, 1, 7, 12},
    };
    for (const DrawnCase& c : cases) {
        drawSkeleton(c.art);
        ASSERT_EQ(traceStroke(c.row1, c.col1, c.row2, c.col2), 0) << c.name;
        EXPECT_EQ(classifyTrace(g.Unit), c.expected) << c.name;
    }
}
