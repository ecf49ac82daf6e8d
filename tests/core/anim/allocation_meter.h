#pragma once

#include <cstddef>

// Counts the bytes requested from operator new on any thread while an AllocationMeter lives
// (the test executable replaces the global allocation functions). Meters do not nest.
class AllocationMeter {
 public:
  AllocationMeter();
  AllocationMeter(const AllocationMeter&) = delete;
  AllocationMeter& operator=(const AllocationMeter&) = delete;
  ~AllocationMeter();

  size_t Bytes() const;
};
