#pragma once

#include <string>
#include <vector>

#include "exporter/export_picture.h"

// The action's pictures as one endlessly looping animated GIF, built in memory: every page covers
// the action's whole canvas, clears to transparent before the next one is drawn, and shows its
// picture for the picture's duration (see PlanGifPages for the rounding). False with a reason in
// `error` when the action has no pictures, a canvas a GIF cannot hold, or pictures that do not
// match their canvas.
bool EncodeAnimatedGif(const CExportAction& action, std::vector<unsigned char>* bytes,
                       std::string* error);
