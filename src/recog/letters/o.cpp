// The o: a single closed ring whose hole fills the skeleton box. It traces
// no stroke; it reads the hole, the counts, the box and the profiles.
#include <cstdlib>

#include "recog/letters/helpers.h"
#include "recog/letters/letter_rules.h"
#include "recog/letters/recognisers.h"
#include "recog/state/state.h"

// 1 when the glyph must not be an o: no one-run row above or below the
// middle, a dent in the right contour, or a rectangular frame.
int32_t boxOrDentTest();

namespace {

constexpr int32_t Accepted = 2;

// Among the one-run rows met from row `from` stepping by `step` while the row
// stays within 0..H-1, the one with the smallest right margin; the first met
// wins ties. -1 when no row has a single run.
int32_t narrowestOneRunRow(int32_t from, int32_t step) {
    int32_t best = -1;
    for (int32_t k = from; k >= 0 && k < g.ImageHeight; k += step) {
        if (g.RowRuns[k] != 1) continue;
        if (best < 0 || g.RightMargin[k] < g.RightMargin[best]) best = k;
    }
    return best;
}

// The right contour bulges inward between the narrowest one-run rows above
// and below the middle.
bool rightDent(int32_t m, int32_t kU, int32_t kL) {
    int32_t kM = m;
    int32_t M = 0;
    for (int32_t k = kU; k <= kL; ++k) {
        if (g.RightMargin[k] > M) {
            M = g.RightMargin[k];
            kM = k;
        }
    }
    if (std::abs(kM - kU) < 3 || std::abs(kM - kL) < 2) return false;
    const int32_t overUpper = M - g.RightMargin[kU];
    const int32_t overLower = M - g.RightMargin[kL];
    if (overUpper > 1 && overLower > 1) return true;
    return overUpper > 3 && overLower > 0 && kM > m;
}

// Nearly full columns in both outer quarters and nearly full rows in both
// outer fifths: a square frame rather than a round ring.
bool rectangularFrame() {
    const int32_t H = g.ImageHeight;
    const int32_t W = g.ImageWidth;

    int32_t count = 0;
    for (int32_t k = 0; k < W / 4; ++k)
        if (g.ColumnInk[k] > H - 4) ++count;
    if (W / 4 <= 0 || count < 2) return false;

    count = 0;
    for (int32_t k = 3 * W / 4; k < W; ++k)
        if (g.ColumnInk[k] > H - 4) ++count;
    if (3 * W / 4 >= W || count < 2) return false;

    count = 0;
    for (int32_t k = 0; k < H / 5; ++k)
        if (g.RowInk[k] > W - 4) ++count;
    if (H / 5 <= 0 || count < 2) return false;

    count = 0;
    for (int32_t k = 4 * H / 5; k < H; ++k)
        if (g.RowInk[k] > W - 4) ++count;
    if (4 * H / 5 >= H) return false;
    return count >= 2;
}

}  // namespace

int32_t boxOrDentTest() {
    const int32_t m = g.ImageHeight / 2;
    const int32_t kU = narrowestOneRunRow(m, -1);
    if (kU < 0) return 1;
    const int32_t kL = narrowestOneRunRow(m, +1);
    if (kL < 0) return 1;
    if (rightDent(m, kU, kL)) return 1;
    return rectangularFrame() ? 1 : 0;
}

namespace {

// A single closed ring that fills its box, with no stem on the right.
int32_t closedRing() {
    if (!ringFillsBox()) return 0;
    return rightStemTest() == 1 ? 1 : 0;
}

}  // namespace

int32_t recogniseO() {
    // A dent in the right contour or a square frame is some other letter.
    if (boxOrDentTest() != 0) return 0;

    // Topology: one hole, and the skeleton is nothing but the ring around it.
    if (g.HoleCount != 1) return 0;
    if (g.ForkCount == 0 && g.EndCount == 0) return closedRing() ? Accepted : 0;
    return 0;
}
