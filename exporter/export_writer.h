#pragma once

#include <filesystem>
#include <string>

#include "exporter/export_picture.h"

// Makes the output folder `folder` with the folders above it where missing. False with a reason
// in `error` when it cannot be made or is not a folder.
bool MakeExportFolder(const std::string& folder, std::string* error);

// Writes `file` into `folder` through the atomic file writer, so that a reader sees the old file
// or the whole new one. False with a reason in `error` when the name would leave the folder or
// the writing fails.
bool WriteExportFile(const std::filesystem::path& folder, const CExportFile& file,
                     std::string* error);
