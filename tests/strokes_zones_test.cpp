// Grid cells over the skeleton box and the left-to-right ordering of points.
#include <gtest/gtest.h>

#include <vector>

#include "recog/state/state.h"
#include "recog/strokes/strokes.h"

namespace {

void setBox(int top, int height, int left, int width) {
    resetRecognitionState();
    g.BoxTop = top;
    g.BoxHeight = height;
    g.BoxBottom = top + height - 1;
    g.BoxLeft = left;
    g.BoxWidth = width;
    g.BoxRight = left + width - 1;
}

TEST(ZoneOf, CellsOfTheGridOverTheBox) {
    setBox(10, 30, 5, 20);
    EXPECT_EQ(zoneOf(3, 15, 20), 4);  // 3 * trunc(10 / 10) + trunc(10 / 6.67)
    EXPECT_EQ(zoneOf(3, 5, 10), 0);
    EXPECT_EQ(zoneOf(3, g.BoxRight, g.BoxBottom), 8);  // the last edge stays in the last cell
    EXPECT_EQ(zoneOf(5, g.BoxRight, g.BoxBottom), 24);
    EXPECT_EQ(zoneOf(3, 5, 19), 0);   // 9 rows down: just short of the second row of cells
    EXPECT_EQ(zoneOf(3, 5, 20), 3);   // 10 rows down: exactly on it
    EXPECT_EQ(zoneOf(3, 11, 10), 0);  // 6 columns: short of 6.67
    EXPECT_EQ(zoneOf(3, 12, 10), 1);
    EXPECT_EQ(zoneOf(3, 5, 1), 0);    // 9 rows above the box: truncated toward zero
    EXPECT_EQ(zoneOf(3, 5, 0), -3);   // 10 rows above: one row of cells above
    EXPECT_EQ(zoneOf(5, 25, 40), 30);  // just past the box: beyond the last cell

    // An empty side contributes nothing.
    setBox(4, 0, 4, 0);
    EXPECT_EQ(zoneOf(3, 9, 9), 0);
}

TEST(SortByX, LeftmostFirstWithListOrderOnTies) {
    resetRecognitionState();
    const int xs[] = {5, 3, 5, 3, 1};
    for (int i = 0; i < 5; ++i) {
        g.EndPoints[i] = {xs[i], 10 - i};
        g.ForkPoints[i] = {xs[i], i};
    }
    g.EndCount = g.ForkCount = 5;

    sortEndPointsByX(0, 3);
    EXPECT_EQ((std::vector<int>(g.SortedIndex, g.SortedIndex + 4)), (std::vector<int>{1, 3, 0, 2}));
    sortEndPointsByX(1, 3);  // written from the first entry
    EXPECT_EQ((std::vector<int>(g.SortedIndex, g.SortedIndex + 4)), (std::vector<int>{1, 3, 2, 2}));
    sortForkPointsByX(0, 4);
    EXPECT_EQ((std::vector<int>(g.SortedIndex, g.SortedIndex + 5)), (std::vector<int>{4, 1, 3, 0, 2}));

    // An empty range writes nothing.
    sortEndPointsByX(3, 2);
    EXPECT_EQ(g.SortedIndex[0], 4);
}

}  // namespace
