#include "support/allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZEPHYX_SANITIZED_HEAP 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ZEPHYX_SANITIZED_HEAP 1
#endif

#if defined(ZEPHYX_SANITIZED_HEAP)
#include <sanitizer/allocator_interface.h>
#endif

namespace {
std::atomic<size_t> gAllocations{0};
std::atomic<size_t> gFrees{0};
// Plain data in the program's own static TLS: reading it never allocates.
thread_local size_t tThreadAllocations = 0;

void CountOne() {
    ++gAllocations;
    ++tThreadAllocations;
}
}  // namespace

size_t AllocationCount() {
    return gAllocations.load();
}

size_t AllocationCountOnThisThread() {
    return tThreadAllocations;
}

size_t LiveAllocationCount() {
    return gAllocations.load() - gFrees.load();
}

#if defined(ZEPHYX_SANITIZED_HEAP)

// The sanitizer owns malloc; it tells us about each allocation.
namespace {
void CountAllocation(const volatile void*, size_t) {
    CountOne();
}
void CountFree(const volatile void*) {
    ++gFrees;
}
const int gHooksInstalled = __sanitizer_install_malloc_and_free_hooks(CountAllocation, CountFree);
}  // namespace

#else

// glibc's allocator stays in charge under its internal names; only the counting is ours. The
// aligned forms (memalign and friends) are left to glibc, whose free handles them.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* memory, size_t size);
void __libc_free(void* memory);

void* malloc(size_t size) noexcept {
    CountOne();
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) noexcept {
    CountOne();
    return __libc_calloc(count, size);
}
// Growing a block counts as a new allocation and the old one freed.
void* realloc(void* memory, size_t size) noexcept {
    CountOne();
    if (memory != nullptr) {
        ++gFrees;
    }
    return __libc_realloc(memory, size);
}
void free(void* memory) noexcept {
    if (memory != nullptr) {
        ++gFrees;
    }
    __libc_free(memory);
}
}

#endif

// operator new goes through malloc, where it is counted.
void* operator new(size_t size) {
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void* operator new[](size_t size) {
    return operator new(size);
}
// The nothrow forms must pair with the deletes below.
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, size_t) noexcept {
    std::free(memory);
}
