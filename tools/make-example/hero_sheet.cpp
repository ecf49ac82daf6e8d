#include "tools/make-example/hero_sheet.h"

#include <cstddef>
#include <utility>

namespace {

constexpr uint32_t kOutline = 0xFF2B1B17u;
constexpr uint32_t kSkin = 0xFFF2C29Bu;
constexpr uint32_t kHand = 0xFFE0A982u;
constexpr uint32_t kHair = 0xFF6B3A1Eu;
constexpr uint32_t kEye = 0xFF1B1B3Au;
constexpr uint32_t kMouth = 0xFFB5553Cu;
constexpr uint32_t kShirt = 0xFF3A7BD5u;
constexpr uint32_t kBelt = 0xFF5A3A1Au;
constexpr uint32_t kBuckle = 0xFFE8C547u;
constexpr uint32_t kTrousers = 0xFF2F3E66u;
constexpr uint32_t kBoot = 0xFF4A2E1Fu;
constexpr uint32_t kShadow = 0x50000000u;

class Sheet {
 public:
  Sheet() : m_Pixels(static_cast<size_t>(kHeroSheetWidth * kHeroSheetHeight), 0u) {}

  // Paints the pixels of `area` for which `inside(x, y)` holds (x and y relative to the area's
  // top-left corner) with `colorAt(x, y)`; with `outlined`, those with a neighbour outside the
  // shape take the outline colour instead, so every part has a dark edge.
  template <typename Inside, typename ColorAt>
  void Paint(const URect& area, bool outlined, Inside inside, ColorAt colorAt) {
    const int width = area.GetWidth();
    const int height = area.GetHeight();
    auto in = [&](int x, int y) {
      return x >= 0 && y >= 0 && x < width && y < height && inside(x, y);
    };
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (!in(x, y)) {
          continue;
        }
        const bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
        const size_t at = static_cast<size_t>((area.top + y) * kHeroSheetWidth + area.left + x);
        m_Pixels[at] = outlined && edge ? kOutline : colorAt(x, y);
      }
    }
  }

  std::vector<uint32_t> Take() { return std::move(m_Pixels); }

 private:
  std::vector<uint32_t> m_Pixels;
};

// Whether (x, y) lies in the ellipse inscribed in a `width` x `height` box, tested on pixel
// centres in integers (doubled coordinates).
bool InEllipse(int x, int y, int width, int height) {
  const long long dx = 2 * x + 1 - width;
  const long long dy = 2 * y + 1 - height;
  const long long w2 = static_cast<long long>(width) * width;
  const long long h2 = static_cast<long long>(height) * height;
  return dx * dx * h2 + dy * dy * w2 <= w2 * h2;
}

// Whether (x, y) lies in a `width` x `height` box whose top corners are rounded by `radius`.
bool InShoulders(int x, int y, int width, int radius) {
  if (y >= radius) {
    return true;
  }
  const int cx = x < radius ? radius : (x >= width - radius ? width - radius - 1 : x);
  const int dx = x - cx;
  const int dy = y - radius;
  return dx * dx + dy * dy <= radius * radius;
}

void PaintHead(Sheet& sheet) {
  const int size = kHeroHead.GetWidth();
  sheet.Paint(
      kHeroHead, true, [&](int x, int y) { return InEllipse(x, y, size, size); },
      [&](int x, int y) {
        if (y < 8 || (y < 13 && (x < 4 || x > size - 5))) {
          return kHair;
        }
        if (y >= 12 && y <= 14 && (x == 8 || x == 9 || x == 14 || x == 15)) {
          return kEye;
        }
        if (y == 18 && x >= 10 && x <= 13) {
          return kMouth;
        }
        return kSkin;
      });
}

void PaintBody(Sheet& sheet) {
  const int width = kHeroBody.GetWidth();
  sheet.Paint(
      kHeroBody, true, [&](int x, int y) { return InShoulders(x, y, width, 4); },
      [&](int x, int y) {
        if (y < 3 && x >= 9 && x <= 14) {
          return kSkin;  // the neck inside the collar
        }
        if (y >= 24 && y <= 26) {
          return x >= 10 && x <= 13 ? kBuckle : kBelt;
        }
        return y > 26 ? kTrousers : kShirt;
      });
}

void PaintArm(Sheet& sheet) {
  const int width = kHeroArm.GetWidth();
  const int height = kHeroArm.GetHeight();
  sheet.Paint(
      kHeroArm, true,
      [&](int x, int y) {
        // Rounded at the shoulder and at the hand.
        return InShoulders(x, y, width, 3) && InShoulders(x, height - 1 - y, width, 3);
      },
      [&](int, int y) {
        if (y < 10) {
          return kShirt;
        }
        return y < 20 ? kSkin : kHand;
      });
}

void PaintLeg(Sheet& sheet) {
  sheet.Paint(
      kHeroLeg, true, [](int, int) { return true; },
      [](int, int y) { return y < 20 ? kTrousers : kBoot; });
}

void PaintShadow(Sheet& sheet) {
  const int width = kHeroShadow.GetWidth();
  const int height = kHeroShadow.GetHeight();
  sheet.Paint(
      kHeroShadow, false, [&](int x, int y) { return InEllipse(x, y, width, height); },
      [](int, int) { return kShadow; });
}

}  // namespace

std::vector<uint32_t> DrawHeroSheet() {
  Sheet sheet;
  PaintHead(sheet);
  PaintBody(sheet);
  PaintArm(sheet);
  PaintLeg(sheet);
  PaintShadow(sheet);
  return sheet.Take();
}
