// The c: one open stroke, no hole and no fork, whose two ends both lie in
// the right half of the skeleton box and whose path bows out to the left.
//
// Every recogniser has this shape: an optional exclusion rule for a
// confusable shape, a gate on the topology, then a dispatch on
// (ForkCount, EndCount) to a short list of variants, each a named function
// that tests positions, traces a stroke, and checks its shape code,
// quadrants and profile tests in a fixed order.
#include "recog/letters/helpers.h"
#include "recog/letters/recognisers.h"
#include "recog/state/state.h"
#include "recog/strokes/strokes.h"

namespace {

constexpr int32_t Accepted = 2;

// The shape codes a c's stroke may have, traced from its upper end to its
// lower end: a single bow (1, 2), a path that runs on past one end of its
// chord (9, 10), or a long path on a short chord (15).
bool bowFitsC(int32_t shape) {
    switch (shape) {
    case 1:
        return g.ChordDirection == -1;  // only when the lower end lies left of the upper
    case 2:
    case 9:
        return g.ChordDirection != -1;  // not when the lower end lies left of the upper
    case 10:
    case 15:
        return true;
    default:
        return false;
    }
}

// Two ends, both in the right half; the stroke between them bows out to the left.
int32_t openStrokeBowingLeft() {
    const PointXY& upper = g.EndPoints[0];
    const PointXY& lower = g.EndPoints[1];
    const int32_t middle = g.BoxLeft + g.BoxWidth / 2;
    if (upper.x < middle || lower.x < middle) return 0;

    clearMarks(3);
    if (traceStroke(upper.y, upper.x, lower.y, lower.x) != 0) return 0;
    const int32_t shape = classifyTrace(g.Unit);
    const int32_t whereEndLies = quadrantFromStart(g.TraceCount - 1);
    if (!bowFitsC(shape)) return 0;
    if (whereEndLies < 3) return 0;  // the path must end below where it starts
    if ((shape == 2 || shape == 9 || shape == 10) && openSideBalanceTest() != 1) return 0;
    if (quadrantFromStart(g.Unit) == 3) return 0;
    if (quadrantFromEnd(g.Unit - 1) == 2) return 0;
    if (topBarShapeTest() != 0) return 0;  // the profile of a crossbar, not of an arc
    if (leftColumnsTest() != 1) return 0;
    return 1;
}

}  // namespace

int32_t recogniseC() {
    // Topology: no hole, at most twice as high as wide.
    if (g.HoleCount != 0) return 0;
    if (!(g.AspectRatio <= 2.0)) return 0;

    // Forks and ends: one open stroke only.
    if (g.ForkCount == 0 && g.EndCount == 2) return openStrokeBowingLeft() ? Accepted : 0;
    return 0;
}
