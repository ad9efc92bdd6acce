// quillmark-bench: how long the recognition of one glyph takes, as a whole
// (file read to vote) and stage by stage.
//
// At start-up it renders a few letters from DejaVu Sans into a temporary
// directory (or, without FreeType or the font, draws a ring as a stand-in for
// an o). Every benchmark runs several repetitions and reports the median
// among its aggregates; pass --benchmark_repetitions=N to change the count.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "recog/input/bmp.h"
#include "recog/letters/vote.h"
#include "recog/preprocess/preprocess.h"
#include "recog/state/driver.h"
#include "recog/state/state.h"

#ifdef QUILLMARK_BENCH_FONTS
#include "render/font_glyphs.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;

struct Glyph {
    std::string name;  // e.g. "a64"
    std::string path;
};

std::string scratchDirectory;
std::vector<Glyph> glyphs;

// A ring about the size of a 64 px o, for when no font can be rendered.
BilevelImage syntheticRing() {
    BilevelImage image;
    image.width = 44;
    image.height = 52;
    image.ink.assign(static_cast<size_t>(image.width * image.height), 0);
    const double cx = (image.width - 1) / 2.0, cy = (image.height - 1) / 2.0;
    for (int r = 0; r < image.height; ++r)
        for (int c = 0; c < image.width; ++c) {
            const double dx = (c - cx) / 18.0, dy = (r - cy) / 22.0;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d <= 1.0 && d >= 0.72) image.ink[static_cast<size_t>(r * image.width + c)] = 1;
        }
    return image;
}

bool prepareGlyphs() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmark-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return false;
    scratchDirectory = pattern;
    auto add = [&](const std::string& name, const BilevelImage& image) {
        const std::string path = (std::filesystem::path(scratchDirectory) / (name + ".bmp")).string();
        if (writeBmp(path.c_str(), image)) glyphs.push_back({name, path});
    };
#ifdef QUILLMARK_BENCH_FONTS
    std::vector<std::string> fonts = defaultFontPaths();
    std::string error;
    FontFace face;
    if (!fonts.empty() && face.open(fonts.front(), error)) {
        struct Wanted {
            char letter;
            int size;
        };
        for (const Wanted w : {Wanted{'a', 64}, Wanted{'o', 64}, Wanted{'a', 40}, Wanted{'a', 96}}) {
            BilevelImage image;
            if (face.render(static_cast<char32_t>(w.letter), w.size, image, error))
                add(std::string(1, w.letter) + std::to_string(w.size), image);
        }
        std::fprintf(stderr, "quillmark-bench: glyphs rendered from %s (%s %s)\n", fonts.front().c_str(),
                     face.family().c_str(), face.style().c_str());
    }
#endif
    if (glyphs.empty()) {
        std::fprintf(stderr, "quillmark-bench: no font to render from; timing a drawn ring instead\n");
        add("ring64", syntheticRing());
    }
    return !glyphs.empty();
}

// Whole recognition: file read to vote, from a freshly zeroed state.
void recogniseWhole(benchmark::State& state, const Glyph& glyph) {
    for (auto _ : state) {
        resetRecognitionStateFast();
        benchmark::DoNotOptimize(recogniseFile(glyph.path.c_str(), nullptr));
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(glyph.path.substr(glyph.path.find_last_of('/') + 1));
}

void loadStage(benchmark::State& state, const Glyph& glyph) {
    resetRecognitionStateFast();
    for (auto _ : state) benchmark::DoNotOptimize(loadBmp(glyph.path.c_str()));
}

// The state as one stage finds it, kept aside and put back before each timed
// run of that stage. Only the rows the stages can have touched are copied
// (the same extent the fast reset clears), plus everything after the rasters.
class StateSnapshot {
public:
    void take() {
        if (!saved_) saved_ = std::make_unique<RecognitionState>();
        copy(*saved_, g);
    }
    void restore() const { copy(g, *saved_); }

private:
    static void copy(RecognitionState& to, const RecognitionState& from) {
        const int rows = std::max({from.ExtentRows, from.DirtyRows, to.ExtentRows, to.DirtyRows});
        const int last = std::min(rows + Raster::Margin, Raster::Size + Raster::Margin - 1);
        const size_t bytes = static_cast<size_t>(last + Raster::Margin + 1) * Raster::Stride;
        std::memcpy(to.WorkRaster[-Raster::Margin] - Raster::Margin, from.WorkRaster[-Raster::Margin] - Raster::Margin,
                    bytes);
        std::memcpy(to.SavedRaster[-Raster::Margin] - Raster::Margin,
                    from.SavedRaster[-Raster::Margin] - Raster::Margin, bytes);
        constexpr size_t rasters = offsetof(RecognitionState, ImageHeight);
        std::memcpy(reinterpret_cast<char*>(&to) + rasters, reinterpret_cast<const char*>(&from) + rasters,
                    sizeof(RecognitionState) - rasters);
    }
    std::unique_ptr<RecognitionState> saved_;
};

enum Stage { NormaliseAndFrame, Smooth, Thin, Measure, Vote };

// Run the stages before `stage` once, then time the stages from `stage` to
// `last` on a restored copy of that state, again and again.
void timeStages(benchmark::State& state, const Glyph& glyph, Stage stage, Stage last) {
    resetRecognitionStateFast();
    if (loadBmp(glyph.path.c_str()) != LoadOk) {
        state.SkipWithError("the glyph does not load");
        return;
    }
    const Stage order[] = {NormaliseAndFrame, Smooth, Thin, Measure, Vote};
    auto run = [](Stage s) {
        switch (s) {
            case NormaliseAndFrame:
                normaliseImage();
                frameImage();
                break;
            case Smooth: smoothGlyph(); break;
            case Thin: thinAndExtract(); break;
            case Measure: measureGlyph(); break;
            case Vote: benchmark::DoNotOptimize(voteLetter()); break;
        }
    };
    for (Stage s : order) {
        if (s == stage) break;
        run(s);
    }
    StateSnapshot before;
    before.take();
    for (auto _ : state) {
        before.restore();
        const auto t0 = Clock::now();
        for (int s = stage; s <= last; ++s) run(static_cast<Stage>(s));
        const auto t1 = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    resetRecognitionStateFast();
}

void timeStage(benchmark::State& state, const Glyph& glyph, Stage stage) { timeStages(state, glyph, stage, stage); }

void registerBenchmarks() {
    for (const Glyph& glyph : glyphs)
        benchmark::RegisterBenchmark(("recognise/" + glyph.name).c_str(), recogniseWhole, glyph)
            ->MinTime(0.2)
            ->Unit(benchmark::kMicrosecond);
    const Glyph& main = glyphs.front();  // a 64 px a, or the ring
    benchmark::RegisterBenchmark(("stage/load/" + main.name).c_str(), loadStage, main)
        ->MinTime(0.1)
        ->Unit(benchmark::kMicrosecond);
    const struct {
        const char* name;
        Stage stage;
    } stages[] = {{"normalise_and_frame", NormaliseAndFrame},
                  {"smooth", Smooth},
                  {"thin", Thin},
                  {"measures", Measure},
                  {"vote", Vote}};
    for (const auto& s : stages)
        // Each timed run needs an untimed restore before it, so the timed
        // total is kept short.
        benchmark::RegisterBenchmark((std::string("stage/") + s.name + "/" + main.name).c_str(), timeStage, main,
                                     s.stage)
            ->UseManualTime()
            ->MinTime(0.1)
            ->Unit(benchmark::kMicrosecond);
    // The chain from a loaded glyph to the measures: normalise, frame,
    // smooth, thin, measure.
    benchmark::RegisterBenchmark(("chain/loaded_to_measures/" + main.name).c_str(), timeStages, main,
                                 NormaliseAndFrame, Measure)
        ->UseManualTime()
        ->MinTime(0.1)
        ->Unit(benchmark::kMicrosecond);
}

bool hasFlag(int argc, char** argv, const char* prefix) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], prefix, std::strlen(prefix)) == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // Medians by default: five repetitions, aggregates only.
    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=5";
    std::string aggregates = "--benchmark_display_aggregates_only=true";
    if (!hasFlag(argc, argv, "--benchmark_repetitions")) args.push_back(repetitions.data());
    if (!hasFlag(argc, argv, "--benchmark_display_aggregates_only") &&
        !hasFlag(argc, argv, "--benchmark_report_aggregates_only"))
        args.push_back(aggregates.data());
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);

    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    if (!prepareGlyphs()) {
        std::fprintf(stderr, "quillmark-bench: cannot write the glyph files\n");
        return 1;
    }
    registerBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(scratchDirectory, ec);
    return 0;
}
