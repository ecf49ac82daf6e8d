#pragma once

// Marks the classes and functions that the Tessel shared library exports. Everything else in
// Tessel is built with hidden visibility.
#define TESSEL_API __attribute__((visibility("default")))
