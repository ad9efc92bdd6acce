// The a: a bowl at the bottom left joined by forks to a stem on the right,
// the same with the hook closed into a second hole, or a bare ring that
// fills its box without the stem of an o.
#include <cstdlib>

#include "recog/letters/helpers.h"
#include "recog/letters/letter_rules.h"
#include "recog/letters/recognisers.h"
#include "recog/state/state.h"
#include "recog/strokes/strokes.h"

namespace {

constexpr int32_t Accepted = 2;

int32_t zone5(const PointXY& p) { return zoneOf(5, p.x, p.y); }

// Nearly full columns in both outer quarters and a nearly full top or bottom
// edge: a rectangular frame, not a round a.
bool rectangularFrame() {
    const int32_t H = g.ImageHeight;
    const int32_t W = g.ImageWidth;
    if (W / 4 == 0 || 3 * W / 4 >= W) return false;

    int32_t left = 0;
    for (int32_t x = 1; x <= W / 4; ++x)
        if (g.ColumnInk[x - 1] > H - 4) ++left;
    if (left < 2) return false;

    int32_t right = 0;
    for (int32_t x = 3 * W / 4 + 1; x <= W; ++x)
        if (g.ColumnInk[x - 1] > H - 4) ++right;
    if (right < 2) return false;

    for (int32_t r = 1; r <= H / 5; ++r)
        if (g.RowInk[r - 1] > W - 2) return true;
    int32_t bottom = 0;
    for (int32_t r = 4 * H / 5 + 1; r <= H; ++r)
        if (g.RowInk[r - 1] > W - 4) ++bottom;
    return bottom >= 2;
}

// The single hole is the lower bowl: centred low, reaching the bottom, the
// left side and at least the middle, and big enough.
bool bowlInLowerPart() {
    const HoleRecord& hole = g.Holes[0];
    if ((hole.top + hole.bottom) / 2 < (g.BoxTop + g.BoxBottom) / 2) return false;
    if (hole.top < g.BoxTop + g.BoxHeight / 3) return false;
    if (hole.bottom < g.BoxBottom - g.BoxHeight / 4) return false;
    if (hole.left > g.BoxLeft + g.BoxWidth / 4) return false;
    if (hole.right < g.BoxRight - g.BoxWidth / 2) return false;
    return holeAreaRatio() >= 0.16;
}

// One hole, two forks on the right, the hook's end at the top left and the
// foot of the stem at the bottom right.
int32_t hookAndFoot() {
    const PointXY& F0 = g.ForkPoints[0];
    const PointXY& F1 = g.ForkPoints[1];
    const PointXY& E0 = g.EndPoints[0];
    const PointXY& E1 = g.EndPoints[1];
    const int32_t R = g.BoxRight - g.BoxWidth / 2;

    if (F0.x < R || F0.y > g.BoxBottom - g.BoxHeight / 4) return 0;
    if (F1.x < R || F1.y < g.BoxBottom - g.BoxHeight / 3) return 0;
    if (E0.x > g.BoxLeft + g.BoxWidth / 2) return 0;
    if (E1.x < R || E1.y < g.BoxBottom - g.BoxHeight / 2) return 0;

    // The hook, from its end to the upper fork: one bow, heading right.
    if (traceBetween(E0, F0) != 0) return 0;
    if (classifyTrace(g.Unit) != 1) return 0;
    if (quadrantFromStart(g.Unit) > 2) return 0;
    if (quadrantFromEnd(g.Unit - 1) > 2) return 0;

    // The foot, from the lower end up to the lower fork: short and straight.
    if (traceBetween(E1, F1) != 0) return 0;
    if (g.TraceCount > 4 * g.Unit) return 0;
    if (classifyTrace(g.Unit) != 0) return 0;
    return quadrantFromStart(g.TraceCount - 1) != 3;
}

// One hole, one fork on the right, the hook's end at the top left running
// down to the fork.
int32_t hookToFork() {
    const PointXY& F = g.ForkPoints[0];
    const PointXY& E = g.EndPoints[0];
    if (F.x < g.BoxRight - g.BoxWidth / 2) return 0;
    if (F.y > g.BoxBottom - g.BoxHeight / 4) return 0;
    if (!isOneOf(zone5(E), {0, 1, 5})) return 0;

    if (traceBetween(E, F) != 0) return 0;
    if (!isOneOf(classifyTrace(g.Unit), {0, 1})) return 0;
    if (quadrantFromStart(g.TraceCount - 1) != 3) return 0;
    if (g.ChordDirection != 1) return 0;
    return g.TraceLengthRatio >= 1.0;
}

// The two holes of a closed-hook a, the upper one and the lower one, and the
// two upper forks ordered left to right (indices into ForkPoints).
struct TwoStoreys {
    const HoleRecord* upper;
    const HoleRecord* lower;
    int32_t left;
    int32_t right;
};

TwoStoreys twoStoreys() {
    TwoStoreys s{};
    const bool firstUpper = g.Holes[0].top < g.Holes[1].top;
    s.upper = firstUpper ? &g.Holes[0] : &g.Holes[1];
    s.lower = firstUpper ? &g.Holes[1] : &g.Holes[0];
    const bool firstLeft = leftIsFirst(g.ForkPoints[0], g.ForkPoints[1], false);
    s.left = firstLeft ? 0 : 1;
    s.right = firstLeft ? 1 : 0;
    return s;
}

// The two upper forks lie within two pixels of each other.
bool forksTouch(const PointXY& L, const PointXY& R) {
    return R.x - L.x < 3 && std::abs(R.y - L.y) < 3;
}

// The stroke between the two upper forks (the top of the lower bowl):
// straight or a shallow bow, not rising, not steep.
bool bowlTopBetween(int32_t left, int32_t right, double bentLength) {
    if (traceForkToFork(left, right) != 1) return false;
    const int32_t code = classifyTrace(g.Unit);
    if (!isOneOf(code, {0, 1, 15})) return false;
    if (isOneOf(quadrantFromStart(g.TraceCount - 1), {1, 4})) return false;
    if (g.ChordSlope > 0.9) return false;
    return code == 0 || g.TraceLengthRatio >= bentLength;
}

// Two holes, three forks, one end: the hook closed into the upper hole, the
// stem's foot below the third fork.
int32_t closedHookWithFoot() {
    const TwoStoreys s = twoStoreys();
    const HoleRecord& U = *s.upper;
    const HoleRecord& D = *s.lower;
    const PointXY& L = g.ForkPoints[s.left];
    const PointXY& R = g.ForkPoints[s.right];
    const PointXY& F2 = g.ForkPoints[2];
    const PointXY& E = g.EndPoints[0];

    if (U.top > g.BoxTop + 1) return 0;
    if (U.bottom > g.BoxBottom - g.BoxHeight / 3) return 0;
    if (U.left > g.BoxLeft + g.BoxWidth / 3) return 0;
    if (U.right < g.BoxRight - g.BoxWidth / 2) return 0;
    if (holeAreaRatioOf(1) < 0.12) return 0;
    if (D.top < g.BoxTop + g.BoxHeight / 3) return 0;
    if (D.bottom < g.BoxBottom - 1) return 0;
    if (D.left > g.BoxLeft + g.UnitWidth) return 0;
    if (D.right < g.BoxRight - g.BoxWidth / 2) return 0;
    if (!isOneOf(zone5(L), {6, 10, 11, 12})) return 0;
    if (!isOneOf(zone5(R), {7, 8, 12, 13, 14})) return 0;
    if (!isOneOf(zone5(F2), {18, 19, 23, 24})) return 0;
    if (forksTouch(L, R)) return 1;
    if (!isOneOf(zone5(E), {19, 24})) return 0;

    // The foot, from the end up to the lowest fork.
    if (traceBetween(E, F2) != 0) return 0;
    if (!isOneOf(classifyTrace(g.Unit), {0, 2})) return 0;
    if (!isOneOf(quadrantFromStart(g.TraceCount - 1), {1, 4})) return 0;

    if (!bowlTopBetween(s.left, s.right, 1.8)) return 0;

    // The bowl, from its upper left fork round to the lowest fork.
    if (traceForkToFork(s.left, 2) != 1) return 0;
    if (classifyTrace(g.Unit) != 2) return 0;
    if (quadrantFromStart(g.TraceCount - 1) != 3) return 0;

    // The stem between the right fork and the lowest one.
    if (traceForkToFork(s.right, 2) != 1) return 0;
    if (classifyTrace(g.Unit) != 0) return 0;
    return quadrantFromStart(g.TraceCount - 1) >= 3;
}

// Two holes, two forks, no end: both storeys closed, no foot.
int32_t closedHookNoFoot() {
    const TwoStoreys s = twoStoreys();
    const HoleRecord& U = *s.upper;
    const HoleRecord& D = *s.lower;
    const PointXY& L = g.ForkPoints[s.left];
    const PointXY& R = g.ForkPoints[s.right];

    if (U.top > g.BoxTop + 1) return 0;
    if (U.bottom > g.BoxBottom - g.BoxHeight / 3) return 0;
    if (U.left > g.BoxLeft + g.BoxWidth / 3) return 0;
    if (U.right < g.BoxRight - g.BoxWidth / 3) return 0;
    if (holeAreaRatioOf(1) < 0.12) return 0;
    if (D.top < g.BoxTop + g.BoxHeight / 3) return 0;
    if (D.bottom < g.BoxBottom - 1) return 0;
    if (D.left > g.BoxLeft + g.UnitWidth) return 0;
    if (D.right < g.BoxRight - g.UnitWidth) return 0;
    if (!isOneOf(zone5(L), {6, 10, 11, 12})) return 0;
    if (!isOneOf(zone5(R), {8, 9, 12, 13, 14})) return 0;
    if (forksTouch(L, R)) return 1;

    return bowlTopBetween(s.left, s.right, 1.6);
}

// Index of the largest left margin in first..last, the first on equal values.
int32_t widestLeftMargin(int32_t first, int32_t last) {
    int32_t best = first;
    for (int32_t k = first + 1; k <= last; ++k)
        if (g.LeftMargin[k] > g.LeftMargin[best]) best = k;
    return best;
}

// Index of the smallest left margin from `from` stepping by `step` while the
// index stays within 0..H-1, the first met on equal values.
int32_t narrowestLeftMargin(int32_t from, int32_t step) {
    int32_t best = from;
    for (int32_t k = from + step; k >= 0 && k < g.ImageHeight; k += step)
        if (g.LeftMargin[k] < g.LeftMargin[best]) best = k;
    return best;
}

// A glyph with two closed storeys is an a only when the left contour of its
// lower storey shows a clear dent; otherwise (a straight left side, a full
// top, no dent) this fires.
bool noLeftDent() {
    const int32_t H = g.ImageHeight;
    const int32_t W = g.ImageWidth;

    int32_t fullColumns = 0;
    for (int32_t x = 1; x <= W / 3; ++x)
        if (g.ColumnInk[x - 1] > H - 3 && g.ColumnRuns[x - 1] == 1) ++fullColumns;
    if (fullColumns > 3) return true;

    int32_t fullRows = 0;
    for (int32_t r = 1; r <= H / 3; ++r)
        if (g.RowInk[r - 1] > W - 3) ++fullRows;
    if (fullRows > 2) return true;

    // The first two-run row of the middle, then the first one-run row below.
    int32_t k0 = 2 * H / 3;
    for (int32_t k = H / 4; k < 2 * H / 3; ++k) {
        if (g.RowRuns[k] == 2) {
            k0 = k;
            break;
        }
    }
    int32_t m = -1;
    for (int32_t k = k0 + 1; k < 3 * H / 4; ++k) {
        if (g.RowRuns[k] == 1) {
            m = k;
            break;
        }
    }
    if (m < 0) return false;

    const int32_t first = m - 3 < 0 ? 0 : m - 3;
    const int32_t last = m + 3 > H - 1 ? H - 1 : m + 3;
    const int32_t j = widestLeftMargin(first, last);
    if (g.LeftMargin[j] < 3) return true;

    const int32_t jU = narrowestLeftMargin(j, -1);
    const int32_t jD = narrowestLeftMargin(j, +1);
    if (jU < H / 8 || jD > H - H / 8) return true;
    if (g.LeftMargin[jU] >= g.LeftMargin[j]) return true;
    return g.LeftMargin[jD] > g.LeftMargin[j] - 2;
}

bool spurBaseAtBottomRight() {
    const SpurRecord& spur = g.Spurs[0];
    return isOneOf(zoneOf(5, spur.baseCol, spur.baseRow), {19, 24, 25});
}

}  // namespace

int32_t recogniseA() {
    // A blob, not a letter.
    if (g.InkDensity > 0.85) return 0;

    if (g.HoleCount == 1) {
        if (g.ForkCount == 0 && g.EndCount == 0)
            return ringFillsBox() && !rectangularFrame() && rightStemTest() == 0 ? Accepted : 0;
        if (!bowlInLowerPart()) return 0;
        if (g.ForkCount == 2 && g.EndCount == 2) return hookAndFoot() ? Accepted : 0;
        if (g.ForkCount == 1 && g.EndCount == 1) return hookToFork() ? Accepted : 0;
        return 0;
    }

    if (g.HoleCount == 2) {
        if (g.ForkCount == 3 && g.EndCount == 1) return closedHookWithFoot() ? Accepted : 0;
        if (g.ForkCount == 2 && g.EndCount == 0 && g.AspectRatio < 1.44) {
            if (!closedHookNoFoot()) return 0;
            if (g.SpurCount == 1 && !spurBaseAtBottomRight()) return 0;
            if (noLeftDent()) return 0;
            return Accepted;
        }
        return 0;
    }

    return 0;
}
