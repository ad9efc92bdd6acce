// Rendering a set of letters from several faces at several sizes into a
// directory of 1-bit bitmaps with their manifest.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "render/manifest.h"

struct RenderRequest {
    std::vector<std::string> fonts;  // font files
    std::vector<int> sizes;          // pixel sizes
    std::string letters;             // a-z, A-Z
    std::string directory;           // where the bitmaps go (created when missing)
};

// Render every letter of every face at every size (face by face, then size,
// then letter) into request.directory; the entries name the files relative
// to that directory. `progress` (optional) is called after each glyph with
// (done, total). False (with a reason) when a font cannot be opened, a glyph
// cannot be rendered or a file cannot be written.
bool renderGlyphSet(const RenderRequest& request, std::vector<ManifestEntry>& entries, std::string& error,
                    const std::function<void(size_t, size_t)>& progress = {});
