// Heap calls while benchCountAllocs is set: malloc and friends from the
// game's objects through --wrap, and every operator new of the program.
#include "bench/bench_support.h"

#include <cstdlib>
#include <new>

AllocCounts allocCounts;
bool benchCountAllocs = false;

extern "C" {
void *__real_malloc(size_t size);
void *__real_calloc(size_t count, size_t size);
void *__real_realloc(void *block, size_t size);
void __real_free(void *block);

void *__wrap_malloc(size_t size)
{
    if (benchCountAllocs) ++allocCounts.mallocs, allocCounts.bytes += size;
    return __real_malloc(size);
}
void *__wrap_calloc(size_t count, size_t size)
{
    if (benchCountAllocs) ++allocCounts.mallocs, allocCounts.bytes += count * size;
    return __real_calloc(count, size);
}
void *__wrap_realloc(void *block, size_t size)
{
    if (benchCountAllocs) ++allocCounts.mallocs, allocCounts.bytes += size;
    return __real_realloc(block, size);
}
void __wrap_free(void *block)
{
    if (benchCountAllocs && block) ++allocCounts.frees;
    __real_free(block);
}
}

void *operator new(size_t size)
{
    if (benchCountAllocs) ++allocCounts.news, allocCounts.bytes += size;
    if (void *block = __real_malloc(size ? size : 1)) return block;  // counted once, as a new
    throw std::bad_alloc();
}
void *operator new[](size_t size) { return operator new(size); }
void operator delete(void *block) noexcept
{
    if (benchCountAllocs && block) ++allocCounts.deletes;
    __real_free(block);
}
void operator delete[](void *block) noexcept { operator delete(block); }
void operator delete(void *block, size_t) noexcept { operator delete(block); }
void operator delete[](void *block, size_t) noexcept { operator delete(block); }
