// Placeholders until the preprocessing stages land; each is removed from here
// as its real definition is written.
#include "recog/preprocess/preprocess.h"

uint8_t neighbourCode(int32_t, int32_t) { return 0; }
int32_t inkNeighbourCount(int32_t, int32_t) { return 0; }
int32_t isSimplePoint(int32_t, int32_t) { return 0; }
int32_t stepAlongSkeleton() { return 0; }
int32_t collectEndAndIsolatedPoints() { return 0; }
int32_t collectForkPoints() { return 0; }
const uint8_t ThinTable[256] = {};
const uint8_t PeelTable[256] = {};
int32_t smoothGlyph() { return 0; }
int32_t labelHoles(int32_t) { return 0; }
void sortHoles() {}
void thinAndExtract() {}
int32_t traceContour(int32_t, int32_t, int32_t) { return 0; }
int32_t measureGlyph() { return 0; }
int32_t cleanJunctions() { return 0; }
