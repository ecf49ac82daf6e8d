#include "exporter/sprite_sheet.h"

#include <cstdint>
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
  uint64_t hash = 1469598103934665603ULL;  // FNV-1a
  const auto mix = [&hash](uint8_t byte) {
    hash ^= byte;
    hash *= 1099511628211ULL;
  };
  for (int shift = 0; shift < 32; shift += 8) {
    mix(static_cast<uint8_t>(static_cast<uint32_t>(w) >> shift));
    mix(static_cast<uint8_t>(static_cast<uint32_t>(h) >> shift));
  }
  for (const uint8_t byte : pixels) {
    mix(byte);
  }
  return hash;
}

// Stores pictures, giving one that equals a stored one that one's index.
class CPictureStore {
 public:
  size_t Add(CStoredPicture picture) {
    const uint64_t hash = HashPicture(picture.w, picture.h, picture.pixels);
    const auto [first, last] = m_ByHash.equal_range(hash);
    for (auto it = first; it != last; ++it) {
      const CStoredPicture& stored = m_Pictures[it->second];
      if (stored.w == picture.w && stored.h == picture.h && stored.pixels == picture.pixels) {
        return it->second;
      }
    }
    m_Pictures.push_back(std::move(picture));
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

  // Every frame, in the export's order, with the stored picture it shows.
  std::vector<CAtlasFrame> frames;
  std::vector<size_t> stored_of_frame;
  CPictureStore store;
  for (size_t a = 0; a < document.actions.size(); ++a) {
    const CExportAction& action = document.actions[a];
    const CPixelRect whole{0, 0, action.canvasWidth, action.canvasHeight};
    for (size_t i = 0; i < action.pictures.size(); ++i) {
      if (ExportCancelled(options.cancel, error)) {
        return false;
      }
      const CExportPicture& picture = action.pictures[i];
      CAtlasFrame frame;
      frame.name = order.actions[a].frameNames[i];
      frame.action = &action;
      frame.picture = &picture;
      const CPixelRect opaque = OpaqueBounds(picture.rgba, action.canvasWidth, action.canvasHeight);
      CStoredPicture stored;
      if (opaque.w == 0) {
        // Nothing drawn: the frame stays for its duration as one transparent pixel.
        frame.source = {0, 0, 1, 1};
        frame.trimmed = true;
        stored = {1, 1, std::vector<uint8_t>(4, 0)};
      } else {
        frame.source = options.trim ? opaque : whole;
        frame.trimmed = frame.source.w != whole.w || frame.source.h != whole.h;
        stored = {frame.source.w, frame.source.h,
                  CutPixels(picture.rgba, action.canvasWidth, frame.source)};
      }
      if (stored.w > limit || stored.h > limit) {
        *error = "picture " + frame.name + " is " + std::to_string(stored.w) + "x" +
                 std::to_string(stored.h) + ", larger than the largest page side " +
                 std::to_string(limit);
        return false;
      }
      stored_of_frame.push_back(store.Add(std::move(stored)));
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
