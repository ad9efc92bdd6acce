// Stroke tracing, shape codes, quadrants, zones and point ordering.
#pragma once

#include <cstdint>

int32_t traceStroke(int32_t row1, int32_t col1, int32_t row2, int32_t col2);
int32_t traceForkToFork(int32_t a, int32_t b);
void walkFromEndPoint(int32_t k);
int32_t classifyTrace(int32_t tolerance);
int32_t isStraightTrace(int32_t tolerance);
int32_t quadrantFromStart(int32_t i);
int32_t quadrantFromEnd(int32_t n);
int32_t spurQuadrant(int32_t k);
int32_t insideBox(int32_t row, int32_t col);
int32_t roundedDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

int32_t zoneOf(int32_t n, int32_t col, int32_t row);
void sortEndPointsByX(int32_t first, int32_t last);
void sortForkPointsByX(int32_t first, int32_t last);
