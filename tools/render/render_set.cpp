#include "render/render_set.h"

#include <algorithm>
#include <filesystem>

#include "recog/input/bmp.h"
#include "render/font_glyphs.h"

bool renderGlyphSet(const RenderRequest& request, std::vector<ManifestEntry>& entries, std::string& error,
                    const std::function<void(size_t, size_t)>& progress) {
    entries.clear();
    std::error_code ec;
    std::filesystem::create_directories(request.directory, ec);
    if (ec) {
        error = "cannot create the directory '" + request.directory + "': " + ec.message();
        return false;
    }
    const size_t total = request.fonts.size() * request.sizes.size() * request.letters.size();
    std::vector<std::string> slugs;
    for (const std::string& fontPath : request.fonts) {
        FontFace face;
        if (!face.open(fontPath, error)) return false;
        std::string slug = faceSlug(face.family(), face.style());
        // Two files with the same family and style still get their own names.
        for (int n = 2; std::find(slugs.begin(), slugs.end(), slug) != slugs.end(); ++n)
            slug = faceSlug(face.family(), face.style()) + "-" + std::to_string(n);
        slugs.push_back(slug);
        for (int size : request.sizes) {
            for (char letter : request.letters) {
                BilevelImage image;
                if (!face.render(static_cast<char32_t>(letter), size, image, error)) return false;
                ManifestEntry e;
                e.file = glyphFileName(slug, size, letter);
                e.family = face.family();
                e.style = face.style();
                e.size = size;
                e.letter = letter;
                const std::string path = (std::filesystem::path(request.directory) / e.file).string();
                if (!writeBmp(path.c_str(), image)) {
                    error = "cannot write '" + path + "'";
                    return false;
                }
                entries.push_back(std::move(e));
                if (progress) progress(entries.size(), total);
            }
        }
    }
    return true;
}
