// Thinning, spur pruning, the skeleton box, the global measures and the
// junction clean-up, and whole runs of the preprocessing chain on extreme sizes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "recog/preprocess/preprocess.h"
#include "recog/state/driver.h"
#include "recog/state/state.h"
#include "support/fixtures.h"

using fixtures::drawFramed;
using fixtures::framedArt;
using Art = std::vector<std::string>;

namespace {

// A horizontal line across the glyph with a vertical branch of `branch`
// pixels hanging from its middle.
Art lineWithBranch(int width, int branch) {
    Art art = {std::string(width, '.'), std::string(width, '#')};
    std::string stem(width, '.');
    stem[width / 2 - 1] = '#';
    for (int i = 0; i < branch; ++i) art.push_back(stem);
    art.push_back(std::string(width, '.'));
    return art;
}

std::string diagnostics;
void captureDiagnostic(const char* text) { diagnostics += text; }

void runPreprocessing() {
    smoothGlyph();
    thinAndExtract();
    measureGlyph();
}

// After a settled measurement the glyph area holds only background and ink,
// and nothing was written outside the frame.
void expectCleanSkeleton() {
    const int h = g.ImageHeight, w = g.ImageWidth;
    for (int r = -Raster::Margin; r < Raster::Size + Raster::Margin; ++r)
        for (int c = -Raster::Margin; c < Raster::Size + Raster::Margin; ++c) {
            const uint8_t v = g.WorkRaster[r][c];
            if (r >= 0 && r <= h + 1 && c >= 0 && c <= w + 1)
                ASSERT_LE(v, 1) << r << "," << c;
            else
                ASSERT_EQ(v, 0) << r << "," << c;
        }
}

}  // namespace

TEST(ThinAndExtract, ThickBarBecomesOnePixelLine) {
    const Art bar(5, std::string(12, '#'));
    drawFramed(bar);
    thinAndExtract();
    EXPECT_EQ(framedArt(g.WorkRaster),
              (Art{"............", "............", "...######...", "............", "............"}));
    EXPECT_EQ(framedArt(g.SavedRaster), bar);  // the copy is taken before thinning
    EXPECT_FLOAT_EQ(g.InkDensity, 1.0f);
    EXPECT_EQ(g.ImageMaxSide, 12);
    EXPECT_EQ(g.EndCount, 2);
    EXPECT_EQ((std::vector<int>{g.BoxTop, g.BoxBottom, g.BoxLeft, g.BoxRight, g.BoxHeight, g.BoxWidth}),
              (std::vector<int>{3, 3, 4, 9, 1, 6}));
}

TEST(ThinAndExtract, ThickRingKeepsItsLoop) {
    drawFramed({"..######..", ".########.", "####..####", "###....###", "###....###", "####..####",
                ".########.", "..######.."});
    runPreprocessing();
    EXPECT_EQ(g.HoleCount, 1);
    EXPECT_EQ(g.EndCount, 0);
    EXPECT_EQ(g.ForkCount, 0);
    EXPECT_EQ(g.IsolatedCount, 0);
    for (int r = 1; r <= g.ImageHeight; ++r)
        for (int c = 1; c <= g.ImageWidth; ++c)
            if (g.WorkRaster[r][c]) {
                EXPECT_EQ(inkNeighbourCount(r, c), 2) << r << "," << c;
            }
}

TEST(TraceContour, ClosesOnTheSecondPointAndCutsAtTheFullPath) {
    // A one-pixel line is passed on both sides: its inner pixel is raised
    // twice, the start only marked, and the repeated start dropped.
    drawFramed({"###"});
    EXPECT_EQ(traceContour(1, 1, 0), 0);
    ASSERT_EQ(g.WalkCount, 4);
    std::vector<std::pair<int, int>> path;
    for (int i = 0; i < g.WalkCount; ++i) path.push_back({g.PathRow[i], g.PathCol[i]});
    EXPECT_EQ(path, (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {1, 3}, {1, 2}}));
    EXPECT_EQ((std::vector<int>{g.WorkRaster[1][1], g.WorkRaster[1][2], g.WorkRaster[1][3]}),
              (std::vector<int>{2, 3, 2}));

    // A lone pixel: marked, and the trace ends at once.
    drawFramed({"...", ".#.", "..."});
    EXPECT_EQ(traceContour(2, 2, 0), 0);
    EXPECT_EQ(g.WalkCount, 1);
    EXPECT_EQ(g.WorkRaster[2][2], 2);

    // A comb whose contour is far longer than the path: the trace runs along
    // the back to the right and returns tooth by tooth; it stops with the path
    // full, every point on it traced, and the teeth near the start untouched.
    const int width = 401;
    Art comb = {std::string(width, '#')};
    std::string teeth(width, '.');
    for (int c = 0; c < width; c += 2) teeth[c] = '#';
    for (int i = 0; i < 12; ++i) comb.push_back(teeth);
    drawFramed(comb);
    EXPECT_EQ(traceContour(1, 1, 0), 1);
    ASSERT_EQ(g.WalkCount, MaxPathPoints);
    for (int i = 0; i < g.WalkCount; ++i) {
        ASSERT_GE(g.WorkRaster[g.PathRow[i]][g.PathCol[i]], 2) << i;
        if (i > 0) {
            ASSERT_LE(std::abs(g.PathRow[i] - g.PathRow[i - 1]), 1) << i;
            ASSERT_LE(std::abs(g.PathCol[i] - g.PathCol[i - 1]), 1) << i;
        }
    }
    EXPECT_EQ(g.WorkRaster[7][width], 3);  // the last tooth, passed down and up
    EXPECT_EQ(g.WorkRaster[13][1], 1);
}

TEST(SpurPruning, BranchesUpToTheLimitFromAnEndToAJunctionGo) {
    // Smoothing, pre-clean and the first pass shorten a free end by two
    // pixels, so a branch drawn with n pixels reaches the junction with n - 3.
    // The limit is (ImageMaxSide + 10) / 20, at least 3.
    struct Case {
        int width, branch;
        bool pruned;
    };
    const std::vector<Case> cases = {
        {20, 6, true}, {20, 7, false}, {40, 6, true}, {40, 7, false}, {100, 8, true}, {100, 9, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << "width " << test.width << ", branch " << test.branch);
        drawFramed(lineWithBranch(test.width, test.branch));
        smoothGlyph();
        thinAndExtract();
        const int column = test.width / 2;
        if (test.pruned) {
            ASSERT_EQ(g.SpurCount, 1);
            const SpurRecord& spur = g.Spurs[0];
            EXPECT_EQ((std::vector<int>{spur.endRow, spur.endCol, spur.baseRow, spur.baseCol}),
                      (std::vector<int>{test.branch, column, 4, column}));
            EXPECT_EQ(g.EndCount, 2);
            EXPECT_EQ(g.BoxBottom, 3);
        } else {
            EXPECT_EQ(g.SpurCount, 0);
            EXPECT_EQ(g.EndCount, 3);
            EXPECT_EQ(g.BoxBottom, test.branch);
        }
    }

    // Two branches of the same length: the first end point's goes first.
    Art twin = lineWithBranch(40, 6);
    for (size_t r = 2; r < 8; ++r) twin[r][29] = '#';
    drawFramed(twin);
    smoothGlyph();
    thinAndExtract();
    ASSERT_EQ(g.SpurCount, 2);
    EXPECT_EQ(g.Spurs[0].endCol, 20);
    EXPECT_EQ(g.Spurs[1].endCol, 30);

    // A short stroke that ends freely at both ends stays.
    Art art = {std::string(40, '.'), std::string(40, '#'), std::string(40, '.')};
    for (int i = 0; i < 6; ++i) art.push_back(std::string(9, '.') + "#" + std::string(30, '.'));
    drawFramed(art);
    smoothGlyph();
    thinAndExtract();
    EXPECT_EQ(g.SpurCount, 0);
    EXPECT_EQ(g.EndCount, 4);
}

TEST(SpurPruning, StopsWhenAThirtyThirdSpurWouldGo) {
    // A comb of 40 short teeth on a bar.
    const int width = 130;
    Art art = {std::string(width, '.'), std::string(width, '#')};
    std::string teeth(width, '.');
    for (int c = 6; c < width - 5; ++c)
        if (c % 3 == 1) teeth[c] = '#';
    for (int i = 0; i < 8; ++i) art.push_back(teeth);
    art.push_back(std::string(width, '.'));
    drawFramed(art);
    smoothGlyph();
    thinAndExtract();
    EXPECT_EQ(g.SpurCount, MaxSpurs);
    EXPECT_GE(g.EndCount, 8);  // the teeth left standing
}

TEST(SkeletonBox, EmptyRasterGivesAnInvertedBox) {
    drawFramed(Art(6, std::string(9, '.')));
    thinAndExtract();
    EXPECT_EQ((std::vector<int>{g.BoxTop, g.BoxBottom, g.BoxLeft, g.BoxRight, g.BoxHeight, g.BoxWidth}),
              (std::vector<int>{7, 1, 10, 1, -5, -8}));
}

TEST(MeasureGlyph, UnitsAndAspectRatio) {
    struct Case {
        int boxHeight, boxWidth, unitHeight, unitWidth, unit;
    };
    for (const Case& test : std::vector<Case>{{24, 10, 4, 2, 3}, {2, 2, 0, 0, 0}, {3, 10, 1, 2, 1}}) {
        drawFramed(Art(30, std::string(20, '.')));
        g.BoxTop = g.BoxLeft = 1;
        g.BoxHeight = test.boxHeight;
        g.BoxWidth = test.boxWidth;
        g.BoxBottom = test.boxHeight;
        g.BoxRight = test.boxWidth;
        EXPECT_EQ(measureGlyph(), 0);
        EXPECT_EQ((std::vector<int>{g.UnitHeight, g.UnitWidth, g.Unit}),
                  (std::vector<int>{test.unitHeight, test.unitWidth, test.unit}))
            << test.boxHeight << " x " << test.boxWidth;
        EXPECT_EQ(g.AspectRatio, 1.5f);
    }
}

TEST(MeasureGlyph, ProfilesOfTheFilledGlyph) {
    drawFramed({".##.##.", ".......", "#######"});
    g.SavedRaster = g.WorkRaster;
    g.WorkRaster = Raster{};
    g.BoxTop = g.BoxLeft = 1;
    g.BoxBottom = g.BoxRight = 1;
    ASSERT_EQ(measureGlyph(), 0);
    auto row = [](const auto* values) { return std::vector<int>(values, values + 3); };
    auto column = [](const auto* values) { return std::vector<int>(values, values + 7); };
    // The first run of row 1 has only one background pixel after it.
    EXPECT_EQ(row(g.RowRuns), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(row(g.RowWideRuns), (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(row(g.RowInk), (std::vector<int>{4, 0, 7}));
    EXPECT_EQ(row(g.LeftMargin), (std::vector<int>{1, 7, 0}));
    EXPECT_EQ(row(g.RightMargin), (std::vector<int>{1, 7, 0}));
    EXPECT_EQ(column(g.ColumnInk), (std::vector<int>{1, 2, 2, 1, 2, 2, 1}));
    EXPECT_EQ(column(g.ColumnRuns), (std::vector<int>{1, 2, 2, 1, 2, 2, 1}));
    EXPECT_EQ(column(g.ColumnWideRuns), (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(column(g.TopMargin), (std::vector<int>{2, 0, 0, 2, 0, 0, 2}));
    EXPECT_EQ(column(g.BottomMargin), (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
    // The wide-run guard column and row of the saved glyph are background.
    EXPECT_EQ(g.SavedRaster[1][9], 0);
}

TEST(MeasureGlyph, MarginsAreKeptModulo256InSignedBytes) {
    std::string line(300, '.');
    line[200] = '#';
    drawFramed({line, line});
    g.SavedRaster = g.WorkRaster;
    g.BoxTop = g.BoxLeft = 1;
    ASSERT_EQ(measureGlyph(), 0);
    EXPECT_EQ(g.LeftMargin[0], 200 - 256);
    EXPECT_EQ(g.RightMargin[0], 99);
    EXPECT_EQ(g.TopMargin[0], 2);
    EXPECT_EQ(g.ColumnWideRuns[200], 1);
}

TEST(CleanJunctions, PlusWhoseLowerArmBendsLeftGetsADiagonalStep) {
    drawFramed({"....#....", "....#....", "#########", "....#....", "...#.....", "..#......"});
    EXPECT_EQ(cleanJunctions(), 0);
    EXPECT_EQ(framedArt(g.WorkRaster),
              (Art{"....#....", "....#....", "####.####", "...#.....", "...#.....", "..#......"}));

    // Straight arms: the upper arm is moved to the right.
    drawFramed({"....#....", "....#....", "#########", "....#....", "....#....", "....#...."});
    EXPECT_EQ(cleanJunctions(), 0);
    EXPECT_EQ(framedArt(g.WorkRaster),
              (Art{"....#....", ".....#...", "####.####", "....#....", "....#....", "....#...."}));
}

TEST(CleanJunctions, ArmPixelMovesOutwardAndDiagonalCrossSplits) {
    // Code 106 (N, NE, SE, SW): the NE arm pixel moves up; the arm pixel
    // beyond it stays, as it still joins two others.
    drawFramed({".....#", "....#.", "..##..", "..#...", ".#.#..", "#...#."});
    EXPECT_EQ(cleanJunctions(), 0);
    EXPECT_EQ(framedArt(g.WorkRaster), (Art{".....#", "...##.", "..#...", "..#...", ".#.#..", "#...#."}));

    // Code 170: the right-hand arms move one column right and the pixel and
    // its east neighbour become two forks side by side.
    drawFramed({"#.....#", ".#...#.", "..#.#..", "...#...", "..#.#..", ".#...#.", "#.....#"});
    EXPECT_EQ(cleanJunctions(), 0);
    EXPECT_EQ(framedArt(g.WorkRaster),
              (Art{"#.....#", ".#...#.", "..#..#.", "...##..", "..#..#.", ".#...#.", "#.....#"}));
    collectForkPoints();
    EXPECT_EQ(g.ForkCount, 2);
}

namespace {

// Set pixels of the glyph area in 8-connected groups.
int inkGroups() {
    const int h = g.ImageHeight, w = g.ImageWidth;
    std::vector<std::vector<bool>> seen(h + 2, std::vector<bool>(w + 2, false));
    int groups = 0;
    for (int r = 1; r <= h; ++r)
        for (int c = 1; c <= w; ++c) {
            if (!g.WorkRaster[r][c] || seen[r][c]) continue;
            ++groups;
            std::vector<std::pair<int, int>> stack = {{r, c}};
            seen[r][c] = true;
            while (!stack.empty()) {
                const auto [pr, pc] = stack.back();
                stack.pop_back();
                for (int dr = -1; dr <= 1; ++dr)
                    for (int dc = -1; dc <= 1; ++dc) {
                        const int nr = pr + dr, nc = pc + dc;
                        if (nr < 1 || nr > h || nc < 1 || nc > w || seen[nr][nc] || !g.WorkRaster[nr][nc]) continue;
                        seen[nr][nc] = true;
                        stack.push_back({nr, nc});
                    }
            }
        }
    return groups;
}

}  // namespace

TEST(CleanJunctions, EveryFourArmShapeIsRewrittenAsItsRowSays) {
    // A pixel with exactly its four ink neighbours of code k, alone in a 7 x 7
    // glyph: after the clean-up the pixels of `cleared` are background, those
    // of `inked` ink, and the ink is still one 8-connected group.
    using Offsets = std::vector<std::pair<int, int>>;
    const std::pair<int, int> P{0, 0}, N{-1, 0}, NE{-1, 1}, E{0, 1}, SE{1, 1}, S{1, 0}, SW{1, -1}, W{0, -1},
        NW{-1, -1};
    struct Case {
        int code;
        Offsets cleared, inked;
    };
    const std::vector<Case> cases = {
        {27, {P}, {N}},   {45, {P}, {N}},   {51, {P}, {S}},   {210, {P}, {S}},  {90, {P}, {W}},
        {102, {P}, {E}},  {165, {P}, {E}},  {75, {P}, {E}},   {204, {P}, {E}},  {105, {P}, {S}},
        {153, {P}, {S}},  {108, {P}, {W}},  {150, {P}, {N}},  {180, {P}, {W}},  {177, {P}, {S}},
        {198, {P}, {E}},  {106, {NE}, {{-2, 1}, P}},          {178, {NE}, {{-1, 2}, P}},
        {154, {SE}, {{1, 2}, P}},           {172, {SE}, {{2, 1}, P}},           {43, {SW}, {{1, -2}, P}},
        {166, {SW}, {{2, -1}, P}},          {169, {NW}, {{-1, -2}, P}},         {202, {NW}, {{-2, -1}, P}},
        {170, {NE, SE}, {P, E, {-1, 2}, {1, 2}}},
    };
    const Offsets ring = {NW, N, NE, E, SE, S, SW, W};
    const int bits[8] = {128, 64, 32, 16, 8, 4, 2, 1};
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << "code " << test.code);
        drawFramed(Art(7, std::string(7, '.')));
        const int r = 4, c = 4;
        g.WorkRaster[r][c] = 1;
        for (int i = 0; i < 8; ++i)
            if (test.code & bits[i]) g.WorkRaster[r + ring[i].first][c + ring[i].second] = 1;
        ASSERT_EQ(inkNeighbourCount(r, c), 4);
        ASSERT_EQ(cleanJunctions(), 0);
        for (const auto& [dr, dc] : test.cleared) EXPECT_EQ(g.WorkRaster[r + dr][c + dc], 0) << dr << "," << dc;
        for (const auto& [dr, dc] : test.inked) EXPECT_EQ(g.WorkRaster[r + dr][c + dc], 1) << dr << "," << dc;
        EXPECT_EQ(inkGroups(), 1);
    }

    // Code 156 moves its lower arms only when E, SE and S have the codes 39,
    // 201 and 114: S and SE go, SW and (+1,+2) come, and the two pixels below
    // them, left alone as ends, are dropped.
    const Art armsBelow = {"#..#.", ".##..", ".##..", "#..#.", "....."};
    drawFramed(armsBelow);
    ASSERT_EQ(neighbourCode(2, 2), 156);
    EXPECT_EQ(cleanJunctions(), 0);
    EXPECT_EQ(framedArt(g.WorkRaster), (Art{"#..#.", ".##..", "#..#.", ".....", "....."}));
    // With one more pixel below SE and S their codes differ: nothing moves,
    // and the four-neighbour pixel never settles.
    Art other = armsBelow;
    other[3][2] = '#';
    drawFramed(other);
    ASSERT_EQ(neighbourCode(2, 2), 156);
    setDiagnosticWriter(captureDiagnostic);
    EXPECT_EQ(cleanJunctions(), 1);
    setDiagnosticWriter(nullptr);
    EXPECT_EQ(framedArt(g.WorkRaster), other);
}

TEST(CleanJunctions, PlusTakesTheFirstArmThatBendsAway) {
    // A plus of one-pixel arms with arm ends at the given offsets: the centre
    // goes, and the first arm (in the order S, E, N, W) whose end bends to one
    // side only is joined diagonally; with none, N gives way to NE.
    using Offsets = std::vector<std::pair<int, int>>;
    struct Case {
        Offsets ends;
        std::pair<int, int> cleared, inked;
    };
    const std::vector<Case> cases = {
        {{{2, -1}}, {1, 0}, {1, -1}},
        {{{2, 1}}, {1, 0}, {1, 1}},
        {{{-1, 2}}, {0, 1}, {-1, 1}},
        {{{1, 2}}, {0, 1}, {1, 1}},
        {{{-2, -1}}, {-1, 0}, {-1, -1}},
        {{{-2, 1}}, {-1, 0}, {-1, 1}},
        {{{-1, -2}}, {0, -1}, {-1, -1}},
        {{{1, -2}}, {0, -1}, {1, -1}},
        {{}, {-1, 0}, {-1, 1}},
        {{{-1, 2}, {2, -1}}, {1, 0}, {1, -1}},  // S is tried before E
        {{{2, -1}, {2, 1}, {1, 2}}, {0, 1}, {1, 1}},  // S bends both ways: E next
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << "first end " << (test.ends.empty() ? 0 : test.ends[0].first) << ","
                                        << (test.ends.empty() ? 0 : test.ends[0].second));
        drawFramed(Art(7, std::string(7, '.')));
        const int r = 4, c = 4;
        for (const auto& [dr, dc] : Offsets{{0, 0}, {-1, 0}, {0, 1}, {1, 0}, {0, -1}}) g.WorkRaster[r + dr][c + dc] = 1;
        for (const auto& [dr, dc] : test.ends) g.WorkRaster[r + dr][c + dc] = 1;
        ASSERT_EQ(cleanJunctions(), 0);
        EXPECT_EQ(g.WorkRaster[r][c], 0);
        EXPECT_EQ(g.WorkRaster[r + test.cleared.first][c + test.cleared.second], 0);
        EXPECT_EQ(g.WorkRaster[r + test.inked.first][c + test.inked.second], 1);
        EXPECT_EQ(inkGroups(), 1);
    }
}

TEST(ThinAndExtract, DiagonalPinchBetweenThickPartsIsCut) {
    // Two parts that touch only at a corner fall apart when both corner pixels
    // have four or more ink neighbours; when one has three they stay joined.
    struct Case {
        const char* name;
        Art art;
        int groups;
    };
    const std::vector<Case> cases = {
        {"blocks joined down to the right", {"###.....", "###.....", "###.....", "...###..", "...###..", "...###.."}, 2},
        {"blocks joined down to the left", {".....###", ".....###", ".....###", "..###...", "..###...", "..###..."}, 2},
        {"block and a band", {"###.....", "###.....", "###.....", "...##...", "....##..", ".....##.", "......##"}, 1},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        drawFramed(test.art);
        thinAndExtract();
        EXPECT_EQ(inkGroups(), test.groups);
    }
}

TEST(MeasureGlyph, UnsettledJunctionKeepsTheEarlierListsAndSaysSo) {
    drawFramed({"..#..", "..#..", ".###.", "....."});  // code 78 has no rewrite
    g.ForkCount = 5;
    g.HoleCount = 2;
    g.RowInk[0] = 42;
    g.JunctionsSettled = 1;
    g.BoxWidth = 10;
    g.BoxHeight = 24;
    diagnostics.clear();
    setDiagnosticWriter(captureDiagnostic);
    EXPECT_EQ(measureGlyph(), 1);
    setDiagnosticWriter(nullptr);
    EXPECT_EQ(diagnostics, "numfo can't del\r\n");
    EXPECT_EQ(g.JunctionsSettled, 0);
    EXPECT_EQ(g.Unit, 3);  // the units come before the clean-up
    EXPECT_EQ(g.ForkCount, 5);
    EXPECT_EQ(g.HoleCount, 2);
    EXPECT_EQ(g.RowInk[0], 42);
}

TEST(Preprocessing, EmptyGlyphRunsThroughEveryStage) {
    for (const auto& [height, width] : std::vector<std::pair<int, int>>{{0, 0}, {0, 7}, {7, 0}}) {
        SCOPED_TRACE(testing::Message() << height << " x " << width);
        resetRecognitionState();
        g.ImageHeight = height;
        g.ImageWidth = width;
        runPreprocessing();
        EXPECT_TRUE(std::isnan(g.InkDensity));
        EXPECT_EQ(g.BoxTop, height + 1);
        EXPECT_EQ(g.BoxLeft, width + 1);
        EXPECT_EQ(g.BoxWidth, 1 - width);
        EXPECT_EQ(g.JunctionsSettled, 1);
        EXPECT_EQ(g.EndCount + g.ForkCount + g.IsolatedCount + g.HoleCount + g.SpurCount, 0);
        expectCleanSkeleton();
    }
}

TEST(Preprocessing, GlyphsOfTheFullWidthOrHeightStayInsideTheRaster) {
    // Ink on every edge: rings, crosses, combs, a checkerboard and solid blocks.
    const int length = Raster::Size;
    Art wide(10, std::string(length, '.'));
    for (int c = 0; c < length; ++c) {
        const int block = (c / 16) % 5, x = c % 16;
        for (int r = 0; r < 10; ++r) {
            bool ink = false;
            switch (block) {
            case 0: ink = (r == 0 || r == 9 || x == 0 || x == 12) && x <= 12; break;
            case 1: ink = r == 4 || x == 6 || r == x; break;
            case 2: ink = r == 0 || (x % 3 == 0 && r < 7); break;
            case 3: ink = (r + x) % 2 == 0; break;
            default: ink = x < 14 && (r + x) % 7 != 3; break;
            }
            if (c == 0 || c == length - 1) ink = true;
            wide[r][c] = ink ? '#' : '.';
        }
    }
    Art tall(length, std::string(10, '.'));
    for (int r = 0; r < length; ++r)
        for (int c = 0; c < 10; ++c) tall[r][c] = wide[c][r];
    for (const Art* art : {&wide, &tall}) {
        drawFramed(*art);
        runPreprocessing();
        EXPECT_EQ(g.ImageMaxSide, length);
        EXPECT_EQ(g.JunctionsSettled, 1);
        EXPECT_GT(g.HoleCount, 0);
        EXPECT_GT(g.EndCount, 0);
        clearMarks(2);
        // Reads went past the frame, writes did not.
        for (int r = g.ImageHeight + 3; r < Raster::Size + Raster::Margin; ++r)
            ASSERT_EQ(g.WorkRaster[r][1], 0);
    }
}
