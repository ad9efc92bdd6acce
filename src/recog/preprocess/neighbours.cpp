// Neighbourhood queries on WorkRaster and the feature-point lists of the
// skeleton: end points, isolated points and forks.
#include <array>

#include "recog/preprocess/preprocess.h"
#include "recog/state/state.h"

namespace {

// Bits of the neighbour code in ring order, starting at NW and going round
// clockwise: NW, N, NE, E, SE, S, SW, W.
constexpr uint8_t RingBits[8] = {128, 64, 32, 16, 8, 4, 2, 1};

// Two ring positions touch when they are next to each other on the ring and
// one of them is an edge neighbour (corners never touch each other), or when
// both are edge neighbours at a right angle.
constexpr bool ringTouch(int a, int b) {
    const bool edgeA = a % 2 == 1;  // N, E, S, W sit at odd ring positions
    const bool edgeB = b % 2 == 1;
    const int gap = (a - b + 8) % 8;
    if (gap == 1 || gap == 7) return edgeA || edgeB;
    if (gap == 2 || gap == 6) return edgeA && edgeB;
    return false;
}

// 1 when the neighbours set in the code form at most one 8-connected group.
constexpr uint8_t oneGroup(int code) {
    int group[8] = {};
    for (int i = 0; i < 8; ++i) group[i] = i;
    for (int pass = 0; pass < 8; ++pass)
        for (int a = 0; a < 8; ++a)
            for (int b = 0; b < 8; ++b)
                if ((code & RingBits[a]) && (code & RingBits[b]) && ringTouch(a, b)) {
                    const int low = group[a] < group[b] ? group[a] : group[b];
                    group[a] = group[b] = low;
                }
    int groups = 0;
    for (int i = 0; i < 8; ++i)
        if ((code & RingBits[i]) && group[i] == i) ++groups;
    return groups <= 1 ? 1 : 0;
}

constexpr std::array<uint8_t, 256> makeThinTable() {
    std::array<uint8_t, 256> table{};
    for (int k = 0; k < 256; ++k) table[k] = oneGroup(k);
    return table;
}

constexpr std::array<uint8_t, 256> makePeelTable() {
    std::array<uint8_t, 256> table = makeThinTable();
    table[0] = 0;  // a lone pixel is never peeled
    for (int k = 0; k < 256; ++k)
        if ((k & 85) == 85) table[k] = 0;  // all four edge neighbours set: an inner pixel
    return table;
}

constexpr std::array<uint8_t, 256> ThinValues = makeThinTable();
constexpr std::array<uint8_t, 256> PeelValues = makePeelTable();

static_assert(ThinValues[0] == 1 && ThinValues[255] == 1);
static_assert(ThinValues[68] == 0 && ThinValues[17] == 0 && ThinValues[40] == 0 && ThinValues[160] == 0);
static_assert(PeelValues[0] == 0 && PeelValues[85] == 0 && PeelValues[255] == 0 && PeelValues[64] == 1);

bool isInk(int row, int col) { return g.WorkRaster[row][col] == 1; }

}  // namespace

// The public tables are plain arrays; their values come from the constexpr
// builders above.
#define QM_ROW4(t, i) t[i], t[i + 1], t[i + 2], t[i + 3]
#define QM_ROW16(t, i) QM_ROW4(t, i), QM_ROW4(t, i + 4), QM_ROW4(t, i + 8), QM_ROW4(t, i + 12)
#define QM_TABLE(t)                                                                                      \
    QM_ROW16(t, 0), QM_ROW16(t, 16), QM_ROW16(t, 32), QM_ROW16(t, 48), QM_ROW16(t, 64), QM_ROW16(t, 80),   \
        QM_ROW16(t, 96), QM_ROW16(t, 112), QM_ROW16(t, 128), QM_ROW16(t, 144), QM_ROW16(t, 160),          \
        QM_ROW16(t, 176), QM_ROW16(t, 192), QM_ROW16(t, 208), QM_ROW16(t, 224), QM_ROW16(t, 240)
const uint8_t ThinTable[256] = {QM_TABLE(ThinValues)};
const uint8_t PeelTable[256] = {QM_TABLE(PeelValues)};
#undef QM_TABLE
#undef QM_ROW16
#undef QM_ROW4

int32_t isSimplePoint(int32_t row, int32_t col) { return ThinTable[neighbourCode(row, col)]; }

int32_t stepAlongSkeleton() {
    // Edge neighbours before corners: N, E, S, W, NW, NE, SE, SW.
    static constexpr int RowStep[8] = {-1, 0, 1, 0, -1, -1, 1, 1};
    static constexpr int ColStep[8] = {0, 1, 0, -1, -1, 1, 1, -1};
    for (int i = 0; i < 8; ++i) {
        const int r = g.CursorRow + RowStep[i];
        const int c = g.CursorCol + ColStep[i];
        if (!isInk(r, c)) continue;
        if (r == g.PrevRow && c == g.PrevCol) continue;
        g.CursorRow = r;
        g.CursorCol = c;
        return 1;
    }
    return 0;
}

int32_t collectEndAndIsolatedPoints() {
    g.EndCount = 0;
    g.IsolatedCount = 0;
    for (int r = 1; r <= g.ImageHeight; ++r)
        for (int c = 1; c <= g.ImageWidth; ++c) {
            if (!isInk(r, c)) continue;
            const int n = inkNeighbourCount(r, c);
            if (n == 1) {
                if (g.EndCount >= MaxEndPoints) return 1;
                g.EndPoints[g.EndCount++] = PointXY{c, r};
            } else if (n == 0) {
                if (g.IsolatedCount >= MaxIsolatedPoints) return 1;
                g.IsolatedPoints[g.IsolatedCount++] = PointXY{c, r};
            }
        }
    return 0;
}

int32_t collectForkPoints() {
    g.ForkCount = 0;
    for (int r = 1; r <= g.ImageHeight; ++r)
        for (int c = 1; c <= g.ImageWidth; ++c) {
            if (!isInk(r, c)) continue;
            const int n = inkNeighbourCount(r, c);
            if (n < 3) continue;
            if (n == 3) {
                const bool north = isInk(r - 1, c), east = isInk(r, c + 1);
                const bool south = isInk(r + 1, c), west = isInk(r, c - 1);
                // A thick corner: a diagonal neighbour touching an edge neighbour.
                const bool corner = (isInk(r - 1, c - 1) && (north || west)) ||
                                    (isInk(r - 1, c + 1) && (north || east)) ||
                                    (isInk(r + 1, c + 1) && (east || south)) ||
                                    (isInk(r + 1, c - 1) && (west || south));
                // A tee: the three arms are all edge neighbours.
                const bool tee = north + east + south + west == 3;
                if (corner || tee) continue;
            }
            if (g.ForkCount >= MaxForkPoints) return 1;
            g.ForkArms[g.ForkCount] = static_cast<uint8_t>(n - 3);
            g.ForkPoints[g.ForkCount++] = PointXY{c, r};
        }
    return 0;
}
