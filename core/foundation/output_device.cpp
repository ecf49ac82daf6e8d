#include "core/foundation/output_device.h"

#include <unistd.h>

#include <cstdio>
#include <memory>

UOutputDevice::~UOutputDevice() = default;

void UOutputDevice::FormatStream(const char* format, ...) {
  va_list args;
  va_start(args, format);
  VOutPutStream(format, args);
  va_end(args);
}

UDebugDevice::UDebugDevice() {
  std::unique_ptr<char, decltype(&std::free)> cwd(::getcwd(nullptr, 0), &std::free);
  if (!cwd) {
    return;
  }
  m_Path = std::string(cwd.get()) + "/log.txt";
  if (std::FILE* file = std::fopen(m_Path.c_str(), "w")) {
    std::fputs("Log Begin\n", file);
    std::fclose(file);
  }
}

UDebugDevice::~UDebugDevice() = default;

void UDebugDevice::OutPutStream(const char* text) {
  std::lock_guard<std::recursive_mutex> lock(m_Lock);
  if (m_Path.empty() || text == nullptr) {
    return;
  }
  if (std::FILE* file = std::fopen(m_Path.c_str(), "a")) {
    std::fprintf(file, "%s\n", text);
    std::fclose(file);
  }
}

void UDebugDevice::Log(const char* format, ...) {
  va_list args;
  va_start(args, format);
  VOutPutStream(format, args);
  va_end(args);
}

void UDebugDevice::VOutPutStream(const char* format, va_list args) {
  std::lock_guard<std::recursive_mutex> lock(m_Lock);
  if (m_Path.empty() || format == nullptr) {
    return;
  }
  if (std::FILE* file = std::fopen(m_Path.c_str(), "a")) {
    std::vfprintf(file, format, args);
    std::fclose(file);
  }
}
