// Reading 1-bit bitmaps into WorkRaster, cropping, halving and framing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum LoadStatus : int32_t {
    LoadOk = 0,
    LoadCannotOpen = 1,
    LoadNotBlackWhite = 2,
    LoadTooLarge = 3,
    LoadDamaged = 4,
};

// Read a bitmap file into WorkRaster. Returns a LoadStatus. When the status
// has a message for the user, it is copied into `message` (else it is cleared).
int32_t loadBmp(const char* path, std::string* message = nullptr);

// Crop to the ink (pairs of inked rows and columns) and halve while large.
void normaliseImage();

// Move the glyph one row down and one column right inside a frame of 0.
void frameImage();

// A bilevel image for writing: ink[r * width + c] != 0 is ink, row 0 on top.
struct BilevelImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> ink;
};

// Encode as a 1-bit bottom-up bitmap: 0 bit = ink, black first in the palette.
std::vector<uint8_t> encodeBmp(const BilevelImage& image);
// Write encodeBmp's bytes to a file; false on failure.
bool writeBmp(const char* path, const BilevelImage& image);
