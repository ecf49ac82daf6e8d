#include "tests/core/anim/allocation_meter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> g_metering{false};
std::atomic<size_t> g_bytes{0};

void* Allocate(size_t size) {
  if (g_metering.load(std::memory_order_relaxed)) {
    g_bytes.fetch_add(size, std::memory_order_relaxed);
  }
  return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

AllocationMeter::AllocationMeter() {
  g_bytes = 0;
  g_metering = true;
}

AllocationMeter::~AllocationMeter() {
  g_metering = false;
}

size_t AllocationMeter::Bytes() const {
  return g_bytes.load();
}

void* operator new(size_t size) {
  if (void* p = Allocate(size)) {
    return p;
  }
  throw std::bad_alloc();
}

void* operator new[](size_t size) {
  return operator new(size);
}

void* operator new(size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}

void* operator new[](size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}

void operator delete(void* p) noexcept {
  std::free(p);
}

void operator delete[](void* p) noexcept {
  std::free(p);
}

void operator delete(void* p, size_t) noexcept {
  std::free(p);
}

void operator delete[](void* p, size_t) noexcept {
  std::free(p);
}
