// A one-line progress bar on standard error, drawn only when standard error
// is a terminal.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

class ProgressBar {
public:
    // `enabled` false draws nothing; by default it follows isatty(stderr).
    explicit ProgressBar(std::string label, bool enabled);
    ~ProgressBar();
    static bool stderrIsTerminal();

    // Redraw (at most every 50 ms, and always at the end) with done of total.
    void update(size_t done, size_t total);
    // Clear the line.
    void finish();
    // Clear the line and go on under another label.
    void restart(std::string label);

private:
    std::string label_;
    bool enabled_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point last_{};
};
