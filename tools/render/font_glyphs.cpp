#include "render/font_glyphs.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

// FreeType's own table of error texts.
#undef FTERRORS_H_
#define FT_ERRORDEF(e, v, s) {e, s},
#define FT_ERROR_START_LIST {
#define FT_ERROR_END_LIST {0, nullptr}};
const struct {
    int code;
    const char* message;
} freetypeErrors[] =
#include FT_ERRORS_H

std::string freetypeError(FT_Error code) {
    for (const auto& e : freetypeErrors)
        if (e.message && e.code == code) return e.message;
    return "FreeType error " + std::to_string(code);
}

std::string codePoint(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

bool isRegularStyle(const std::string& style) {
    std::string s = style;
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s.empty() || s == "regular" || s == "book" || s == "normal" || s == "roman";
}

}  // namespace

struct FontFace::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string path;
    std::string family;
    std::string style;

    ~Impl() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

FontFace::FontFace() : impl_(std::make_unique<Impl>()) {}
FontFace::~FontFace() = default;
FontFace::FontFace(FontFace&&) noexcept = default;
FontFace& FontFace::operator=(FontFace&&) noexcept = default;

const std::string& FontFace::path() const { return impl_->path; }
const std::string& FontFace::family() const { return impl_->family; }
const std::string& FontFace::style() const { return impl_->style; }

bool FontFace::open(const std::string& path, std::string& error) {
    impl_ = std::make_unique<Impl>();
    if (FT_Error e = FT_Init_FreeType(&impl_->library)) {
        impl_->library = nullptr;
        error = "cannot start FreeType: " + freetypeError(e);
        return false;
    }
    if (FT_Error e = FT_New_Face(impl_->library, path.c_str(), 0, &impl_->face)) {
        impl_->face = nullptr;
        error = "cannot open the font '" + path + "': " + freetypeError(e);
        return false;
    }
    impl_->path = path;
    impl_->family = impl_->face->family_name ? impl_->face->family_name : "";
    impl_->style = impl_->face->style_name ? impl_->face->style_name : "";
    if (impl_->family.empty()) impl_->family = std::filesystem::path(path).stem().string();
    return true;
}

bool FontFace::render(char32_t character, int pixelSize, BilevelImage& out, std::string& error) {
    FT_Face face = impl_->face;
    if (!face) {
        error = "no font is open";
        return false;
    }
    if (FT_Error e = FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize))) {
        error = "cannot set the pixel size " + std::to_string(pixelSize) + ": " + freetypeError(e);
        return false;
    }
    const FT_UInt index = FT_Get_Char_Index(face, character);
    if (index == 0) {
        error = "the font '" + impl_->path + "' has no glyph for " + codePoint(character);
        return false;
    }
    // Outlines only (no embedded bitmaps), rendered with 256 grey levels.
    if (FT_Error e = FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_NO_BITMAP)) {
        error = "cannot render " + codePoint(character) + ": " + freetypeError(e);
        return false;
    }
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    const int rows = static_cast<int>(bitmap.rows);
    const int width = static_cast<int>(bitmap.width);
    auto inkAt = [&](int r, int c) -> bool {
        // A negative pitch stores the rows bottom-up from the start of the buffer.
        const int stored = bitmap.pitch >= 0 ? r : rows - 1 - r;
        const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(stored) * std::abs(bitmap.pitch);
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) return (row[c >> 3] & (0x80 >> (c & 7))) != 0;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
            const int levels = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
            return row[c] * 255 / levels >= InkCoverageThreshold;
        }
        return false;
    };
    if (rows > 0 && width > 0 && bitmap.pixel_mode != FT_PIXEL_MODE_MONO &&
        bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
        error = "unexpected FreeType pixel mode " + std::to_string(bitmap.pixel_mode);
        return false;
    }

    int top = rows, bottom = -1, left = width, right = -1;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < width; ++c)
            if (inkAt(r, c)) {
                top = std::min(top, r);
                bottom = std::max(bottom, r);
                left = std::min(left, c);
                right = std::max(right, c);
            }
    if (bottom < 0) {  // no ink at all
        top = bottom = left = right = 0;
    }
    out.width = right - left + 1 + 2 * GlyphMargin;
    out.height = bottom - top + 1 + 2 * GlyphMargin;
    out.ink.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.height), 0);
    if (rows > 0 && width > 0 && right >= 0)
        for (int r = top; r <= bottom; ++r)
            for (int c = left; c <= right; ++c)
                if (inkAt(r, c))
                    out.ink[static_cast<size_t>(r - top + GlyphMargin) * static_cast<size_t>(out.width) +
                            static_cast<size_t>(c - left + GlyphMargin)] = 1;
    return true;
}

std::vector<std::string> defaultFontPaths(std::vector<std::string>* missing) {
    struct Wanted {
        const char* file;
        std::vector<const char*> directories;
    };
    static const std::vector<const char*> dejavu = {"/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/dejavu",
                                                    "/usr/share/fonts/TTF", "/usr/local/share/fonts"};
    static const std::vector<const char*> liberation = {
        "/usr/share/fonts/truetype/liberation2", "/usr/share/fonts/truetype/liberation",
        "/usr/share/fonts/liberation", "/usr/share/fonts/TTF", "/usr/local/share/fonts"};
    const std::vector<Wanted> wanted = {
        {"DejaVuSans.ttf", dejavu},
        {"DejaVuSerif.ttf", dejavu},
        {"LiberationSans-Regular.ttf", liberation},
        {"LiberationSerif-Regular.ttf", liberation},
    };
    std::vector<std::string> found;
    for (const Wanted& w : wanted) {
        bool seen = false;
        for (const char* directory : w.directories) {
            const std::filesystem::path candidate = std::filesystem::path(directory) / w.file;
            std::error_code ec;
            if (std::filesystem::is_regular_file(candidate, ec)) {
                found.push_back(candidate.string());
                seen = true;
                break;
            }
        }
        if (!seen && missing) missing->push_back(w.file);
    }
    return found;
}

std::string faceSlug(const std::string& family, const std::string& style) {
    std::string text = family;
    if (!isRegularStyle(style)) text += " " + style;
    std::string slug;
    for (unsigned char c : text) {
        if (std::isalnum(c))
            slug += static_cast<char>(std::tolower(c));
        else if (!slug.empty() && slug.back() != '-')
            slug += '-';
    }
    while (!slug.empty() && slug.back() == '-') slug.pop_back();
    return slug.empty() ? "font" : slug;
}

std::string glyphFileName(const std::string& slug, int pixelSize, char letter) {
    const bool capital = letter >= 'A' && letter <= 'Z';
    const char small = capital ? static_cast<char>(letter - 'A' + 'a') : letter;
    return slug + "-" + std::to_string(pixelSize) + "-" + (capital ? "u" : "l") + small + ".bmp";
}

bool parseSizes(const std::string& text, std::vector<int>& sizes, std::string& error) {
    sizes.clear();
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        const std::string item = text.substr(start, end - start);
        int value = 0;
        const auto [ptr, ec] = std::from_chars(item.data(), item.data() + item.size(), value);
        if (item.empty() || ec != std::errc() || ptr != item.data() + item.size() || value < 4 || value > 500) {
            error = "'" + item + "' is not a pixel size from 4 to 500";
            return false;
        }
        if (std::find(sizes.begin(), sizes.end(), value) == sizes.end()) sizes.push_back(value);
        start = end + 1;
    }
    return true;
}

bool parseLetters(const std::string& text, std::string& letters, std::string& error) {
    letters.clear();
    auto add = [&](char c) {
        if (letters.find(c) == std::string::npos) letters += c;
    };
    auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ',' || c == ' ') continue;
        if (!isLetter(c)) {
            error = std::string("'") + c + "' is not a letter a-z or A-Z";
            return false;
        }
        if (i + 2 < text.size() && text[i + 1] == '-' && isLetter(text[i + 2])) {
            const char last = text[i + 2];
            if (std::islower(static_cast<unsigned char>(c)) != std::islower(static_cast<unsigned char>(last)) ||
                last < c) {
                char message[48];
                std::snprintf(message, sizeof message, "'%c-%c' is not a range of letters", c, last);
                error = message;
                return false;
            }
            for (char x = c; x <= last; ++x) add(x);
            i += 2;
        } else {
            add(c);
        }
    }
    if (letters.empty()) {
        error = "no letters given";
        return false;
    }
    return true;
}
