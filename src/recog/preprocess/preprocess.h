// Smoothing, hole labelling, thinning, neighbourhood queries, feature points
// and global measures.
#pragma once

#include <cstdint>

#include "recog/state/state.h"

// Neighbourhood queries. The two counts are inline: every stage calls them
// for nearly every pixel.

// One bit per set (non-zero) neighbour: 128 NW, 64 N, 32 NE, 16 E, 8 SE, 4 S, 2 SW, 1 W.
inline uint8_t neighbourCode(int32_t row, int32_t col) {
    const uint8_t* up = g.WorkRaster[row - 1];
    const uint8_t* mid = g.WorkRaster[row];
    const uint8_t* down = g.WorkRaster[row + 1];
    return static_cast<uint8_t>((up[col - 1] ? 128 : 0) | (up[col] ? 64 : 0) | (up[col + 1] ? 32 : 0) |
                                (mid[col + 1] ? 16 : 0) | (down[col + 1] ? 8 : 0) | (down[col] ? 4 : 0) |
                                (down[col - 1] ? 2 : 0) | (mid[col - 1] ? 1 : 0));
}

// The number of neighbours that hold ink (exactly 1).
inline int32_t inkNeighbourCount(int32_t row, int32_t col) {
    const uint8_t* up = g.WorkRaster[row - 1];
    const uint8_t* mid = g.WorkRaster[row];
    const uint8_t* down = g.WorkRaster[row + 1];
    return (up[col - 1] == 1) + (up[col] == 1) + (up[col + 1] == 1) + (mid[col + 1] == 1) +
           (down[col + 1] == 1) + (down[col] == 1) + (down[col - 1] == 1) + (mid[col - 1] == 1);
}

int32_t isSimplePoint(int32_t row, int32_t col);
int32_t stepAlongSkeleton();
int32_t collectEndAndIsolatedPoints();
int32_t collectForkPoints();

// 1 when the set neighbours of a code form at most one 8-connected group.
extern const uint8_t ThinTable[256];
// The deletion table of the thinning passes.
extern const uint8_t PeelTable[256];

// Smoothing and holes.
int32_t smoothGlyph();
int32_t labelHoles(int32_t keepSmall);
void sortHoles();

// Thinning.
void thinAndExtract();
int32_t traceContour(int32_t row, int32_t col, int32_t startCode);

// Global measures.
int32_t measureGlyph();
int32_t cleanJunctions();
