#pragma once

#include <cstdarg>
#include <mutex>
#include <string>

#include "core/core_api.h"

// Where components that want real diagnostic output send their text.
class CORE_API UOutputDevice {
 public:
  virtual ~UOutputDevice();

  // Formatted output, printf conventions; no newline is added. A call with a text alone is the
  // one-line form below, so a lone text is never taken for a format.
  template <typename... Args>
  requires(sizeof...(Args) > 0) void OutPutStream(const char* format, Args... args) {
    FormatStream(format, args...);
  }
  // One line of text.
  virtual void OutPutStream(const char* text) = 0;

 protected:
  // What the formatted form writes, with its arguments gathered.
  virtual void VOutPutStream(const char* format, va_list args) = 0;

 private:
  void FormatStream(const char* format, ...);
};

// Writes to "log.txt" in the directory that was current when it was constructed. Every write
// opens and closes the file, so the log is complete on disk after each call and others may read
// it meanwhile; a recursive lock keeps each call's text whole when threads share the device.
// When the file cannot be opened the write is skipped.
class CORE_API UDebugDevice : public UOutputDevice {
 public:
  // Starts the log afresh with the line "Log Begin".
  UDebugDevice();
  UDebugDevice(const UDebugDevice&) = delete;
  UDebugDevice& operator=(const UDebugDevice&) = delete;
  ~UDebugDevice() override;

  using UOutputDevice::OutPutStream;
  void OutPutStream(const char* text) override;
  // The same as the formatted OutPutStream.
  void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));

  const std::string& GetPath() const { return m_Path; }

 protected:
  void VOutPutStream(const char* format, va_list args) override
      __attribute__((format(printf, 2, 0)));

 private:
  std::string m_Path;
  std::recursive_mutex m_Lock;
};
