#pragma once

#include <string>
#include <vector>

#include "exporter/export_formats.h"

// One PNG per picture at its action's whole canvas, "<base>_<action>_<0000>.png", and one JSON
// atlas "<base>.json" whose frames each name their file.
bool BuildPngSequence(const CExportDocument& document, const CFormatOptions& options,
                      std::vector<CExportFile>* files, std::string* error);
