// Smoothing, hole labelling, thinning, neighbourhood queries, feature points
// and global measures.
#pragma once

#include <cstdint>

// Neighbourhood queries.
uint8_t neighbourCode(int32_t row, int32_t col);
int32_t inkNeighbourCount(int32_t row, int32_t col);
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
