#include "allocation_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<size_t> allocations{0};

} // namespace

size_t velokrom::testing::allocationCount() { return allocations.load(); }

// Every form that may end in these deletes is replaced; the array and aligned forms keep their
// defaults, which end in these or pair among themselves (the address sanitizer checks pairs).
void* operator new(std::size_t size) {
    ++allocations;
    if (void* block = std::malloc(size > 0 ? size : 1)) return block;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++allocations;
    return std::malloc(size > 0 ? size : 1);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
