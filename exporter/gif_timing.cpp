#include "exporter/gif_timing.h"

#include <algorithm>
#include <limits>

namespace {

// Viewers stretch delays below this, so shorter pictures are merged with a neighbour.
constexpr uint64_t kShortestMs = 20;
// A guard against durations no animation has, which would otherwise ask for millions of pages.
constexpr uint64_t kLongestLoopMs = 24ull * 60 * 60 * 1000;
constexpr uint64_t kLongestDelay = std::numeric_limits<uint16_t>::max();

struct CShownPicture {
  size_t picture;
  uint64_t durationMs;
};

// The pictures that stay on screen, each with its own time and that of the short ones before it.
std::vector<CShownPicture> MergeShortPictures(const std::vector<CExportPicture>& pictures) {
  std::vector<CShownPicture> shown;
  uint64_t pending = 0;
  for (size_t i = 0; i < pictures.size(); ++i) {
    pending += pictures[i].durationMs;
    const bool last = i + 1 == pictures.size();
    if (pending >= kShortestMs || (last && shown.empty())) {
      shown.push_back({i, pending});
      pending = 0;
    }
  }
  if (pending > 0) {  // short pictures at the end: the one before them stays on longer
    shown.back().durationMs += pending;
  }
  return shown;
}

uint64_t RoundToHundredths(uint64_t ms) {
  return (ms + 5) / 10;
}

}  // namespace

bool PlanGifPages(const std::vector<CExportPicture>& pictures, std::vector<CGifPage>* pages,
                  std::string* error) {
  pages->clear();
  if (pictures.empty()) {
    *error = "the action has no pictures";
    return false;
  }
  uint64_t totalMs = 0;
  for (const CExportPicture& picture : pictures) {
    totalMs += picture.durationMs;
  }
  if (totalMs > kLongestLoopMs) {
    *error = "the action lasts longer than a day, more than an animated GIF should hold";
    return false;
  }

  uint64_t startMs = 0;
  for (const CShownPicture& shown : MergeShortPictures(pictures)) {
    const uint64_t endMs = startMs + shown.durationMs;
    uint64_t delay = RoundToHundredths(endMs) - RoundToHundredths(startMs);
    startMs = endMs;
    // Only a lone picture shorter than 20 ms can round to nothing; a zero delay plays as fast as
    // the viewer can, so it gets the shortest one instead.
    delay = std::max<uint64_t>(delay, 1);
    while (delay > 0) {
      const uint64_t piece = std::min(delay, kLongestDelay);
      pages->push_back({shown.picture, static_cast<uint16_t>(piece)});
      delay -= piece;
    }
  }
  return true;
}
