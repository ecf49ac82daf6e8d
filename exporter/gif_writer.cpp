#include "exporter/gif_writer.h"

#include <FreeImage.h>

#include <limits>
#include <memory>

#include "exporter/gif_page.h"
#include "exporter/gif_timing.h"
#include "exporter/picture_trim.h"

namespace {

struct CCloseMemory {
  void operator()(FIMEMORY* memory) const { FreeImage_CloseMemory(memory); }
};
using TMemory = std::unique_ptr<FIMEMORY, CCloseMemory>;

struct CCloseMultiBitmap {
  void operator()(FIMULTIBITMAP* bitmap) const { FreeImage_CloseMultiBitmap(bitmap); }
};
using TMultiBitmap = std::unique_ptr<FIMULTIBITMAP, CCloseMultiBitmap>;

struct CDeleteTag {
  void operator()(FITAG* tag) const { FreeImage_DeleteTag(tag); }
};
using TTag = std::unique_ptr<FITAG, CDeleteTag>;

// The GIF disposal that clears a page's area to the background, transparent here, so that the
// transparent parts of the next page show nothing of this one.
constexpr BYTE kRestoreToBackground = 2;

template <typename T>
bool SetAnimationValue(FIBITMAP* page, const char* key, FREE_IMAGE_MDTYPE type, T value) {
  const TTag tag(FreeImage_CreateTag());
  return tag != nullptr && FreeImage_SetTagKey(tag.get(), key) &&
         FreeImage_SetTagType(tag.get(), type) && FreeImage_SetTagCount(tag.get(), 1) &&
         FreeImage_SetTagLength(tag.get(), sizeof(T)) && FreeImage_SetTagValue(tag.get(), &value) &&
         FreeImage_SetMetadata(FIMD_ANIMATION, page, key, tag.get());
}

bool CheckPictures(const CExportAction& action, std::string* error) {
  constexpr int kLargestSide = std::numeric_limits<uint16_t>::max();
  if (action.canvasWidth <= 0 || action.canvasHeight <= 0 || action.canvasWidth > kLargestSide ||
      action.canvasHeight > kLargestSide) {
    *error = "the canvas " + std::to_string(action.canvasWidth) + " x " +
             std::to_string(action.canvasHeight) + " cannot be an animated GIF";
    return false;
  }
  for (size_t i = 0; i < action.pictures.size(); ++i) {
    if (!FitsCanvas(action.pictures[i].bits, action.canvasWidth, action.canvasHeight)) {
      *error = "picture " + std::to_string(i) + " does not match the action's canvas";
      return false;
    }
  }
  return true;
}

// Adds the pages of `plan` to `gif`; pages in a row that show the same drawing are quantised once.
bool AppendPages(const CExportAction& action, const std::vector<CGifPage>& plan,
                 FIMULTIBITMAP* gif) {
  TGifBitmap page;
  size_t pagePicture = 0;
  for (size_t i = 0; i < plan.size(); ++i) {
    if (page == nullptr ||
        action.pictures[pagePicture].bits != action.pictures[plan[i].picture].bits) {
      pagePicture = plan[i].picture;
      page = MakeGifPage(
          CanvasPixels(*action.pictures[pagePicture].bits, action.canvasWidth, action.canvasHeight),
          action.canvasWidth, action.canvasHeight);
      if (page == nullptr ||
          !SetAnimationValue(page.get(), "DisposalMethod", FIDT_BYTE, kRestoreToBackground)) {
        return false;
      }
    }
    // FreeImage writes a page's delay as its frame time in milliseconds divided by ten.
    const LONG frameTimeMs = LONG{plan[i].hundredths} * 10;
    if (i == 0 && !SetAnimationValue(page.get(), "Loop", FIDT_LONG, LONG{0})) {  // 0: forever
      return false;
    }
    if (!SetAnimationValue(page.get(), "FrameTime", FIDT_LONG, frameTimeMs)) {
      return false;
    }
    FreeImage_AppendPage(gif, page.get());
  }
  return FreeImage_GetPageCount(gif) == static_cast<int>(plan.size());
}

}  // namespace

bool EncodeAnimatedGif(const CExportAction& action, std::vector<unsigned char>* bytes,
                       std::string* error) {
  bytes->clear();
  std::vector<CGifPage> plan;
  if (!PlanGifPages(action.pictures, &plan, error) || !CheckPictures(action, error)) {
    return false;
  }
  // A multi-page bitmap opened on an empty stream starts with no pages and never touches a file.
  const TMemory source(FreeImage_OpenMemory());
  const TMemory encoded(FreeImage_OpenMemory());
  if (source == nullptr || encoded == nullptr) {
    *error = "out of memory for the GIF";
    return false;
  }
  {
    const TMultiBitmap gif(FreeImage_LoadMultiBitmapFromMemory(FIF_GIF, source.get(), 0));
    if (gif == nullptr || !AppendPages(action, plan, gif.get()) ||
        !FreeImage_SaveMultiBitmapToMemory(FIF_GIF, gif.get(), encoded.get(), 0)) {
      *error = "FreeImage could not encode the GIF";
      return false;
    }
  }
  BYTE* data = nullptr;
  DWORD size = 0;
  if (!FreeImage_AcquireMemory(encoded.get(), &data, &size) || data == nullptr || size == 0) {
    *error = "FreeImage could not encode the GIF";
    return false;
  }
  bytes->assign(data, data + size);
  return true;
}
