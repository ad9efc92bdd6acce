// quillmark-cli: recognise letters in 1-bit bitmap files from the command line.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/batch.h"
#include "recog/letters/vote.h"
#include "recog/state/driver.h"

namespace {

void writeToStderr(const char* text) { std::fputs(text, stderr); }

bool readList(const std::string& source, std::vector<std::string>& files) {
    std::ifstream stream;
    std::istream* in = &std::cin;
    if (source != "-") {
        stream.open(source);
        if (!stream) return false;
        in = &stream;
    }
    std::string line;
    while (std::getline(*in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) files.push_back(line);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Recognise the printed English letter in each 1-bit bitmap file.\n"
        "Prints 'FILE: Recoged: x' or 'FILE: Refause!' per file, or with --json one\n"
        "JSON object per file (JSON Lines) holding the whole recognition state.\n"
        "Exit status: 0 when every file loaded, 1 when any file failed to load,\n"
        "2 on a usage error.",
        "quillmark-cli"};
    bool json = false;
    std::vector<std::string> files;
    std::vector<std::string> lists;
    unsigned jobs = 0;
    bool printRecognisers = false;
    app.add_flag("--json", json, "Write one JSON object per file (JSON Lines)");
    app.add_option("-l,--list", lists, "Read more file names from LIST, one per line ('-' = standard input)");
    app.add_option("-j,--jobs", jobs, "Worker threads (default: one per core)")->check(CLI::Range(0u, 1024u));
    app.add_option("files", files, "Bitmap files to recognise");
    app.add_flag("--print-recognisers", printRecognisers,
                 "Print the letters that have a recogniser (K counts with k) and exit");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return e.get_exit_code() == 0 ? code : 2;
    }
    if (printRecognisers) {
        const RecogniserTable& table = defaultRecognisers();
        std::string letters;
        for (int i = 0; i < table.count; ++i) {
            letters += table.entries[i].letter;
            if (table.entries[i].letter == 'k') letters += 'K';
        }
        std::cout << letters << '\n';
        return 0;
    }
    for (const std::string& list : lists) {
        if (!readList(list, files)) {
            std::cerr << "quillmark-cli: cannot read the file list '" << list << "'\n";
            return 2;
        }
    }
    if (files.empty()) {
        std::cerr << "quillmark-cli: no input files (see --help)\n";
        return 2;
    }

    // Standard output carries the results; the junction clean-up's diagnostic
    // line goes to standard error so that it never breaks the JSON Lines.
    setDiagnosticWriter(writeToStderr);

    bool allLoaded = true;
    recogniseFiles(files, json, jobs, [&](const FileReport& report) {
        if (report.loadStatus != 0) {
            allLoaded = false;
            std::cerr << report.file << ": ";
            if (!report.message.empty())
                std::cerr << report.message << '\n';
            else
                std::cerr << "cannot open the file\n";
        }
        if (json)
            std::cout << report.json.dump() << '\n';
        else if (report.loadStatus == 0)
            std::cout << report.file << ": " << report.result << '\n';
    });
    std::cout.flush();
    return allLoaded ? 0 : 1;
}
