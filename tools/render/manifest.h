// The manifest of rendered glyphs (CSV: file, family, style, size, letter) and
// the small CSV reading and writing it needs.
#pragma once

#include <string>
#include <vector>

struct ManifestEntry {
    std::string file;  // as written in the manifest: relative to its directory, or absolute
    std::string family;
    std::string style;
    int size = 0;      // pixel size
    char letter = 0;   // the letter drawn, a-z or A-Z
};

inline constexpr const char* ManifestHeader = "file,family,style,size,letter";

// One CSV field, quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text);
// Split one CSV line into fields (quoted fields may hold commas and "").
std::vector<std::string> parseCsvLine(const std::string& line);

bool writeManifest(const std::string& path, const std::vector<ManifestEntry>& entries, std::string& error);
// Read a manifest written by writeManifest (the header line is required).
bool readManifest(const std::string& path, std::vector<ManifestEntry>& entries, std::string& error);
// The path of an entry's file: as written when absolute, else beside the manifest.
std::string resolveManifestFile(const std::string& manifestPath, const std::string& file);
