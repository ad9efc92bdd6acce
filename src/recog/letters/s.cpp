// The s (and S, which shares its skeleton): one open curved stroke from the
// upper right of the box down to its lower left.
#include "recog/letters/letter_rules.h"
#include "recog/letters/recognisers.h"
#include "recog/state/state.h"
#include "recog/strokes/strokes.h"

namespace {

constexpr int32_t Accepted = 2;

// One stroke bowed like an S between an upper right and a lower left end.
int32_t sSingleCurve() {
    const PointXY& E0 = g.EndPoints[0];
    const PointXY& E1 = g.EndPoints[1];

    // Cells of the 4 x 4 grid over the box: the upper end in the right half
    // of the top row or the right cell of the second, the lower end in the
    // left column, in the bottom row or the one above it.
    if (!isOneOf(zoneOf(4, E0.x, E0.y), {2, 3, 7})) return 0;
    const int32_t c = zoneOf(4, E1.x, E1.y);
    if (!isOneOf(c, {12, 8})) return 0;

    if (traceBetween(E0, E1) != 0) return 0;
    if (classifyTrace(g.Unit) != 3) return 0;
    if (g.ChordDirection != -1) return 0;
    if (quadrantFromStart(g.TraceCount - 1) != 4) return 0;  // the end lies left of and below the start
    if (quadrantFromStart(g.Unit) == 3) return 0;             // the first stretch does not run down right
    const int32_t q = quadrantFromEnd(g.Unit);
    if (isOneOf(q, {1, 4})) return 0;
    if (c == 8 && q != 3) return 0;
    if (!(g.TraceLengthRatio >= 1.3)) return 0;
    return 1;
}

}  // namespace

int32_t recogniseS() {
    // Topology: no hole.
    if (g.HoleCount != 0) return 0;

    if (g.ForkCount == 0 && g.EndCount == 2) return sSingleCurve() ? Accepted : 0;
    return 0;
}
