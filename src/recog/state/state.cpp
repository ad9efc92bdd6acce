#include "recog/state/state.h"

#include <cstring>

thread_local RecognitionState g;

#include <algorithm>
#include <cstddef>

namespace {

void clearRasterArea(Raster& raster, int rows, int cols) {
    const int lastRow = std::min(rows + Raster::Margin, Raster::Size + Raster::Margin - 1);
    const int lastCol = std::min(cols + Raster::Margin, Raster::Size + Raster::Margin - 1);
    for (int r = -Raster::Margin; r <= lastRow; ++r)
        std::memset(raster[r] - Raster::Margin, 0, static_cast<size_t>(lastCol + Raster::Margin + 1));
}

}  // namespace

void resetRecognitionState() { std::memset(&g, 0, sizeof g); }

void resetRecognitionStateFast() {
    // Both rasters are written only inside the recorded extent (plus a few
    // pixels), so clearing that area zeroes them as completely as a memset of
    // the whole block, at a fraction of the cost.
    const int rows = std::max(g.ExtentRows, g.DirtyRows);
    const int cols = std::max(g.ExtentCols, g.DirtyCols);
    clearRasterArea(g.WorkRaster, rows, cols);
    clearRasterArea(g.SavedRaster, rows, cols);
    constexpr size_t rasters = offsetof(RecognitionState, ImageHeight);
    std::memset(reinterpret_cast<char*>(&g) + rasters, 0, sizeof g - rasters);
}

void clearMarks(int32_t threshold) {
    const int rows = g.ImageHeight + 1;
    const int cols = g.ImageWidth + 1;
    for (int r = 0; r <= rows; ++r) {
        uint8_t* row = g.WorkRaster[r];
        for (int c = 0; c <= cols; ++c)
            if (row[c] >= threshold) row[c] = 0;
    }
}
