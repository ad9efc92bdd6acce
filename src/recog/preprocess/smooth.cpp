// Closing pinholes and two-pixel gaps in the framed glyph before thinning.
#include "recog/preprocess/preprocess.h"
#include "recog/state/state.h"

int32_t smoothGlyph() {
    Raster& raster = g.WorkRaster;
    // Row 1, column 1, the last row and the last column are left alone. A pixel
    // filled here is seen by the pixels visited after it.
    for (int r = 2; r <= g.ImageHeight - 1; ++r) {
        for (int c = 2; c <= g.ImageWidth - 1; ++c) {
            if (raster[r][c] != 0) continue;
            const bool north = raster[r - 1][c] != 0;
            const bool east = raster[r][c + 1] != 0;
            const bool south = raster[r + 1][c] != 0;
            const bool west = raster[r][c - 1] != 0;
            if (north && east && south && west) {
                raster[r][c] = 1;  // a pinhole
            } else if (!east && south && north && raster[r - 1][c + 1] != 0 && raster[r + 1][c + 1] != 0 &&
                       west && raster[r][c + 2] != 0) {
                // A horizontal gap of two pixels, closed on every side.
                raster[r][c] = 1;
                raster[r][c + 1] = 1;
            } else if (!south && east && north && west && raster[r + 1][c - 1] != 0 &&
                       raster[r + 1][c + 1] != 0 && raster[r + 2][c] != 0) {
                // A vertical gap of two pixels, closed on every side.
                raster[r][c] = 1;
                raster[r + 1][c] = 1;
            }
        }
    }
    return 0;
}
