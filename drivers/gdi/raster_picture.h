#pragma once

#include <QImage>
#include <cstdint>
#include <string_view>
#include <vector>

#include "drivers/gdi/blend_rows.h"
#include "drivers/gdi/lumsel_api.h"

// A rectangle in pixels, wide enough to hold zoomed canvas coordinates without overflow.
struct TPixelRect {
  int64_t x = 0;
  int64_t y = 0;
  int64_t width = 0;
  int64_t height = 0;
};

// How a source picture is laid onto a destination by URasterPicture::Blend.
struct TBlendMode {
  bool mirrorX = false;
  bool mirrorY = false;
  bool keyed = false;  // leave out source pixels of the colour key
  uint32_t key = 0;    // 0x..RRGGBB; only its colour counts
};

// A 0xAARRGGBB pixel with straight alpha as a URasterPicture holds it: premultiplied.
inline uint32_t PremultipliedPixel(uint32_t argb) {
  const uint32_t alpha = argb >> 24;
  return alpha << 24 | (((argb >> 16) & 0xFFu) * alpha / 255) << 16 |
         (((argb >> 8) & 0xFFu) * alpha / 255) << 8 | (argb & 0xFFu) * alpha / 255;
}

// The memory bitmap under the GDI-style driver: a picture in premultiplied 32-bit ARGB (bytes
// blue, green, red, alpha, as a 32-bit device-independent bitmap) with the few operations the
// driver draws with. Qt's raster engine draws what it draws the same way (wide lines, text); our
// own loops do the colour key, mirroring, nearest-neighbour stretching, the gradient and thin
// lines, so that those come out pixel for pixel as the driver defines them.
class LUMSEL_API URasterPicture {
 public:
  // Pictures larger than this many pixels are refused, so that no size read from a file or
  // handed in by a caller can ask for gigabytes.
  static constexpr int64_t kMaxPixels = int64_t{1} << 26;

  // Makes this a `width` x `height` picture of transparent black. False, leaving the picture
  // empty, for a size that is not positive, exceeds kMaxPixels, or cannot be allocated.
  bool Create(int width, int height);
  // Frees the pixels; the picture becomes empty.
  void Free();

  bool IsNull() const { return m_Image.isNull(); }
  int Width() const { return m_Image.width(); }
  int Height() const { return m_Image.height(); }
  // Row `y` of premultiplied 0xAARRGGBB pixels; `y` must lie inside the picture.
  uint32_t* Row(int y) { return reinterpret_cast<uint32_t*>(m_Image.scanLine(y)); }
  const uint32_t* Row(int y) const {
    return reinterpret_cast<const uint32_t*>(m_Image.constScanLine(y));
  }

  // Draws the `fromRect` part of `from` into `toRect` of this picture, stretched by nearest
  // neighbour and mirrored as `mode` says, so that the destination shows exactly the source
  // rectangle. A source pixel that is fully transparent, or that is the opaque colour key of a
  // keyed draw, leaves the destination untouched; every other pixel is blended source-over
  // (opaque pixels are copied). Source pixels outside `from` count as transparent.
  void Blend(const TPixelRect& toRect, const URasterPicture& from, const TPixelRect& fromRect,
             const TBlendMode& mode);
  // Blend with the row loops of `level` (or of the best level below it that this processor
  // runs) in place of the best ones, so that every level can be checked against the others.
  void Blend(const TPixelRect& toRect, const URasterPicture& from, const TPixelRect& fromRect,
             const TBlendMode& mode, EBlendLevel level);
  // Sets every pixel of `rect` (clipped to the picture) to the premultiplied `pixel`.
  void Fill(const TPixelRect& rect, uint32_t pixel);
  // Fills (0, 0)-(width, height), clipped to the picture, with opaque rows that run from the
  // colour of `top` in the first row towards the colour of `bottom` below the last row. Colours
  // are 0x..RRGGBB and are interpolated as colours in 16 bits a channel.
  void FillVerticalGradient(int width, int height, uint32_t top, uint32_t bottom);
  // A line of the opaque colour `rgb` (0x..RRGGBB) from (x1, y1) towards (x2, y2). A line up to
  // one pixel wide leaves its end point out, so that joined lines meet without overdrawing;
  // wider lines are drawn with round ends.
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t rgb, int width);
  // UTF-8 text in the opaque colour `rgb`, on an opaque box of the colour `background`, with
  // its top-left corner at (x, y). Needs a QGuiApplication; without one nothing is drawn.
  void DrawText(int x, int y, std::string_view utf8, uint32_t rgb, uint32_t background);
  // The pixels of (0, 0)-(width, height) as bytes blue, green, red, alpha, rows packed: opaque
  // as a window shows them, or with straight alpha when `straightAlpha` is set. The size must
  // lie inside the picture.
  void ReadPixels(int width, int height, bool straightAlpha, std::vector<uint8_t>& out) const;

 private:
  void DrawThinLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t pixel);

  QImage m_Image;
  // The source column of each destination column of the current Blend, kept between calls so
  // that drawing many small pictures does not allocate.
  std::vector<int32_t> m_Columns;
};
