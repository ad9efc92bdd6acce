// Profile tests shared by several recognisers. Rows and columns are 1-based
// image rows and columns; the profile of row r sits at index r - 1. Every
// read is guarded: a position outside the profile arrays reads as 0, so the
// tests are safe for any image size, however small.
#include "recog/letters/helpers.h"

#include <algorithm>

#include "recog/state/state.h"

namespace {

template <typename T>
int entry(const T (&profile)[Raster::Size], int index) {
    if (index < 0 || index >= Raster::Size) return 0;
    return profile[index];  // margins are signed bytes and read back signed
}

int H() { return g.ImageHeight; }
int W() { return g.ImageWidth; }

int rowInk(int r) { return entry(g.RowInk, r - 1); }
int rowRuns(int r) { return entry(g.RowRuns, r - 1); }
int leftMargin(int r) { return entry(g.LeftMargin, r - 1); }
int rightMargin(int r) { return entry(g.RightMargin, r - 1); }
int columnInk(int x) { return entry(g.ColumnInk, x - 1); }
int columnRuns(int x) { return entry(g.ColumnRuns, x - 1); }
int columnWideRuns(int x) { return entry(g.ColumnWideRuns, x - 1); }
int topMargin(int x) { return entry(g.TopMargin, x - 1); }
int bottomMargin(int x) { return entry(g.BottomMargin, x - 1); }

// Pixels of the filled glyph: ink is the value 1, background the value 0.
// Positions outside the raster's storage read as background.
int savedPixel(int r, int x) {
    constexpr int low = -Raster::Margin;
    constexpr int high = Raster::Size + Raster::Margin - 1;
    if (r < low || r > high || x < low || x > high) return 0;
    return g.SavedRaster[r][x];
}
bool ink(int r, int x) { return savedPixel(r, x) == 1; }
bool background(int r, int x) { return savedPixel(r, x) == 0; }

// How many of the values first..last (an empty range counts none) satisfy `holds`.
template <typename Pred>
int countOver(int first, int last, Pred holds) {
    int count = 0;
    for (int k = first; k <= last; ++k)
        if (holds(k)) ++count;
    return count;
}

int busyRows(int first, int last, int minRuns) {
    return countOver(first, last, [&](int r) { return rowRuns(r) >= minRuns; });
}

// Ink runs of column x that end within rows first..last (ink above background).
int runEndsInColumn(int x, int first, int last) {
    return countOver(first, last, [&](int r) { return ink(r, x) && background(r + 1, x); });
}

// The length of the rightmost ink run of row r; a row without ink counts 1.
int rightmostRunLength(int r) {
    int x = W();
    while (x >= 1 && !ink(r, x)) --x;
    if (x < 1) return 1;
    int length = 0;
    while (x >= 1 && ink(r, x)) {
        ++length;
        --x;
    }
    return length;
}

// The longest stretch of rows over which a margin keeps coming back to the
// value it had at the start of the stretch (a gap of up to three rows is
// bridged).
int longestSteadyStretch(const int8_t (&margin)[Raster::Size]) {
    int longest = 0;
    int s = 2;
    while (s < H() / 2 + 2) {
        const int v = entry(margin, s);
        int e = s + 1;
        while (e < H() - 3 && (entry(margin, e) == v || entry(margin, e + 1) == v ||
                               entry(margin, e + 2) == v || entry(margin, e + 3) == v))
            ++e;
        longest = std::max(longest, e - s - 1);
        s = e;
    }
    return longest;
}

}  // namespace

int32_t rightColumnGapTest() {
    if (countOver(1, W(), [](int x) { return columnWideRuns(x) == 3; }) > 2) return 0;
    for (int x = W() - 1; x >= W() / 2 + 2; --x) {
        if (columnWideRuns(x) != 2) continue;
        int r1 = 1;
        while (r1 <= H() && !(ink(r1, x) && background(r1 + 1, x))) ++r1;
        int r2 = r1 + 1;
        while (r2 <= H() && !ink(r2, x)) ++r2;
        r2 = std::min(r2, H() + 1);  // no ink below (also when r1 found nothing)
        if (r2 - r1 < 3) continue;
        return (r2 < H() / 2 && g.AspectRatio > 2.2) ? 0 : 1;
    }
    return 1;
}

int32_t topBarShapeTest() {
    const bool openBelowLeftEdge = bottomMargin(1) > (3 * H()) / 5;

    // The widest one-run row of the upper half, the lower one on a tie.
    int widestRow = 0;
    for (int r = 1; r <= H() / 2; ++r)
        if (rowRuns(r) == 1 && (widestRow == 0 || rowInk(r) >= rowInk(widestRow))) widestRow = r;
    const bool wideBarBelowTop = widestRow != 0 && rowInk(widestRow) > (2 * W()) / 3 && widestRow > H() / 8 + 1;

    const bool emptyAboveMiddle = topMargin(W() / 2 + 4) > H() / 8 && topMargin(W() / 2 + 5) > H() / 8;

    return (openBelowLeftEdge + wideBarBelowTop + emptyAboveMiddle) >= 2 ? 1 : 0;
}

int32_t leftStemTest() {
    const bool fullLeftColumn =
        countOver(1, W() / 3, [](int x) { return columnRuns(x) == 1 && columnInk(x) > H() - 3; }) > 0;
    const bool leftEdgeBusy = columnWideRuns(2) > 1 || columnWideRuns(3) > 1 || leftMargin(2) < 2 ||
                              leftMargin(H() - 1) < 2;
    return (fullLeftColumn && leftEdgeBusy) ? 0 : 1;
}

int32_t fewBusyRowsTest() { return busyRows(3, H() - 2, 3) <= 2 ? 1 : 0; }

int32_t busyUpperRowsTest() { return busyRows(3, H() - H() / 5, 3) > 2 ? 1 : 0; }

int32_t fewBusyLowerRowsTest() { return busyRows(H() / 5 + 1, H() - 2, 3) <= 2 ? 1 : 0; }

int32_t rightFullColumnTest() {
    const int32_t fewCrowdedRows = busyRows(3, H() - 2, 4) <= 2 ? 1 : 0;
    int F = W();
    while (F >= W() / 2 + 2 && !(columnInk(F) > H() - 4)) --F;
    if (F < W() / 2 + 2 || F - 2 <= W() / 2 + 2) return fewCrowdedRows;
    const int openBelow = countOver(W() / 2 + 4, F - 1, [](int x) { return bottomMargin(x) > H() / 2; });
    return openBelow > 1 ? 0 : fewCrowdedRows;
}

int32_t rightSideOpenTest() {
    const bool fullRightColumn = countOver(W() / 2 + 1, W(), [](int x) { return columnInk(x) > (5 * H()) / 6; }) > 0;
    return (rightMargin(H()) > W() / 4 && !fullRightColumn) ? 1 : 0;
}

int32_t straightSideTest() {
    const int longest = std::max(longestSteadyStretch(g.LeftMargin), longestSteadyStretch(g.RightMargin));
    return longest > H() / 2 ? 1 : 0;
}

int32_t fewFullLeftColumnsTest() {
    return countOver(1, W() / 4, [](int x) { return columnInk(x) > (5 * H()) / 6; }) <= 1 ? 1 : 0;
}

int32_t bottomRightEmptyTest() {
    return (bottomMargin(W() - 1) > H() / 2 && bottomMargin(W() - 2) > H() / 2) ? 1 : 0;
}

int32_t bottomCornersTest() {
    return (bottomMargin(3) > H() / 2 && bottomMargin(W() - 2) > H() / 2) ? 0 : 1;
}

int32_t columnRunsTest() {
    if (countOver(1, W() / 2, [](int x) { return columnRuns(x) != 1; }) > 2) return 1;
    return countOver(W() / 2 + 1, W(), [](int x) { return columnRuns(x) == 2; }) >= 3 ? 0 : 1;
}

int32_t upperTwoRunsOrWideTest() {
    if (W() < 7) return 0;
    if (static_cast<double>(H()) / W() <= 4.4) return 1;
    return countOver(2, H() / 3, [](int r) { return rowRuns(r) == 2; }) > 0 ? 1 : 0;
}

int32_t openSideBalanceTest() {
    const PointXY& upperEnd = g.EndPoints[0];
    const PointXY& lowerEnd = g.EndPoints[1];
    if (g.BoxBottom == lowerEnd.y) return 1;

    // Columns of the right two thirds crossed twice by ink in the lower half.
    const int doubleColumns =
        countOver(W() / 3, W() - 1, [](int x) { return runEndsInColumn(x, H() / 2 + 2, H()) == 2; });
    if (doubleColumns > W() / 6) return 0;

    const bool upperEndLow =
        static_cast<double>(upperEnd.y - g.BoxTop) / static_cast<double>(g.BoxBottom - lowerEnd.y) > 0.7;
    const bool fewDoubleColumns = doubleColumns <= 1;

    // R1: the lowest two-run row of the upper half; R2: the next two-run row below it.
    int R1 = 0;
    for (int r = 2; r <= H() / 2 + 1; ++r)
        if (rowRuns(r) == 2) R1 = r;
    int R2 = 0;
    if (R1 != 0)
        for (int r = R1 + 1; r <= H() && R2 == 0; ++r)
            if (rowRuns(r) == 2) R2 = r;
    const bool tailsBalanced = R1 == 0 || R1 < 3 || R2 == 0 || R2 > H() - 3 ||
                               rightmostRunLength(R2 + 1) <= rightmostRunLength(R1 - 1) + 3;

    return (upperEndLow + fewDoubleColumns + tailsBalanced) >= 2 ? 1 : 0;
}

int32_t middleRowsCentredTest() {
    const int shifted =
        countOver(H() / 2 - 1, H() / 2 + 3, [](int r) { return rightMargin(r) > leftMargin(r) + W() / 6; });
    return shifted >= 4 ? 0 : 1;
}

int32_t leftColumnsTest() {
    const bool fewFullColumns = countOver(2, W() / 2, [](int x) { return columnInk(x) >= H() - 1; }) <= 1;
    int xC = W() / 2 + 1;
    while (xC >= 2 && columnRuns(xC) != 1) --xC;
    const bool fewSplitColumns =
        xC < 2 || countOver(2, xC - 1, [](int x) { return columnRuns(x) == 2; }) <= 1;
    return (fewFullColumns && fewSplitColumns) ? 1 : 0;
}

int32_t fullRightColumnTest() {
    return countOver((2 * W()) / 3 + 1, W(), [](int x) { return columnInk(x) >= H() - 2; }) > 0 ? 1 : 0;
}

int32_t topRightShapeTest() {
    if (countOver(2, W() - 1, [](int x) { return columnInk(x) >= H() - 2; }) > (2 * W()) / 3) return 0;
    if (countOver(2, H() / 8, [](int r) { return rowRuns(r) == 2; }) > 1) return 1;
    return rightMargin((2 * H()) / 3 + 1) > 3 ? 1 : 0;
}

int32_t rightShiftTest() {
    if (topMargin(2) > (3 * H()) / 5 && rightMargin(H() - 1) > 1) return 1;
    const int m = (2 * H()) / 3;
    const auto leansRight = [](int r) { return leftMargin(r) - rightMargin(r) > W() / 3; };
    return (leansRight(m + 1) && leansRight(m)) ? 1 : 0;
}

int32_t topRowRightTest() { return (rowRuns(2) >= 2 && rightMargin(2) < W() / 2) ? 1 : 0; }

int32_t rightStemTest() {
    const bool fewFullRightColumns =
        countOver((3 * W()) / 4 + 1, W(), [](int x) { return columnInk(x) > H() - 3; }) <= 1;
    if (fewFullRightColumns) return 1;

    // A one-run row with a two-run row beyond it, scanning from the middle
    // up to row 2 (step -1) or down to row H (step +1).
    const auto splitsBeyondSingleRow = [](int from, int to, int step) {
        bool singleMet = false;
        for (int r = from; step < 0 ? r >= to : r <= to; r += step) {
            if (!singleMet && rowRuns(r) == 1)
                singleMet = true;
            else if (singleMet && rowRuns(r) == 2)
                return true;
        }
        return false;
    };
    const bool noSplitAbove = !splitsBeyondSingleRow(H() / 2 + 1, 2, -1);
    const bool noSplitBelow = !splitsBeyondSingleRow(H() / 2 + 1, H(), +1);
    return (noSplitAbove && noSplitBelow) ? 1 : 0;
}
