#pragma once

#include <string>
#include <vector>

#include "exporter/export_formats.h"

// The sprite sheet of `document`: each picture trimmed (unless options.trim is off), identical
// pictures stored once, packed onto PNG pages, each page with its JSON atlas beside it.
bool BuildSpriteSheet(const CExportDocument& document, const CFormatOptions& options,
                      std::vector<CExportFile>* files, std::string* error);
