// Tracing the skeleton between two points against the straight chord that
// joins them, the branch between two forks, and the walk from an end point.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "recog/preprocess/preprocess.h"
#include "recog/state/state.h"
#include "recog/strokes/strokes.h"

namespace strokes_detail {
// 1 when (row, col) is one of the ink pixels met while drawing the last chord.
bool isRecordedCrossing(int32_t row, int32_t col);
}  // namespace strokes_detail

namespace {

// Chord marks: the chord itself, its extension past the upper end, its
// extension past the lower end.
constexpr uint8_t ChordMark = 3;
constexpr uint8_t UpperExtensionMark = 4;
constexpr uint8_t LowerExtensionMark = 5;

// The offset across the major axis after t steps along it, for a line whose
// minor / major difference ratio is minor / major: trunc(t * minor / major
// + 0.5), computed exactly in integers so that no rounding moves a pixel.
int offset(int t, int minor, int major) { return (2 * t * minor + major) / (2 * major); }

// Draw one chord position: ink stays and is recorded as a crossing, any
// other value takes the mark. Positions outside the framed glyph are left
// alone (a chord between points of the glyph never reaches them).
void drawMark(int row, int col, uint8_t mark) {
    if (row < 0 || col < 0 || row > g.ImageHeight + 1 || col > g.ImageWidth + 1) return;
    uint8_t& cell = g.WorkRaster[row][col];
    if (cell == 1) {
        if (g.CrossingCount < MaxPathPoints) {
            g.CrossingRow[g.CrossingCount] = static_cast<uint8_t>(row);
            g.CrossingCol[g.CrossingCount] = static_cast<uint8_t>(col);
            ++g.CrossingCount;
        }
    } else {
        cell = mark;
    }
}

// Draw the chord from the upper point (r1, c1) to the lower point (r2, c2)
// and its two extensions to the edges of the skeleton box. dy >= 0 and
// dx >= 0 are the row and column distances; ChordDirection is already set.
void drawChord(int r1, int c1, int r2, int c2, int dy, int dx) {
    const int top = g.BoxTop, bottom = g.BoxBottom, left = g.BoxLeft, right = g.BoxRight;
    if (dx == 0) {
        // Vertical: the upper extension starts at the top of the raster.
        for (int row = 0; row < r1; ++row) drawMark(row, c1, UpperExtensionMark);
        for (int row = r1 + 1; row < r2; ++row) drawMark(row, c1, ChordMark);
        for (int row = r2 + 1; row <= bottom; ++row) drawMark(row, c1, LowerExtensionMark);
        return;
    }
    if (g.ChordDirection > 0) {
        if (dx >= dy) {
            for (int col = c1 + 1; col < c2; ++col) drawMark(r1 + offset(col - c1, dy, dx), col, ChordMark);
            for (int col = c2 + 1; col <= right; ++col) {
                const int row = r2 + offset(col - c2, dy, dx);
                if (row > bottom) break;
                drawMark(row, col, LowerExtensionMark);
            }
            for (int col = c1 - 1; col >= left; --col) {
                const int row = r1 - offset(c1 - col, dy, dx);
                if (row < top) break;
                drawMark(row, col, UpperExtensionMark);
            }
        } else {
            for (int row = r1 + 1; row < r2; ++row) drawMark(row, c1 + offset(row - r1, dx, dy), ChordMark);
            for (int row = r2 + 1; row <= bottom; ++row) {
                const int col = c2 + offset(row - r2, dx, dy);
                if (col > right) break;
                drawMark(row, col, LowerExtensionMark);
            }
            for (int row = r1 - 1; row >= top; --row) {
                const int col = c1 - offset(r1 - row, dx, dy);
                if (col < left) break;
                drawMark(row, col, UpperExtensionMark);
            }
        }
        return;
    }
    // Left-going: the mirror image, the chord counted from the lower point.
    if (dx >= dy) {
        for (int col = c2 + 1; col < c1; ++col) drawMark(r2 - offset(col - c2, dy, dx), col, ChordMark);
        for (int col = c1 + 1; col <= right; ++col) {
            const int row = r1 - offset(col - c1, dy, dx);
            if (row < top) break;
            drawMark(row, col, UpperExtensionMark);
        }
        for (int col = c2 - 1; col >= left; --col) {
            const int row = r2 + offset(c2 - col, dy, dx);
            if (row > bottom) break;
            drawMark(row, col, LowerExtensionMark);
        }
    } else {
        for (int row = r2 - 1; row > r1; --row) drawMark(row, c2 + offset(r2 - row, dx, dy), ChordMark);
        for (int row = r1 - 1; row >= top; --row) {
            const int col = c1 + offset(r1 - row, dx, dy);
            if (col > right) break;
            drawMark(row, col, UpperExtensionMark);
        }
        for (int row = r2 + 1; row <= bottom; ++row) {
            const int col = c2 - offset(row - r2, dx, dy);
            if (col < left) break;
            drawMark(row, col, LowerExtensionMark);
        }
    }
}

enum class Edge { Upper, Right, Lower, Left };

// The side code of a mark found on one edge of the search square: ten more
// on the edges that face the side of the chord coded 13.
uint8_t sideCode(uint8_t mark, Edge edge) {
    const bool far = g.ChordDirection == -1 ? (edge == Edge::Upper || edge == Edge::Left)
                                            : (edge == Edge::Upper || edge == Edge::Right);
    return static_cast<uint8_t>(far ? mark + 10 : mark);
}

// Search square rings of growing radius around (row, col) for the nearest
// chord mark inside the skeleton box. The search ends once the rings have
// grown past the whole box; a point that finds nothing gets side 3, distance 0.
void nearestMark(int row, int col, uint8_t& side, uint8_t& distance) {
    side = 3;
    distance = 0;
    const int reach = std::max({std::abs(row - g.BoxTop), std::abs(row - g.BoxBottom),
                                std::abs(col - g.BoxLeft), std::abs(col - g.BoxRight)});
    auto probe = [&](int r, int c, Edge edge, int k) {
        if (!insideBox(r, c)) return false;
        const uint8_t value = g.WorkRaster[r][c];
        if (value <= 2) return false;
        side = sideCode(value, edge);
        distance = static_cast<uint8_t>(std::min(k, 255));
        return true;
    };
    for (int k = 1; k <= reach; ++k) {
        for (int t = 1; t <= 2 * k; ++t) {
            if (probe(row - k, col - k + t, Edge::Upper, k)) return;
            if (probe(row - k + t, col + k, Edge::Right, k)) return;
            if (probe(row + k, col + k - t, Edge::Lower, k)) return;
            if (probe(row + k - t, col - k, Edge::Left, k)) return;
        }
    }
}

// Crossings take the side of the point before them; then a single point
// whose side differs from equal sides on both neighbours takes theirs.
void cleanSides() {
    const int n = g.TraceCount;
    for (int i = 0; i < n; ++i) {
        if (!strokes_detail::isRecordedCrossing(g.PathRow[i], g.PathCol[i])) continue;
        g.TraceDistance[i] = 0;
        if (i > 0) g.TraceSide[i] = g.TraceSide[i - 1];
    }
    for (int i = 0; i + 2 < n; ++i)
        if (g.TraceSide[i] == g.TraceSide[i + 2] && g.TraceSide[i + 1] != g.TraceSide[i])
            g.TraceSide[i + 1] = g.TraceSide[i];
}

// A running mean over 5 points (3 on a short trace); the ends, where the
// window does not fit, become 0.
void smoothDistances() {
    uint8_t raw[MaxPathPoints];
    const int n = g.TraceCount;
    const int window = n < 4 * g.Unit ? 3 : 5;
    const int half = (window - 1) / 2;
    std::copy(g.TraceDistance, g.TraceDistance + n, raw);
    for (int j = 0; j < n; ++j) {
        if (j < half || j >= n - half) {
            g.TraceDistance[j] = 0;
            continue;
        }
        int sum = 0;
        for (int k = j - half; k <= j + half; ++k) sum += raw[k];
        // trunc((sum + 0.5) / window) for a whole sum
        g.TraceDistance[j] = static_cast<uint8_t>(sum / window);
    }
}

void appendWalkPoint(int row, int col) {
    g.PathRow[g.WalkCount] = row;
    g.PathCol[g.WalkCount] = col;
    ++g.WalkCount;
}

// Walk the skeleton from (row, col) through pixels with exactly two ink
// neighbours. The walk ends on the first pixel with another count (that
// count is returned) or, when loopTest is set, back on its first pixel
// (returns 2). A walk that fills the path arrays ends there and returns 2.
int walkFrom(int row, int col, bool loopTest) {
    g.WalkCount = 0;
    g.CursorRow = row;
    g.CursorCol = col;
    g.PrevRow = -1;
    g.PrevCol = -1;
    for (;;) {
        appendWalkPoint(g.CursorRow, g.CursorCol);
        if (g.WalkCount == MaxPathPoints) return 2;
        const int oldRow = g.CursorRow, oldCol = g.CursorCol;
        stepAlongSkeleton();
        g.PrevRow = oldRow;
        g.PrevCol = oldCol;
        const int n = inkNeighbourCount(g.CursorRow, g.CursorCol);
        if (n != 2) {
            appendWalkPoint(g.CursorRow, g.CursorCol);
            return n;
        }
        if (loopTest && g.CursorRow == row && g.CursorCol == col) return 2;
    }
}

// The ink neighbours of a fork, NW, N, NE, E, SE, S, SW, W, at most three.
void collectArms(const PointXY& fork, int slot) {
    static constexpr int dr[8] = {-1, -1, -1, 0, 1, 1, 1, 0};
    static constexpr int dc[8] = {-1, 0, 1, 1, 1, 0, -1, -1};
    g.ForkArmCount[slot] = 0;
    for (int k = 0; k < 8 && g.ForkArmCount[slot] < 3; ++k) {
        const int row = fork.y + dr[k], col = fork.x + dc[k];
        if (g.WorkRaster[row][col] != 1) continue;
        g.ForkArmPoints[slot][g.ForkArmCount[slot]++] = PointXY{col, row};
    }
}

void setArms(int slot, uint8_t value) {
    for (int k = 0; k < g.ForkArmCount[slot]; ++k)
        g.WorkRaster[g.ForkArmPoints[slot][k].y][g.ForkArmPoints[slot][k].x] = value;
}

}  // namespace

namespace strokes_detail {

bool isRecordedCrossing(int32_t row, int32_t col) {
    for (int k = 0; k < g.CrossingCount; ++k)
        if (g.CrossingRow[k] == row && g.CrossingCol[k] == col) return true;
    return false;
}

}  // namespace strokes_detail

int32_t roundedDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    return static_cast<int32_t>(std::sqrt(dx * dx + dy * dy) + 0.4);
}

int32_t insideBox(int32_t row, int32_t col) {
    return row >= g.BoxTop && row <= g.BoxBottom && col >= g.BoxLeft && col <= g.BoxRight ? 1 : 0;
}

int32_t traceStroke(int32_t row1, int32_t col1, int32_t row2, int32_t col2) {
    g.ChordLength = roundedDistance(col1, row1, col2, row2);
    g.CrossingCount = 0;

    // The chord runs from the upper point to the lower one.
    int r1 = row1, c1 = col1, r2 = row2, c2 = col2;
    if (r1 > r2) {
        std::swap(r1, r2);
        std::swap(c1, c2);
    }
    const int dy = r2 - r1;
    int dx = c2 - c1;
    g.ChordDirection = static_cast<int8_t>(dx > 0 ? 1 : dx < 0 ? -1 : 0);
    dx = std::abs(dx);
    g.ChordSlope = dx == 0 ? 999.0f : static_cast<float>(static_cast<double>(dy) / dx);
    drawChord(r1, c1, r2, c2, dy, dx);

    // Follow the skeleton from the caller's first point.
    g.PathRow[0] = row1;
    g.PathCol[0] = col1;
    g.TraceSide[0] = 3;
    g.TraceDistance[0] = 0;
    g.TraceCount = 1;
    g.CursorRow = row1;
    g.CursorCol = col1;
    g.PrevRow = -1;
    g.PrevCol = -1;
    for (;;) {
        const int oldRow = g.CursorRow, oldCol = g.CursorCol;
        if (!stepAlongSkeleton()) return 1;
        g.PrevRow = oldRow;
        g.PrevCol = oldCol;
        const int row = g.CursorRow, col = g.CursorCol;
        const bool atTarget = row == row2 && col == col2;
        uint8_t side = 3, distance = 0;
        if (!atTarget && !strokes_detail::isRecordedCrossing(row, col)) nearestMark(row, col, side, distance);
        if (g.TraceCount == MaxPathPoints) return 1;  // longer than the path arrays
        g.PathRow[g.TraceCount] = row;
        g.PathCol[g.TraceCount] = col;
        g.TraceSide[g.TraceCount] = side;
        g.TraceDistance[g.TraceCount] = distance;
        ++g.TraceCount;
        if (atTarget) break;
        if (inkNeighbourCount(row, col) >= 3) {
            // A junction: good enough when it lies next to the target.
            if (std::abs(row - row2) > 2 || std::abs(col - col2) > 2) return 1;
            break;
        }
    }

    cleanSides();
    smoothDistances();
    // A chord of length 0 (both ends the same point) has no finite ratio.
    g.TraceLengthRatio = g.ChordLength == 0
                             ? std::numeric_limits<float>::infinity()
                             : static_cast<float>(static_cast<double>(g.TraceCount) / g.ChordLength);
    return 0;
}

void walkFromEndPoint(int32_t k) {
    if (k < 0 || k >= MaxEndPoints) {
        g.WalkCount = 0;
        return;
    }
    walkFrom(g.EndPoints[k].y, g.EndPoints[k].x, false);
}

int32_t traceForkToFork(int32_t a, int32_t b) {
    clearMarks(3);
    if (a < 0 || a >= MaxForkPoints || b < 0 || b >= MaxForkPoints) return 0;
    const PointXY forkA = g.ForkPoints[a];
    collectArms(forkA, 0);
    collectArms(g.ForkPoints[b], 1);

    // Cut fork a out and leave one arm at a time, so that each walk runs
    // along that arm's branch only.
    g.WorkRaster[forkA.y][forkA.x] = 0;
    int32_t joined = 0;
    for (int i = 0; i < g.ForkArmCount[0]; ++i) {
        setArms(0, 0);
        const PointXY arm = g.ForkArmPoints[0][i];
        g.WorkRaster[arm.y][arm.x] = 1;
        if (walkFrom(arm.y, arm.x, true) < 3) continue;
        const int endRow = g.PathRow[g.WalkCount - 1], endCol = g.PathCol[g.WalkCount - 1];
        bool reachesB = false;
        for (int k = 0; k < g.ForkArmCount[1] && !reachesB; ++k)
            reachesB = std::abs(endRow - g.ForkArmPoints[1][k].y) <= 1 &&
                       std::abs(endCol - g.ForkArmPoints[1][k].x) <= 1;
        if (!reachesB) continue;
        joined = traceStroke(arm.y, arm.x, endRow, endCol) == 0 ? 1 : 0;
        break;
    }
    g.WorkRaster[forkA.y][forkA.x] = 1;
    setArms(0, 1);
    return joined;
}
