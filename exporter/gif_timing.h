#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "exporter/export_picture.h"

// One page of an animated GIF: which picture it shows and for how many hundredths of a second,
// the unit of a GIF's frame delay.
struct CGifPage {
  size_t picture = 0;
  uint16_t hundredths = 0;
};

// The pages that play `pictures` for as long as their durations add up to. Viewers show delays
// under 20 ms slowly, so a picture shorter than that is dropped and its time added to the next
// one (the last such picture's to the one before it). Delays round the running total, not each
// picture, so the whole loop lasts what the pictures last within 5 ms; a picture longer than one
// GIF delay holds is shown on several pages. False with a reason when there are no pictures or
// the loop would last longer than a day.
bool PlanGifPages(const std::vector<CExportPicture>& pictures, std::vector<CGifPage>* pages,
                  std::string* error);
