// The decision of classifyTrace on hand-set trace results: every shape code
// reached from its switches, overshoot patterns and side counts, with the
// expected codes worked out by hand.
#include <gtest/gtest.h>

#include <string>

#include "recog/state/state.h"
#include "recog/strokes/strokes.h"

namespace {

struct TraceCase {
    const char* name;
    // One character per point: '3' side 3, 'x' side 13, '4' side 4, 'y' 14,
    // '5' side 5, 'z' 15.
    const char* sides;
    // One digit per point: the (already smoothed) distance.
    const char* distances;
    int direction;
    int unitHeight;
    int boxHeight;
    int expected;
};

// A trace of strlen(sides) points with no crossings, Unit 2, a chord of 10.
// Every case has a distance of 4, so the trace is never straight.
void setTrace(const TraceCase& c) {
    resetRecognitionState();
    const std::string sides = c.sides, distances = c.distances;
    ASSERT_EQ(sides.size(), distances.size()) << c.name;
    g.TraceCount = static_cast<int32_t>(sides.size());
    for (int i = 0; i < g.TraceCount; ++i) {
        g.PathRow[i] = i + 1;
        g.PathCol[i] = 1;
        const char s = sides[i];
        g.TraceSide[i] = s == 'x' ? 13 : s == 'y' ? 14 : s == 'z' ? 15 : static_cast<uint8_t>(s - '0');
        g.TraceDistance[i] = static_cast<uint8_t>(distances[i] - '0');
    }
    g.CrossingCount = 0;
    g.Unit = 2;
    g.UnitWidth = 2;
    g.UnitHeight = c.unitHeight;
    g.ChordLength = 10;
    g.ChordDirection = static_cast<int8_t>(c.direction);
    g.BoxHeight = c.boxHeight;
}

// 16 points, Unit 2: switches are looked for at i = 4 .. 10, overshoots at
// j = 2 .. 13; (Unit + 1) / 2 = 1.
TEST(ClassifyTrace, DecisionOnHandSetTraces) {
    const TraceCase cases[] = {
        // One switch from 3 to 13 at i = 5, flat before it and bowed after it.
        {"bow after a down switch", "333333xxxxxxxxxx", "0000001234432100", 1, 2, 10, 6},
        // ... at i = 9, bowed before it and flat after it.
        {"bow before a down switch", "3333333333xxxxxx", "0123443210000000", 1, 2, 10, 11},
        // At i = 7 with bows on both sides: the chord direction decides.
        {"down switch, left-going", "33333333xxxxxxxx", "0123432112343210", -1, 2, 10, 3},
        {"down switch, right-going", "33333333xxxxxxxx", "0123432112343210", 1, 2, 10, 4},
        {"down switch, right-going, few points each side", "33333333xxxxxxxx", "0123432112343210", 1, 8, 10, 999},
        {"down switch, vertical", "33333333xxxxxxxx", "0123432112343210", 0, 2, 10, 999},
        // The same with an overshoot 15, 15, 5, 5 at j = 2 (e4 = 1): a3 = 4.
        {"down switch and e4, left-going", "3zz55333xxxxxxxx", "0123432112343210", -1, 2, 10, 3},
        {"down switch and e4, left-going, few points", "3zz55333xxxxxxxx", "0123432112343210", -1, 4, 10, 10},
        {"down switch and e4, left-going, short trace", "3zz55333xxxxxxxx", "0123432112343210", -1, 4, 16, 999},
        {"down switch and e4, right-going", "3zz55333xxxxxxxx", "0123432112343210", 1, 2, 10, 4},
        // With 5, 5, 15, 15 instead (e3 = 1) straight on to the e3/e4 test.
        {"down switch and e3", "355zz333xxxxxxxx", "0123432112343210", -1, 2, 10, 10},
        {"down switch and e3, short trace", "355zz333xxxxxxxx", "0123432112343210", -1, 2, 16, 999},
        // 4, 4, 14, 14 (e1 = 1).
        {"down switch and e1", "344yy333xxxxxxxx", "0123432112343210", -1, 2, 10, 9},
        {"down switch and e1, short trace", "344yy333xxxxxxxx", "0123432112343210", -1, 2, 16, 999},
        // 14, 14, 4, 4 (e2 = 1), no e3: right-going on to the count test.
        {"down switch and e2, right-going", "3yy44333xxxxxxxx", "0123432112343210", 1, 2, 10, 4},
        {"down switch and e2, right-going, few points", "3yy44333xxxxxxxx", "0123432112343210", 1, 8, 10, 9},
        {"down switch and e2, left-going", "3yy44333xxxxxxxx", "0123432112343210", -1, 2, 10, 3},
        {"down switch and e2, left-going, few points", "3yy44333xxxxxxxx", "0123432112343210", -1, 8, 10, 9},
        // e2 and e3 together: straight to the e2 test.
        {"down switch, e2 and e3", "3yy44333xxxxx55zz", "01234321123432100", 1, 2, 10, 9},
        // Mirror images: one switch from 13 to 3.
        {"bow after an up switch", "xxxxxx3333333333", "0000001234432100", 1, 2, 10, 5},
        {"bow before an up switch", "xxxxxxxxxx333333", "0123443210000000", 1, 2, 10, 12},
        {"up switch, right-going", "xxxxxxxx33333333", "0123432112343210", 1, 2, 10, 4},
        {"up switch, left-going", "xxxxxxxx33333333", "0123432112343210", -1, 2, 10, 999},
        {"up switch and e3", "x55zzxxx33333333", "0123432112343210", 1, 2, 10, 10},
        // Switch window: i = 4 and i = 10 are looked at, i = 3 and i = 11 not.
        {"down switch at i = 4", "33333xxxxxxxxxxx", "0123432123212320", -1, 2, 10, 3},
        {"down switch at i = 3", "3333xxxxxxxxxxxx", "0123432123212320", -1, 2, 10, 2},
        {"down switch at i = 10", "33333333333xxxxx", "0123432123212320", -1, 2, 10, 3},
        {"down switch at i = 11", "333333333333xxxx", "0123432123212320", -1, 2, 10, 1},
        // Overshoot window: j = 2 .. 13, and a pattern needs distance beside it.
        {"e1 at j = 2", "344yy33333333333", "0123432112343210", 1, 2, 10, 9},
        {"e1 at j = 1", "44yy333333333333", "0123432112343210", 1, 2, 10, 1},
        {"e1 at j = 2 on the chord", "344yy33333333333", "0000432112343210", 1, 2, 10, 1},
        {"e4 at j = 13", "333333333333zz55", "0123432112343210", 1, 2, 10, 10},
        {"two e1", "344yy344yy333333", "0123432112343210", 1, 2, 10, 1},
        // One switch each way (the third lies past i = 10): an S, coded by
        // the side with more points and the chord direction.
        {"S, more on side 3, right-going", "333xxx333xxx3333", "0123432112343210", 1, 2, 10, 7},
        {"S, more on side 3, left-going", "333xxx333xxx3333", "0123432112343210", -1, 2, 10, 8},
        {"S, more on side 13, right-going", "xxx333xxx333xxxx", "0123432112343210", 1, 2, 10, 8},
        {"S, more on side 13, left-going", "xxx333xxx333xxxx", "0123432112343210", -1, 2, 10, 7},
    };
    for (const TraceCase& c : cases) {
        setTrace(c);
        EXPECT_EQ(classifyTrace(2), c.expected) << c.name;
    }
}

// Several switches, all before the farthest point, near the start of the
// chord: a bow at the far end, coded by the side of that point.
TEST(ClassifyTrace, SeveralSwitchesBeforeTheFarthestPoint) {
    // 20 points: switches at i = 4 .. 14. Up at 4, down at 7, up at 10.
    const TraceCase cases[] = {
        {"bow on side 3", "xxxxx333xxx333333333", "01111111111234543210", 1, 2, 10, 5},
        // Down at 4, up at 7, down at 10: s = 2, r = 1.
        {"bow on side 13", "33333xxx333xxxxxxxxx", "01111111111234543210", 1, 2, 10, 6},
        // A distance above Unit before the last switch.
        {"off the chord before the last switch", "xxxxx333xxx333333333", "01111111131234543210", 1, 2, 10, 999},
        // The bow must reach twice Unit.
        {"shallow bow", "xxxxx333xxx333333333", "01111111111233333210", 1, 2, 10, 999},
        // The farthest point before the last switch.
        {"farthest point first", "xxxxx333xxx333333333", "01114111111222222210", 1, 2, 10, 999},
    };
    for (const TraceCase& c : cases) {
        setTrace(c);
        EXPECT_EQ(classifyTrace(2), c.expected) << c.name;
    }
}

// A switch with no distance on either side of it counts only when the trace
// was off the chord on the old side within Unit points before (looking back
// from i - 2) and gets off it on the new side within i + 2 .. i + Unit + 1.
TEST(ClassifyTrace, QuietSwitchLooksBackAndAhead) {
    // The switch is at i = 9 (points 8, 9 on side 3, 10, 11 on side 13).
    const TraceCase cases[] = {
        {"off the chord at i - 2 and i + 2", "3333333333xxxxxx", "0123443200010000", -1, 2, 10, 3},
        {"off the chord at i - 3", "3333333333xxxxxx", "0123442000010000", -1, 2, 10, 3},
        {"off the chord only at i - 4", "3333333333xxxxxx", "0123440000010000", -1, 2, 10, 1},
        {"back at i + 3", "3333333333xxxxxx", "0123443200001000", -1, 2, 10, 3},
        {"back only at i + 4", "3333333333xxxxxx", "0123443200000100", -1, 2, 10, 1},
        // Looking back, a point off the chord on side 13 is passed over.
        {"passing a point on side 13", "3333333x33xxxxxx", "0123442200010000", -1, 2, 10, 3},
        {"only a point on side 13", "3333333x33xxxxxx", "0123440200010000", -1, 2, 10, 1},
    };
    for (const TraceCase& c : cases) {
        setTrace(c);
        EXPECT_EQ(classifyTrace(2), c.expected) << c.name;
    }
}

}  // namespace

namespace {

struct StraightCase {
    const char* name;
    const char* sides;      // as in TraceCase
    const char* distances;  // as in TraceCase
    int unit;
    int length;         // ChordLength
    int crossings;      // CrossingCount
    int crossingPoint;  // a trace point that is a crossing, or -1
    int tolerance;
    int expected;
};

// The steps of the straightness test, each on either side of its boundary.
TEST(IsStraightTrace, EachStepAtItsBoundary) {
    const StraightCase cases[] = {
        {"a distance over 3", "333", "040", 2, 2, 0, -1, 2, 0},
        {"under two units", "333", "030", 2, 2, 0, -1, 2, 1},
        {"two units, one-sided", "3333", "0330", 2, 4, 0, -1, 2, 0},
        // 13 points: straight with more than 26 / 5 = 5 crossings.
        {"six crossings in 13 points", "3333333333333", "0333333333330", 2, 10, 6, -1, 2, 1},
        {"five crossings in 13 points", "3333333333333", "0333333333330", 2, 10, 5, -1, 2, 0},
        // Under five units, no longer than the chord plus one, a unit of crossings.
        {"nine points on a chord of 8, two crossings", "333333333", "033333330", 2, 8, 2, -1, 2, 1},
        {"nine points on a chord of 8, one crossing", "333333333", "033333330", 2, 8, 1, -1, 2, 0},
        {"nine points on a chord of 7", "333333333", "033333330", 2, 7, 2, -1, 2, 0},
        {"ten points on a chord of 9", "3333333333", "0333333330", 2, 9, 2, -1, 2, 0},
        // Shorter than the chord.
        {"two shorter than the chord", "3333333333333", "0333333333330", 2, 15, 0, -1, 2, 1},
        {"one shorter, within tolerance + 1", "3333333333333", "0333333333330", 2, 14, 0, -1, 2, 1},
        {"one shorter, beyond tolerance + 1", "3333333333333", "0333333333330", 2, 14, 0, -1, 1, 0},
        // Under six units a one-sided trace gets half the tolerance.
        {"11 points on both sides", "33333xxxxxx", "02222222220", 2, 10, 0, -1, 2, 1},
        {"11 points on one side", "33333333333", "02222222220", 2, 10, 0, -1, 2, 0},
        // 23 points, Unit 4: the sides of points 1 .. 21 that are not crossings
        // are counted; 15 : 1 is one-sided, 14 : 1 is not.
        {"15 to 1", "3333333333333333x444443", "03333333333333333333330", 4, 22, 0, -1, 4, 0},
        {"14 to 1, the ends not counted", "333333333333333x4444443", "03333333333333333333330", 4, 22, 0, -1, 4, 1},
        {"1 to 17", "x3xxxxxxxxxxxxxxxxx444x", "03333333333333333333330", 4, 22, 0, -1, 4, 0},
        {"1 to 16, the ends not counted", "x3xxxxxxxxxxxxxxxx4444x", "03333333333333333333330", 4, 22, 0, -1, 4, 1},
        {"15 to 1 and a crossing on side 13", "4333333333333333xx44444", "03333333333333333333330", 4, 22, 1, 17, 4, 0},
        {"23 points on one side", "33333333333333333333333", "03333333333333333333330", 4, 22, 0, -1, 4, 0},
        {"24 points on one side", "333333333333333333333333", "033333333333333333333330", 4, 23, 0, -1, 4, 1},
        // The tolerance is at least 1.
        {"tolerance 0, distances 1", "3333333333333", "0111111111110", 2, 10, 0, -1, 0, 1},
        {"tolerance 0, a distance 2", "3333333333333", "0111112111110", 2, 10, 0, -1, 0, 0},
    };
    for (const StraightCase& c : cases) {
        resetRecognitionState();
        const std::string sides = c.sides, distances = c.distances;
        ASSERT_EQ(sides.size(), distances.size()) << c.name;
        g.TraceCount = static_cast<int32_t>(sides.size());
        for (int i = 0; i < g.TraceCount; ++i) {
            g.PathRow[i] = i + 1;
            g.PathCol[i] = 1;
            const char s = sides[i];
            g.TraceSide[i] = s == 'x' ? 13 : static_cast<uint8_t>(s - '0');
            g.TraceDistance[i] = static_cast<uint8_t>(distances[i] - '0');
        }
        // Crossings off the trace except the one named.
        g.CrossingCount = c.crossings;
        for (int k = 0; k < c.crossings; ++k) {
            g.CrossingRow[k] = 200;
            g.CrossingCol[k] = static_cast<uint8_t>(k);
        }
        if (c.crossingPoint >= 0) {
            g.CrossingRow[0] = static_cast<uint8_t>(g.PathRow[c.crossingPoint]);
            g.CrossingCol[0] = static_cast<uint8_t>(g.PathCol[c.crossingPoint]);
        }
        g.Unit = c.unit;
        g.ChordLength = c.length;
        EXPECT_EQ(isStraightTrace(c.tolerance), c.expected) << c.name;
    }
}

}  // namespace
