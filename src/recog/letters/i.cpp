// The i: a vertical stem with a separate dot above it. The dot is a single
// isolated pixel or a short stroke with two ends; the stem is plain or has a
// foot serif (a fork at the bottom with two short arms).
#include "recog/letters/helpers.h"
#include "recog/letters/letter_rules.h"
#include "recog/letters/recognisers.h"
#include "recog/state/state.h"
#include "recog/strokes/strokes.h"

namespace {

constexpr int32_t Accepted = 2;

int32_t zone5(const PointXY& p) { return zoneOf(5, p.x, p.y); }

// Some ink in SavedRaster in column x within rows 1..lastRow.
bool columnInkedAbove(int32_t x, int32_t lastRow) {
    for (int32_t r = 1; r <= lastRow; ++r)
        if (g.SavedRaster[r][x] == 1) return true;
    return false;
}

// The top of the glyph is too wide for the dot of an i: a narrow middle
// without a tall column, or a top part (above the first empty row) more than
// twice as wide as it is high.
bool wideTop() {
    const int32_t H = g.ImageHeight;
    const int32_t W = g.ImageWidth;
    if (W <= 20) return false;

    if (W <= 32) {
        for (int32_t x = W / 3 + 1; x <= 2 * W / 3 + 1; ++x)
            if (g.ColumnInk[x - 1] > H / 2) return false;
        return true;
    }

    // Row k + 1 is the first empty row: rows 1..k hold the dot.
    int32_t k = -1;
    for (int32_t i = 1; i <= H / 2 - 1; ++i) {
        if (g.RowInk[i] == 0) {
            k = i;
            break;
        }
    }
    if (k < 0) return true;

    int32_t xL = -1;
    for (int32_t x = 1; x <= W / 2 - 1; ++x) {
        if (columnInkedAbove(x, k)) {
            xL = x;
            break;
        }
    }
    int32_t xR = -1;
    for (int32_t x = W; x >= W / 2 + 1; --x) {
        if (columnInkedAbove(x, k)) {
            xR = x;
            break;
        }
    }
    if (xL < 0 || xR < 0) return true;
    return static_cast<double>(k) / (xR - xL + 1) < 0.5;
}

// The stem traced from top to foot runs down, straight or gently bowed.
bool stemDown(const PointXY& top, const PointXY& foot, double minSlope) {
    if (traceBetween(top, foot) != 0) return false;
    if (!isOneOf(classifyTrace(g.Unit), {0, 1, 2})) return false;
    if (quadrantFromStart(g.TraceCount - 1) < 3) return false;
    return g.ChordSlope >= minSlope;
}

// An arm of the foot serif, traced from its end to the fork: straight, flat,
// seen in `quadrant`; returns its length in trace points, or -1.
int32_t footArm(const PointXY& end, const PointXY& fork, int32_t quadrant) {
    if (traceBetween(end, fork) != 0) return -1;
    if (classifyTrace(g.Unit) != 0) return -1;
    if (quadrantFromStart(g.TraceCount - 1) != quadrant) return -1;
    if (g.ChordSlope > 0.8) return -1;
    return g.TraceCount;
}

// Dot as a short stroke (two ends at the top), plain stem.
int32_t strokeDotPlainStem() {
    const PointXY& E0 = g.EndPoints[0];
    const PointXY& E1 = g.EndPoints[1];
    const PointXY& E2 = g.EndPoints[2];
    const PointXY& E3 = g.EndPoints[3];
    if (E0.y > g.BoxTop) return 0;
    if (E1.y > g.BoxTop + g.BoxHeight / 3) return 0;
    if (E3.y < g.BoxBottom) return 0;
    if (E1.y - E0.y > g.UnitHeight) return 0;
    if (E3.y - E2.y < g.BoxHeight / 3) return 0;

    if (!stemDown(E2, E3, 3.0)) return 0;

    // At least two empty rows between the dot and the stem, in the upper half.
    const int32_t H = g.ImageHeight;
    if (H / 2 <= 4) return 0;
    int32_t empty = 0;
    for (int32_t r = 5; r <= H / 2; ++r)
        if (g.RowRuns[r - 1] == 0) ++empty;
    return empty >= 2;
}

// Dot as an isolated pixel on the top row, plain stem down to the bottom.
int32_t isolatedDotPlainStem() {
    const PointXY& E0 = g.EndPoints[0];
    const PointXY& E1 = g.EndPoints[1];
    if (g.IsolatedPoints[0].y > g.BoxTop) return 0;
    if (E1.y < g.BoxBottom) return 0;
    if (E1.y - E0.y < g.BoxHeight / 3) return 0;
    return stemDown(E0, E1, 2.1);
}

// Isolated dot, stem with a foot serif whose arms are no longer than the stem.
int32_t isolatedDotSerifStem() {
    const PointXY& F = g.ForkPoints[0];
    const PointXY& E0 = g.EndPoints[0];
    const bool firstLeft = leftIsFirst(g.EndPoints[1], g.EndPoints[2], false);
    const PointXY& Lf = firstLeft ? g.EndPoints[1] : g.EndPoints[2];
    const PointXY& Rf = firstLeft ? g.EndPoints[2] : g.EndPoints[1];

    if (!isOneOf(zone5(F), {21, 22, 23})) return 0;
    if (g.IsolatedPoints[0].y > g.BoxTop) return 0;
    if (!isOneOf(zone5(E0), {5, 6, 7, 8, 10, 11, 12, 13})) return 0;
    if (zone5(Lf) != 20) return 0;
    if (zone5(Rf) != 24) return 0;

    if (traceBetween(E0, F) != 0) return 0;
    if (!isOneOf(classifyTrace(g.Unit), {0, 1})) return 0;
    if (quadrantFromStart(g.TraceCount - 1) < 3) return 0;
    if (g.ChordSlope < 1.8) return 0;
    const int32_t stem = g.TraceCount;

    const int32_t left = footArm(Lf, F, 2);
    if (left < 0 || left > stem) return 0;
    const int32_t right = footArm(Rf, F, 1);
    return right >= 0 && right <= stem;
}

// Stroke dot, stem with a foot serif whose arms are at most half the stem.
int32_t strokeDotSerifStem() {
    const PointXY& F = g.ForkPoints[0];
    const bool dotFirstLeft = leftIsFirst(g.EndPoints[0], g.EndPoints[1], false);
    const PointXY& Ld = dotFirstLeft ? g.EndPoints[0] : g.EndPoints[1];
    const PointXY& Rd = dotFirstLeft ? g.EndPoints[1] : g.EndPoints[0];
    const PointXY& E2 = g.EndPoints[2];
    const bool footFirstLeft = leftIsFirst(g.EndPoints[3], g.EndPoints[4], false);
    const PointXY& Lf = footFirstLeft ? g.EndPoints[3] : g.EndPoints[4];
    const PointXY& Rf = footFirstLeft ? g.EndPoints[4] : g.EndPoints[3];

    if (!isOneOf(zone5(F), {21, 22, 23})) return 0;
    if (g.EndPoints[0].y > g.BoxTop) return 0;
    if (!isOneOf(zone5(Ld), {1, 2, 3})) return 0;
    if (!isOneOf(zone5(Rd), {1, 2, 3, 4})) return 0;
    if (!isOneOf(zone5(E2), {5, 6, 7, 8, 11, 12, 13})) return 0;
    if (zone5(Lf) != 20) return 0;
    if (zone5(Rf) != 24) return 0;

    // A flat dot.
    if (traceBetween(Ld, Rd) != 0) return 0;
    if (classifyTrace(g.Unit) != 0) return 0;
    if (g.ChordSlope > 0.5) return 0;

    if (traceBetween(E2, F) != 0) return 0;
    if (!isOneOf(classifyTrace(g.Unit), {0, 1})) return 0;
    if (quadrantFromStart(g.TraceCount - 1) < 3) return 0;
    if (g.ChordSlope < 3.0) return 0;
    const int32_t stem = g.TraceCount;
    if (stem < g.BoxHeight / 2) return 0;

    const int32_t left = footArm(Lf, F, 2);
    if (left < 0 || stem < 2 * left) return 0;
    const int32_t right = footArm(Rf, F, 1);
    return right >= 0 && stem >= 2 * right;
}

}  // namespace

int32_t recogniseI() {
    if (g.HoleCount != 0) return 0;
    if (g.AspectRatio < 1.2) return 0;
    if (rightShiftTest() != 0) return 0;
    if (wideTop()) return 0;

    if (g.ForkCount == 0 && g.EndCount == 4 && g.IsolatedCount == 0) return strokeDotPlainStem() ? Accepted : 0;
    if (g.ForkCount == 0 && g.EndCount == 2 && g.IsolatedCount == 1) return isolatedDotPlainStem() ? Accepted : 0;
    if (g.ForkCount == 1 && g.EndCount == 3 && g.IsolatedCount == 1) return isolatedDotSerifStem() ? Accepted : 0;
    if (g.ForkCount == 1 && g.EndCount == 5 && g.IsolatedCount == 0) return strokeDotSerifStem() ? Accepted : 0;
    return 0;
}
