// quillmark-eval: run the recognition over letters rendered from fonts and
// report how often it is right, what it confuses, and how fast it is.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "eval/evaluation.h"
#include "render/font_glyphs.h"
#include "render/manifest.h"
#include "render/progress.h"
#include "render/render_set.h"

namespace {

// A fresh directory under the system's temporary directory, removed with the object.
class TemporaryDirectory {
public:
    TemporaryDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillmark-eval-XXXXXX").string();
        if (mkdtemp(pattern.data())) path_ = pattern;
    }
    ~TemporaryDirectory() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

bool writeFile(const std::string& path, const std::function<void(std::ostream&)>& write) {
    if (path == "-") {
        write(std::cout);
        std::cout.flush();
        return static_cast<bool>(std::cout);
    }
    std::ofstream out(path, std::ios::binary);
    if (!out) return false;
    write(out);
    out.close();
    return static_cast<bool>(out);
}

std::string joinSizes(const std::vector<int>& sizes) {
    std::string text;
    for (size_t i = 0; i < sizes.size(); ++i) text += (i ? ", " : "") + std::to_string(sizes[i]);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Recognise letters rendered from fonts and report accuracy and speed.\n"
        "Reads a manifest written by quillmark-render, or renders the letters itself (by default\n"
        "a-z and A-Z from DejaVu Sans, DejaVu Serif, Liberation Sans and Liberation Serif at\n"
        "40, 64 and 96 px) into a temporary directory. Writes a Markdown report (standard output\n"
        "unless --report is given), and on request a CSV with one row per glyph and an SVG picture\n"
        "of the confusion matrix.",
        "quillmark-eval"};
    std::string manifestPath;
    std::vector<std::string> fonts;
    std::string sizesText = "40,64,96";
    std::string lettersText = "a-zA-Z";
    std::string renderDir;
    std::string reportPath = "-";
    std::string csvPath;
    std::string svgPath;
    std::string note;
    double speedSeconds = 2.0;
    int stageRuns = 3;
    bool noProgress = false;
    auto* manifestOption = app.add_option("-m,--manifest", manifestPath, "Recognise the glyphs listed in this manifest");
    app.add_option("fonts", fonts, "Font files to render from (default: the four faces named above)")
        ->excludes(manifestOption);
    app.add_option("--sizes", sizesText, "Pixel sizes to render at, comma-separated")
        ->capture_default_str()
        ->excludes(manifestOption);
    app.add_option("--letters", lettersText, "Letters to render, e.g. abc or a-zA-Z")
        ->capture_default_str()
        ->excludes(manifestOption);
    app.add_option("--render-dir", renderDir, "Render into this directory and keep the glyphs (default: a temporary one)")
        ->excludes(manifestOption);
    app.add_option("-r,--report", reportPath, "Markdown report ('-' = standard output)")->capture_default_str();
    app.add_option("--csv", csvPath, "CSV with one row per glyph");
    app.add_option("--svg", svgPath, "SVG picture of the confusion matrix");
    app.add_option("--note", note, "A paragraph to put under the report's title");
    app.add_option("--speed-seconds", speedSeconds, "How long to time whole recognitions (0 = no speed figures)")
        ->capture_default_str()
        ->check(CLI::Range(0.0, 600.0));
    app.add_option("--stage-runs", stageRuns, "Stage-by-stage timed runs per glyph")
        ->capture_default_str()
        ->check(CLI::Range(1, 1000));
    app.add_flag("--no-progress", noProgress, "No progress bar (it is shown only when standard error is a terminal)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return e.get_exit_code() == 0 ? code : 2;
    }
    const bool showProgress = !noProgress && ProgressBar::stderrIsTerminal();

    std::vector<ManifestEntry> entries;
    std::vector<std::string> paths;
    std::string source;
    std::string error;
    TemporaryDirectory temporary;
    if (!manifestPath.empty()) {
        if (!readManifest(manifestPath, entries, error)) {
            std::cerr << "quillmark-eval: " << error << '\n';
            return 1;
        }
        for (const ManifestEntry& e : entries) paths.push_back(resolveManifestFile(manifestPath, e.file));
        source = "Glyphs: the " + std::to_string(entries.size()) + " listed in " +
                 std::filesystem::path(manifestPath).filename().string() + ".";
    } else {
        RenderRequest request;
        if (!parseSizes(sizesText, request.sizes, error) || !parseLetters(lettersText, request.letters, error)) {
            std::cerr << "quillmark-eval: " << error << '\n';
            return 2;
        }
        if (fonts.empty()) {
            std::vector<std::string> missing;
            fonts = defaultFontPaths(&missing);
            for (const std::string& m : missing) std::cerr << "quillmark-eval: font not installed: " << m << '\n';
            if (fonts.empty()) {
                std::cerr << "quillmark-eval: none of the default fonts is installed; name font files\n";
                return 1;
            }
        }
        request.fonts = fonts;
        request.directory = renderDir.empty() ? temporary.path() : renderDir;
        if (request.directory.empty()) {
            std::cerr << "quillmark-eval: cannot make a temporary directory\n";
            return 1;
        }
        {
            ProgressBar bar("rendering", showProgress);
            if (!renderGlyphSet(request, entries, error, [&](size_t d, size_t t) { bar.update(d, t); })) {
                bar.finish();
                std::cerr << "quillmark-eval: " << error << '\n';
                return 1;
            }
        }
        if (!renderDir.empty() &&
            !writeManifest((std::filesystem::path(renderDir) / "manifest.csv").string(), entries, error))
            std::cerr << "quillmark-eval: " << error << '\n';
        for (const ManifestEntry& e : entries)
            paths.push_back((std::filesystem::path(request.directory) / e.file).string());
        size_t faceCount = 0;
        std::vector<std::string> seen;
        for (const ManifestEntry& e : entries)
            if (std::find(seen.begin(), seen.end(), e.family + "/" + e.style) == seen.end()) {
                seen.push_back(e.family + "/" + e.style);
                ++faceCount;
            }
        source = "Glyphs: " + std::to_string(entries.size()) + " (" + std::to_string(request.letters.size()) +
                 " letters from " + std::to_string(faceCount) + " faces at " + joinSizes(request.sizes) +
                 " px), rendered with FreeType at FT_Set_Pixel_Sizes(face, 0, size), black on white, ink where the "
                 "coverage is at least half grey, cropped to the ink with a 4-pixel white margin.";
    }

    std::vector<GlyphResult> results;
    {
        ProgressBar bar("recognising", showProgress);
        results = recogniseEntries(entries, paths, [&](size_t d, size_t t) { bar.update(d, t); });
    }
    size_t unreadable = 0;
    for (const GlyphResult& r : results)
        if (r.loadStatus != 0) {
            ++unreadable;
            std::cerr << "quillmark-eval: " << r.path << ": did not load (status " << r.loadStatus << ")\n";
        }

    SpeedFigures speed;
    if (speedSeconds > 0) {
        ProgressBar bar("timing", showProgress);
        std::string lastLabel;
        speed = measureSpeed(results, speedSeconds, stageRuns, [&](const char* label, size_t d, size_t t) {
            if (label != lastLabel) {
                bar.restart(label);
                lastLabel = label;
            }
            bar.update(d, t);
        });
    }

    ReportOptions options;
    options.note = note;
    options.source = source;
    const auto relativeName = [&](const std::string& path) {
        if (path.empty() || reportPath == "-") return std::filesystem::path(path).filename().string();
        const auto base = std::filesystem::absolute(std::filesystem::path(reportPath)).parent_path();
        return std::filesystem::absolute(path).lexically_relative(base).string();
    };
    options.csvName = relativeName(csvPath);
    options.svgName = relativeName(svgPath);

    bool ok = true;
    if (!csvPath.empty() && !writeFile(csvPath, [&](std::ostream& o) { writeResultsCsv(o, results); })) {
        std::cerr << "quillmark-eval: cannot write '" << csvPath << "'\n";
        ok = false;
    }
    if (!svgPath.empty() && !writeFile(svgPath, [&](std::ostream& o) { writeConfusionSvg(o, results); })) {
        std::cerr << "quillmark-eval: cannot write '" << svgPath << "'\n";
        ok = false;
    }
    if (!writeFile(reportPath, [&](std::ostream& o) { writeMarkdownReport(o, results, speed, options); })) {
        std::cerr << "quillmark-eval: cannot write '" << reportPath << "'\n";
        ok = false;
    }
    if (reportPath != "-") {
        size_t right = 0, refused = 0;
        for (const GlyphResult& r : results) {
            right += r.outcome() == Outcome::Right;
            refused += r.outcome() == Outcome::Refused;
        }
        std::cerr << "quillmark-eval: " << results.size() << " glyphs, " << right << " right, "
                  << results.size() - right - refused << " wrong, " << refused << " refused";
        if (speed.measured) std::cerr << "; " << static_cast<long>(speed.perSecond) << " recognitions per second";
        std::cerr << "\n";
    }
    if (unreadable) ok = false;
    return ok ? 0 : 1;
}
