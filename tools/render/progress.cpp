#include "render/progress.h"

#include <cstdio>

#include <unistd.h>

ProgressBar::ProgressBar(std::string label, bool enabled) : label_(std::move(label)), enabled_(enabled) {}

ProgressBar::~ProgressBar() { finish(); }

bool ProgressBar::stderrIsTerminal() { return isatty(fileno(stderr)) != 0; }

void ProgressBar::update(size_t done, size_t total) {
    if (!enabled_ || total == 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (drawn_ && done < total && now - last_ < std::chrono::milliseconds(50)) return;
    last_ = now;
    constexpr int Width = 30;
    const int filled = static_cast<int>(done * Width / total);
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(Width - filled), '.');
    std::fprintf(stderr, "\r%s [%s] %zu/%zu", label_.c_str(), bar.c_str(), done, total);
    std::fflush(stderr);
    drawn_ = true;
}

void ProgressBar::finish() {
    if (!drawn_) return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    drawn_ = false;
}

void ProgressBar::restart(std::string label) {
    finish();
    label_ = std::move(label);
}
