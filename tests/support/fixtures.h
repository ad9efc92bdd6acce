// Small glyph fixtures for tests: ASCII art ('#' = ink) to bitmaps and files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "recog/input/bmp.h"
#include "recog/state/driver.h"
#include "recog/state/state.h"

namespace fixtures {

inline BilevelImage imageFromArt(const std::vector<std::string>& rows) {
    BilevelImage image;
    image.height = static_cast<int>(rows.size());
    image.width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    image.ink.assign(static_cast<size_t>(image.width) * image.height, 0);
    for (int r = 0; r < image.height; ++r)
        for (int c = 0; c < image.width && c < static_cast<int>(rows[r].size()); ++c)
            image.ink[static_cast<size_t>(r) * image.width + c] = rows[r][c] == '#';
    return image;
}

inline BilevelImage solidImage(int width, int height) {
    BilevelImage image;
    image.width = width;
    image.height = height;
    image.ink.assign(static_cast<size_t>(width) * height, 1);
    return image;
}

// A scratch directory for one test, removed when the object goes.
class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/quillmark-test-XXXXXX";
        path_ = ::mkdtemp(pattern);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::string writeArt(const TempDir& dir, const std::string& name, const std::vector<std::string>& rows) {
    const std::string path = dir.file(name);
    writeBmp(path.c_str(), imageFromArt(rows));
    return path;
}

// Every stage from the bitmap file to the vote, on a fresh state.
inline void recogniseArt(const std::vector<std::string>& art) {
    TempDir dir;
    resetRecognitionState();
    const std::string path = writeArt(dir, "glyph.bmp", art);
    ASSERT_EQ(recogniseFile(path.c_str(), nullptr), 0);
}

// Draw ASCII art straight into WorkRaster at rows/columns from 1 (the framed
// position) and set the image size, after zeroing the state.
inline void drawFramed(const std::vector<std::string>& rows) {
    resetRecognitionState();
    g.ImageHeight = static_cast<int32_t>(rows.size());
    g.ImageWidth = rows.empty() ? 0 : static_cast<int32_t>(rows[0].size());
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            g.WorkRaster[static_cast<int>(r) + 1][static_cast<int>(c) + 1] = rows[r][c] == '#' ? 1 : 0;
}

// Rows 1..ImageHeight, columns 1..ImageWidth of a raster as ASCII art.
inline std::vector<std::string> framedArt(const Raster& raster) {
    std::vector<std::string> out;
    for (int r = 1; r <= g.ImageHeight; ++r) {
        std::string row;
        for (int c = 1; c <= g.ImageWidth; ++c) row += raster[r][c] ? '#' : '.';
        out.push_back(row);
    }
    return out;
}

}  // namespace fixtures
