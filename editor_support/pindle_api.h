#pragma once

// Marks the classes and functions that the Pindle shared library exports. Everything else in
// Pindle is built with hidden visibility.
#define PINDLE_API __attribute__((visibility("default")))
