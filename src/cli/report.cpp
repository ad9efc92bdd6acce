#include "cli/report.h"

#include <cmath>

#include "recog/state/driver.h"
#include "recog/state/state.h"

namespace {

using Json = nlohmann::ordered_json;

class CapturingShell : public RecognitionShell {
public:
    std::string message;
    std::string result;

    bool chooseBmpFile(const char*, const std::string&, std::string&) override { return false; }
    void drawRaster() override {}
    void showResult(const char* text) override { result = text; }
    void showMessage(const char* text, const char*) override { message = text; }
};

Json floatValue(float v) {
    if (!std::isfinite(v)) return nullptr;
    return static_cast<double>(v);
}

Json points(const PointXY* list, int count) {
    Json out = Json::array();
    for (int i = 0; i < count; ++i) out.push_back({list[i].x, list[i].y});
    return out;
}

template <typename T>
Json profile(const T* values, int count) {
    Json out = Json::array();
    for (int i = 0; i < count; ++i) out.push_back(static_cast<int>(values[i]));
    return out;
}

Json rasterRows(const Raster& raster) {
    Json out = Json::array();
    for (int r = 1; r <= g.ImageHeight; ++r) {
        std::string row(static_cast<size_t>(std::max(g.ImageWidth, 0)), '.');
        for (int c = 1; c <= g.ImageWidth; ++c)
            if (raster[r][c] != 0) row[static_cast<size_t>(c - 1)] = '#';
        out.push_back(row);
    }
    return out;
}

char slotLetter(int slot) { return static_cast<char>(slot < 26 ? 'a' + slot : 'A' + slot - 26); }

}  // namespace

Json stateToJson(const std::string& path, int loadStatus, const std::string& message, const std::string& result) {
    Json j;
    j["file"] = path;
    j["loadStatus"] = loadStatus;
    if (!message.empty()) j["message"] = message;
    if (loadStatus != 0) {
        j["result"] = nullptr;
        return j;
    }
    j["ImageHeight"] = g.ImageHeight;
    j["ImageWidth"] = g.ImageWidth;
    j["InkDensity"] = floatValue(g.InkDensity);
    j["AspectRatio"] = floatValue(g.AspectRatio);
    j["ImageMaxSide"] = g.ImageMaxSide;
    j["BoxTop"] = g.BoxTop;
    j["BoxBottom"] = g.BoxBottom;
    j["BoxLeft"] = g.BoxLeft;
    j["BoxRight"] = g.BoxRight;
    j["BoxHeight"] = g.BoxHeight;
    j["BoxWidth"] = g.BoxWidth;
    j["UnitHeight"] = g.UnitHeight;
    j["UnitWidth"] = g.UnitWidth;
    j["Unit"] = g.Unit;
    j["junctionsSettled"] = g.JunctionsSettled != 0;
    j["EndPoints"] = points(g.EndPoints, g.EndCount);
    j["ForkPoints"] = points(g.ForkPoints, g.ForkCount);
    j["ForkArms"] = profile(g.ForkArms, g.ForkCount);
    j["IsolatedPoints"] = points(g.IsolatedPoints, g.IsolatedCount);
    Json holes = Json::array();
    Json holeRuns = Json::array();
    for (int i = 0; i < g.HoleCount; ++i) {
        const HoleRecord& h = g.Holes[i];
        holes.push_back({h.top, h.bottom, h.left, h.right, h.label, h.area});
        holeRuns.push_back(profile(g.HoleRuns[i], 8));
    }
    j["Holes"] = holes;
    j["HoleRuns"] = holeRuns;
    Json spurs = Json::array();
    for (int i = 0; i < g.SpurCount; ++i) {
        const SpurRecord& s = g.Spurs[i];
        spurs.push_back({s.endRow, s.endCol, s.baseRow, s.baseCol});
    }
    j["Spurs"] = spurs;
    const int h = std::max(g.ImageHeight, 0);
    const int w = std::max(g.ImageWidth, 0);
    j["RowInk"] = profile(g.RowInk, h);
    j["RowRuns"] = profile(g.RowRuns, h);
    j["RowWideRuns"] = profile(g.RowWideRuns, h);
    j["LeftMargin"] = profile(g.LeftMargin, h);
    j["RightMargin"] = profile(g.RightMargin, h);
    j["ColumnInk"] = profile(g.ColumnInk, w);
    j["ColumnRuns"] = profile(g.ColumnRuns, w);
    j["ColumnWideRuns"] = profile(g.ColumnWideRuns, w);
    j["TopMargin"] = profile(g.TopMargin, w);
    j["BottomMargin"] = profile(g.BottomMargin, w);
    j["filled"] = rasterRows(g.SavedRaster);
    j["skeleton"] = rasterRows(g.WorkRaster);
    j["gated"] = g.VoteGated != 0;
    Json fired = Json::object();
    std::string candidates;
    for (int slot = 0; slot < LetterSlotCount; ++slot) {
        if (g.LetterSlots[slot] == 0) continue;
        fired[std::string(1, slotLetter(slot))] = g.LetterSlots[slot];
        candidates += slotLetter(slot);
    }
    j["fired"] = fired;
    j["candidates"] = candidates;
    j["result"] = result;
    return j;
}

FileReport recogniseFileReport(const std::string& path, bool withJson) {
    resetRecognitionStateFast();
    CapturingShell shell;
    FileReport report;
    report.file = path;
    report.loadStatus = recogniseFile(path.c_str(), &shell);
    report.message = shell.message;
    report.result = shell.result;
    if (withJson) report.json = stateToJson(path, report.loadStatus, report.message, report.result);
    return report;
}
