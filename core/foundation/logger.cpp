#include "core/foundation/logger.h"

Logger Debugger;

Logger::~Logger() = default;

void Logger::Log(const char* /*format*/, ...) {}
void Logger::OutPutStream(const char* /*text*/) {}
void Logger::Clear() {}
void Logger::startConsoleWin(int /*width*/, int /*height*/) {}
void Logger::DebugMoveTo(int /*x*/, int /*y*/) {}
