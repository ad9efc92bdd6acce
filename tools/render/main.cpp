// quillmark-render: render letters from font files into 1-bit glyph bitmaps
// with a manifest, as test material for the recognition.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "render/font_glyphs.h"
#include "render/manifest.h"
#include "render/progress.h"
#include "render/render_set.h"

int main(int argc, char** argv) {
    CLI::App app{
        "Render letters from font files into 1-bit BMP glyphs (black on white, ink where the\n"
        "coverage is at least half grey, cropped to the ink with a 4-pixel white margin), plus\n"
        "a manifest (CSV: file,family,style,size,letter). Files are named like\n"
        "dejavu-sans-40-la.bmp (l = small letter, u = capital).\n"
        "Default fonts: DejaVu Sans, DejaVu Serif, Liberation Sans, Liberation Serif.",
        "quillmark-render"};
    std::vector<std::string> fonts;
    std::string sizesText = "40,64,96";
    std::string lettersText = "a-zA-Z";
    std::string outDir;
    std::string manifestPath;
    bool quiet = false;
    app.add_option("fonts", fonts, "Font files (default: the four faces named above)");
    app.add_option("-o,--out", outDir, "Directory for the bitmaps (created when missing)")->required();
    app.add_option("--sizes", sizesText, "Pixel sizes, comma-separated (FT_Set_Pixel_Sizes(face, 0, size))")
        ->capture_default_str();
    app.add_option("--letters", lettersText, "Letters to render, e.g. abc or a-zA-Z")->capture_default_str();
    app.add_option("--manifest", manifestPath, "Where the manifest goes (default: OUT/manifest.csv)");
    app.add_flag("-q,--quiet", quiet, "No progress bar and no summary line");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return e.get_exit_code() == 0 ? code : 2;
    }

    RenderRequest request;
    std::string error;
    if (!parseSizes(sizesText, request.sizes, error) || !parseLetters(lettersText, request.letters, error)) {
        std::cerr << "quillmark-render: " << error << '\n';
        return 2;
    }
    if (fonts.empty()) {
        std::vector<std::string> missing;
        fonts = defaultFontPaths(&missing);
        for (const std::string& m : missing) std::cerr << "quillmark-render: font not installed: " << m << '\n';
        if (fonts.empty()) {
            std::cerr << "quillmark-render: none of the default fonts is installed; name font files\n";
            return 1;
        }
    }
    request.fonts = fonts;
    request.directory = outDir;
    if (manifestPath.empty()) manifestPath = (std::filesystem::path(outDir) / "manifest.csv").string();

    std::vector<ManifestEntry> entries;
    {
        ProgressBar bar("rendering", !quiet && ProgressBar::stderrIsTerminal());
        if (!renderGlyphSet(request, entries, error, [&](size_t done, size_t total) { bar.update(done, total); })) {
            bar.finish();
            std::cerr << "quillmark-render: " << error << '\n';
            return 1;
        }
    }
    // The manifest names files relative to its own directory.
    const std::filesystem::path manifestDir = std::filesystem::path(manifestPath).parent_path();
    std::error_code ec;
    const std::filesystem::path outAbs = std::filesystem::absolute(outDir, ec);
    const std::filesystem::path manifestAbs = std::filesystem::absolute(manifestDir.empty() ? "." : manifestDir, ec);
    const std::filesystem::path relative = outAbs.lexically_normal().lexically_relative(manifestAbs.lexically_normal());
    if (relative.empty()) {
        for (ManifestEntry& e : entries) e.file = (outAbs / e.file).string();
    } else if (relative != ".") {
        for (ManifestEntry& e : entries) e.file = (relative / e.file).string();
    }
    if (!writeManifest(manifestPath, entries, error)) {
        std::cerr << "quillmark-render: " << error << '\n';
        return 1;
    }
    if (!quiet)
        std::cerr << "quillmark-render: " << entries.size() << " glyphs in " << outDir << ", manifest " << manifestPath
                  << '\n';
    return 0;
}
