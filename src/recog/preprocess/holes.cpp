// Labelling the enclosed background regions (holes) of the skeleton and
// ordering them by area.
#include "recog/preprocess/preprocess.h"
#include "recog/state/state.h"

namespace {

constexpr uint8_t Outside = 5;
constexpr uint8_t FirstLabel = 6;

// Fill queue: every glyph pixel enters it at most once per fill.
thread_local int32_t FillQueue[Raster::Size * Raster::Size];

int32_t packPoint(int row, int col) { return row * 1024 + col; }

// Spread `value` 4-connectedly from the queued pixels through background (0)
// inside rows 1..H, columns 1..W. The queue holds `count` seeds that already
// carry the value; returns the number of pixels in the queue at the end.
int floodFill(int count, uint8_t value) {
    static constexpr int RowStep[4] = {-1, 0, 1, 0};
    static constexpr int ColStep[4] = {0, 1, 0, -1};
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    for (int head = 0; head < count; ++head) {
        const int row = FillQueue[head] / 1024;
        const int col = FillQueue[head] % 1024;
        for (int i = 0; i < 4; ++i) {
            const int r = row + RowStep[i];
            const int c = col + ColStep[i];
            if (r < 1 || r > h || c < 1 || c > w) continue;
            uint8_t& pixel = g.WorkRaster[r][c];
            if (pixel != 0) continue;
            pixel = value;
            FillQueue[count++] = packPoint(r, c);
        }
    }
    return count;
}

void markOutside() {
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    Raster& raster = g.WorkRaster;
    // Straight in from the four sides, up to the first ink pixel.
    for (int r = 1; r <= h; ++r) {
        for (int c = 1; c <= w && raster[r][c] != 1; ++c) raster[r][c] = Outside;
        for (int c = w; c >= 1 && raster[r][c] != 1; --c) raster[r][c] = Outside;
    }
    for (int c = 1; c <= w; ++c) {
        for (int r = 1; r <= h && raster[r][c] != 1; ++r) raster[r][c] = Outside;
        for (int r = h; r >= 1 && raster[r][c] != 1; --r) raster[r][c] = Outside;
    }
    // Then everything 4-connected to those marks through background.
    int count = 0;
    for (int r = 1; r <= h; ++r)
        for (int c = 1; c <= w; ++c)
            if (raster[r][c] == Outside) FillQueue[count++] = packPoint(r, c);
    floodFill(count, Outside);
}

// Bounds and edge runs of the region labelled `label`, bounded by the box
// found while filling it.
void recordHole(int index, uint8_t label, int area, int top, int bottom, int left, int right) {
    Raster& raster = g.WorkRaster;
    HoleRecord& hole = g.Holes[index];
    int32_t* runs = g.HoleRuns[index];

    hole.top = static_cast<int16_t>(top);
    hole.bottom = static_cast<int16_t>(bottom);
    hole.left = static_cast<int16_t>(left);
    hole.right = static_cast<int16_t>(right);
    hole.label = label;
    hole.area = static_cast<int16_t>(area);

    const int rows[2] = {top, bottom};
    for (int i = 0; i < 2; ++i) {
        int c = left;
        while (raster[rows[i]][c] != label) ++c;
        runs[2 * i] = c;
        while (raster[rows[i]][c + 1] == label) ++c;
        runs[2 * i + 1] = c;
    }
    const int cols[2] = {left, right};
    for (int i = 0; i < 2; ++i) {
        int r = top;
        while (raster[r][cols[i]] != label) ++r;
        runs[4 + 2 * i] = r;
        while (raster[r + 1][cols[i]] == label) ++r;
        runs[4 + 2 * i + 1] = r;
    }
}

}  // namespace

int32_t labelHoles(int32_t keepSmall) {
    g.HoleCount = 0;
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    Raster& raster = g.WorkRaster;
    markOutside();

    // Every background pixel left is enclosed. Pixels before the scan position
    // are all set and stay set, so the scan never needs to restart.
    for (int r = 1; r <= h; ++r) {
        for (int c = 1; c <= w; ++c) {
            if (raster[r][c] != 0) continue;
            const uint8_t label = static_cast<uint8_t>(g.HoleCount + FirstLabel);
            raster[r][c] = label;
            FillQueue[0] = packPoint(r, c);
            const int area = floodFill(1, label);
            if (area > 2 || keepSmall != 0) {
                int top = r, bottom = r, left = c, right = c;
                for (int i = 1; i < area; ++i) {
                    const int pr = FillQueue[i] / 1024;
                    const int pc = FillQueue[i] % 1024;
                    if (pr > bottom) bottom = pr;
                    if (pc < left) left = pc;
                    if (pc > right) right = pc;
                }
                recordHole(g.HoleCount, label, area, top, bottom, left, right);
                ++g.HoleCount;
                if (g.HoleCount == MaxHoles) return 1;
            } else {
                // One or two pixels: counts as outside.
                for (int i = 0; i < area; ++i) raster[FillQueue[i] / 1024][FillQueue[i] % 1024] = Outside;
            }
        }
    }

    for (int r = 1; r <= h; ++r)
        for (int c = 1; c <= w; ++c)
            if (raster[r][c] == Outside) raster[r][c] = 0;
    return 0;
}

void sortHoles() {
    for (int i = 0; i + 1 < g.HoleCount; ++i)
        for (int j = i + 1; j < g.HoleCount; ++j) {
            if (g.Holes[i].area >= g.Holes[j].area) continue;
            const HoleRecord hole = g.Holes[i];
            g.Holes[i] = g.Holes[j];
            g.Holes[j] = hole;
            for (int k = 0; k < 8; ++k) {
                const int32_t run = g.HoleRuns[i][k];
                g.HoleRuns[i][k] = g.HoleRuns[j][k];
                g.HoleRuns[j][k] = run;
            }
        }
}
