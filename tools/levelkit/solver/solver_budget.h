// The limits a search runs under: CPU time, so that a machine busy with other
// work does not make the solver give up early, and memory, claimed before
// every large array grows so that the solver stops cleanly at the limit
// instead of being killed.
#pragma once

#include <atomic>
#include <cstddef>
#include <vector>

enum class Stop { None, Time, Memory };

class Budget {
public:
    // stop, when given, ends the search early from another thread: timeUp()
    // turns true once it is set.
    Budget(double cpuSeconds, size_t memoryBytes, const std::atomic<bool> *stop = nullptr);

    // CPU seconds this thread has used since the budget was made.
    double seconds() const;
    // True once the time is spent (or the stop set); reads the clock, so callers ask every few hundred positions.
    bool timeUp();
    // A new time limit, counted from the budget's start.
    void setLimit(double cpuSeconds) { limit_ = cpuSeconds; }
    // Takes room for an array growing from oldBytes to newBytes (both exist
    // while it is copied); false, and Memory as the reason, when the limit forbids it.
    bool claim(size_t oldBytes, size_t newBytes);
    void release(size_t bytes) { used_ -= bytes < used_ ? bytes : used_; }
    size_t peak() const { return peak_; }
    Stop stop() const { return stop_; }
    void setStop(Stop s) { if (stop_ == Stop::None) stop_ = s; }

    // Doubles the capacity of a full array within the budget; false when it may not grow.
    template <class T> bool roomFor(std::vector<T> &v)
    {
        if (v.size() < v.capacity()) return true;
        size_t oldCap = v.capacity(), newCap = oldCap < 256 ? 256 : oldCap * 2;
        if (!claim(oldCap * sizeof(T), newCap * sizeof(T))) return false;
        v.reserve(newCap);
        return true;
    }
    // Gives back what an array held, when the search drops it.
    template <class T> void drop(std::vector<T> &v)
    {
        release(v.capacity() * sizeof(T));
        std::vector<T>().swap(v);
    }

private:
    double start_, limit_;
    size_t memory_, used_ = 0, peak_ = 0;
    Stop stop_ = Stop::None;
    const std::atomic<bool> *cancel_;
};
