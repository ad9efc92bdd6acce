// The shared recognition state: one statically allocated block of plain data
// that every stage reads and writes. Stages are free functions over it.
#pragma once

#include <cstdint>

// A 512 x 512 byte raster addressed [row][col] with rows growing downward.
// The storage carries a margin of background on every side, so that the
// neighbourhood reads a few pixels past the glyph (frame, column W + 2,
// three rows below a column run) stay inside it even for a 512-wide glyph.
struct Raster {
    static constexpr int Size = 512;
    static constexpr int Margin = 8;
    static constexpr int Stride = Size + 2 * Margin;

    uint8_t cells[Stride * Stride];

    uint8_t* operator[](int row) { return cells + (row + Margin) * Stride + Margin; }
    const uint8_t* operator[](int row) const { return cells + (row + Margin) * Stride + Margin; }
};

struct PointXY {
    int32_t x;  // column
    int32_t y;  // row
};

struct HoleRecord {
    int16_t top, bottom, left, right, label, area;
};

struct SpurRecord {
    uint8_t endRow, endCol, baseRow, baseCol;
};

constexpr int MaxEndPoints = 128;
constexpr int MaxForkPoints = 128;
constexpr int MaxIsolatedPoints = 24;
constexpr int MaxHoles = 32;
constexpr int MaxSpurs = 32;
constexpr int MaxPathPoints = 3072;
constexpr int LetterSlotCount = 52;

struct RecognitionState {
    // Rasters.
    Raster WorkRaster;
    Raster SavedRaster;
    int32_t ImageHeight;
    int32_t ImageWidth;

    // Feature lists.
    PointXY EndPoints[MaxEndPoints];
    int32_t EndCount;
    PointXY ForkPoints[MaxForkPoints];
    int32_t ForkCount;
    uint8_t ForkArms[MaxForkPoints];
    PointXY IsolatedPoints[MaxIsolatedPoints];
    int32_t IsolatedCount;
    int32_t SortedIndex[MaxForkPoints];
    HoleRecord Holes[MaxHoles];
    int16_t HoleCount;
    int32_t HoleRuns[MaxHoles][8];
    SpurRecord Spurs[MaxSpurs];
    uint8_t SpurCount;

    // Global measures.
    int32_t BoxTop, BoxBottom, BoxLeft, BoxRight, BoxHeight, BoxWidth;
    int32_t ImageMaxSide;
    float InkDensity;
    float AspectRatio;
    int32_t UnitHeight, UnitWidth, Unit;
    int16_t RowInk[Raster::Size];
    int16_t ColumnInk[Raster::Size];
    uint8_t RowRuns[Raster::Size];
    uint8_t ColumnRuns[Raster::Size];
    uint8_t RowWideRuns[Raster::Size];
    uint8_t ColumnWideRuns[Raster::Size];
    int8_t LeftMargin[Raster::Size];
    int8_t RightMargin[Raster::Size];
    int8_t TopMargin[Raster::Size];
    int8_t BottomMargin[Raster::Size];
    uint8_t SkeletonRowEnds[Raster::Size + 2];
    uint8_t SkeletonColumnEnds[Raster::Size + 2];
    // 1 when the junction clean-up of the last measurement settled, 0 when it
    // gave up (the profiles, forks and holes then keep their earlier values).
    int32_t JunctionsSettled;

    // Trace state.
    int32_t PathRow[MaxPathPoints];
    int32_t PathCol[MaxPathPoints];
    int32_t TraceCount;
    int32_t WalkCount;
    uint8_t TraceSide[MaxPathPoints];
    uint8_t TraceDistance[MaxPathPoints];
    float ChordSlope;
    float TraceLengthRatio;
    int8_t ChordDirection;
    int32_t ChordLength;
    uint8_t CrossingRow[MaxPathPoints];
    uint8_t CrossingCol[MaxPathPoints];
    int32_t CrossingCount;
    // The ink neighbours (arms) of the two forks joined by traceForkToFork.
    PointXY ForkArmPoints[2][3];
    int32_t ForkArmCount[2];
    int32_t CursorRow, CursorCol, PrevRow, PrevCol;

    // The vote.
    int32_t LetterSlots[LetterSlotCount];  // the last vote's slot table, kept for inspection
    int32_t VoteGated;                     // 1 when the last vote's size gate refused the glyph
    int32_t candidateLetters[LetterSlotCount];
    int32_t candidateCount;

    // Bookkeeping, not part of any measure: how far rows and columns of
    // WorkRaster may hold something other than background (for the framing
    // clear), and how far either raster was ever written (for a fast reset).
    int32_t DirtyRows;
    int32_t DirtyCols;
    int32_t ExtentRows;
    int32_t ExtentCols;
    // How far SavedRaster may hold something other than background.
    int32_t SavedRows;
    int32_t SavedCols;
};

// The recognition state. Each thread has its own instance, so batch workers
// never share one; a program with one thread has exactly one.
extern thread_local RecognitionState g;

// Zero the whole state, as at program start.
void resetRecognitionState();
// The same result for a state that only the recognition stages have written
// (they keep track of how far into the rasters they wrote), without touching
// the untouched parts of the rasters.
void resetRecognitionStateFast();

// Every value >= threshold in rows 0..ImageHeight+1, columns 0..ImageWidth+1
// becomes 0.
void clearMarks(int32_t threshold);
