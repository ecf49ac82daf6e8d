#pragma once

// Marks the classes and functions that the Lumsel shared library exports. Everything else in
// Lumsel is built with hidden visibility.
#define LUMSEL_API __attribute__((visibility("default")))
