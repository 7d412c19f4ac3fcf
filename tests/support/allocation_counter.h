// Counts heap allocations made by this test program, so a test can show that a piece of code
// allocates nothing. Link allocation_counter.cpp into the test.
//
// Every malloc, calloc and realloc is counted, whoever calls it (our code, the C++ library,
// SDL or FreeType), and operator new is replaced to allocate through malloc, so it counts too.
// In the sanitizer build the sanitizer's allocator reports each allocation instead.
#pragma once

#include <cstddef>

// Allocations since the program started; compare two readings around the code under test.
size_t AllocationCount();

// The same, made by the calling thread alone: what a frame allocates, while threads of the
// platform's own (a screenshot's writer, SDL's) allocate as they please.
size_t AllocationCountOnThisThread();

// Allocations not yet freed; two equal readings around repeated work show that it leaks
// nothing.
size_t LiveAllocationCount();
