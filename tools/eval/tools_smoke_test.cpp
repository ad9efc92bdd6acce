// The font tools end to end: render a few letters, evaluate them, and check
// the report against itself and against quillmark-cli.
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "eval/evaluation.h"
#include "recog/input/bmp.h"
#include "recog/state/state.h"
#include "render/font_glyphs.h"
#include "render/manifest.h"

namespace fs = std::filesystem;

namespace {

std::string quote(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

// Run a command, returning its exit status and standard output.
int run(const std::string& command, std::string* output = nullptr) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    const int status = pclose(pipe);
    if (output) *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> readLines(const fs::path& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::vector<std::string> tableCells(const std::string& row) {
    std::vector<std::string> cells;
    std::stringstream in(row);
    std::string cell;
    std::getline(in, cell, '|');  // before the first bar
    while (std::getline(in, cell, '|')) {
        const size_t a = cell.find_first_not_of(' ');
        const size_t b = cell.find_last_not_of(' ');
        cells.push_back(a == std::string::npos ? "" : cell.substr(a, b - a + 1));
    }
    return cells;
}

std::string installedFont() {
    const std::vector<std::string> fonts = defaultFontPaths();
    return fonts.empty() ? "" : fonts.front();
}

class ScratchDirectory {
public:
    ScratchDirectory() {
        std::string pattern = (fs::temp_directory_path() / "quillmark-tools-test-XXXXXX").string();
        if (mkdtemp(pattern.data())) path_ = pattern;
    }
    ~ScratchDirectory() {
        std::error_code ec;
        if (!path_.empty()) fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

}  // namespace

TEST(FontTools, RenderEvaluateAndAgreeWithCli) {
    const std::string font = installedFont();
    if (font.empty()) GTEST_SKIP() << "none of the default fonts is installed";
    ScratchDirectory dir;
    ASSERT_FALSE(dir.path().empty());
    const fs::path glyphs = dir.path() / "glyphs";
    const std::string letters = "aeolxAB";

    ASSERT_EQ(run(std::string(QUILLMARK_RENDER_PATH) + " -q --sizes 48 --letters " + letters + " -o " +
                  quote(glyphs.string()) + " " + quote(font)),
              0);
    std::vector<ManifestEntry> entries;
    std::string error;
    ASSERT_TRUE(readManifest((glyphs / "manifest.csv").string(), entries, error)) << error;
    ASSERT_EQ(entries.size(), letters.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].letter, letters[i]);
        EXPECT_EQ(entries[i].size, 48);
        EXPECT_TRUE(fs::exists(glyphs / entries[i].file)) << entries[i].file;
    }

    const fs::path report = dir.path() / "report.md";
    const fs::path csv = dir.path() / "results.csv";
    const fs::path svg = dir.path() / "confusion.svg";
    ASSERT_EQ(run(std::string(QUILLMARK_EVAL_PATH) + " --no-progress --speed-seconds 0.05 --stage-runs 1 -m " +
                  quote((glyphs / "manifest.csv").string()) + " -r " + quote(report.string()) + " --csv " +
                  quote(csv.string()) + " --svg " + quote(svg.string()) + " 2>/dev/null"),
              0);

    // The CSV: one row per glyph, in manifest order.
    const std::vector<std::string> rows = readLines(csv);
    ASSERT_EQ(rows.size(), entries.size() + 1);
    EXPECT_EQ(rows[0], "file,family,style,size,letter,result,candidates,outcome");
    std::map<std::string, std::string> csvResult;  // file name -> result text
    std::map<std::string, int> outcomes;
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::vector<std::string> f = parseCsvLine(rows[i + 1]);
        ASSERT_EQ(f.size(), 8u) << rows[i + 1];
        EXPECT_EQ(f[0], entries[i].file);
        EXPECT_EQ(f[4], std::string(1, entries[i].letter));
        csvResult[fs::path(f[0]).filename().string()] = f[5];
        ++outcomes[f[7]];
        const bool right = f[5] == std::string("Recoged: ") + entries[i].letter;
        const bool refused = f[5] == "Refause!";
        EXPECT_EQ(f[7], right ? "right" : refused ? "refused" : "wrong") << rows[i + 1];
    }

    // The report's summary adds up and matches the CSV.
    const std::vector<std::string> lines = readLines(report);
    size_t header = 0;
    while (header < lines.size() && lines[header].rfind("| glyphs | right |", 0) != 0) ++header;
    ASSERT_LT(header + 2, lines.size()) << "no summary table";
    const std::vector<std::string> names = tableCells(lines[header]);
    const std::vector<std::string> values = tableCells(lines[header + 2]);
    ASSERT_EQ(names.size(), values.size());
    std::map<std::string, int> summary;
    for (size_t i = 0; i < names.size(); ++i)
        if (!values[i].empty() && values[i].find('%') == std::string::npos) summary[names[i]] = std::stoi(values[i]);
    EXPECT_EQ(summary["glyphs"], static_cast<int>(entries.size()));
    EXPECT_EQ(summary["right"] + summary["wrong"] + summary["refused"], summary["glyphs"]);
    EXPECT_EQ(summary["right"], outcomes["right"]);
    EXPECT_EQ(summary["wrong"], outcomes["wrong"]);
    EXPECT_EQ(summary["refused"], outcomes["refused"]);
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    EXPECT_NE(all.find("## By letter"), std::string::npos);
    EXPECT_NE(all.find("recognitions per second"), std::string::npos);
    EXPECT_EQ(all.find("answered differently"), std::string::npos) << "stage-by-stage run disagrees";

    // The confusion matrix picture is a complete SVG with 52 x 53 cells.
    std::ifstream svgIn(svg);
    const std::string picture((std::istreambuf_iterator<char>(svgIn)), std::istreambuf_iterator<char>());
    EXPECT_EQ(picture.rfind("<?xml", 0), 0u);
    EXPECT_NE(picture.find("</svg>"), std::string::npos);
    size_t cells = 0;
    for (size_t at = picture.find("<rect x="); at != std::string::npos; at = picture.find("<rect x=", at + 1)) ++cells;
    EXPECT_GE(cells, 52u * 53u);

    // quillmark-cli says the same about the same files.
    std::string command = std::string(QUILLMARK_CLI_PATH) + " -j 1";
    for (const ManifestEntry& e : entries) command += " " + quote((glyphs / e.file).string());
    std::string cliOutput;
    ASSERT_EQ(run(command + " 2>/dev/null", &cliOutput), 0);
    std::istringstream cliLines(cliOutput);
    std::string line;
    size_t compared = 0;
    while (std::getline(cliLines, line)) {
        // "FILE: Recoged: x" or "FILE: Refause!".
        size_t colon = line.rfind(": Recoged: ");
        if (colon == std::string::npos) colon = line.rfind(": Refause!");
        ASSERT_NE(colon, std::string::npos) << line;
        const std::string file = fs::path(line.substr(0, colon)).filename().string();
        ASSERT_TRUE(csvResult.count(file)) << line;
        EXPECT_EQ(csvResult[file], line.substr(colon + 2)) << file;
        ++compared;
    }
    EXPECT_EQ(compared, entries.size());
}

TEST(FontTools, RenderedGlyphIsCroppedToInkWithMargin) {
    const std::string font = installedFont();
    if (font.empty()) GTEST_SKIP() << "none of the default fonts is installed";
    FontFace face;
    std::string error;
    ASSERT_TRUE(face.open(font, error)) << error;
    for (char letter : {'o', 'l', 'W'}) {
        BilevelImage image;
        ASSERT_TRUE(face.render(static_cast<char32_t>(letter), 40, image, error)) << error;
        const int w = image.width, h = image.height;
        auto ink = [&](int r, int c) { return image.ink[static_cast<size_t>(r * w + c)] != 0; };
        int top = h, bottom = -1, left = w, right = -1;
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c)
                if (ink(r, c)) {
                    top = std::min(top, r);
                    bottom = std::max(bottom, r);
                    left = std::min(left, c);
                    right = std::max(right, c);
                }
        EXPECT_EQ(top, GlyphMargin) << letter;
        EXPECT_EQ(left, GlyphMargin) << letter;
        EXPECT_EQ(bottom, h - 1 - GlyphMargin) << letter;
        EXPECT_EQ(right, w - 1 - GlyphMargin) << letter;
        // A capital or ascender at 40 px stands between 20 and 40 pixels tall.
        if (letter != 'o') {
            EXPECT_GE(bottom - top + 1, 20) << letter;
            EXPECT_LE(bottom - top + 1, 40) << letter;
        }

        // The written bitmap reads back as the same picture: 0 bits are ink.
        resetRecognitionState();
        ScratchDirectory dir;
        const std::string path = (dir.path() / "glyph.bmp").string();
        ASSERT_TRUE(writeBmp(path.c_str(), image));
        ASSERT_EQ(loadBmp(path.c_str()), LoadOk);
        ASSERT_EQ(g.ImageHeight, h);
        ASSERT_EQ(g.ImageWidth, w);
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c) ASSERT_EQ(g.WorkRaster[r][c] != 0, ink(r, c)) << letter << " " << r << "," << c;
    }
}

TEST(FontTools, NamesListsAndManifests) {
    EXPECT_EQ(faceSlug("DejaVu Sans", "Book"), "dejavu-sans");
    EXPECT_EQ(faceSlug("Liberation Serif", "Regular"), "liberation-serif");
    EXPECT_EQ(faceSlug("Liberation Serif", "Bold Italic"), "liberation-serif-bold-italic");
    EXPECT_EQ(glyphFileName("dejavu-sans", 40, 'a'), "dejavu-sans-40-la.bmp");
    EXPECT_EQ(glyphFileName("dejavu-sans", 96, 'Q'), "dejavu-sans-96-uq.bmp");

    std::string letters, error;
    ASSERT_TRUE(parseLetters("a-cXa", letters, error));
    EXPECT_EQ(letters, "abcX");
    ASSERT_TRUE(parseLetters("a-zA-Z", letters, error));
    EXPECT_EQ(letters, AllLetters);
    for (const char* bad : {"", "a1", "z-a", "a-Z"}) EXPECT_FALSE(parseLetters(bad, letters, error)) << bad;

    std::vector<int> sizes;
    ASSERT_TRUE(parseSizes("40,64,96", sizes, error));
    EXPECT_EQ(sizes, (std::vector<int>{40, 64, 96}));
    for (const char* bad : {"", "40,", "3", "501", "4x"}) EXPECT_FALSE(parseSizes(bad, sizes, error)) << bad;

    // Fields with commas and quotes survive the round trip.
    ScratchDirectory dir;
    const std::string path = (dir.path() / "m.csv").string();
    const std::vector<ManifestEntry> written = {{"a,b.bmp", "Odd \"Family\"", "Bold, Wide", 40, 'a'},
                                                {"x.bmp", "Plain", "Regular", 96, 'Z'}};
    ASSERT_TRUE(writeManifest(path, written, error)) << error;
    std::vector<ManifestEntry> read;
    ASSERT_TRUE(readManifest(path, read, error)) << error;
    ASSERT_EQ(read.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(read[i].file, written[i].file);
        EXPECT_EQ(read[i].family, written[i].family);
        EXPECT_EQ(read[i].style, written[i].style);
        EXPECT_EQ(read[i].size, written[i].size);
        EXPECT_EQ(read[i].letter, written[i].letter);
    }
    EXPECT_EQ(resolveManifestFile("/data/m.csv", "x.bmp"), "/data/x.bmp");
    EXPECT_EQ(resolveManifestFile("/data/m.csv", "/abs/x.bmp"), "/abs/x.bmp");
}

// The report's sums and tables, on results made by hand so that every kind of
// outcome is there whatever the recognisers do today.
TEST(EvaluationReport, CountsEveryOutcomeOnce) {
    auto make = [](const char* family, int size, char letter, int loadStatus, char answer, const char* candidates,
                   bool gated) {
        GlyphResult r;
        r.entry = {std::string(1, letter) + std::to_string(size) + ".bmp", family, "Regular", size, letter};
        r.path = r.entry.file;
        r.loadStatus = loadStatus;
        if (loadStatus == 0) r.result = answer ? std::string("Recoged: ") + answer : "Refause!";
        r.answer = answer;
        r.candidates = candidates;
        r.gated = gated;
        return r;
    };
    const std::vector<GlyphResult> results = {
        make("Sans", 40, 'a', 0, 'a', "a", false),   // right
        make("Sans", 64, 'a', 0, 0, "ao", false),    // refused: two letters fired
        make("Serif", 40, 'O', 0, 'o', "o", false),  // wrong, only in case
        make("Sans", 40, 'I', 0, 'l', "l", false),   // wrong
        make("Sans", 40, 'b', 1, 0, "", false),      // did not load: counts as refused
        make("Serif", 40, 'e', 0, 0, "", true),      // refused by the size gate
    };
    std::ostringstream md;
    writeMarkdownReport(md, results, SpeedFigures{}, ReportOptions{});
    const std::string report = md.str();
    auto has = [&](const std::string& text) {
        EXPECT_NE(report.find(text), std::string::npos) << "missing: " << text << "\n" << report;
    };
    // glyphs, right, right ignoring case, wrong, wrong only in case, refused, accuracy, ignoring case
    has("| 6 | 1 | 2 | 2 | 1 | 3 | 16.7 % | 33.3 % |");
    has("Refusals: 0 with no letter firing, 1 with several letters firing and no tie rule settling them, "
        "1 stopped by the size gate, 1 files that did not load.");
    has("| Sans | 4 | 1 | 1 | 1 | 0 | 2 | 25.0 % | 25.0 % |");
    has("| Serif | 2 | 0 | 1 | 1 | 1 | 1 | 0.0 % | 50.0 % |");
    has("| 40 px | 5 | 1 | 2 | 2 | 1 | 2 | 20.0 % | 40.0 % |");
    // Per letter: the Sans cell shows 40 px then 64 px; Serif drew no a.
    has("`✓ ·` | `- -` | 1/2 | 1 | 0 | 1 |");
    has("`l -` | `- -` | 0/1 | 0 | 1 | 0 |");
    // Confusions, the most frequent first, ties in letter order.
    const size_t i = report.find("| I | l | 1 | Sans 40 |");
    const size_t o = report.find("| O | o | 1 | Serif 40 |");
    EXPECT_NE(i, std::string::npos);
    EXPECT_NE(o, std::string::npos);
    EXPECT_LT(i, o);
    has("| ao | 1 | a ×1 | refused ×1 |");
    has("Speed\n\nNot measured.");

    std::ostringstream csv;
    writeResultsCsv(csv, results);
    const std::string table = csv.str();
    EXPECT_NE(table.find("a64.bmp,Sans,Regular,64,a,Refause!,ao,refused\n"), std::string::npos) << table;
    EXPECT_NE(table.find("b40.bmp,Sans,Regular,40,b,,,unreadable\n"), std::string::npos) << table;
    EXPECT_NE(table.find("O40.bmp,Serif,Regular,40,O,Recoged: o,o,wrong\n"), std::string::npos) << table;

    std::ostringstream svg;
    writeConfusionSvg(svg, results);
    const std::string picture = svg.str();
    EXPECT_NE(picture.find("6 glyphs, 1 right, 2 wrong, 3 refused"), std::string::npos);
    EXPECT_NE(picture.find("<title>a recognised as a: 1 of 2</title>"), std::string::npos);
    EXPECT_NE(picture.find("<title>a refused: 1 of 2</title>"), std::string::npos);
    EXPECT_NE(picture.find("<title>O recognised as o: 1 of 1</title>"), std::string::npos);
    EXPECT_NE(picture.find("<title>b refused: 1 of 1</title>"), std::string::npos);
}
