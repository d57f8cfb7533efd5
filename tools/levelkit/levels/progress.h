// A progress line for long work, on standard error and rewritten in place,
// only when standard error is a terminal: logs and pipes stay clean.
#pragma once

#include <chrono>
#include <string>

class Progress {
public:
    explicit Progress(const char *what);
    ~Progress() { clear(); }
    // "what: level 7 of 155, 12 s, 6 solved": item n of total, and how many turned out well.
    void show(size_t n, size_t total, size_t good, const char *goodWord);
    // Wipes the line, so that other output starts on a clean line.
    void clear();

private:
    const char *what_;
    bool on_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point start_;
};
