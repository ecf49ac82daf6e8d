#pragma once

// Marks the classes and functions that the Core shared library exports. Everything else in Core
// is built with hidden visibility.
#define CORE_API __attribute__((visibility("default")))
