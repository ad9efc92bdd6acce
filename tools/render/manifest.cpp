#include "render/manifest.h"

#include <charconv>
#include <filesystem>
#include <fstream>

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::vector<std::string> parseCsvLine(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

bool writeManifest(const std::string& path, const std::vector<ManifestEntry>& entries, std::string& error) {
    std::ofstream out(path, std::ios::binary);
    if (!out) {
        error = "cannot write the manifest '" + path + "'";
        return false;
    }
    out << ManifestHeader << '\n';
    for (const ManifestEntry& e : entries)
        out << csvField(e.file) << ',' << csvField(e.family) << ',' << csvField(e.style) << ',' << e.size << ','
            << e.letter << '\n';
    out.close();
    if (!out) {
        error = "cannot write the manifest '" + path + "'";
        return false;
    }
    return true;
}

bool readManifest(const std::string& path, std::vector<ManifestEntry>& entries, std::string& error) {
    entries.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read the manifest '" + path + "'";
        return false;
    }
    std::string line;
    int lineNumber = 0;
    bool sawHeader = false;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (!sawHeader) {
            if (line != ManifestHeader) {
                error = path + ": the first line must be '" + ManifestHeader + "'";
                return false;
            }
            sawHeader = true;
            continue;
        }
        const std::vector<std::string> f = parseCsvLine(line);
        const std::string where = path + ":" + std::to_string(lineNumber) + ": ";
        if (f.size() != 5) {
            error = where + "expected 5 fields, found " + std::to_string(f.size());
            return false;
        }
        ManifestEntry e;
        e.file = f[0];
        e.family = f[1];
        e.style = f[2];
        const auto [ptr, ec] = std::from_chars(f[3].data(), f[3].data() + f[3].size(), e.size);
        if (ec != std::errc() || ptr != f[3].data() + f[3].size() || e.size <= 0) {
            error = where + "'" + f[3] + "' is not a pixel size";
            return false;
        }
        const std::string& letter = f[4];
        if (letter.size() != 1 || !((letter[0] >= 'a' && letter[0] <= 'z') || (letter[0] >= 'A' && letter[0] <= 'Z'))) {
            error = where + "'" + letter + "' is not a letter a-z or A-Z";
            return false;
        }
        e.letter = letter[0];
        if (e.file.empty()) {
            error = where + "no file name";
            return false;
        }
        entries.push_back(std::move(e));
    }
    if (!sawHeader) {
        error = path + ": empty manifest";
        return false;
    }
    return true;
}

std::string resolveManifestFile(const std::string& manifestPath, const std::string& file) {
    const std::filesystem::path p(file);
    if (p.is_absolute()) return file;
    return (std::filesystem::path(manifestPath).parent_path() / p).string();
}
