#pragma once
#include <cstddef>

namespace velokrom::testing {

// How many times the program has called operator new so far: the ui tests replace it with a
// counting one (allocation_count.cpp), so a test can prove that a path allocates nothing.
size_t allocationCount();

} // namespace velokrom::testing
