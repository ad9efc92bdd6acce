// Units, junction clean-up, profiles of the filled glyph, and the final
// feature lists and holes of the skeleton.
#include "recog/preprocess/preprocess.h"
#include "recog/state/driver.h"
#include "recog/state/state.h"

namespace {

constexpr int MaxJunctionPasses = 8;

bool isSet(int row, int col) { return g.WorkRaster[row][col] != 0; }
void put(int row, int col, uint8_t value) { g.WorkRaster[row][col] = value; }

// Remove a pixel when it is set and can go without splitting its neighbours.
void drop(int row, int col) {
    if (isSet(row, col) && isSimplePoint(row, col) == 1) put(row, col, 0);
}

// Rewrites the neighbourhood of a pixel with four ink neighbours so that it
// no longer has four.
void rewriteJunction(int r, int c, uint8_t k) {
    switch (k) {
    // The pixel goes; one edge neighbour takes over the connection.
    case 27: put(r, c, 0); put(r - 1, c, 1); break;
    case 45: put(r, c, 0); put(r - 1, c, 1); drop(r - 1, c + 1); break;
    case 51: put(r, c, 0); put(r + 1, c, 1); drop(r + 1, c - 1); break;
    case 210: put(r, c, 0); put(r + 1, c, 1); drop(r + 1, c - 1); break;
    case 90: put(r, c, 0); put(r, c - 1, 1); drop(r + 1, c - 1); break;
    case 102: put(r, c, 0); put(r, c + 1, 1); drop(r - 1, c + 1); break;
    case 165: put(r, c, 0); put(r, c + 1, 1); drop(r - 1, c + 1); break;
    case 75: put(r, c, 0); put(r, c + 1, 1); drop(r + 1, c + 1); break;
    case 204: put(r, c, 0); put(r, c + 1, 1); drop(r + 1, c + 1); break;
    case 105: put(r, c, 0); put(r + 1, c, 1); drop(r + 1, c + 1); break;
    case 153: put(r, c, 0); put(r + 1, c, 1); drop(r + 1, c + 1); break;
    case 108: put(r, c, 0); put(r, c - 1, 1); break;
    case 150: put(r, c, 0); put(r - 1, c, 1); drop(r - 1, c - 1); break;
    case 180: put(r, c, 0); put(r, c - 1, 1); drop(r - 1, c - 1); break;
    case 177: put(r, c, 0); put(r + 1, c, 1); break;
    case 198: put(r, c, 0); put(r, c + 1, 1); break;
    // One arm pixel moves one pixel outward.
    case 106: put(r - 1, c + 1, 0); put(r - 2, c + 1, 1); drop(r - 2, c + 2); break;
    case 178: put(r - 1, c + 1, 0); put(r - 1, c + 2, 1); drop(r - 2, c + 2); break;
    case 154: put(r + 1, c + 1, 0); put(r + 1, c + 2, 1); drop(r + 2, c + 2); break;
    case 172: put(r + 1, c + 1, 0); put(r + 2, c + 1, 1); drop(r + 2, c + 2); break;
    case 43: put(r + 1, c - 1, 0); put(r + 1, c - 2, 1); drop(r + 2, c - 2); break;
    case 166: put(r + 1, c - 1, 0); put(r + 2, c - 1, 1); drop(r + 2, c - 2); break;
    case 169: put(r - 1, c - 1, 0); put(r - 1, c - 2, 1); drop(r - 2, c - 2); break;
    case 202: put(r - 1, c - 1, 0); put(r - 2, c - 1, 1); drop(r - 2, c - 2); break;
    case 170:
        // A diagonal cross: the right-hand arms move one column right, so the
        // pixel and its east neighbour become two forks side by side.
        put(r, c + 1, 1);
        put(r - 1, c + 1, 0);
        put(r + 1, c + 1, 0);
        put(r - 1, c + 2, 1);
        put(r + 1, c + 2, 1);
        drop(r - 1, c + 3);
        drop(r - 2, c + 2);
        drop(r + 1, c + 3);
        drop(r + 2, c + 2);
        break;
    case 156:
        if (neighbourCode(r, c + 1) == 39 && neighbourCode(r + 1, c + 1) == 201 && neighbourCode(r + 1, c) == 114) {
            put(r + 1, c + 1, 0);
            put(r + 1, c, 0);
            put(r + 1, c + 2, 1);
            put(r + 1, c - 1, 1);
            drop(r + 2, c - 1);
            drop(r + 2, c + 2);
        }
        break;
    case 85:
        // A plus: the pixel goes and the arm that bends away is joined diagonally.
        put(r, c, 0);
        if (isSet(r + 2, c - 1) && !isSet(r + 2, c + 1)) {
            put(r + 1, c, 0); put(r + 1, c - 1, 1);
        } else if (isSet(r + 2, c + 1) && !isSet(r + 2, c - 1)) {
            put(r + 1, c, 0); put(r + 1, c + 1, 1);
        } else if (isSet(r - 1, c + 2) && !isSet(r + 1, c + 2)) {
            put(r, c + 1, 0); put(r - 1, c + 1, 1);
        } else if (isSet(r + 1, c + 2) && !isSet(r - 1, c + 2)) {
            put(r, c + 1, 0); put(r + 1, c + 1, 1);
        } else if (isSet(r - 2, c - 1) && !isSet(r - 2, c + 1)) {
            put(r - 1, c, 0); put(r - 1, c - 1, 1);
        } else if (isSet(r - 2, c + 1) && !isSet(r - 2, c - 1)) {
            put(r - 1, c, 0); put(r - 1, c + 1, 1);
        } else if (isSet(r - 1, c - 2) && !isSet(r + 1, c - 2)) {
            put(r, c - 1, 0); put(r - 1, c - 1, 1);
        } else if (isSet(r + 1, c - 2) && !isSet(r - 1, c - 2)) {
            put(r, c - 1, 0); put(r + 1, c - 1, 1);
        } else {
            put(r - 1, c, 0); put(r - 1, c + 1, 1);
        }
        break;
    default: break;  // another shape: left as it is
    }
}

// Background counted from one end of a line of pixels up to the first set one.
template <typename Pixel>
int leadingBackground(int length, Pixel pixel) {
    int count = 0;
    while (count < length && pixel(count) == 0) ++count;
    return count;
}

// A few profile tests look one or two columns past a very narrow glyph.
// Entries past the glyph would still hold the previous glyph's values, so a
// glyph's answer could depend on the one recognised before it: they read as
// background instead.
void clearProfilesPastTheGlyph(int h, int w) {
    for (int k = h; k < Raster::Size; ++k) {
        g.RowInk[k] = 0;
        g.RowRuns[k] = g.RowWideRuns[k] = 0;
        g.LeftMargin[k] = g.RightMargin[k] = 0;
    }
    for (int k = w; k < Raster::Size; ++k) {
        g.ColumnInk[k] = 0;
        g.ColumnRuns[k] = g.ColumnWideRuns[k] = 0;
        g.TopMargin[k] = g.BottomMargin[k] = 0;
    }
    for (int r = 0; r < Raster::Size + 2; ++r)
        if (r < g.BoxTop || r > g.BoxBottom) g.SkeletonRowEnds[r] = 0;
    for (int c = 0; c < Raster::Size + 2; ++c)
        if (c < g.BoxLeft || c > g.BoxRight) g.SkeletonColumnEnds[c] = 0;
}

void measureProfiles() {
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    const Raster& saved = g.SavedRaster;

    for (int r = 1; r <= h; ++r) {
        const uint8_t* row = saved[r];
        g.LeftMargin[r - 1] = static_cast<int8_t>(leadingBackground(w, [row](int i) { return row[1 + i]; }));
        g.RightMargin[r - 1] = static_cast<int8_t>(leadingBackground(w, [row, w](int i) { return row[w - i]; }));
    }
    for (int c = 1; c <= w; ++c) {
        g.TopMargin[c - 1] = static_cast<int8_t>(leadingBackground(h, [&saved, c](int i) { return saved[1 + i][c]; }));
        g.BottomMargin[c - 1] =
            static_cast<int8_t>(leadingBackground(h, [&saved, c, h](int i) { return saved[h - i][c]; }));
    }

    for (int r = 1; r <= h; ++r) {
        const uint8_t* row = saved[r];
        int runs = 0, ink = 0;
        for (int c = 1; c <= w; ++c) {
            runs += row[c] != 0 && row[c + 1] == 0;
            ink += row[c] != 0;
        }
        g.RowRuns[r - 1] = static_cast<uint8_t>(runs);
        g.RowInk[r - 1] = static_cast<int16_t>(ink);
    }
    for (int c = 1; c <= w; ++c) {
        int runs = 0, ink = 0;
        for (int r = 1; r <= h; ++r) {
            runs += saved[r][c] != 0 && saved[r + 1][c] == 0;
            ink += saved[r][c] != 0;
        }
        g.ColumnRuns[c - 1] = static_cast<uint8_t>(runs);
        g.ColumnInk[c - 1] = static_cast<int16_t>(ink);
    }

    // Run ends of the skeleton inside its box.
    const Raster& skeleton = g.WorkRaster;
    for (int r = g.BoxTop; r <= g.BoxBottom; ++r) {
        int ends = 0;
        for (int c = g.BoxLeft; c <= g.BoxRight; ++c)
            ends += skeleton[r][c] != 0 && skeleton[r][c + 1] == 0 && skeleton[r][c + 2] == 0;
        g.SkeletonRowEnds[r] = static_cast<uint8_t>(ends);
    }
    for (int c = g.BoxLeft; c <= g.BoxRight; ++c) {
        int ends = 0;
        for (int r = g.BoxTop; r <= g.BoxBottom; ++r)
            ends += skeleton[r][c] != 0 && skeleton[r + 1][c] == 0 && skeleton[r + 2][c] == 0 &&
                    skeleton[r + 3][c] == 0;
        g.SkeletonColumnEnds[c] = static_cast<uint8_t>(ends);
    }

    // Wide runs: two set pixels followed by two background ones.
    Raster& filled = g.SavedRaster;
    for (int r = 0; r <= h + 1; ++r) filled[r][w + 2] = 0;
    for (int c = 0; c <= w + 1; ++c) filled[h + 2][c] = 0;
    for (int r = 1; r <= h; ++r) {
        const uint8_t* row = filled[r];
        int runs = 0;
        for (int c = 1; c <= w; ++c)
            runs += row[c - 1] != 0 && row[c] != 0 && row[c + 1] == 0 && row[c + 2] == 0;
        g.RowWideRuns[r - 1] = static_cast<uint8_t>(runs);
    }
    for (int c = 1; c <= w; ++c) {
        int runs = 0;
        for (int r = 1; r <= h; ++r)
            runs += filled[r - 1][c] != 0 && filled[r][c] != 0 && filled[r + 1][c] == 0 && filled[r + 2][c] == 0;
        g.ColumnWideRuns[c - 1] = static_cast<uint8_t>(runs);
    }

    clearProfilesPastTheGlyph(h, w);
}

}  // namespace

int32_t cleanJunctions() {
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    for (int pass = 1;; ++pass) {
        bool met = false;
        for (int r = 2; r <= h - 1; ++r)
            for (int c = 2; c <= w - 1; ++c) {
                if (g.WorkRaster[r][c] != 1 || inkNeighbourCount(r, c) != 4) continue;
                met = true;
                rewriteJunction(r, c, neighbourCode(r, c));
            }
        if (!met) return 0;
        if (pass == MaxJunctionPasses) {
            writeDiagnostic("numfo can't del\r\n");
            return 1;
        }
    }
}

int32_t measureGlyph() {
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    g.UnitWidth = (g.BoxWidth + 4) / 7;
    g.AspectRatio = static_cast<float>(static_cast<double>(h) / static_cast<double>(w));
    g.UnitHeight = (g.BoxHeight + 4) / 7;
    g.Unit = (g.UnitHeight + g.UnitWidth) / 2;

    if (cleanJunctions() != 0) {
        g.JunctionsSettled = 0;
        return 1;
    }
    g.JunctionsSettled = 1;

    measureProfiles();
    collectEndAndIsolatedPoints();
    collectForkPoints();
    labelHoles(0);
    sortHoles();
    clearMarks(6);
    return 0;
}
