// Placeholders until the stroke primitives land; each is removed from here as
// its real definition is written.
#include "recog/strokes/strokes.h"

int32_t traceStroke(int32_t, int32_t, int32_t, int32_t) { return 1; }
int32_t traceForkToFork(int32_t, int32_t) { return 0; }
void walkFromEndPoint(int32_t) {}
int32_t classifyTrace(int32_t) { return 999; }
int32_t isStraightTrace(int32_t) { return 0; }
int32_t quadrantFromStart(int32_t) { return 1; }
int32_t quadrantFromEnd(int32_t) { return 1; }
int32_t spurQuadrant(int32_t) { return 1; }
int32_t insideBox(int32_t, int32_t) { return 0; }
int32_t roundedDistance(int32_t, int32_t, int32_t, int32_t) { return 0; }
int32_t zoneOf(int32_t, int32_t, int32_t) { return 0; }
void sortEndPointsByX(int32_t, int32_t) {}
void sortForkPointsByX(int32_t, int32_t) {}
