// Shape codes of the last trace, and the quadrant of a trace point against
// the trace's first or last point.
#include <algorithm>

#include "recog/state/state.h"
#include "recog/strokes/strokes.h"

namespace strokes_detail {
// 1 when (row, col) is one of the ink pixels met while drawing the last chord.
bool isRecordedCrossing(int32_t row, int32_t col);
}  // namespace strokes_detail

namespace {

bool isCrossingPoint(int i) { return strokes_detail::isRecordedCrossing(g.PathRow[i], g.PathCol[i]); }

// The largest distance of trace points first .. last - 1 (0 when empty).
int largestDistance(int first, int last) {
    int largest = 0;
    for (int i = std::max(first, 0); i < last; ++i) largest = std::max<int>(largest, g.TraceDistance[i]);
    return largest;
}

// The four sides of points i-1 .. i+2 read as a, a, b, b. A window that
// reaches past either end of the trace is no pattern.
bool sidePattern(int i, int a, int b) {
    if (i - 1 < 0 || i + 2 >= g.TraceCount) return false;
    return g.TraceSide[i - 1] == a && g.TraceSide[i] == a && g.TraceSide[i + 1] == b && g.TraceSide[i + 2] == b;
}

// A switch from side `from` to side `to` at point i. It counts when the trace
// is off the chord right beside it; on the chord, only when the trace was
// off the chord on side `from` shortly before (the first point met looking
// back from i - 2 over up to `unit` points with a non-zero distance and side
// `from`) and gets off it on side `to` within points i + 2 .. i + unit + 1.
bool switchCounts(int i, int from, int to, int unit) {
    if (g.TraceDistance[i - 1] != 0 || g.TraceDistance[i + 1] != 0) return true;
    bool before = false;
    for (int k = i - 2; k >= 0 && k > i - 2 - unit; --k)
        if (g.TraceDistance[k] != 0 && g.TraceSide[k] == from) {
            before = true;
            break;
        }
    if (!before) return false;
    for (int k = i + 2; k <= i + unit + 1 && k < g.TraceCount; ++k)
        if (g.TraceDistance[k] != 0 && g.TraceSide[k] == to) return true;
    return false;
}

// The quadrant of point p against point s: 1 left and not below, 2 not left
// and not below, 3 not left and below, 4 left and below.
int32_t quadrantOf(int p, int s) {
    if (g.PathCol[p] < g.PathCol[s]) return g.PathRow[p] > g.PathRow[s] ? 4 : 1;
    return g.PathRow[p] > g.PathRow[s] ? 3 : 2;
}

}  // namespace

int32_t isStraightTrace(int32_t tolerance) {
    const int n = g.TraceCount, unit = g.Unit, length = g.ChordLength, crossings = g.CrossingCount;
    const int largest = largestDistance(0, n);
    if (largest > 3) return 0;
    if (n < 2 * unit) return 1;
    if (crossings > (2 * n) / 5) return 1;
    if (n < 5 * unit && n - length <= 1 && crossings >= unit) return 1;
    if (n - length < -1) return 1;
    if (n - length == -1 && largest <= tolerance + 1) return 1;

    // A short trace that keeps to one side of its chord gets a tighter
    // tolerance.
    int above = 0, below = 0;
    for (int i = 1; i <= n - 2; ++i) {
        if (isCrossingPoint(i)) continue;
        if (g.TraceSide[i] == 3) ++above;
        if (g.TraceSide[i] == 13) ++below;
    }
    if (n < 6 * unit) {
        const bool oneSided = above == 0 || below == 0 || static_cast<double>(above) / below > 14 ||
                              static_cast<double>(above) / below < 0.0625;
        if (oneSided) tolerance = (tolerance + 1) / 2;
    }
    return largest <= std::max(tolerance, 1) ? 1 : 0;
}

int32_t classifyTrace(int32_t tolerance) {
    if (isStraightTrace(tolerance) == 1) return 0;

    const int n = g.TraceCount, unit = g.Unit, length = g.ChordLength;
    const int direction = g.ChordDirection;

    // Switches of side across the chord, away from the ends.
    static thread_local int32_t downSwitches[MaxPathPoints];  // 3 to 13 (list S)
    static thread_local int32_t upSwitches[MaxPathPoints];    // 13 to 3 (list R)
    int s = 0, r = 0;
    const int margin = (n + 3) / 8 + 2;
    for (int i = margin; i < n - margin - 1; ++i) {
        if (sidePattern(i, 3, 13) && switchCounts(i, 3, 13, unit)) downSwitches[s++] = i;
        if (sidePattern(i, 13, 3) && switchCounts(i, 13, 3, unit)) upSwitches[r++] = i;
    }

    // Overshoots: the trace crosses the line of the chord beyond an end.
    int e1 = 0, e2 = 0, e3 = 0, e4 = 0;
    for (int j = unit; j <= n - unit - 1; ++j) {
        if (j - 1 < 0 || j + 2 >= n) continue;
        if (g.TraceDistance[j - 1] == 0 && g.TraceDistance[j + 1] == 0) continue;
        if (sidePattern(j, 4, 14)) ++e1;
        if (sidePattern(j, 14, 4)) ++e2;
        if (sidePattern(j, 5, 15)) ++e3;
        if (sidePattern(j, 15, 5)) ++e4;
    }

    int a3 = 0, a13 = 0;
    for (int i = 0; i < n; ++i) {
        if (isCrossingPoint(i)) continue;
        if (g.TraceSide[i] == 3) ++a3;
        if (g.TraceSide[i] == 13) ++a13;
    }

    const int half = (unit + 1) / 2;
    if (s == 1 && r == 0) {
        if (e1 > 0) goto A;
        if (e2 == 0) {
            if (e3 > 0) goto B;
            if (e4 == 0) {
                const int j = downSwitches[0];
                const int f = largestDistance(0, j), gFrom = largestDistance(j, n);
                if (f < unit && gFrom < unit) return 0;
                if (f < half && gFrom >= unit) return 6;
                if (f >= unit && gFrom < half) return 11;
                if (direction == -1) return 3;
                goto C;
            }
        }
        if (e2 > 0 && e3 > 0) goto D;
        if (direction == -1) {
            if (g.UnitHeight < a3 && g.UnitHeight < a13) return 3;
            goto D;
        }
    C:
        if (direction == 1 && g.UnitHeight < a3 && g.UnitHeight < a13) return 4;
        goto D;
    }
    if (s == 1 && r == 1) {
        if (a3 < a13) return direction == -1 ? 7 : 8;
        return direction >= 0 ? 7 : 8;
    }
    if (s == 0) {
        if (r == 1 && e3 == 0) {
            const int j = upSwitches[0];
            const int f = largestDistance(0, j), gFrom = largestDistance(j, n);
            if (f < unit && gFrom < unit) return 0;
            if (f < half && gFrom >= unit) return 5;
            if (f >= unit && gFrom < half) return 12;
            if (direction == 1) return 4;
        }
        goto A;
    }
    if (r >= 1) {
        // Several switches, all before the farthest point: a bow at one end.
        int m = 0;
        for (int i = 1; i < n; ++i)
            if (g.TraceDistance[i] > g.TraceDistance[m]) m = i;
        const int largest = g.TraceDistance[m];
        bool allBefore = true;
        for (int k = 0; k < s; ++k) allBefore = allBefore && downSwitches[k] < m;
        for (int k = 0; k < r; ++k) allBefore = allBefore && upSwitches[k] < m;
        if (allBefore) {
            const int t = std::max(downSwitches[s - 1], upSwitches[r - 1]);
            if (largestDistance(0, t) <= unit && largest >= 2 * unit) return g.TraceSide[m] == 13 ? 6 : 5;
        }
        goto A;
    }
    // s >= 2 with r = 0: on to A.

A:
    if (e1 == 1) {
        if (n > g.BoxHeight) return 9;
        goto B;
    }
D:
    if (e2 == 1 && n > g.BoxHeight) return 9;
B:
    if ((e3 == 1 || e4 == 1) && n > g.BoxHeight) return 10;
    if (s > 0 || r > 0) return 999;
    // A chord of length 0 (a closed trace) counts as short against any trace.
    if (e1 == 0 && e2 == 0 && e3 == 0 && e4 == 0 && (length == 0 || n / length >= 4) && length < 5 * unit)
        return 15;
    if (length / 2 >= a3 + a13) return 999;
    return a13 < a3 ? 1 : 2;
}

int32_t quadrantFromStart(int32_t i) {
    i = std::min(i, g.TraceCount - 1);
    if (i <= 0) i = 1;
    return quadrantOf(i, 0);
}

int32_t quadrantFromEnd(int32_t n) {
    n = std::max(std::min(n, g.TraceCount), 2);
    const int last = std::max(g.TraceCount - 1, 0);
    return quadrantOf(std::max(g.TraceCount - n, 0), last);
}

int32_t spurQuadrant(int32_t k) {
    if (k < 0 || k >= MaxSpurs) return 1;
    const SpurRecord& spur = g.Spurs[k];
    if (spur.endCol > spur.baseCol) return spur.endRow < spur.baseRow ? 4 : 1;
    return spur.endRow < spur.baseRow ? 3 : 2;
}
