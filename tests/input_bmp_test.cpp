// The bitmap reader, cropping, halving and framing.
#include <gtest/gtest.h>

#include <cstring>

#include "recog/input/bmp.h"
#include "recog/state/state.h"
#include "support/fixtures.h"

using fixtures::TempDir;

namespace {

void putInt32(std::vector<uint8_t>& bytes, size_t at, int32_t v) {
    for (size_t i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}

// A valid 1-bit file whose header fields a test then bends.
std::vector<uint8_t> bitmapBytes(int width, int height) {
    return encodeBmp(fixtures::solidImage(width, height));
}

struct LoadCase {
    const char* name;
    std::vector<uint8_t> bytes;
    int status;
    const char* message;  // exact text, or the start of it for damaged files
};

}  // namespace

TEST(LoadBmp, StatusesAndMessagesFollowTheChecksInOrder) {
    auto withField = [](std::vector<uint8_t> b, size_t at, int32_t v) {
        putInt32(b, at, v);
        return b;
    };
    auto withBpp = [](std::vector<uint8_t> b, uint8_t bpp) {
        b[28] = bpp;
        return b;
    };
    const std::vector<uint8_t> ok = bitmapBytes(20, 20);
    std::vector<uint8_t> noSignature = ok;
    noSignature[0] = 'X';
    std::vector<uint8_t> truncated = ok;
    truncated.resize(truncated.size() - 1);

    const std::vector<LoadCase> cases = {
        {"largest", bitmapBytes(512, 512), 0, ""},
        {"two bits per pixel", withBpp(ok, 2), 2, "Bmp Must Be Black/White!"},
        {"bit depth before size", withField(withBpp(ok, 8), 22, 600), 2, "Bmp Must Be Black/White!"},
        {"513 rows", bitmapBytes(20, 513), 3, "ImgHeight Over!"},
        {"height before width", withField(withField(ok, 22, 513), 18, 600), 3, "ImgHeight Over!"},
        {"513 columns", bitmapBytes(513, 20), 3, "ImgWidth  Over!"},
        {"top-down too high", withField(ok, 22, -513), 3, "ImgHeight Over!"},
        {"too short for the headers", std::vector<uint8_t>(ok.begin(), ok.begin() + 40), 4,
         "Damaged or unsupported bitmap: the file is too short"},
        {"no signature", noSignature, 4, "Damaged or unsupported bitmap: no \"BM\""},
        {"compressed", withField(ok, 30, 1), 4, "Damaged or unsupported bitmap: compressed"},
        {"zero width", withField(ok, 18, 0), 4, "Damaged or unsupported bitmap: the width is zero"},
        {"negative width", withField(ok, 18, -5), 4, "Damaged or unsupported bitmap: the width is negative"},
        {"zero height", withField(ok, 22, 0), 4, "Damaged or unsupported bitmap: the height is zero"},
        {"offset past the end", withField(ok, 10, 100000), 4, "Damaged or unsupported bitmap: the pixel data offset"},
        {"truncated pixels", truncated, 4, "Damaged or unsupported bitmap: the pixel data is truncated"},
    };
    TempDir dir;
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file("case.bmp");
        fixtures::writeBytes(path, c.bytes);
        resetRecognitionState();
        g.ImageHeight = 7;
        g.ImageWidth = 9;
        std::string message = "stale";
        EXPECT_EQ(loadBmp(path.c_str(), &message), c.status);
        EXPECT_EQ(message.rfind(c.message, 0), 0u) << message;
        if (c.status == 0) {
            EXPECT_EQ(message, "");
        } else {
            // A failed load leaves the image size as it was.
            EXPECT_EQ(g.ImageHeight, 7);
            EXPECT_EQ(g.ImageWidth, 9);
        }
    }
}

TEST(LoadBmp, MissingFileOrDirectoryCannotBeOpenedAndHasNoMessage) {
    TempDir dir;
    std::string message = "stale";
    EXPECT_EQ(loadBmp(dir.file("absent.bmp").c_str(), &message), 1);
    EXPECT_EQ(message, "");
    EXPECT_EQ(loadBmp(dir.file("").c_str(), &message), 1);
}

TEST(LoadBmp, ReadsStridePaddingAndPolarity) {
    // Width 20: a stride of 4 bytes, so 32 columns are expanded; padding bits
    // are 0 and so land as ink beyond the width.
    TempDir dir;
    BilevelImage image = fixtures::imageFromArt({
        "#...................",
        "...................#",
    });
    std::vector<uint8_t> bytes = encodeBmp(image);
    // Colour table white first, black second: a 0 bit is still ink.
    const uint8_t whiteFirst[8] = {255, 255, 255, 0, 0, 0, 0, 0};
    std::memcpy(bytes.data() + 54, whiteFirst, 8);
    const std::string path = dir.file("g.bmp");
    fixtures::writeBytes(path, bytes);
    resetRecognitionState();
    ASSERT_EQ(loadBmp(path.c_str()), 0);
    EXPECT_EQ(g.ImageHeight, 2);
    EXPECT_EQ(g.ImageWidth, 20);
    EXPECT_EQ(g.WorkRaster[0][0], 1);
    EXPECT_EQ(g.WorkRaster[0][1], 0);
    EXPECT_EQ(g.WorkRaster[1][19], 1);
    EXPECT_EQ(g.WorkRaster[1][18], 0);
    for (int c = 20; c < 32; ++c) EXPECT_EQ(g.WorkRaster[0][c], 1) << c;
    EXPECT_EQ(g.WorkRaster[0][32], 0);
}

TEST(LoadBmp, ReadsTopDownBitmaps) {
    TempDir dir;
    std::vector<uint8_t> bytes = encodeBmp(fixtures::imageFromArt({"#...", "....", "...."}));
    // Flip to top-down: negative height, rows stored first row first.
    putInt32(bytes, 22, -3);
    const size_t data = 62;
    std::swap_ranges(bytes.begin() + data, bytes.begin() + data + 4, bytes.begin() + data + 8);
    const std::string path = dir.file("top-down.bmp");
    fixtures::writeBytes(path, bytes);
    resetRecognitionState();
    ASSERT_EQ(loadBmp(path.c_str()), 0);
    EXPECT_EQ(g.ImageHeight, 3);
    EXPECT_EQ(g.WorkRaster[0][0], 1);
    EXPECT_EQ(g.WorkRaster[2][0], 0);
}

namespace {

void loadArt(const std::vector<std::string>& rows) {
    resetRecognitionState();
    const BilevelImage image = fixtures::imageFromArt(rows);
    g.ImageHeight = image.height;
    g.ImageWidth = image.width;
    for (int r = 0; r < image.height; ++r)
        for (int c = 0; c < image.width; ++c) g.WorkRaster[r][c] = image.ink[static_cast<size_t>(r) * image.width + c];
}

std::vector<std::string> originArt() {
    std::vector<std::string> out;
    for (int r = 0; r < g.ImageHeight; ++r) {
        std::string row;
        for (int c = 0; c < g.ImageWidth; ++c) row += g.WorkRaster[r][c] ? '#' : '.';
        out.push_back(row);
    }
    return out;
}

}  // namespace

TEST(NormaliseImage, CropsOnPairsOfInkedRowsAndColumns) {
    // The lone row at the top and the lone column at the right are fringes,
    // cut off with everything beyond them.
    loadArt({
        "..........",
        "...#......",
        "..........",
        "..###...#.",
        "..###...#.",
        "..##......",
        "..........",
    });
    normaliseImage();
    EXPECT_EQ(originArt(), (std::vector<std::string>{"###", "###", "##."}));
    // The eight columns right of the crop are cleared.
    for (int c = 3; c < 11; ++c) EXPECT_EQ(g.WorkRaster[0][c], 0) << c;
}

TEST(NormaliseImage, LinesWithoutAPairVanish) {
    loadArt({"......", "######", "......"});
    normaliseImage();
    EXPECT_EQ(g.ImageHeight, 0);
    loadArt({"..#..", "..#..", "..#.."});
    normaliseImage();
    EXPECT_EQ(g.ImageWidth, 0);
    EXPECT_EQ(g.ImageHeight, 3);
}

TEST(NormaliseImage, HalvesLargeGlyphs) {
    // (100 + 7) / 8 x 100 = 1300 > 1016: halved once to 50 x 50.
    resetRecognitionState();
    g.ImageHeight = 100;
    g.ImageWidth = 100;
    for (int r = 0; r < 100; ++r)
        for (int c = 0; c < 100; ++c) g.WorkRaster[r][c] = 1;
    g.WorkRaster[2][4] = 0;  // kept: row and column are even
    g.WorkRaster[3][4] = 0;  // dropped: odd row
    normaliseImage();
    EXPECT_EQ(g.ImageHeight, 50);
    EXPECT_EQ(g.ImageWidth, 50);
    EXPECT_EQ(g.WorkRaster[1][2], 0);
    EXPECT_EQ(g.WorkRaster[2][2], 1);
}

TEST(FrameImage, MovesTheGlyphInsideABorderAndClearsEverythingOutside) {
    loadArt({"#.#", "###", "#.#"});
    // Leftovers of a wider file beyond the glyph must not survive framing.
    g.WorkRaster[1][9] = 1;
    g.WorkRaster[7][2] = 1;
    g.DirtyRows = g.DirtyCols = 12;
    frameImage();
    EXPECT_EQ(g.WorkRaster[1][1], 1);
    EXPECT_EQ(g.WorkRaster[1][2], 0);
    EXPECT_EQ(fixtures::framedArt(g.WorkRaster), (std::vector<std::string>{"#.#", "###", "#.#"}));
    for (int i = 0; i <= 4; ++i) {
        EXPECT_EQ(g.WorkRaster[0][i], 0);
        EXPECT_EQ(g.WorkRaster[4][i], 0);
        EXPECT_EQ(g.WorkRaster[i][0], 0);
        EXPECT_EQ(g.WorkRaster[i][4], 0);
    }
    EXPECT_EQ(g.WorkRaster[1][9], 0);
    EXPECT_EQ(g.WorkRaster[7][2], 0);
}

TEST(EncodeBmp, RoundTripsThroughTheReader) {
    TempDir dir;
    const std::vector<std::string> art = {"##..#", ".##..", "#...#"};
    const std::string path = fixtures::writeArt(dir, "r.bmp", art);
    resetRecognitionState();
    ASSERT_EQ(loadBmp(path.c_str()), 0);
    EXPECT_EQ(originArt(), art);
}
