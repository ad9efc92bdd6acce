#include "eval/evaluation.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <set>
#include <tuple>

#include "cli/report.h"
#include "recog/input/bmp.h"
#include "recog/letters/vote.h"
#include "recog/preprocess/preprocess.h"
#include "recog/state/driver.h"
#include "recog/state/state.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int LetterCount = 52;

int letterIndex(char c) {
    if (c >= 'a' && c <= 'z') return c - 'a';
    if (c >= 'A' && c <= 'Z') return 26 + (c - 'A');
    return -1;
}

char letterAt(int index) { return static_cast<char>(index < 26 ? 'a' + index : 'A' + index - 26); }

char foldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The junction clean-up's diagnostic, counted instead of printed.
thread_local int diagnosticCount = 0;
void countDiagnostic(const char*) { ++diagnosticCount; }

std::string percent(size_t part, size_t whole) {
    if (whole == 0) return "–";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%", 100.0 * static_cast<double>(part) / static_cast<double>(whole));
    return text;
}

std::string micros(double nanos) {
    char text[32];
    const double us = nanos / 1000.0;
    std::snprintf(text, sizeof text, us < 10 ? "%.2f" : "%.1f", us);
    return text;
}

std::string formatSeconds(double s) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", s);
    return text;
}

std::string thousands(double value) {
    const long long n = static_cast<long long>(value + 0.5);
    std::string digits = std::to_string(n);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

bool isRegularStyle(const std::string& style) {
    return style.empty() || style == "Regular" || style == "Book" || style == "Normal" || style == "Roman";
}

std::string faceLabel(const ManifestEntry& e) {
    return isRegularStyle(e.style) ? e.family : e.family + " " + e.style;
}

struct Tally {
    size_t total = 0, right = 0, rightIgnoringCase = 0, wrong = 0, wrongCaseOnly = 0, refused = 0;

    void add(const GlyphResult& r) {
        ++total;
        switch (r.outcome()) {
            case Outcome::Right: ++right; break;
            case Outcome::Wrong: ++wrong; break;
            case Outcome::Refused: ++refused; break;
        }
        if (r.rightIgnoringCase()) ++rightIgnoringCase;
        if (r.outcome() == Outcome::Wrong && r.rightIgnoringCase()) ++wrongCaseOnly;
    }
};

constexpr const char* TallyHeader =
    "| glyphs | right | right ignoring case | wrong | wrong only in case | refused | accuracy | accuracy ignoring case |";
constexpr const char* TallyRule = "|---:|---:|---:|---:|---:|---:|---:|---:|";

std::string tallyCells(const Tally& t) {
    return "| " + std::to_string(t.total) + " | " + std::to_string(t.right) + " | " +
           std::to_string(t.rightIgnoringCase) + " | " + std::to_string(t.wrong) + " | " +
           std::to_string(t.wrongCaseOnly) + " | " + std::to_string(t.refused) + " | " + percent(t.right, t.total) +
           " | " + percent(t.rightIgnoringCase, t.total) + " |";
}

// Faces in the order they first appear, and the sizes in increasing order.
std::vector<std::string> facesOf(const std::vector<GlyphResult>& results) {
    std::vector<std::string> faces;
    for (const GlyphResult& r : results) {
        const std::string label = faceLabel(r.entry);
        if (std::find(faces.begin(), faces.end(), label) == faces.end()) faces.push_back(label);
    }
    return faces;
}

std::vector<int> sizesOf(const std::vector<GlyphResult>& results) {
    std::set<int> sizes;
    for (const GlyphResult& r : results) sizes.insert(r.entry.size);
    return {sizes.begin(), sizes.end()};
}

std::string sizesText(const std::vector<int>& sizes) {
    std::string text;
    for (size_t i = 0; i < sizes.size(); ++i) text += (i ? ", " : "") + std::to_string(sizes[i]);
    return text + " px";
}

std::string symbolOf(const GlyphResult& r) {
    switch (r.outcome()) {
        case Outcome::Right: return "✓";
        case Outcome::Refused: return "·";
        case Outcome::Wrong: break;
    }
    return std::string(1, r.answer);
}

std::string xmlEscape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string cpuModel() {
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("model name", 0) == 0) {
            const size_t colon = line.find(':');
            if (colon != std::string::npos) return line.substr(line.find_first_not_of(' ', colon + 1));
        }
    }
    return "";
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    const size_t mid = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<ptrdiff_t>(mid), values.end());
    double m = values[mid];
    if (values.size() % 2 == 0) {
        const double below = *std::max_element(values.begin(), values.begin() + static_cast<ptrdiff_t>(mid));
        m = (m + below) / 2;
    }
    return m;
}

// The letters that have a recogniser of their own (the k recogniser answers
// for K as well); the others can at best be right ignoring case.
std::string lettersWithRecogniser() {
    const RecogniserTable& table = defaultRecognisers();
    std::string letters;
    for (int i = 0; i < table.count; ++i) {
        letters += table.entries[i].letter;
        if (table.entries[i].letter == 'k') letters += 'K';
    }
    return letters;
}

// "DejaVu Sans 40, 64, 96; Liberation Serif 40", or "every face and size".
std::string whereText(const std::vector<const GlyphResult*>& found, size_t glyphsOfLetter) {
    if (found.size() == glyphsOfLetter && glyphsOfLetter > 1) return "every face and size";
    std::vector<std::pair<std::string, std::vector<int>>> faces;
    for (const GlyphResult* r : found) {
        const std::string face = faceLabel(r->entry);
        auto it = std::find_if(faces.begin(), faces.end(), [&](const auto& f) { return f.first == face; });
        if (it == faces.end()) {
            faces.push_back({face, {}});
            it = faces.end() - 1;
        }
        it->second.push_back(r->entry.size);
    }
    std::string text;
    for (auto& [face, sizes] : faces) {
        std::sort(sizes.begin(), sizes.end());
        if (!text.empty()) text += "; ";
        text += face;
        for (size_t i = 0; i < sizes.size(); ++i) text += (i ? ", " : " ") + std::to_string(sizes[i]);
    }
    return text;
}

}  // namespace

Outcome GlyphResult::outcome() const {
    if (answer == 0) return Outcome::Refused;
    return answer == entry.letter ? Outcome::Right : Outcome::Wrong;
}

bool GlyphResult::rightIgnoringCase() const { return answer != 0 && foldCase(answer) == foldCase(entry.letter); }

const char* outcomeName(const GlyphResult& r) {
    if (r.loadStatus != 0) return "unreadable";
    switch (r.outcome()) {
        case Outcome::Right: return "right";
        case Outcome::Wrong: return "wrong";
        case Outcome::Refused: break;
    }
    return "refused";
}

std::vector<GlyphResult> recogniseEntries(const std::vector<ManifestEntry>& entries,
                                          const std::vector<std::string>& paths,
                                          const std::function<void(size_t, size_t)>& progress) {
    setDiagnosticWriter(countDiagnostic);
    std::vector<GlyphResult> results;
    results.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        GlyphResult r;
        r.entry = entries[i];
        r.path = paths[i];
        diagnosticCount = 0;
        const FileReport report = recogniseFileReport(r.path, false);
        r.junctionsGaveUp = diagnosticCount > 0;
        r.loadStatus = report.loadStatus;
        r.result = report.result;
        if (report.loadStatus == 0) {
            // "Recoged: x" names the letter; anything else is a refusal.
            const std::string prefix = "Recoged: ";
            if (report.result.size() == prefix.size() + 1 && report.result.rfind(prefix, 0) == 0)
                r.answer = report.result.back();
            for (int slot = 0; slot < LetterSlotCount; ++slot)
                if (g.LetterSlots[slot] != 0) r.candidates += letterAt(slot);
            r.gated = g.VoteGated != 0;
        }
        results.push_back(std::move(r));
        if (progress) progress(i + 1, entries.size());
    }
    setDiagnosticWriter(nullptr);
    return results;
}

SpeedFigures measureSpeed(const std::vector<GlyphResult>& results, double seconds, int stageRuns,
                          const std::function<void(const char*, size_t, size_t)>& progress) {
    SpeedFigures speed;
    std::vector<const GlyphResult*> glyphs;
    for (const GlyphResult& r : results)
        if (r.loadStatus == 0) glyphs.push_back(&r);
    if (glyphs.empty()) return speed;
    setDiagnosticWriter(countDiagnostic);

    // Whole recognitions: pass after pass until the time is up.
    std::map<int, std::pair<size_t, double>> bySize;  // size -> (count, seconds)
    const auto start = Clock::now();
    const auto until = start + std::chrono::duration<double>(seconds);
    const size_t estimate = glyphs.size() * std::max<size_t>(1, static_cast<size_t>(seconds * 4));
    for (bool more = true; more;) {
        for (const GlyphResult* r : glyphs) {
            const auto t0 = Clock::now();
            resetRecognitionStateFast();
            recogniseFile(r->path.c_str(), nullptr);
            const auto t1 = Clock::now();
            auto& [count, secs] = bySize[r->entry.size];
            ++count;
            secs += std::chrono::duration<double>(t1 - t0).count();
            ++speed.recognitions;
            if (progress) progress("timing recognitions", std::min(speed.recognitions, estimate), estimate);
        }
        more = Clock::now() < until;
    }
    speed.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    speed.perSecond = static_cast<double>(speed.recognitions) / speed.seconds;
    for (const auto& [size, figures] : bySize)
        speed.perSecondBySize[size] = static_cast<double>(figures.first) / figures.second;

    // Stage by stage, in the driver's order.
    std::map<int, std::array<std::vector<double>, StageCount + 1>> samples;
    const size_t totalRuns = glyphs.size() * static_cast<size_t>(std::max(stageRuns, 0));
    size_t done = 0;
    for (int run = 0; run < stageRuns; ++run) {
        for (const GlyphResult* r : glyphs) {
            resetRecognitionStateFast();
            std::array<Clock::time_point, StageCount + 1> t;
            t[0] = Clock::now();
            const int32_t status = loadBmp(r->path.c_str());
            t[1] = Clock::now();
            if (status != LoadOk) continue;
            normaliseImage();
            frameImage();
            t[2] = Clock::now();
            smoothGlyph();
            t[3] = Clock::now();
            thinAndExtract();
            t[4] = Clock::now();
            measureGlyph();
            t[5] = Clock::now();
            const int32_t letter = voteLetter();
            t[6] = Clock::now();
            if (run == 0 && static_cast<char>(letter) != r->answer) ++speed.stageMismatches;
            for (int key : {0, r->entry.size}) {
                auto& s = samples[key];
                for (int i = 0; i < StageCount; ++i)
                    s[static_cast<size_t>(i)].push_back(std::chrono::duration<double, std::nano>(t[static_cast<size_t>(i) + 1] - t[static_cast<size_t>(i)]).count());
                s[StageCount].push_back(std::chrono::duration<double, std::nano>(t[StageCount] - t[0]).count());
            }
            ++speed.stageRuns;
            if (progress) progress("timing stages", ++done, totalRuns);
        }
    }
    for (auto& [key, s] : samples) {
        auto& m = speed.medianNanos[key];
        for (size_t i = 0; i <= StageCount; ++i) m[i] = median(std::move(s[i]));
    }
    setDiagnosticWriter(nullptr);
    speed.measured = true;
    return speed;
}

void writeResultsCsv(std::ostream& out, const std::vector<GlyphResult>& results) {
    out << ResultsCsvHeader << '\n';
    for (const GlyphResult& r : results)
        out << csvField(r.entry.file) << ',' << csvField(r.entry.family) << ',' << csvField(r.entry.style) << ','
            << r.entry.size << ',' << r.entry.letter << ',' << csvField(r.result) << ',' << csvField(r.candidates)
            << ',' << outcomeName(r) << '\n';
}

void writeMarkdownReport(std::ostream& out, const std::vector<GlyphResult>& results, const SpeedFigures& speed,
                         const ReportOptions& options) {
    const std::vector<std::string> faces = facesOf(results);
    const std::vector<int> sizes = sizesOf(results);

    out << "# " << options.title << "\n\n";
    if (!options.note.empty()) out << options.note << "\n\n";
    if (!options.source.empty()) out << options.source << "\n\n";

    // Summary.
    Tally all;
    size_t unreadable = 0, gated = 0, noneFired = 0, severalFired = 0, otherRefusals = 0, gaveUp = 0;
    std::map<size_t, size_t> firedCounts;  // number of letters fired -> glyphs
    for (const GlyphResult& r : results) {
        all.add(r);
        if (r.junctionsGaveUp) ++gaveUp;
        if (r.loadStatus != 0) {
            ++unreadable;
            continue;
        }
        ++firedCounts[std::min<size_t>(r.candidates.size(), 3)];
        if (r.outcome() != Outcome::Refused) continue;
        if (r.gated)
            ++gated;
        else if (r.candidates.empty())
            ++noneFired;
        else if (r.candidates.size() > 1)
            ++severalFired;
        else
            ++otherRefusals;
    }
    out << "## Summary\n\n";
    out << "Right: the letter recognised is the letter drawn. Right ignoring case also counts "
           "o for O and the like. Wrong: some other letter (or the other case). Refused: \"Refause!\".\n\n";
    out << TallyHeader << '\n' << TallyRule << '\n' << tallyCells(all) << "\n\n";
    out << "Refusals: " << noneFired << " with no letter firing, " << severalFired
        << " with several letters firing and no tie rule settling them, " << gated << " stopped by the size gate";
    if (otherRefusals) out << ", " << otherRefusals << " other";
    if (unreadable) out << ", " << unreadable << " files that did not load";
    out << ".\n\n";
    const std::string covered = lettersWithRecogniser();
    std::string uncovered;
    for (int index = 0; index < LetterCount; ++index)
        if (covered.find(letterAt(index)) == std::string::npos) uncovered += letterAt(index);
    if (!uncovered.empty())
        out << "Letters without a recogniser of their own (marked * below; at best right ignoring case): "
            << uncovered << ".\n\n";
    out << "Letters fired per glyph: none " << firedCounts[0] << ", one " << firedCounts[1] << ", two "
        << firedCounts[2] << ", three or more " << firedCounts[3] << ".";
    if (gaveUp) out << " The junction clean-up gave up on " << gaveUp << " glyphs.";
    out << "\n\n";

    // By face, by size, and both.
    out << "## By face\n\n| face " << TallyHeader << "\n|---" << TallyRule << '\n';
    for (const std::string& face : faces) {
        Tally t;
        for (const GlyphResult& r : results)
            if (faceLabel(r.entry) == face) t.add(r);
        out << "| " << face << " " << tallyCells(t) << '\n';
    }
    out << "\n## By size\n\n| size " << TallyHeader << "\n|---:" << TallyRule << '\n';
    for (int size : sizes) {
        Tally t;
        for (const GlyphResult& r : results)
            if (r.entry.size == size) t.add(r);
        out << "| " << size << " px " << tallyCells(t) << '\n';
    }
    out << "\n## By face and size\n\nRight out of the glyphs drawn (accuracy ignoring case in brackets).\n\n| face |";
    for (int size : sizes) out << ' ' << size << " px |";
    out << " all sizes |\n|---|";
    for (size_t i = 0; i <= sizes.size(); ++i) out << "---:|";
    out << '\n';
    for (const std::string& face : faces) {
        out << "| " << face << " |";
        Tally whole;
        for (int size : sizes) {
            Tally t;
            for (const GlyphResult& r : results)
                if (faceLabel(r.entry) == face && r.entry.size == size) {
                    t.add(r);
                    whole.add(r);
                }
            out << ' ' << t.right << '/' << t.total << " (" << percent(t.rightIgnoringCase, t.total) << ") |";
        }
        out << ' ' << whole.right << '/' << whole.total << " (" << percent(whole.rightIgnoringCase, whole.total)
            << ") |\n";
    }

    // By letter.
    out << "\n## By letter\n\n";
    out << "Each face's cell shows the sizes " << sizesText(sizes)
        << " in that order: ✓ right, · refused, otherwise the letter answered "
           "(- not drawn, k/n right where several glyphs share a face, size and letter).\n\n";
    out << "| letter |";
    for (const std::string& face : faces) out << ' ' << face << " |";
    out << " right | right ignoring case | wrong | refused |\n|:---:|";
    for (size_t i = 0; i < faces.size(); ++i) out << ":---:|";
    out << "---:|---:|---:|---:|\n";
    for (int index = 0; index < LetterCount; ++index) {
        const char letter = letterAt(index);
        Tally t;
        for (const GlyphResult& r : results)
            if (r.entry.letter == letter) t.add(r);
        if (t.total == 0) continue;
        out << "| " << letter << (covered.find(letter) == std::string::npos ? "*" : "") << " |";
        for (const std::string& face : faces) {
            std::string cell;
            for (int size : sizes) {
                std::vector<const GlyphResult*> same;
                for (const GlyphResult& r : results)
                    if (r.entry.letter == letter && r.entry.size == size && faceLabel(r.entry) == face)
                        same.push_back(&r);
                if (!cell.empty()) cell += ' ';
                if (same.empty()) {
                    cell += '-';
                } else if (same.size() == 1) {
                    cell += symbolOf(*same[0]);
                } else {
                    size_t right = 0;
                    for (const GlyphResult* r : same) right += r->outcome() == Outcome::Right;
                    cell += std::to_string(right) + "/" + std::to_string(same.size());
                }
            }
            out << " `" << cell << "` |";
        }
        out << ' ' << t.right << '/' << t.total << " | " << t.rightIgnoringCase << " | " << t.wrong << " | "
            << t.refused << " |\n";
    }

    // Confusions.
    std::map<std::pair<int, int>, size_t> confusions;  // (truth, answer) -> glyphs
    for (const GlyphResult& r : results)
        if (r.outcome() == Outcome::Wrong) ++confusions[{letterIndex(r.entry.letter), letterIndex(r.answer)}];
    std::vector<std::pair<std::pair<int, int>, size_t>> sorted(confusions.begin(), confusions.end());
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    out << "\n## Most frequent confusions\n\n";
    if (sorted.empty()) {
        out << "No glyph was recognised as another letter.\n";
    } else {
        out << "| drawn | recognised as | glyphs | where |\n|:---:|:---:|---:|---|\n";
        int shown = 0;
        for (const auto& [pair, count] : sorted) {
            if (shown++ == options.confusionRows) break;
            std::vector<const GlyphResult*> found;
            size_t glyphsOfLetter = 0;
            for (const GlyphResult& r : results) {
                if (letterIndex(r.entry.letter) != pair.first) continue;
                ++glyphsOfLetter;
                if (r.outcome() == Outcome::Wrong && letterIndex(r.answer) == pair.second) found.push_back(&r);
            }
            out << "| " << letterAt(pair.first) << " | " << letterAt(pair.second) << " | " << count << " | "
                << whereText(found, glyphsOfLetter) << " |\n";
        }
        if (sorted.size() > static_cast<size_t>(options.confusionRows))
            out << "\n" << sorted.size() - static_cast<size_t>(options.confusionRows) << " more pairs in the CSV.\n";
    }

    // Recognisers that fired together.
    struct Together {
        size_t glyphs = 0;
        std::map<char, size_t> drawn;
        std::map<std::string, size_t> answers;
    };
    std::map<std::string, Together> together;
    for (const GlyphResult& r : results) {
        if (r.candidates.size() < 2) continue;
        Together& t = together[r.candidates];
        ++t.glyphs;
        ++t.drawn[r.entry.letter];
        ++t.answers[r.answer ? std::string(1, r.answer) : std::string("refused")];
    }
    std::vector<std::pair<std::string, Together>> sets(together.begin(), together.end());
    std::stable_sort(sets.begin(), sets.end(),
                     [](const auto& a, const auto& b) { return a.second.glyphs > b.second.glyphs; });
    out << "\n## Letters that fired together\n\n";
    if (sets.empty()) {
        out << "On no glyph did more than one recogniser fire.\n";
    } else {
        out << "Glyphs on which more than one letter's slot fired, by the set of letters.\n\n"
               "| letters fired | glyphs | drawn | decided |\n|---|---:|---|---|\n";
        int shown = 0;
        auto list = [](const auto& counts) {
            std::string text;
            for (const auto& [key, count] : counts) {
                if (!text.empty()) text += ", ";
                text += std::string(key.begin(), key.end()) + " ×" + std::to_string(count);
            }
            return text;
        };
        for (const auto& [letters, t] : sets) {
            if (shown++ == options.coFiringRows) break;
            std::map<std::string, size_t> drawn;
            for (const auto& [c, n] : t.drawn) drawn[std::string(1, c)] = n;
            out << "| " << letters << " | " << t.glyphs << " | " << list(drawn) << " | " << list(t.answers) << " |\n";
        }
        if (sets.size() > static_cast<size_t>(options.coFiringRows))
            out << "\n" << sets.size() - static_cast<size_t>(options.coFiringRows) << " more sets in the CSV.\n";
    }

    // Speed.
    out << "\n## Speed\n\n";
    if (!speed.measured) {
        out << "Not measured.\n";
    } else {
        const std::string cpu = cpuModel();
        out << "One thread, in-process, glyph files read from disk (from the page cache)";
        if (!cpu.empty()) out << ", on " << cpu;
#ifdef QUILLMARK_BUILD_TYPE
        out << ", " << QUILLMARK_BUILD_TYPE << " build";
#endif
        out << ".\n\n";
        out << "Whole recognitions (file read to vote, each after resetRecognitionStateFast()): "
            << thousands(speed.perSecond) << " per second over " << thousands(static_cast<double>(speed.recognitions))
            << " runs in " << formatSeconds(speed.seconds) << " s.\n\n";
        out << "| size | recognitions per second |\n|---:|---:|\n";
        for (const auto& [size, rate] : speed.perSecondBySize) out << "| " << size << " px | " << thousands(rate) << " |\n";
        out << "\nMedian time per stage in microseconds, over " << speed.stageRuns
            << " stage-by-stage runs (every glyph run the same number of times).\n\n| stage | all sizes |";
        for (const auto& [key, m] : speed.medianNanos)
            if (key != 0) out << ' ' << key << " px |";
        out << "\n|---|---:|";
        for (const auto& [key, m] : speed.medianNanos)
            if (key != 0) out << "---:|";
        out << '\n';
        for (int i = 0; i <= StageCount; ++i) {
            out << "| " << (i < StageCount ? StageNames[static_cast<size_t>(i)] : "whole run") << " |";
            if (speed.medianNanos.count(0)) out << ' ' << micros(speed.medianNanos.at(0)[static_cast<size_t>(i)]) << " |";
            for (const auto& [key, m] : speed.medianNanos)
                if (key != 0) out << ' ' << micros(m[static_cast<size_t>(i)]) << " |";
            out << '\n';
        }
        out << "\n\"whole run\" is the median of each run's total, not the sum of the stage medians.\n";
        if (speed.stageMismatches)
            out << "\nWarning: on " << speed.stageMismatches
                << " glyphs the stage-by-stage run answered differently from the whole recognition.\n";
    }

    if (!options.csvName.empty() || !options.svgName.empty()) {
        out << "\n## Files\n\n";
        if (!options.csvName.empty())
            out << "- [" << options.csvName << "](" << options.csvName
                << "): one row per glyph (file, family, style, size, letter, result, candidates, outcome).\n";
        if (!options.svgName.empty())
            out << "- [" << options.svgName << "](" << options.svgName
                << "): the confusion matrix, letters drawn as rows, answers as columns, refusals last.\n";
    }
}

void writeConfusionSvg(std::ostream& out, const std::vector<GlyphResult>& results) {
    constexpr int Columns = LetterCount + 1;  // the last one holds the refusals
    std::array<std::array<size_t, Columns>, LetterCount> counts{};
    std::array<size_t, LetterCount> rowTotals{};
    Tally all;
    for (const GlyphResult& r : results) {
        const int row = letterIndex(r.entry.letter);
        if (row < 0) continue;
        all.add(r);
        const int column = r.answer ? letterIndex(r.answer) : LetterCount;
        ++counts[static_cast<size_t>(row)][static_cast<size_t>(column)];
        ++rowTotals[static_cast<size_t>(row)];
    }

    constexpr int Cell = 16;
    constexpr int Left = 56;
    constexpr int Top = 78;
    const int width = Left + Columns * Cell + 24;
    const int height = Top + LetterCount * Cell + 64;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
        << "\" viewBox=\"0 0 " << width << ' ' << height << "\" font-family=\"DejaVu Sans, Verdana, sans-serif\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    out << "<text x=\"" << Left << "\" y=\"18\" font-size=\"13\" font-weight=\"bold\">Confusion matrix: "
        << all.total << " glyphs, " << all.right << " right, " << all.wrong << " wrong, " << all.refused
        << " refused</text>\n";
    out << "<text x=\"" << Left + Columns * Cell / 2 << "\" y=\"40\" font-size=\"11\" text-anchor=\"middle\">"
        << "answer (last column: refused)</text>\n";
    out << "<text x=\"14\" y=\"" << Top + LetterCount * Cell / 2 << "\" font-size=\"11\" text-anchor=\"middle\" "
        << "transform=\"rotate(-90 14 " << Top + LetterCount * Cell / 2 << ")\">letter drawn</text>\n";

    // Column and row labels.
    for (int c = 0; c < Columns; ++c) {
        const int x = Left + c * Cell + Cell / 2;
        const std::string label = c < LetterCount ? std::string(1, letterAt(c)) : "∅";
        out << "<text x=\"" << x << "\" y=\"" << Top - 6 << "\" font-size=\"10\" text-anchor=\"middle\">" << label
            << "</text>\n";
    }
    for (int r = 0; r < LetterCount; ++r)
        out << "<text x=\"" << Left - 6 << "\" y=\"" << Top + r * Cell + Cell - 4
            << "\" font-size=\"10\" text-anchor=\"end\">" << letterAt(r) << "</text>\n";

    // Cells: green on the diagonal, red elsewhere, grey for refusals; the
    // stronger the colour, the larger the share of the row.
    out << "<g stroke=\"#e4e4e4\" stroke-width=\"0.5\">\n";
    for (int r = 0; r < LetterCount; ++r) {
        for (int c = 0; c < Columns; ++c) {
            const size_t n = counts[static_cast<size_t>(r)][static_cast<size_t>(c)];
            const int x = Left + c * Cell;
            const int y = Top + r * Cell;
            if (n == 0) {
                // The diagonal stays faintly green so that the eye finds it.
                out << "<rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << Cell << "\" height=\"" << Cell
                    << "\" fill=\"" << (c == r ? "#eef7ee" : "#ffffff") << "\"/>\n";
                continue;
            }
            const double share = static_cast<double>(n) / static_cast<double>(rowTotals[static_cast<size_t>(r)]);
            const char* hue = c == LetterCount ? "90,90,90" : (c == r ? "30,150,60" : "210,40,40");
            char fill[80];
            std::snprintf(fill, sizeof fill, "rgb(%s)\" fill-opacity=\"%.3f", hue, 0.15 + 0.85 * share);
            const std::string answer = c < LetterCount ? "recognised as " + std::string(1, letterAt(c)) : "refused";
            out << "<rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << Cell << "\" height=\"" << Cell
                << "\" fill=\"" << fill << "\"><title>" << xmlEscape(std::string(1, letterAt(r))) << " " << answer
                << ": " << n << " of " << rowTotals[static_cast<size_t>(r)] << "</title></rect>\n";
            out << "<text x=\"" << x + Cell / 2 << "\" y=\"" << y + Cell - 4
                << "\" font-size=\"9\" text-anchor=\"middle\" stroke=\"none\" fill=\""
                << (share > 0.55 ? "#ffffff" : "#000000") << "\" pointer-events=\"none\">" << n << "</text>\n";
        }
    }
    out << "</g>\n";

    // Lines between small letters and capitals, and before the refusals.
    const int gridRight = Left + Columns * Cell;
    const int gridBottom = Top + LetterCount * Cell;
    out << "<g stroke=\"#555555\" stroke-width=\"1\">\n"
        << "<line x1=\"" << Left + 26 * Cell << "\" y1=\"" << Top << "\" x2=\"" << Left + 26 * Cell << "\" y2=\""
        << gridBottom << "\"/>\n"
        << "<line x1=\"" << Left + LetterCount * Cell << "\" y1=\"" << Top << "\" x2=\"" << Left + LetterCount * Cell
        << "\" y2=\"" << gridBottom << "\"/>\n"
        << "<line x1=\"" << Left << "\" y1=\"" << Top + 26 * Cell << "\" x2=\"" << gridRight << "\" y2=\""
        << Top + 26 * Cell << "\"/>\n"
        << "<rect x=\"" << Left << "\" y=\"" << Top << "\" width=\"" << Columns * Cell << "\" height=\""
        << LetterCount * Cell << "\" fill=\"none\"/>\n</g>\n";

    // Legend.
    const int ly = gridBottom + 24;
    struct Key {
        const char* colour;
        const char* text;
    };
    const Key keys[] = {{"rgb(30,150,60)", "right"}, {"rgb(210,40,40)", "wrong"}, {"rgb(90,90,90)", "refused (∅)"}};
    int lx = Left;
    for (const Key& k : keys) {
        out << "<rect x=\"" << lx << "\" y=\"" << ly - 10 << "\" width=\"12\" height=\"12\" fill=\"" << k.colour
            << "\"/><text x=\"" << lx + 16 << "\" y=\"" << ly << "\" font-size=\"11\">" << k.text << "</text>\n";
        lx += 110;
    }
    out << "<text x=\"" << Left << "\" y=\"" << ly + 20
        << "\" font-size=\"10\" fill=\"#444444\">Numbers are glyphs; the stronger the colour, the larger the "
           "share of the letter's row.</text>\n";
    out << "</svg>\n";
}
