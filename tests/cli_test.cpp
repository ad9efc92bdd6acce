// The command line: exit codes, plain and JSON output, fresh state per file.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "support/fixtures.h"

using fixtures::TempDir;
using Json = nlohmann::json;

namespace {

struct CliRun {
    int status;
    std::string out;
};

// Runs quillmark-cli with the given arguments (already shell-quoted), standard
// error to /dev/null unless keepStderr.
CliRun runCli(const std::string& args, bool keepStderr = false) {
    const std::string command =
        std::string(QUILLMARK_CLI_PATH) + " " + args + (keepStderr ? " 2>&1" : " 2>/dev/null");
    FILE* pipe = ::popen(command.c_str(), "r");
    CliRun run{-1, ""};
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::vector<Json> jsonLines(const std::string& text) {
    std::vector<Json> out;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        if (!line.empty()) out.push_back(Json::parse(line));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}

const std::vector<std::string> kRing = {
    "..######..", ".########.", "###....###", "##......##", "##......##", "##......##",
    "##......##", "##......##", "##......##", "##......##", "##......##", "##......##",
    "##......##", "##......##", "##......##", "##......##", "###....###", ".########.", "..######..",
};

const std::vector<std::string> kBar = {
    "###", "###", "###", "###", "###", "###", "###", "###", "###", "###",
    "###", "###", "###", "###", "###", "###", "###", "###", "###", "###",
};

}  // namespace

TEST(Cli, ExitCodes) {
    TempDir dir;
    const std::string ring = fixtures::writeArt(dir, "ring.bmp", kRing);
    EXPECT_EQ(runCli("").status, 2);
    EXPECT_EQ(runCli("--no-such-option " + ring).status, 2);
    EXPECT_EQ(runCli("--help").status, 0);
    EXPECT_EQ(runCli(ring).status, 0);
    const CliRun missing = runCli(ring + " " + dir.file("absent.bmp"), true);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find(ring + ": "), std::string::npos);
    EXPECT_NE(missing.out.find("absent.bmp: cannot open"), std::string::npos);
}

TEST(Cli, FailedLoadsReportOnlyTheirStatus) {
    TempDir dir;
    std::vector<uint8_t> twoBit = encodeBmp(fixtures::solidImage(8, 8));
    twoBit[28] = 2;
    fixtures::writeBytes(dir.file("grey.bmp"), twoBit);
    const CliRun run = runCli("--json " + dir.file("grey.bmp") + " " + dir.file("absent.bmp"));
    EXPECT_EQ(run.status, 1);
    const std::vector<Json> lines = jsonLines(run.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], Json::parse(R"({"file": ")" + dir.file("grey.bmp") +
                                    R"(", "loadStatus": 2, "message": "Bmp Must Be Black/White!", "result": null})"));
    EXPECT_EQ(lines[1], Json::parse(R"({"file": ")" + dir.file("absent.bmp") +
                                    R"(", "loadStatus": 1, "result": null})"));
}

TEST(Cli, EmptyGlyphStillReportsEveryKey) {
    TempDir dir;
    const std::string dot = fixtures::writeArt(dir, "dot.bmp", {"....", ".#..", "...."});
    const CliRun run = runCli("--json " + dot);
    ASSERT_EQ(run.status, 0);
    const std::vector<Json> lines = jsonLines(run.out);
    ASSERT_EQ(lines.size(), 1u);
    const Json& j = lines[0];
    for (const char* key :
         {"file", "loadStatus", "ImageHeight", "ImageWidth", "InkDensity", "AspectRatio", "ImageMaxSide", "BoxTop",
          "BoxBottom", "BoxLeft", "BoxRight", "BoxHeight", "BoxWidth", "UnitHeight", "UnitWidth", "Unit",
          "junctionsSettled", "EndPoints", "ForkPoints", "ForkArms", "IsolatedPoints", "Holes", "HoleRuns", "Spurs",
          "RowInk", "RowRuns", "RowWideRuns", "LeftMargin", "RightMargin", "ColumnInk", "ColumnRuns",
          "ColumnWideRuns", "TopMargin", "BottomMargin", "filled", "skeleton", "gated", "fired", "candidates",
          "result"})
        EXPECT_TRUE(j.contains(key)) << key;
    EXPECT_FALSE(j.contains("message"));
    EXPECT_EQ(j["ImageHeight"], 0);
    EXPECT_TRUE(j["InkDensity"].is_null());
    EXPECT_EQ(j["gated"], true);
    EXPECT_EQ(j["result"], "Refause!");
    EXPECT_EQ(runCli(dot).out, dot + ": Refause!\n");
}

TEST(Cli, EachFileStartsFromAFreshState) {
    TempDir dir;
    const std::string ring = fixtures::writeArt(dir, "ring.bmp", kRing);
    const std::string bar = fixtures::writeArt(dir, "bar.bmp", kBar);
    const std::vector<Json> alone = jsonLines(runCli("--json " + bar).out);
    const std::vector<Json> after = jsonLines(runCli("--json " + ring + " " + bar).out);
    ASSERT_EQ(alone.size(), 1u);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[1], alone[0]);

    // Several workers give the same lines in the same order as one.
    std::string many;
    for (int i = 0; i < 12; ++i) many += (i % 3 ? ring : bar) + " ";
    const CliRun one = runCli("--json -j 1 " + many);
    const CliRun two = runCli("--json -j 2 " + many);
    EXPECT_EQ(one.out, two.out);
    EXPECT_EQ(jsonLines(one.out).size(), 12u);

    // A list on standard input reads like arguments.
    {
        std::ofstream list(dir.file("list.txt"));
        list << ring << "\n" << bar << "\n";
    }
    EXPECT_EQ(jsonLines(runCli("--json --list - < " + dir.file("list.txt")).out), after);
    EXPECT_EQ(jsonLines(runCli("--json -l " + dir.file("list.txt")).out), after);
}
