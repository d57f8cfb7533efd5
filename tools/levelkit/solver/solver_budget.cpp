#include "tools/levelkit/solver/solver_budget.h"

#include <ctime>

namespace {

double cpuNow()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

}  // namespace

Budget::Budget(double cpuSeconds, size_t memoryBytes, const std::atomic<bool> *stop)
    : start_(cpuNow()), limit_(cpuSeconds), memory_(memoryBytes), cancel_(stop)
{
}

double Budget::seconds() const { return cpuNow() - start_; }

bool Budget::timeUp()
{
    if (seconds() <= limit_ && !(cancel_ && cancel_->load(std::memory_order_relaxed))) return false;
    setStop(Stop::Time);
    return true;
}

bool Budget::claim(size_t oldBytes, size_t newBytes)
{
    size_t during = used_ + newBytes;  // the old block is still held while the new one fills
    if (during > memory_) {
        setStop(Stop::Memory);
        return false;
    }
    if (during > peak_) peak_ = during;
    used_ = during - (oldBytes < during ? oldBytes : during);
    return true;
}
