// Cells of an n x n grid over the skeleton box, and the end and fork points
// ordered from left to right.
#include <algorithm>

#include "recog/state/state.h"
#include "recog/strokes/strokes.h"

namespace {

// trunc(offset / (side / n)) computed exactly as offset * n / side, so that
// no rounding of the fractional cell size moves a point across a cell
// boundary. A box side of 0 contributes 0.
int32_t cellAlong(int32_t offset, int32_t side, int32_t n) {
    if (side == 0) return 0;
    return static_cast<int32_t>(static_cast<int64_t>(offset) * n / side);
}

// Indices first .. last of a point list in order of x, leftmost first; on
// equal x the lower index comes first.
void sortByX(const PointXY* points, int32_t capacity, int32_t first, int32_t last) {
    first = std::max(first, 0);
    last = std::min(last, capacity - 1);
    if (last < first) return;
    int32_t x[MaxForkPoints];
    for (int32_t i = first; i <= last; ++i) x[i - first] = points[i].x;
    const int32_t count = last - first + 1;
    for (int32_t k = 0; k < count; ++k) {
        int32_t best = 0;
        for (int32_t i = 1; i < count; ++i)
            if (x[i] < x[best]) best = i;
        g.SortedIndex[k] = first + best;
        x[best] = 999;  // taken
    }
}

}  // namespace

int32_t zoneOf(int32_t n, int32_t col, int32_t row) {
    return n * cellAlong(row - g.BoxTop, g.BoxHeight, n) + cellAlong(col - g.BoxLeft, g.BoxWidth, n);
}

void sortEndPointsByX(int32_t first, int32_t last) { sortByX(g.EndPoints, MaxEndPoints, first, last); }

void sortForkPointsByX(int32_t first, int32_t last) { sortByX(g.ForkPoints, MaxForkPoints, first, last); }
