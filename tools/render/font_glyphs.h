// Rendering letters from font files into bilevel glyph images, and the names
// the rendered glyphs are filed under.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "recog/input/bmp.h"

// White border left around the ink of a rendered glyph, in pixels.
inline constexpr int GlyphMargin = 4;
// A pixel is ink when FreeType's coverage reaches half grey.
inline constexpr int InkCoverageThreshold = 128;
// The letters rendered unless told otherwise.
inline constexpr const char* AllLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
// The pixel sizes rendered unless told otherwise.
inline const std::vector<int> DefaultSizes = {40, 64, 96};

// One font face opened with FreeType. Movable, not copyable.
class FontFace {
public:
    FontFace();
    ~FontFace();
    FontFace(FontFace&&) noexcept;
    FontFace& operator=(FontFace&&) noexcept;

    // Open the first face of a font file. False (with a reason) on failure.
    bool open(const std::string& path, std::string& error);

    const std::string& path() const;
    const std::string& family() const;  // e.g. "DejaVu Sans"
    const std::string& style() const;   // e.g. "Book", "Regular", "Bold"

    // Render one character at a pixel size (FT_Set_Pixel_Sizes(face, 0, size)),
    // black on white, thresholded at half coverage and cropped to the ink with
    // GlyphMargin white pixels all round. A character without ink gives a
    // blank image of 2 * GlyphMargin + 1 pixels square.
    bool render(char32_t character, int pixelSize, BilevelImage& out, std::string& error);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The default faces: DejaVu Sans, DejaVu Serif, Liberation Sans, Liberation
// Serif (regular), searched in the usual font directories. Faces that are not
// installed are left out and named in `missing`.
std::vector<std::string> defaultFontPaths(std::vector<std::string>* missing = nullptr);

// "dejavu-sans" for DejaVu Sans Book, "liberation-serif-bold" for a bold face:
// the family in lower case with dashes, plus the style unless it is the
// regular one.
std::string faceSlug(const std::string& family, const std::string& style);

// "dejavu-sans-40-la.bmp" for a small a, "...-ua.bmp" for a capital A.
std::string glyphFileName(const std::string& slug, int pixelSize, char letter);

// "40,64,96" -> {40, 64, 96}. False (with a reason) for anything but a list of
// pixel sizes from 4 to 500.
bool parseSizes(const std::string& text, std::vector<int>& sizes, std::string& error);

// Check a letter list ("abc", "a-z", "A-Z" and letters): letters a-z, A-Z
// only, duplicates dropped, in the order given. False (with a reason) otherwise.
bool parseLetters(const std::string& text, std::string& letters, std::string& error);
