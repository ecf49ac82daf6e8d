#pragma once

#include <atomic>
#include <string>

// The reason an export gives when it was asked to stop.
inline constexpr char kExportCancelled[] = "the export was cancelled";

// Whether `cancel` (null: never) asks the export to stop; true sets the reason in `error`. The
// drawing and building loops check it between pictures, so a stop is heard within one picture.
inline bool ExportCancelled(const std::atomic<bool>* cancel, std::string* error) {
  if (cancel == nullptr || !cancel->load(std::memory_order_relaxed)) {
    return false;
  }
  *error = kExportCancelled;
  return true;
}
