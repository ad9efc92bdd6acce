// Recognising a set of rendered glyphs, summing up how the recognition did,
// timing it, and writing the Markdown report, the CSV and the confusion
// matrix picture.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "render/manifest.h"

enum class Outcome { Right, Wrong, Refused };

struct GlyphResult {
    ManifestEntry entry;      // as listed (entry.file as in the manifest)
    std::string path;         // the file actually read
    int loadStatus = 0;       // the reader's status; non-zero counts as a refusal
    std::string result;       // "Recoged: x" or "Refause!"; empty when the file did not load
    char answer = 0;          // the letter recognised, 0 when refused
    std::string candidates;   // the letters whose slots fired, in slot order
    bool gated = false;       // the vote's size gate refused the glyph
    bool junctionsGaveUp = false;  // the junction clean-up wrote its diagnostic

    Outcome outcome() const;
    bool rightIgnoringCase() const;
};

// Recognise every entry in-process, one after the other, each from a freshly
// zeroed state, the way the command line does. `progress` gets (done, total).
std::vector<GlyphResult> recogniseEntries(const std::vector<ManifestEntry>& entries,
                                          const std::vector<std::string>& paths,
                                          const std::function<void(size_t, size_t)>& progress = {});

// The stages timed one by one, in the driver's order.
inline constexpr int StageCount = 6;
inline constexpr std::array<const char*, StageCount> StageNames = {
    "load", "normalise and frame", "smooth", "thin", "measures", "vote"};

struct SpeedFigures {
    bool measured = false;
    // Whole recognitions (file read to vote), one thread, repeated passes.
    size_t recognitions = 0;
    double seconds = 0;
    double perSecond = 0;
    std::map<int, double> perSecondBySize;  // pixel size -> recognitions per second
    // Median nanoseconds per stage (and for the whole run) over every timed run,
    // overall (key 0) and per pixel size.
    size_t stageRuns = 0;
    std::map<int, std::array<double, StageCount + 1>> medianNanos;
    // Glyphs whose stage-by-stage run did not give the same letter as the
    // whole recognition (should be none).
    size_t stageMismatches = 0;
};

// Time the recognition of the glyphs that loaded: whole recognitions for about
// `seconds` (at least one pass over all of them), then `stageRuns` stage-by-
// stage runs of each glyph.
SpeedFigures measureSpeed(const std::vector<GlyphResult>& results, double seconds, int stageRuns,
                          const std::function<void(const char*, size_t, size_t)>& progress = {});

struct ReportOptions {
    std::string title = "Accuracy on letters rendered from fonts";
    std::string note;         // a paragraph under the title, when given
    std::string source;       // one line saying where the glyphs came from
    std::string csvName;      // file names to mention, when written
    std::string svgName;
    int confusionRows = 25;   // how many confusions to list
    int coFiringRows = 30;    // how many candidate sets to list
};

void writeMarkdownReport(std::ostream& out, const std::vector<GlyphResult>& results, const SpeedFigures& speed,
                         const ReportOptions& options);
void writeResultsCsv(std::ostream& out, const std::vector<GlyphResult>& results);
// The 52 x 53 confusion matrix: truth rows a..z, A..Z; answers as columns in
// the same order, refusals in the last column.
void writeConfusionSvg(std::ostream& out, const std::vector<GlyphResult>& results);

// The column header of the results CSV.
inline constexpr const char* ResultsCsvHeader = "file,family,style,size,letter,result,candidates,outcome";
const char* outcomeName(const GlyphResult& r);
