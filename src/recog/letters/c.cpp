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
// lower end.
bool bowFitsC(int32_t shape) {
    switch (shape) {
    case 1:  // bow with its bulk on the 3 side: only when the lower end lies left of the upper
        return g.ChordDirection == -1;
    case 2:  // bow with its bulk on the 13 side, or a path past the upper end:
    case 9:  // not when the lower end lies left of the upper
        return g.ChordDirection != -1;
    case 10:  // a path past the lower end
    case 15:  // a long path on a short chord
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
    if (whereEndLies < 3) return 0;  // the end of the path lies below its start
    if ((shape == 2 || shape == 9 || shape == 10) && openSideBalanceTest() != 1) return 0;
    if (quadrantFromStart(g.Unit) == 3) return 0;
    if (quadrantFromEnd(g.Unit - 1) == 2) return 0;
    if (topBarShapeTest() != 0) return 0;  // a bar across the top makes it another letter
    if (leftColumnsTest() != 1) return 0;
    return 1;
}

}  // namespace

int32_t recogniseC() {
    // Topology: no hole, not too tall for its width.
    if (g.HoleCount != 0) return 0;
    if (g.AspectRatio > 2.0) return 0;

    if (g.ForkCount == 0 && g.EndCount == 2) return openStrokeBowingLeft() ? Accepted : 0;
    return 0;
}
