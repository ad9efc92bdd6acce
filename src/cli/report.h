// One file's recognition as the command line reports it.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

struct FileReport {
    std::string file;
    int loadStatus = 0;
    std::string message;  // the message box text, empty when there is none
    std::string result;   // "Recoged: x" or "Refause!"; empty when the file did not load
    nlohmann::ordered_json json;  // the whole state under its names (filled when asked for)
};

// Recognise one file from a freshly zeroed recognition state (of the calling
// thread). With withJson, also capture the state as the JSON output defines it.
FileReport recogniseFileReport(const std::string& path, bool withJson);

// The JSON object of the current state after a recognition of `path` that
// ended with the given status, message and result.
nlohmann::ordered_json stateToJson(const std::string& path, int loadStatus, const std::string& message,
                                   const std::string& result);
