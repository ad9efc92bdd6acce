#include "recog/input/bmp.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "recog/state/state.h"

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int MaxSide = Raster::Size;
constexpr int MaxStride = (MaxSide + 31) / 32 * 4;  // 64 bytes for 512 pixels

int32_t readInt32(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}
uint32_t readUint32(const uint8_t* p) { return static_cast<uint32_t>(readInt32(p)); }
uint16_t readUint16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

void putUint32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void putUint16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

struct FileCloser {
    std::FILE* file;
    ~FileCloser() {
        if (file) std::fclose(file);
    }
};

int32_t fail(int32_t status, std::string* message, const char* text) {
    if (message) *message = text ? text : "";
    return status;
}

int32_t damaged(std::string* message, const char* why) {
    if (message) *message = std::string("Damaged or unsupported bitmap: ") + why;
    return LoadDamaged;
}

}  // namespace

int32_t loadBmp(const char* path, std::string* message) {
    if (message) message->clear();
    struct stat info {};
    if (path == nullptr || ::stat(path, &info) != 0 || !S_ISREG(info.st_mode)) return fail(LoadCannotOpen, message, nullptr);
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return fail(LoadCannotOpen, message, nullptr);
    FileCloser closer{file};
    const long long fileSize = static_cast<long long>(info.st_size);

    uint8_t headers[FileHeaderSize + InfoHeaderSize];
    if (std::fread(headers, 1, sizeof headers, file) != sizeof headers)
        return damaged(message, "the file is too short for its headers");
    const uint8_t* fileHeader = headers;
    const uint8_t* infoHeader = headers + FileHeaderSize;

    const uint32_t pixelOffset = readUint32(fileHeader + 10);
    const int32_t width = readInt32(infoHeader + 4);
    const int32_t rawHeight = readInt32(infoHeader + 8);
    const uint16_t bitsPerPixel = readUint16(infoHeader + 14);

    // The user-facing checks, in their fixed order.
    if (bitsPerPixel != 1) return fail(LoadNotBlackWhite, message, "Bmp Must Be Black/White!");
    // A negative height marks a top-down bitmap; its magnitude is what counts.
    const bool topDown = rawHeight < 0;
    const long long height = topDown ? -static_cast<long long>(rawHeight) : rawHeight;
    if (height > MaxSide) return fail(LoadTooLarge, message, "ImgHeight Over!");
    if (width > MaxSide) return fail(LoadTooLarge, message, "ImgWidth  Over!");

    // Checks for files this reader cannot read safely.
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') return damaged(message, "no \"BM\" signature");
    if (readUint32(infoHeader) < InfoHeaderSize) return damaged(message, "unsupported info header");
    if (readUint32(infoHeader + 16) != 0) return damaged(message, "compressed pixel data");
    if (width <= 0) return damaged(message, width == 0 ? "the width is zero" : "the width is negative");
    if (height == 0) return damaged(message, "the height is zero");
    const int stride = ((width + 7) / 8 + 3) / 4 * 4;
    if (pixelOffset >= static_cast<unsigned long long>(fileSize))
        return damaged(message, "the pixel data offset lies outside the file");
    if (static_cast<long long>(pixelOffset) + static_cast<long long>(stride) * height > fileSize)
        return damaged(message, "the pixel data is truncated");

    // The colour table is read and discarded: a 0 bit is ink whatever it says.
    uint8_t palette[8];
    if (std::fread(palette, 1, sizeof palette, file) != sizeof palette) {
        // A file whose pixels start inside the colour table is still readable.
    }
    if (std::fseek(file, static_cast<long>(pixelOffset), SEEK_SET) != 0)
        return damaged(message, "cannot seek to the pixel data");

    // Read everything before touching the raster, so a failed read leaves it as it was.
    static thread_local uint8_t rows[MaxSide][MaxStride];
    for (long long i = 0; i < height; ++i)
        if (std::fread(rows[i], 1, static_cast<size_t>(stride), file) != static_cast<size_t>(stride))
            return damaged(message, "the pixel data is truncated");

    for (long long i = 0; i < height; ++i) {
        const int row = static_cast<int>(topDown ? i : height - 1 - i);
        uint8_t* target = g.WorkRaster[row];
        for (int j = 0; j < stride; ++j) {
            const uint8_t byte = rows[i][j];
            for (int k = 0; k < 8; ++k) target[8 * j + k] = (byte & (0x80 >> k)) ? 0 : 1;
        }
    }
    g.DirtyRows = std::max<int32_t>(g.DirtyRows, static_cast<int32_t>(height));
    g.DirtyCols = std::max<int32_t>(g.DirtyCols, 8 * stride);
    g.ExtentRows = std::max(g.ExtentRows, g.DirtyRows);
    g.ExtentCols = std::max(g.ExtentCols, g.DirtyCols);
    g.ImageHeight = static_cast<int32_t>(height);
    g.ImageWidth = width;
    return LoadOk;
}

namespace {

// The first r with sums[r] > 0 and sums[r + 1] > 0 (sums[n] counts as empty),
// else n.
int firstInkedPair(const int* sums, int n) {
    for (int r = 0; r < n; ++r)
        if (sums[r] > 0 && r + 1 < n && sums[r + 1] > 0) return r;
    return n;
}

// The last r above `first` with sums[r] > 0 and sums[r - 1] > 0, else first
// (n - 1 when first = n).
int lastInkedPair(const int* sums, int n, int first) {
    for (int r = n - 1; r > first; --r)
        if (sums[r] > 0 && sums[r - 1] > 0) return r;
    return first == n ? n - 1 : first;
}

}  // namespace

void normaliseImage() {
    int rowSums[MaxSide];
    int colSums[MaxSide];
    for (;;) {
        const int h = g.ImageHeight;
        const int w = g.ImageWidth;
        for (int r = 0; r < h; ++r) {
            const uint8_t* row = g.WorkRaster[r];
            int s = 0;
            for (int c = 0; c < w; ++c) s += row[c] != 0;
            rowSums[r] = s;
        }
        const int top = firstInkedPair(rowSums, h);
        const int bottom = lastInkedPair(rowSums, h, top);

        // Column sums over the rows before cropping.
        std::fill(colSums, colSums + w, 0);
        for (int r = 0; r < h; ++r) {
            const uint8_t* row = g.WorkRaster[r];
            for (int c = 0; c < w; ++c) colSums[c] += row[c] != 0;
        }
        const int left = firstInkedPair(colSums, w);
        const int right = lastInkedPair(colSums, w, left);

        const int newH = bottom - top + 1;
        const int newW = right - left + 1;
        g.ImageHeight = newH;
        g.ImageWidth = newW;
        // The source never lies before the target, so the copy is safe in place.
        for (int r = 0; r < newH; ++r) {
            const uint8_t* source = g.WorkRaster[top + r] + left;
            uint8_t* target = g.WorkRaster[r];
            std::memmove(target, source, static_cast<size_t>(newW));
        }

        if ((newW + 7) / 8 * newH > 1016) {
            const int halfH = newH / 2;
            const int halfW = newW / 2;
            g.ImageHeight = halfH;
            g.ImageWidth = halfW;
            for (int r = 0; r < halfH; ++r) {
                const uint8_t* source = g.WorkRaster[2 * r];
                uint8_t* target = g.WorkRaster[r];
                for (int c = 0; c < halfW; ++c) target[c] = source[2 * c];
            }
            continue;
        }
        for (int r = 0; r < newH; ++r) std::memset(g.WorkRaster[r] + newW, 0, 8);
        return;
    }
}

void frameImage() {
    const int h = g.ImageHeight;
    const int w = g.ImageWidth;
    for (int r = h; r >= 1; --r) {
        uint8_t* target = g.WorkRaster[r];
        const uint8_t* source = g.WorkRaster[r - 1];
        for (int c = w; c >= 1; --c) target[c] = source[c - 1];
    }
    for (int r = 0; r <= h + 1; ++r) {
        g.WorkRaster[r][0] = 0;
        g.WorkRaster[r][w + 1] = 0;
    }
    std::memset(g.WorkRaster[0], 0, static_cast<size_t>(w + 2));
    std::memset(g.WorkRaster[h + 1], 0, static_cast<size_t>(w + 2));

    // Everything outside the frame must read as background: it may still hold
    // rows and columns of the file as loaded before cropping (or an earlier
    // glyph), and a few later reads reach past the frame (run ends look up to
    // three rows down, wide runs two columns right). Without this a glyph's
    // measures would depend on what lay outside its crop.
    const int lastRow = std::min(std::max(g.DirtyRows, h + 2) + 4, Raster::Size + Raster::Margin - 1);
    const int lastCol = std::min(std::max(g.DirtyCols, w + 2) + 4, Raster::Size + Raster::Margin - 1);
    for (int r = -Raster::Margin; r <= lastRow; ++r) {
        uint8_t* row = g.WorkRaster[r];
        const int from = (r >= 0 && r <= h + 1) ? w + 2 : -Raster::Margin;
        if (from <= lastCol) std::memset(row + from, 0, static_cast<size_t>(lastCol - from + 1));
    }
    // Later stages write at most a few pixels past the frame.
    g.DirtyRows = h + 4;
    g.DirtyCols = w + 4;
    g.ExtentRows = std::max(g.ExtentRows, g.DirtyRows);
    g.ExtentCols = std::max(g.ExtentCols, g.DirtyCols);
}

std::vector<uint8_t> encodeBmp(const BilevelImage& image) {
    const int width = image.width;
    const int height = image.height;
    const int stride = ((width + 7) / 8 + 3) / 4 * 4;
    const uint32_t offset = FileHeaderSize + InfoHeaderSize + 8;
    const uint32_t dataSize = static_cast<uint32_t>(stride) * static_cast<uint32_t>(height);
    std::vector<uint8_t> out;
    out.reserve(offset + dataSize);
    out.push_back('B');
    out.push_back('M');
    putUint32(out, offset + dataSize);
    putUint32(out, 0);
    putUint32(out, offset);
    putUint32(out, InfoHeaderSize);
    putUint32(out, static_cast<uint32_t>(width));
    putUint32(out, static_cast<uint32_t>(height));
    putUint16(out, 1);  // planes
    putUint16(out, 1);  // bits per pixel
    putUint32(out, 0);  // no compression
    putUint32(out, dataSize);
    putUint32(out, 2835);  // 72 dpi
    putUint32(out, 2835);
    putUint32(out, 2);
    putUint32(out, 0);
    // Palette: black first (index 0 = ink), then white.
    for (uint8_t v : {0, 0, 0, 0, 255, 255, 255, 0}) out.push_back(v);
    for (int i = 0; i < height; ++i) {
        const int r = height - 1 - i;  // bottom-up
        for (int j = 0; j < stride; ++j) {
            uint8_t byte = 0;
            for (int k = 0; k < 8; ++k) {
                const int c = 8 * j + k;
                const bool ink = c < width && image.ink[static_cast<size_t>(r) * width + c] != 0;
                if (c < width && !ink) byte |= static_cast<uint8_t>(0x80 >> k);
            }
            out.push_back(byte);
        }
    }
    return out;
}

bool writeBmp(const char* path, const BilevelImage& image) {
    const std::vector<uint8_t> bytes = encodeBmp(image);
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}
