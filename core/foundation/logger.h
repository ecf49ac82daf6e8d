#pragma once

#include "core/core_api.h"

// The trace logger the model and the editor write to. Every operation accepts its arguments and
// does nothing, so trace calls cost nothing in a finished build.
class CORE_API Logger {
 public:
  virtual ~Logger();

  void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));
  template <typename... Args>
  requires(sizeof...(Args) > 0) void OutPutStream(const char* /*format*/, Args... /*args*/) {}
  void OutPutStream(const char* text);
  void Clear();
  void startConsoleWin(int width, int height);
  void DebugMoveTo(int x, int y);
};

// The one process-wide logger.
CORE_API extern Logger Debugger;
