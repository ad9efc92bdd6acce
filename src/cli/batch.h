// Recognising many files on several threads, each with its own state.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/report.h"

// Recognise every file with up to `jobs` worker threads (0 = one per core).
// `emit` is called on the calling thread, in the order of `files`, as soon as
// a report and all reports before it are ready.
void recogniseFiles(const std::vector<std::string>& files, bool withJson, unsigned jobs,
                    const std::function<void(const FileReport&)>& emit);
