// The e: a closed eye in the upper part of the glyph, a fork on the left
// where the tail leaves the eye, and a tail that ends on the right.
#include "recog/letters/letter_rules.h"
#include "recog/letters/recognisers.h"
#include "recog/state/state.h"
#include "recog/strokes/strokes.h"

namespace {

// The eye is high in the box and reaches across it.
bool eyeHighAndAcross() {
    const HoleRecord& hole = g.Holes[0];
    if ((hole.top + hole.bottom) / 2 > (g.BoxTop + g.BoxBottom) / 2) return false;
    if (hole.top > g.BoxTop + g.UnitHeight + 1) return false;
    if (hole.bottom > g.BoxBottom - g.BoxHeight / 3) return false;
    if (hole.left > g.BoxLeft + g.BoxWidth / 2) return false;
    if (hole.right < g.BoxRight - g.BoxWidth / 3) return false;
    return holeAreaRatio() >= 0.1;
}

// The tail leaves the eye at a fork on the left and bows down to an end on
// the right.
int32_t eEyeAndTail() {
    const PointXY& F0 = g.ForkPoints[0];
    const PointXY& E0 = g.EndPoints[0];

    if (F0.x > g.BoxLeft + g.BoxWidth / 3) return 0;
    if (F0.y > g.BoxBottom - g.BoxHeight / 4) return 0;
    if (E0.x < g.BoxRight - g.BoxWidth / 3) return 0;

    if (traceBetween(E0, F0) != 0) return 0;
    const int32_t s = classifyTrace(g.Unit);
    if (s != 2 || g.ChordDirection != 1) return 0;
    if (quadrantFromStart(g.Unit) == 2) return 0;
    if (quadrantFromStart(g.TraceCount - 1) != 1) return 0;  // the fork lies left of and not below the end
    if (quadrantFromEnd(g.Unit - 1) < 3) return 0;
    return s;  // the shape code, 2, is the acceptance
}

}  // namespace

int32_t recogniseE() {
    // Topology: one hole, the eye, high in the box and across it.
    if (g.HoleCount != 1) return 0;
    if (!eyeHighAndAcross()) return 0;

    if (g.ForkCount == 1 && g.EndCount == 1) return eEyeAndTail();
    return 0;
}
