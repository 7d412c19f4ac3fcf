// Counts heap allocations made by this test program, so a test can show that a piece of code
// allocates nothing. Link allocation_counter.cpp into the test to replace operator new.
#pragma once

#include <cstddef>

// Allocations since the program started; compare two readings around the code under test.
size_t AllocationCount();
