// The t: a stem whose top reaches the top of the glyph, a crossbar in the
// upper third and a foot that turns right at the bottom. The crossbar gives
// two forks, or one when it sticks out on one side only, or none when the
// skeleton keeps only the stem and its hook.
#include <cstdlib>

#include "recog/letters/helpers.h"
#include "recog/letters/letter_rules.h"
#include "recog/letters/recognisers.h"
#include "recog/state/state.h"
#include "recog/strokes/strokes.h"

// 1 when the profiles show no crossbar over a stem: a steady right edge in
// the lower half without a full-width bar above it, or a wide bottom.
int32_t tProfileRejectTest();
// 1 when the bottom quarter is a wide foot of two runs.
int32_t tWideFootTest();

bool tOneForkRightArm();
bool tOneForkLeftArm();
bool tTwoForks();
bool tNoForkHook();
bool tNoForkStraight();

namespace {

constexpr int32_t Accepted = 2;

int32_t zone3(const PointXY& p) { return zoneOf(3, p.x, p.y); }
int32_t zone4(const PointXY& p) { return zoneOf(4, p.x, p.y); }
int32_t zone5(const PointXY& p) { return zoneOf(5, p.x, p.y); }

// The shape code and the quadrant of the far end of the trace just made.
struct Stroke {
    int32_t s;
    int32_t q;
};

Stroke readStroke() {
    Stroke st;
    st.s = classifyTrace(g.Unit);
    st.q = quadrantFromStart(g.TraceCount - 1);
    return st;
}

// Trace a to b; false when the skeleton does not join them.
bool trace(const PointXY& a, const PointXY& b, Stroke& st) {
    if (traceBetween(a, b) != 0) return false;
    st = readStroke();
    return true;
}

// The stem from its top down to the crossbar's fork: straight and steep.
bool stemToFork(const PointXY& top, const PointXY& fork) {
    Stroke st;
    if (!trace(top, fork, st)) return false;
    return st.s == 0 && st.q >= 3 && g.ChordSlope >= 2.2;
}

// One arm of the crossbar, from its end to the fork: straight and nearly
// level, the fork seen in one of the two quadrants given.
bool barArm(const PointXY& end, const PointXY& fork, int32_t q1, int32_t q2, double maxSlope) {
    Stroke st;
    if (!trace(end, fork, st)) return false;
    if (st.s != 0 || (st.q != q1 && st.q != q2)) return false;
    return g.ChordSlope <= maxSlope;
}

// The foot up to the fork: straight, or bowed without running left, and
// the fork above it.
bool footToFork(const PointXY& foot, const PointXY& fork) {
    Stroke st;
    if (!trace(foot, fork, st)) return false;
    if (!(st.s == 0 || (st.s == 2 && g.ChordDirection != -1))) return false;
    return st.q <= 2;
}

}  // namespace

int32_t tProfileRejectTest() {
    const int32_t H = g.ImageHeight;
    const int32_t W = g.ImageWidth;
    const int32_t h = H / 2;

    // A steady stretch of the right edge in the lower half.
    int32_t found = -1;
    for (int32_t i = h; i < H - 6; ++i) {
        const int32_t b = g.RightMargin[i];
        int32_t same = 0, up = 0, down = 0;
        for (int32_t k = 0; k <= 3; ++k) {
            const int32_t v = g.RightMargin[i + k];
            if (v == b) ++same;
            if (v == b + 1) ++up;
            if (v == b - 1) ++down;
        }
        if (same >= 2 && (same + up == 4 || same + down == 4)) {
            found = i;
            break;
        }
    }

    if (found >= 0) {
        const int32_t e = g.RightMargin[found];
        int32_t m = W;
        for (int32_t k = found + 3; k <= H - 1; ++k)
            if (g.RightMargin[k] < m) m = g.RightMargin[k];
        if (e - m < 3) {
            // A full-width row (the crossbar) between the upper fifth and
            // the middle, set off from the stem's right edge.
            const int32_t gTop = H / 5;
            int32_t j = h;
            while (j > gTop && g.RowInk[j] != W) --j;
            if (j == gTop) return 1;
            if (e - g.RightMargin[j] < 4) return 1;
            if (std::abs(e - g.RightMargin[4]) > 2) return 1;
        }
    }

    // A wide bottom.
    if (W <= 14) return 0;
    int32_t wide = 0;
    for (int32_t k = 3 * H / 4; k <= H - 1; ++k)
        if (g.RowInk[k] > W - 3) ++wide;
    return wide > 1 ? 1 : 0;
}

int32_t tWideFootTest() {
    const int32_t H = g.ImageHeight;
    const int32_t W = g.ImageWidth;
    const bool f = g.BottomMargin[2] <= H / 3 || g.BottomMargin[2] >= 4 * H / 5;

    int32_t twoRuns = 0;
    int32_t wide = 0;
    for (int32_t k = H - 2; k >= H - H / 4 + 1; --k) {
        if (g.RowRuns[k] == 2) ++twoRuns;
        if (g.RowInk[k] > W - 4) ++wide;
    }
    return twoRuns > 3 && wide > 1 && f ? 1 : 0;
}

// One fork: the crossbar sticks out to the right only. E0 the stem's top,
// E1 the crossbar's right end, E2 the foot, F0 where crossbar and stem meet.
bool tOneForkRightArm() {
    const PointXY& E0 = g.EndPoints[0];
    const PointXY& E1 = g.EndPoints[1];
    const PointXY& E2 = g.EndPoints[2];
    const PointXY& F0 = g.ForkPoints[0];

    if (F0.y > g.BoxTop + g.BoxHeight / 3 || F0.x > g.BoxLeft + g.BoxWidth / 2) return false;
    if (E0.y > g.BoxTop || E0.x > g.BoxLeft + g.BoxWidth / 2) return false;
    if (!isOneOf(zone3(E1), {1, 2})) return false;
    const int32_t footZone = zone3(E2);
    if (!isOneOf(footZone, {6, 7, 8})) return false;
    if (footZone != 8 && E2.y < g.BoxBottom - 1) return false;

    if (!stemToFork(E0, F0)) return false;
    if (!barArm(E1, F0, 1, 4, 0.3)) return false;
    if (!footToFork(E2, F0)) return false;
    return tWideFootTest() == 0;
}

// One fork: the crossbar sticks out to the left only.
bool tOneForkLeftArm() {
    const PointXY& E0 = g.EndPoints[0];
    const PointXY& E1 = g.EndPoints[1];
    const PointXY& E2 = g.EndPoints[2];
    const PointXY& F0 = g.ForkPoints[0];

    if (F0.y > g.BoxTop + g.BoxHeight / 3) return false;
    if (F0.x < g.BoxLeft + 3) return false;
    if (E0.y > g.BoxTop) return false;
    if (E0.x < g.BoxLeft + 2) return false;
    if (E1.x > g.BoxLeft || zone3(E1) != 0) return false;
    if (!isOneOf(zone5(E2), {23, 24})) return false;

    if (!stemToFork(E0, F0)) return false;
    if (!barArm(E1, F0, 2, 3, 0.3)) return false;
    return footToFork(E2, F0);
}

// Two forks: the crossbar meets the stem in two forks. E0 the stem's top,
// E1/E2 the crossbar's ends, E3 the foot.
bool tTwoForks() {
    const PointXY& F0 = g.ForkPoints[0];
    const PointXY& F1 = g.ForkPoints[1];
    const PointXY& E0 = g.EndPoints[0];
    const PointXY& E3 = g.EndPoints[3];
    const bool e1Left = leftIsFirst(g.EndPoints[1], g.EndPoints[2], false);
    const PointXY& L = e1Left ? g.EndPoints[1] : g.EndPoints[2];
    const PointXY& Rt = e1Left ? g.EndPoints[2] : g.EndPoints[1];
    const bool f0Left = leftIsFirst(F0, F1, false);
    const PointXY& leftFork = f0Left ? F0 : F1;
    const PointXY& rightFork = f0Left ? F1 : F0;

    const int32_t a = g.BoxTop + g.UnitHeight;
    const int32_t d = a + g.BoxHeight / 3;
    const int32_t lo = g.BoxLeft + g.BoxWidth / 3 - g.UnitWidth;
    const int32_t hi = g.BoxRight - g.BoxWidth / 3;

    if (F0.y < g.BoxTop + g.UnitHeight / 2 || F0.y > g.BoxTop + g.BoxHeight / 3) return false;
    if (F0.x < lo || F0.x > hi) return false;
    if (F1.y < a || F1.y > d) return false;
    if (F1.x < lo || F1.x > hi) return false;
    if (E0.y > g.BoxTop) return false;
    if (E0.x < g.BoxLeft + g.UnitWidth || E0.x > hi) return false;
    if (L.x > g.BoxLeft) return false;
    if (L.y < a || L.y > d) return false;
    if (Rt.x < g.BoxRight - g.BoxWidth / 2) return false;
    if (Rt.y < a || Rt.y > d) return false;
    if (!isOneOf(zone4(E3), {13, 14, 15})) return false;

    if (!stemToFork(E0, F0)) return false;
    if (!barArm(L, leftFork, 2, 3, 0.5)) return false;
    if (!barArm(Rt, rightFork, 1, 4, 0.5)) return false;

    // The foot, from its end to where its walk stops, traced over the
    // skeleton as the walk left it.
    clearMarks(3);
    walkFromEndPoint(3);
    if (g.WalkCount < 1) return false;
    const int32_t pRow = g.PathRow[g.WalkCount - 1];
    const int32_t pCol = g.PathCol[g.WalkCount - 1];
    if (traceStroke(E3.y, E3.x, pRow, pCol) != 0) return false;
    const Stroke st = readStroke();
    if (st.s != 0 && st.s != 2) return false;
    if (st.q > 2) return false;
    return g.ChordSlope >= 1.0;
}

// No fork, a hooked stroke: the top at the top right, the foot at the bottom
// right, with a crossbar seen only in the profiles.
bool tNoForkHook() {
    const PointXY& E0 = g.EndPoints[0];
    const PointXY& E1 = g.EndPoints[1];

    if (g.SpurCount == 1 && zoneOf(5, g.Spurs[0].baseCol, g.Spurs[0].baseRow) != 0) return false;
    if (!isOneOf(zone5(E0), {3, 4})) return false;
    if (!isOneOf(zone4(E1), {13, 14, 15})) return false;

    Stroke st;
    if (!trace(E0, E1, st)) return false;
    const bool bowed = (st.s == 1 && g.ChordDirection == -1) || (st.s == 2 && g.ChordDirection != -1) ||
                       st.s == 15;
    if (!bowed || st.q < 3) return false;
    if (isOneOf(quadrantFromStart(g.Unit), {2, 3})) return false;
    if (isOneOf(quadrantFromEnd(g.Unit - 1), {2, 3})) return false;
    return topBarShapeTest() == 1;
}

// No fork, a straight stem from the top row to the bottom.
bool tNoForkStraight() {
    const PointXY& E0 = g.EndPoints[0];
    const PointXY& E1 = g.EndPoints[1];
    if (E0.y > g.BoxTop) return false;
    if (E1.y < g.BoxBottom - g.UnitHeight) return false;

    Stroke st;
    if (!trace(E0, E1, st)) return false;
    const bool down = (st.s == 0 && st.q >= 3) || (st.s == 2 && g.ChordDirection >= 0 && st.q == 3);
    if (!down) return false;
    if (quadrantFromStart(g.Unit) < 3) return false;
    if (quadrantFromEnd(g.Unit) == 3) return false;
    if (g.ChordSlope < 3.4) return false;
    if (g.TraceLengthRatio > 1.3) return false;
    return columnRunsTest() != 1 && rightColumnGapTest() != 0;
}

int32_t recogniseT() {
    if (g.HoleCount != 0) return 0;
    if (g.AspectRatio < 1.2) return 0;
    if (tProfileRejectTest() != 0) return 0;

    bool accepted = false;
    switch (g.ForkCount) {
    case 1:
        if (g.EndCount != 3) return 0;
        accepted = tOneForkRightArm() || tOneForkLeftArm();
        break;
    case 2:
        if (g.EndCount != 4 || g.IsolatedCount != 0) return 0;
        accepted = tTwoForks();
        break;
    case 0:
        if (g.EndCount != 2) return 0;
        accepted = tNoForkHook() || tNoForkStraight();
        break;
    default:
        return 0;
    }
    return accepted ? Accepted : 0;
}
