// The l: a tall, thin, single straight stroke from the top of the skeleton
// box to its bottom.
#include "recog/letters/letter_rules.h"
#include "recog/letters/recognisers.h"
#include "recog/state/state.h"
#include "recog/strokes/strokes.h"

namespace {

constexpr int32_t Accepted = 2;

// A straight, nearly vertical stroke through the whole height.
int32_t lStraightStroke() {
    const PointXY& E0 = g.EndPoints[0];
    const PointXY& E1 = g.EndPoints[1];

    const double tallness = static_cast<double>(g.ImageHeight) / static_cast<double>(g.ImageWidth);
    if (!(tallness >= 4.0)) return 0;
    if (g.BoxWidth > 4) return 0;
    if (E0.y > g.BoxTop) return 0;
    if (E1.y < g.BoxBottom) return 0;

    if (traceBetween(E0, E1) != 0) return 0;
    if (classifyTrace(g.Unit) != 0) return 0;
    if (quadrantFromStart(g.TraceCount - 1) < 3) return 0;  // the path ends below its start
    if (!(g.ChordSlope >= 5.0)) return 0;
    return 1;
}

}  // namespace

int32_t recogniseL() {
    // Topology: no hole.
    if (g.HoleCount != 0) return 0;

    if (g.ForkCount == 0 && g.EndCount == 2) return lStraightStroke() ? Accepted : 0;
    return 0;
}
