// Thinning the filled glyph to a one-pixel, 8-connected skeleton by contour
// peeling, tidying it, pruning short side branches and measuring its box.
#include <algorithm>
#include <cstring>

#include "recog/preprocess/preprocess.h"
#include "recog/state/state.h"

namespace {

// Contour directions 0..7: E, NE, N, NW, W, SW, S, SE.
constexpr int DirCol[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int DirRow[8] = {0, -1, -1, -1, 0, 1, 1, 1};
// Where the clockwise search for the next contour pixel begins after a move.
constexpr int ResumeDirection[8] = {1, 3, 3, 5, 5, 7, 7, 1};

// The contour points of one pass (row * 1024 + column), in trace order; also
// scratch for the pre-clean. Its capacity is the glyph's pixel count.
constexpr int ContourCapacity = Raster::Size * Raster::Size;
thread_local int32_t ContourList[ContourCapacity];

int32_t packPoint(int row, int col) { return row * 1024 + col; }
int rowOf(int32_t point) { return point / 1024; }
int colOf(int32_t point) { return point % 1024; }

bool isSet(int row, int col) { return g.WorkRaster[row][col] != 0; }

void countInk() {
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    int ink = 0;
    for (int r = 1; r <= h; ++r)
        for (int c = 1; c <= w; ++c) ink += isSet(r, c);
    // An empty glyph gives 0/0, a NaN, on purpose: there is no density to speak of.
    g.InkDensity = static_cast<float>(static_cast<double>(ink) / (static_cast<double>(w) * static_cast<double>(h)));
}

// The whole raster is copied. Outside the area that either raster may have
// written (the current glyph's and the last copy's) both hold only
// background, so copying that area alone gives the same SavedRaster.
void copyToSaved() {
    const int glyphRows = std::max(g.DirtyRows, g.ImageHeight + 2);
    const int glyphCols = std::max(g.DirtyCols, g.ImageWidth + 2);
    const int rows = std::max(glyphRows, g.SavedRows) + Raster::Margin;
    const int cols = std::max(glyphCols, g.SavedCols) + Raster::Margin;
    const int lastRow = std::min(rows, Raster::Size + Raster::Margin - 1);
    const int lastCol = std::min(cols, Raster::Size + Raster::Margin - 1);
    const size_t length = static_cast<size_t>(lastCol + Raster::Margin + 1);
    for (int r = -Raster::Margin; r <= lastRow; ++r)
        std::memcpy(g.SavedRaster[r] - Raster::Margin, g.WorkRaster[r] - Raster::Margin, length);
    g.SavedRows = glyphRows;
    g.SavedCols = glyphCols;
}

// Lone pixels go, then every one-pixel protrusion, all found before any goes.
void preClean() {
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    Raster& raster = g.WorkRaster;
    for (int r = 1; r <= h; ++r)
        for (int c = 1; c <= w; ++c)
            if (raster[r][c] != 0 && neighbourCode(r, c) == 0) raster[r][c] = 0;
    int count = 0;
    for (int r = 1; r <= h; ++r)
        for (int c = 1; c <= w; ++c)
            if (raster[r][c] != 0 && inkNeighbourCount(r, c) == 1) ContourList[count++] = packPoint(r, c);
    for (int i = 0; i < count; ++i) raster[rowOf(ContourList[i])][colOf(ContourList[i])] = 0;
}

// Two pixels joined only by a diagonal, both in thick surroundings: the one
// with fewer ink neighbours goes.
void removeDiagonalPinches() {
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    Raster& raster = g.WorkRaster;
    for (int r = 2; r <= h - 1; ++r)
        for (int c = 2; c <= w - 1; ++c) {
            if (raster[r][c] == 0) continue;
            if (raster[r + 1][c + 1] != 0 && raster[r][c + 1] == 0 && raster[r + 1][c] == 0) {
                const int a = inkNeighbourCount(r, c);
                const int b = inkNeighbourCount(r + 1, c + 1);
                if (a <= 3 || b <= 3) continue;
                if (a > b)
                    raster[r + 1][c + 1] = 0;
                else
                    raster[r][c] = 0;
            }
            if (raster[r][c] != 0 && raster[r + 1][c - 1] != 0 && raster[r][c - 1] == 0 && raster[r + 1][c] == 0) {
                const int a = inkNeighbourCount(r, c);
                const int b = inkNeighbourCount(r + 1, c - 1);
                if (a >= 4 && b >= 4) {
                    if (a > b)
                        raster[r + 1][c - 1] = 0;
                    else
                        raster[r][c] = 0;
                }
            }
        }
}

// Single-pixel bumps on a straight edge. Returns true when one went.
bool removeBumps() {
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    Raster& raster = g.WorkRaster;
    bool removed = false;
    for (int r = 1; r <= h; ++r)
        for (int c = 1; c <= w; ++c) {
            if (raster[r][c] == 0) continue;
            const uint8_t k = neighbourCode(r, c);
            bool bump = false;
            switch (k) {
            case 14: case 56: case 131: case 224: bump = true; break;
            case 192: case 96: bump = r > 2 && isSet(r - 2, c); break;
            case 48: case 24: bump = c < w - 1 && isSet(r, c + 2); break;
            case 12: case 6: bump = r < h - 1 && isSet(r + 2, c); break;
            case 3: case 129: bump = c > 2 && isSet(r, c - 2); break;
            default: break;
            }
            if (bump) {
                raster[r][c] = 0;
                removed = true;
            }
        }
    return removed;
}

// Traces every contour that still has an untraced pixel on it; returns the
// number of points in ContourList.
int collectContours() {
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    const int capacity = h * w < ContourCapacity ? h * w : ContourCapacity;
    Raster& raster = g.WorkRaster;
    int count = 0;
    // A start pixel is the first, by columns, that is untraced ink with a
    // background edge neighbour. Tracing changes no pixel that the search has
    // passed, so the search goes on from where it found the last start.
    for (int c = 1; c <= w; ++c)
        for (int r = 1; r <= h; ++r) {
            if (raster[r][c] != 1) continue;
            int startCode;
            if (raster[r - 1][c] == 0)
                startCode = 0;
            else if (raster[r][c + 1] == 0)
                startCode = 5;
            else if (raster[r + 1][c] == 0)
                startCode = 3;
            else if (raster[r][c - 1] == 0)
                startCode = 1;
            else
                continue;
            traceContour(r, c, startCode);
            for (int i = 0; i < g.WalkCount && count < capacity; ++i)
                ContourList[count++] = packPoint(g.PathRow[i], g.PathCol[i]);
        }
    return count;
}

// Deletes the peelable contour pixels in trace order. Returns true when one went.
bool peelContours(int count) {
    Raster& raster = g.WorkRaster;
    bool deleted = false;
    for (int i = 0; i < count; ++i) {
        const int r = rowOf(ContourList[i]);
        const int c = colOf(ContourList[i]);
        if (raster[r][c] != 2) continue;
        const uint8_t code = neighbourCode(r, c);
        if (PeelTable[code] == 0) continue;
        if ((code & (code - 1)) == 0) {
            // The tip of a line: kept while the contour runs on into a pixel
            // that itself has to stay.
            bool keep = false;
            if (i < count - 1) {
                const int nr = rowOf(ContourList[i + 1]);
                const int nc = colOf(ContourList[i + 1]);
                keep = raster[nr][nc] == 2 && PeelTable[neighbourCode(nr, nc)] == 0;
            } else if (i > 0) {
                keep = raster[rowOf(ContourList[i - 1])][colOf(ContourList[i - 1])] == 2;
            }
            if (keep) continue;
        }
        raster[r][c] = 0;
        deleted = true;
    }
    return deleted;
}

void thinningPasses() {
    for (;;) {
        const bool bumps = removeBumps();
        const int count = collectContours();
        const bool peeled = peelContours(count);
        if (!bumps && !peeled) break;
    }
}

void settleValues() {
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    Raster& raster = g.WorkRaster;
    for (int r = 0; r <= h + 1; ++r)
        for (int c = 0; c <= w + 1; ++c)
            if (raster[r][c] > 1) raster[r][c] = 1;
}

void removeCorners() {
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    Raster& raster = g.WorkRaster;
    for (int c = 1; c <= w; ++c)
        for (int r = 1; r <= h; ++r) {
            if (raster[r][c] != 1) continue;
            const uint8_t k = neighbourCode(r, c);
            if (k == 5 || k == 20 || k == 65 || k == 80) raster[r][c] = 0;
        }
}

void removeTails() {
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    Raster& raster = g.WorkRaster;
    for (int r = 1; r <= h; ++r)
        for (int c = 1; c <= w; ++c) {
            if (raster[r][c] == 0) continue;
            switch (neighbourCode(r, c)) {
            case 3: case 6: case 12: case 24: case 48: case 96: case 129: case 192: raster[r][c] = 0; break;
            default: break;
            }
        }
}

// The simple-step test: with the previous position counted as background,
// would the cursor pixel leave its neighbours in one group?
int32_t simpleStep() {
    uint8_t* previous = nullptr;
    if (g.PrevRow >= 0 && g.PrevCol >= 0) previous = &g.WorkRaster[g.PrevRow][g.PrevCol];
    const uint8_t saved = previous ? *previous : 0;
    if (previous) *previous = 0;
    const int32_t result = ThinTable[neighbourCode(g.CursorRow, g.CursorCol)];
    if (previous) *previous = saved;
    return result;
}

constexpr int MaxSpurPixels = 32;

struct SpurPath {
    int count = 0;
    int rows[MaxSpurPixels + 2];
    int cols[MaxSpurPixels + 2];
};

// Walks from an end point towards the rest of the skeleton. Returns true with
// the branch in `path` when it reaches a junction within `limit` pixels.
bool walkSpur(const PointXY& end, int limit, SpurPath& path) {
    path.count = 0;
    auto add = [&path, limit]() {
        path.rows[path.count] = g.CursorRow;
        path.cols[path.count] = g.CursorCol;
        ++path.count;
        return path.count <= limit;
    };
    g.CursorRow = end.y;
    g.CursorCol = end.x;
    g.PrevRow = -1;
    g.PrevCol = -1;
    if (!add()) return false;
    for (;;) {
        const int fromRow = g.CursorRow;
        const int fromCol = g.CursorCol;
        stepAlongSkeleton();
        g.PrevRow = fromRow;
        g.PrevCol = fromCol;
        const int v = inkNeighbourCount(g.CursorRow, g.CursorCol);
        if (v == 1) return false;  // a short separate stroke stays
        if (v == 2) {
            if (!add()) return false;
            continue;
        }
        if (v >= 3 && v <= 4 && simpleStep()) {
            // The junction pixel belongs to the branch; so may the next one
            // (the previous position stays where it was for this step).
            if (!add()) return false;
            stepAlongSkeleton();
            const int next = inkNeighbourCount(g.CursorRow, g.CursorCol);
            if (next >= 3 && next <= 4 && simpleStep()) {
                if (!add()) return false;
                stepAlongSkeleton();
            }
        }
        return true;
    }
}

void pruneSpurs() {
    int limit = (g.ImageMaxSide + 10) / 20;
    if (limit < 3) limit = 3;
    g.SpurCount = 0;
    SpurPath best;
    SpurPath path;
    for (;;) {
        best.count = 0;
        for (int i = 0; i < g.EndCount; ++i) {
            if (!walkSpur(g.EndPoints[i], limit, path)) continue;
            if (best.count == 0 || path.count < best.count) best = path;
        }
        if (best.count == 0) return;
        if (g.SpurCount >= MaxSpurs) return;  // the list is full: stop pruning
        for (int i = 0; i < best.count; ++i) g.WorkRaster[best.rows[i]][best.cols[i]] = 0;
        SpurRecord& spur = g.Spurs[g.SpurCount++];
        spur.endRow = static_cast<uint8_t>(best.rows[0]);
        spur.endCol = static_cast<uint8_t>(best.cols[0]);
        spur.baseRow = static_cast<uint8_t>(best.rows[best.count - 1]);
        spur.baseCol = static_cast<uint8_t>(best.cols[best.count - 1]);
        collectEndAndIsolatedPoints();
    }
}

void measureBox() {
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    auto rowHasInk = [w](int r) {
        for (int c = 1; c <= w; ++c)
            if (isSet(r, c)) return true;
        return false;
    };
    auto columnHasInk = [h](int c) {
        for (int r = 1; r <= h; ++r)
            if (isSet(r, c)) return true;
        return false;
    };
    g.BoxTop = h + 1;
    for (int r = 1; r <= h; ++r)
        if (rowHasInk(r)) {
            g.BoxTop = r;
            break;
        }
    g.BoxBottom = 1;
    for (int r = h; r >= 2; --r)
        if (rowHasInk(r)) {
            g.BoxBottom = r;
            break;
        }
    g.BoxLeft = w + 1;
    for (int c = 1; c <= w; ++c)
        if (columnHasInk(c)) {
            g.BoxLeft = c;
            break;
        }
    g.BoxRight = 1;
    for (int c = w; c >= 2; --c)
        if (columnHasInk(c)) {
            g.BoxRight = c;
            break;
        }
    g.BoxHeight = g.BoxBottom - g.BoxTop + 1;
    g.BoxWidth = g.BoxRight - g.BoxLeft + 1;
}

}  // namespace

int32_t traceContour(int32_t row, int32_t col, int32_t startCode) {
    Raster& raster = g.WorkRaster;
    raster[row][col] = 2;
    g.PathRow[0] = row;
    g.PathCol[0] = col;
    g.WalkCount = 1;
    int d = ResumeDirection[startCode];
    int r = row;
    int c = col;
    bool backAtStart = false;
    auto append = [](int pr, int pc) {
        g.PathRow[g.WalkCount] = pr;
        g.PathCol[g.WalkCount] = pc;
        ++g.WalkCount;
        return g.WalkCount < MaxPathPoints;
    };
    for (;;) {
        int turns = 0;
        while (raster[r + DirRow[d]][c + DirCol[d]] == 0) {
            d = (d + 7) % 8;
            if (++turns == 8) return 0;  // an isolated pixel
        }
        const int nr = r + DirRow[d];
        const int nc = c + DirCol[d];
        if (backAtStart) {
            backAtStart = false;
            if (nr == g.PathRow[1] && nc == g.PathCol[1]) {
                --g.WalkCount;  // closed: drop the repeated start
                return 0;
            }
        } else if (nr == row && nc == col) {
            r = nr;
            c = nc;
            if (!append(r, c)) return 1;
            d = ResumeDirection[d];
            backAtStart = true;
            continue;
        }
        r = nr;
        c = nc;
        // The count only tells "traced once" from "more than once"; it stops
        // at 255 rather than wrap round to 0, which would read as deleted.
        if (raster[r][c] < 255) ++raster[r][c];
        if (!append(r, c)) return 1;
        d = ResumeDirection[d];
    }
}

void thinAndExtract() {
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    countInk();
    copyToSaved();
    g.ImageMaxSide = h > w ? h : w;
    preClean();
    removeDiagonalPinches();
    thinningPasses();
    settleValues();
    removeCorners();
    removeTails();
    collectEndAndIsolatedPoints();
    pruneSpurs();
    measureBox();
}
