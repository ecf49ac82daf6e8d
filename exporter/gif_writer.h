#pragma once

#include <string>
#include <vector>

#include "exporter/export_picture.h"

// The pictures of `action` as one looping animated GIF, built in memory.
bool EncodeAnimatedGif(const CExportAction& action, std::vector<unsigned char>* bytes,
                       std::string* error);
