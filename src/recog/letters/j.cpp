// The j: a dot above a stem that descends and hooks to the left, ending at
// the left edge of the glyph. The dot is an isolated pixel or a short stroke.
#include "recog/letters/helpers.h"
#include "recog/letters/letter_rules.h"
#include "recog/letters/recognisers.h"
#include "recog/state/state.h"
#include "recog/strokes/strokes.h"

namespace {

constexpr int32_t Accepted = 2;

// At least two empty rows among rows 2..H/2: a gap between dot and stem.
bool gapBelowDot() {
    const int32_t H = g.ImageHeight;
    if (H / 2 <= 1) return false;
    int32_t empty = 0;
    for (int32_t r = 2; r <= H / 2; ++r)
        if (g.RowRuns[r - 1] == 0) ++empty;
    return empty >= 2;
}

// Dot as an isolated pixel; the stem runs from E0 down to the hook's end E1.
int32_t isolatedDot() {
    const PointXY& dot = g.IsolatedPoints[0];
    const PointXY& E0 = g.EndPoints[0];
    const PointXY& E1 = g.EndPoints[1];
    if (dot.y > g.BoxTop) return 0;
    if (E1.y < g.BoxBottom - 2 * g.UnitHeight) return 0;
    if (E1.y - E0.y < g.BoxHeight / 3) return 0;
    if (E0.y > g.BoxTop + g.BoxHeight / 2) return 0;
    if (E1.x > g.BoxLeft + 2) return 0;
    if (dot.x < g.BoxLeft + g.UnitWidth) return 0;

    if (traceBetween(E0, E1) != 0) return 0;
    const int32_t s = classifyTrace(g.Unit);
    const int32_t q = quadrantFromStart(g.TraceCount - 1);
    if (s == 1) {
        if (E1.x > E0.x + 2) return 0;
    } else if (s == 2) {
        if (q != 4) return 0;
    } else if (s != 0) {
        return 0;
    }
    return g.ChordSlope >= 1.1;
}

// Dot as a short flat stroke (two ends at the top); the stem runs from E2
// down to the hook's end E3.
int32_t strokeDot() {
    const bool firstLeft = leftIsFirst(g.EndPoints[0], g.EndPoints[1], true);
    const PointXY& A = firstLeft ? g.EndPoints[0] : g.EndPoints[1];
    const PointXY& B = firstLeft ? g.EndPoints[1] : g.EndPoints[0];
    const PointXY& E2 = g.EndPoints[2];
    const PointXY& E3 = g.EndPoints[3];

    if (A.y > g.BoxTop || B.y > g.BoxTop + g.BoxHeight / 3) return 0;
    if (E3.y < g.BoxBottom - g.UnitHeight) return 0;
    if (B.y - A.y > g.UnitHeight) return 0;
    if (E3.y - E2.y < g.BoxHeight / 3) return 0;
    if (E2.y > g.BoxTop + g.BoxHeight / 2) return 0;
    if (E3.x > g.BoxLeft + 2) return 0;
    if (A.x < g.BoxLeft + g.UnitWidth) return 0;

    if (traceBetween(E2, E3) != 0) return 0;
    const int32_t s = classifyTrace(g.Unit);
    const int32_t q = quadrantFromStart(g.TraceCount - 1);
    if (!isOneOf(s, {0, 1, 2}) || q < 3) return 0;
    if (s == 2 && q != 4) return 0;
    if (s == 1 && q != 3) return 0;

    if (g.ChordSlope < 2.6) return 0;
    return s != 1 || g.ChordSlope >= 10.0;
}

}  // namespace

int32_t recogniseJ() {
    if (g.HoleCount != 0) return 0;
    if (!gapBelowDot()) return 0;
    if (rightShiftTest() != 1) return 0;
    if (g.ForkCount != 0) return 0;

    if (g.EndCount == 4) return strokeDot() ? Accepted : 0;
    if (g.EndCount == 2 && g.IsolatedCount == 1) return isolatedDot() ? Accepted : 0;
    return 0;
}
