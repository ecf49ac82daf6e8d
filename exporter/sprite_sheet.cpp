#include "exporter/sprite_sheet.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string_view>
#include <unordered_map>

#include "exporter/atlas_json.h"
#include "exporter/export_cancel.h"
#include "exporter/frame_order.h"
#include "exporter/png_memory_encoder.h"
#include "exporter/sheet_layout.h"

namespace {

// A picture as stored on a page: the same pixels appear there once however many frames show
// them.
struct CStoredPicture {
  int w = 0;
  int h = 0;
  std::vector<uint8_t> pixels;
};

uint64_t HashPicture(int w, int h, const std::vector<uint8_t>& pixels) {
  const std::string_view bytes(reinterpret_cast<const char*>(pixels.data()), pixels.size());
  return std::hash<std::string_view>()(bytes) ^
         (static_cast<uint64_t>(w) << 32 | static_cast<uint32_t>(h));
}

// Stores pictures, giving one that equals a stored one that one's index.
class CPictureStore {
 public:
  size_t Add(int w, int h, const std::vector<uint8_t>& pixels) {
    const uint64_t hash = HashPicture(w, h, pixels);
    const auto [first, last] = m_ByHash.equal_range(hash);
    for (auto it = first; it != last; ++it) {
      const CStoredPicture& stored = m_Pictures[it->second];
      if (stored.w == w && stored.h == h && stored.pixels == pixels) {
        return it->second;
      }
    }
    m_Pictures.push_back({w, h, pixels});
    m_ByHash.emplace(hash, m_Pictures.size() - 1);
    return m_Pictures.size() - 1;
  }
  const std::vector<CStoredPicture>& Pictures() const { return m_Pictures; }

 private:
  std::vector<CStoredPicture> m_Pictures;
  std::unordered_multimap<uint64_t, size_t> m_ByHash;
};

std::string PageName(const CFormatOptions& options, size_t page, size_t pages,
                     const char* extension) {
  if (pages == 1) {
    return options.baseName + extension;
  }
  return options.baseName + "_" + std::to_string(page) + extension;
}

}  // namespace

bool BuildSpriteSheet(const CExportDocument& document, const CFormatOptions& options,
                      std::vector<CExportFile>* files, std::string* error) {
  // Pages wider than this hold more than any engine loads, and the bound keeps the packer's
  // arithmetic well inside an int.
  constexpr int kLargestPage = 1 << 16;
  if (options.maxSize < 1 || options.maxSize > kLargestPage || options.padding < 0 ||
      options.padding > options.maxSize) {
    *error = "the page size or padding is out of range";
    return false;
  }
  if (options.baseName.empty()) {
    *error = "no name for the files";
    return false;
  }
  if (!CheckPictures(document, error)) {
    return false;
  }
  const int limit = LargestPageSide(options.maxSize, options.powerOfTwo);
  const CFrameOrder order = OrderFrames(document);

  // Every frame, in the export's order, with the stored picture it shows. Frames that share
  // their drawing share its stored picture without looking at its pixels again.
  std::vector<CAtlasFrame> frames;
  std::vector<size_t> stored_of_frame;
  CPictureStore store;
  for (size_t a = 0; a < document.actions.size(); ++a) {
    const CExportAction& action = document.actions[a];
    const CPixelRect whole{0, 0, action.canvasWidth, action.canvasHeight};
    std::map<const CPictureBits*, size_t> frame_of_bits;
    for (size_t i = 0; i < action.pictures.size(); ++i) {
      if (ExportCancelled(options.cancel, error)) {
        return false;
      }
      const CExportPicture& picture = action.pictures[i];
      const CPictureBits& bits = *picture.bits;
      CAtlasFrame frame;
      frame.name = order.actions[a].frameNames[i];
      frame.action = &action;
      frame.picture = &picture;
      if (const auto same = frame_of_bits.find(&bits); same != frame_of_bits.end()) {
        frame.source = frames[same->second].source;
        frame.trimmed = frames[same->second].trimmed;
        stored_of_frame.push_back(stored_of_frame[same->second]);
        frames.push_back(std::move(frame));
        continue;
      }
      // What the page stores: the drawn pixels, or the whole canvas, or for a picture with
      // nothing drawn one transparent pixel that keeps the frame for its duration.
      int w = 1;
      int h = 1;
      std::vector<uint8_t> kept;
      const std::vector<uint8_t>* pixels = &kept;
      if (bits.w == 0) {
        frame.source = {0, 0, 1, 1};
        frame.trimmed = true;
        kept.assign(4, 0);
      } else if (options.trim) {
        frame.source = {bits.x, bits.y, bits.w, bits.h};
        frame.trimmed = bits.w != whole.w || bits.h != whole.h;
        w = bits.w;
        h = bits.h;
        pixels = &bits.rgba;
      } else {
        frame.source = whole;
        w = whole.w;
        h = whole.h;
        kept = CanvasPixels(bits, w, h);
      }
      if (w > limit || h > limit) {
        *error = "picture " + frame.name + " is " + std::to_string(w) + "x" + std::to_string(h) +
                 ", larger than the largest page side " + std::to_string(limit);
        return false;
      }
      frame_of_bits.emplace(&bits, frames.size());
      stored_of_frame.push_back(store.Add(w, h, *pixels));
      frames.push_back(std::move(frame));
    }
  }

  if (frames.empty()) {
    *error = "no pictures to export";
    return false;
  }
  std::vector<CPixelRect> sizes;
  for (const CStoredPicture& stored : store.Pictures()) {
    sizes.push_back({0, 0, stored.w, stored.h});
  }
  const CSheetLayout layout =
      LayoutSheet(sizes, options.padding, options.maxSize, options.powerOfTwo);
  const size_t pages = layout.pages.size();

  std::vector<std::vector<uint8_t>> page_pixels;
  for (const CPixelRect& page : layout.pages) {
    page_pixels.emplace_back(static_cast<size_t>(page.w) * static_cast<size_t>(page.h) * 4, 0);
  }
  for (size_t s = 0; s < sizes.size(); ++s) {
    const CSheetLayout::CSlot& slot = layout.slots[s];
    PastePixels(store.Pictures()[s].pixels, {slot.x, slot.y, sizes[s].w, sizes[s].h},
                &page_pixels[slot.page], layout.pages[slot.page].w);
  }
  for (size_t f = 0; f < frames.size(); ++f) {
    const CSheetLayout::CSlot& slot = layout.slots[stored_of_frame[f]];
    frames[f].frame = {slot.x, slot.y, sizes[stored_of_frame[f]].w, sizes[stored_of_frame[f]].h};
  }

  for (size_t page = 0; page < pages; ++page) {
    if (ExportCancelled(options.cancel, error)) {
      return false;
    }
    CExportFile image{PageName(options, page, pages, ".png"), {}};
    if (!EncodeRgbaPng(layout.pages[page].w, layout.pages[page].h, page_pixels[page], &image.bytes,
                       error)) {
      return false;
    }
    std::vector<CAtlasFrame> page_frames;
    for (size_t f = 0; f < frames.size(); ++f) {
      if (layout.slots[stored_of_frame[f]].page == static_cast<int>(page)) {
        page_frames.push_back(frames[f]);
      }
    }
    CAtlasMeta meta;
    meta.version = options.version;
    meta.image = image.name;
    meta.width = layout.pages[page].w;
    meta.height = layout.pages[page].h;
    meta.scale = document.scale;
    for (size_t other = 0; other < pages; ++other) {
      if (other != page) {
        meta.relatedPacks.push_back(PageName(options, other, pages, ".json"));
      }
    }
    const std::string json = WriteAtlasJson(page_frames, order, meta);
    files->push_back(std::move(image));
    files->push_back({PageName(options, page, pages, ".json"), {json.begin(), json.end()}});
  }
  return true;
}
