// Smoothing, hole labelling, the neighbourhood queries and the feature lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recog/preprocess/preprocess.h"
#include "recog/state/state.h"
#include "support/fixtures.h"

using fixtures::drawFramed;
using fixtures::framedArt;
using Art = std::vector<std::string>;

namespace {

std::vector<std::pair<int, int>> pointList(const PointXY* points, int count) {
    std::vector<std::pair<int, int>> out;
    for (int i = 0; i < count; ++i) out.emplace_back(points[i].x, points[i].y);
    return out;
}

}  // namespace

TEST(SmoothGlyph, FillsPinholesAndClosedTwoPixelGapsOnly) {
    struct Case {
        const char* name;
        Art before;
        Art after;
    };
    const std::vector<Case> cases = {
        {"pinhole", {"#####", "##.##", "#####"}, {"#####", "#####", "#####"}},
        {"horizontal gap", {"######", "#..###", "######"}, {"######", "######", "######"}},
        {"vertical gap", {"###", "#.#", "#.#", "###"}, {"###", "###", "###", "###"}},
        // Row 1 and column 1 are never visited, nor the last row and column.
        {"pinhole in row 1", {"#.#", "###", "###"}, {"#.#", "###", "###"}},
        {"pinhole in column 1", {"###", "..#", "###", "###"}, {"###", "..#", "###", "###"}},
        {"three-pixel gap", {"#####", "#...#", "#####"}, {"#####", "#...#", "#####"}},
        {"gap open above", {"##.###", "#..###", "######"}, {"##.###", "#..###", "######"}},
        {"gap open below", {"###", "#.#", "#.#", "#.#"}, {"###", "#.#", "#.#", "#.#"}},
        // A pixel filled is seen by those after it: the second hole of the pair
        // becomes a pinhole once the first one is ink.
        {"filled pixel seen later", {"######", "#.#..#", "######"}, {"######", "######", "######"}},
    };
    for (const Case& test : cases) {
        drawFramed(test.before);
        EXPECT_EQ(smoothGlyph(), 0);
        EXPECT_EQ(framedArt(g.WorkRaster), test.after) << test.name;
    }
}

TEST(LabelHoles, RecordsEnclosedRegionsOfThreeOrMorePixels) {
    // An 'o' ring closed through diagonal steps at its corners.
    drawFramed({".####.", "#....#", "#....#", ".####."});
    EXPECT_EQ(labelHoles(0), 0);
    ASSERT_EQ(g.HoleCount, 1);
    const HoleRecord& ring = g.Holes[0];
    EXPECT_EQ((std::vector<int>{ring.top, ring.bottom, ring.left, ring.right, ring.label, ring.area}),
              (std::vector<int>{2, 3, 2, 5, 6, 8}));
    EXPECT_EQ(std::vector<int>(g.HoleRuns[0], g.HoleRuns[0] + 8), (std::vector<int>{2, 5, 2, 5, 2, 3, 2, 3}));
    // The label stays in the raster; the outside goes back to background.
    EXPECT_EQ(g.WorkRaster[2][3], 6);
    EXPECT_EQ(g.WorkRaster[1][1], 0);

    // A diamond touches the outside only diagonally: still a hole.
    drawFramed({"..#..", ".#.#.", "#...#", ".#.#.", "..#.."});
    EXPECT_EQ(labelHoles(0), 0);
    ASSERT_EQ(g.HoleCount, 1);
    EXPECT_EQ(g.Holes[0].area, 5);
    EXPECT_EQ(std::vector<int>(g.HoleRuns[0], g.HoleRuns[0] + 8), (std::vector<int>{3, 3, 3, 3, 3, 3, 3, 3}));

    // A hole of two pixels is outside unless small ones are kept.
    const Art twoPixels = {"####", "#..#", "####"};
    drawFramed(twoPixels);
    EXPECT_EQ(labelHoles(0), 0);
    EXPECT_EQ(g.HoleCount, 0);
    EXPECT_EQ(framedArt(g.WorkRaster), twoPixels);
    EXPECT_EQ(g.WorkRaster[2][2], 0);
    drawFramed(twoPixels);
    labelHoles(1);
    ASSERT_EQ(g.HoleCount, 1);
    EXPECT_EQ(g.Holes[0].area, 2);
}

TEST(LabelHoles, HolesAreLabelledInScanOrderAndSortedLargestFirst) {
    drawFramed({"#####", "#...#", "#####", "#.#.#", "#...#", "#####"});
    EXPECT_EQ(labelHoles(0), 0);
    ASSERT_EQ(g.HoleCount, 2);
    EXPECT_EQ(g.Holes[0].area, 3);
    EXPECT_EQ(g.Holes[1].area, 5);
    // The lower hole is a U: its top run is the first of the two arms.
    EXPECT_EQ(std::vector<int>(g.HoleRuns[1], g.HoleRuns[1] + 8), (std::vector<int>{2, 2, 2, 4, 4, 5, 4, 5}));
    sortHoles();
    EXPECT_EQ(g.Holes[0].label, 7);
    EXPECT_EQ(g.Holes[0].area, 5);
    EXPECT_EQ(g.HoleRuns[0][2], 2);
    EXPECT_EQ(g.Holes[1].label, 6);
}

TEST(LabelHoles, StopsAtTheThirtySecondHole) {
    // 33 three-pixel holes side by side.
    std::string top(4 * 33 + 1, '#'), middle = "#";
    for (int i = 0; i < 33; ++i) middle += "...#";
    drawFramed({top, middle, top, std::string(top.size(), '.')});
    EXPECT_EQ(labelHoles(0), 1);
    EXPECT_EQ(g.HoleCount, MaxHoles);
    EXPECT_EQ(g.Holes[31].label, 37);
    // The 33rd hole is untouched and the outside marks stay.
    EXPECT_EQ(g.WorkRaster[2][4 * 32 + 2], 0);
    EXPECT_EQ(g.WorkRaster[4][1], 5);
}

TEST(SortHoles, ExchangeSortsRecordsAndRunsTogether) {
    struct Case {
        std::vector<int> areas;
        std::vector<int> labels;  // labels after the sort (labels start as 6, 7, ...)
    };
    const std::vector<Case> cases = {
        {{10, 40}, {7, 6}},
        {{10, 40, 25}, {7, 8, 6}},
        // Equal areas are never swapped directly, but an exchange can still
        // move one past the other.
        {{5, 5, 9}, {8, 7, 6}},
        {{9, 5, 5}, {6, 7, 8}},
    };
    for (const Case& test : cases) {
        resetRecognitionState();
        g.HoleCount = static_cast<int16_t>(test.areas.size());
        for (size_t i = 0; i < test.areas.size(); ++i) {
            g.Holes[i].area = static_cast<int16_t>(test.areas[i]);
            g.Holes[i].label = static_cast<int16_t>(6 + i);
            for (int k = 0; k < 8; ++k) g.HoleRuns[i][k] = static_cast<int32_t>(6 + i);
        }
        sortHoles();
        for (size_t i = 0; i < test.labels.size(); ++i) {
            EXPECT_EQ(g.Holes[i].label, test.labels[i]) << "position " << i;
            EXPECT_EQ(g.HoleRuns[i][7], test.labels[i]) << "runs follow their hole";
        }
    }
}

TEST(NeighbourTables, OneGroupOfNeighboursIsSimple) {
    for (int code : {0, 1, 64, 3, 7, 85, 255, 0xF0, 0x0F}) EXPECT_EQ(ThinTable[code], 1) << code;
    // N with S, E with W, NE with SE, NW with NE, and two opposite corners.
    for (int code : {68, 17, 40, 160, 136, 64 + 8 + 1}) EXPECT_EQ(ThinTable[code], 0) << code;
    int peelDiffers = 0;
    for (int code = 0; code < 256; ++code) peelDiffers += PeelTable[code] != ThinTable[code];
    EXPECT_EQ(peelDiffers, 17);  // code 0 and the sixteen with all four edge neighbours
    EXPECT_EQ(PeelTable[0], 0);
    EXPECT_EQ(PeelTable[85], 0);
    EXPECT_EQ(PeelTable[253], 0);
    EXPECT_EQ(PeelTable[84], 1);
}

TEST(NeighbourQueries, CodeCountsSetPixelsButInkCountsOnlyOnes) {
    drawFramed({"#.#", ".##", "..#"});
    g.WorkRaster[3][2] = 3;  // a chord mark: set but not ink
    EXPECT_EQ(neighbourCode(2, 2), 128 + 32 + 16 + 8 + 4);
    EXPECT_EQ(inkNeighbourCount(2, 2), 4);
    EXPECT_EQ(isSimplePoint(2, 2), 0);  // NW apart from the arc NE-E-SE-S
}

TEST(FeaturePoints, EndsForksAndIsolatedPointsOfSmallSkeletons) {
    using Points = std::vector<std::pair<int, int>>;  // {x, y}
    struct Case {
        const char* name;
        Art art;
        Points ends, forks;
        std::vector<int> arms;
        Points isolated;
    };
    const std::vector<Case> cases = {
        {"line and dot", {"#....", ".#...", "..#..", ".....", "....#"}, {{1, 1}, {3, 3}}, {}, {}, {{5, 5}}},
        // The junction of a T has three edge neighbours: no fork; the pixel
        // below it has four ink neighbours.
        {"T", {"#######", "...#...", "...#...", "...#..."}, {{1, 1}, {7, 1}, {4, 4}}, {{4, 2}}, {1}, {}},
        {"Y", {"..#..", "..#..", "..#..", ".#.#.", "#...#"}, {{3, 1}, {1, 5}, {5, 5}}, {{3, 3}}, {0}, {}},
        // Three arms NW, E, SW, pairwise apart.
        {"arrow", {"#....", ".####", "#...."}, {{1, 1}, {5, 2}, {1, 3}}, {{2, 2}}, {0}, {}},
        // A thick bend: the diagonal neighbour touches an edge neighbour.
        {"thick corner", {"#...", "##..", ".#..", ".#.."}, {{2, 4}}, {}, {}, {}},
        {"diagonal cross", {"#...#", ".#.#.", "..#..", ".#.#.", "#...#"},
         {{1, 1}, {5, 1}, {1, 5}, {5, 5}}, {{3, 3}}, {1}, {}},
    };
    for (const Case& test : cases) {
        drawFramed(test.art);
        EXPECT_EQ(collectEndAndIsolatedPoints(), 0);
        EXPECT_EQ(collectForkPoints(), 0);
        EXPECT_EQ(pointList(g.EndPoints, g.EndCount), test.ends) << test.name;
        EXPECT_EQ(pointList(g.ForkPoints, g.ForkCount), test.forks) << test.name;
        EXPECT_EQ(std::vector<int>(g.ForkArms, g.ForkArms + g.ForkCount), test.arms) << test.name;
        EXPECT_EQ(pointList(g.IsolatedPoints, g.IsolatedCount), test.isolated) << test.name;
    }
}

TEST(FeaturePoints, FullListsStopGrowing) {
    // 30 dots: the list holds 24.
    Art dots(3, std::string(60, '.'));
    for (int i = 0; i < 30; ++i) dots[1][2 * i] = '#';
    drawFramed(dots);
    EXPECT_EQ(collectEndAndIsolatedPoints(), 1);
    EXPECT_EQ(g.IsolatedCount, MaxIsolatedPoints);
    EXPECT_EQ(g.IsolatedPoints[23].x, 47);
}

TEST(StepAlongSkeleton, PrefersEdgeNeighboursAndNeverStepsBack) {
    drawFramed({"#...", "##..", ".##.", "..##"});
    g.CursorRow = 1;
    g.CursorCol = 1;
    g.PrevRow = -1;
    g.PrevCol = -1;
    std::vector<std::pair<int, int>> walk;
    for (int i = 0; i < 6; ++i) {
        const int row = g.CursorRow, col = g.CursorCol;
        ASSERT_EQ(stepAlongSkeleton(), 1);
        g.PrevRow = row;
        g.PrevCol = col;
        walk.emplace_back(g.CursorRow, g.CursorCol);
    }
    EXPECT_EQ(walk, (std::vector<std::pair<int, int>>{{2, 1}, {2, 2}, {3, 2}, {3, 3}, {4, 3}, {4, 4}}));

    // The only ink neighbour is where the walk came from: no way on.
    drawFramed({"##"});
    g.CursorRow = 1;
    g.CursorCol = 2;
    g.PrevRow = 1;
    g.PrevCol = 1;
    EXPECT_EQ(stepAlongSkeleton(), 0);
    EXPECT_EQ(g.CursorCol, 2);
}
