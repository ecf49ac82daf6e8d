#pragma once

#include <QColor>
#include <QFont>
#include <cstdint>

// What the timeline's ruler and track share: the cell size and the GDI-style colours, given as
// 0x00BBGGRR values (red in the low byte).
namespace timeline {

inline constexpr int kCellWidth = 8;
inline constexpr int kRulerHeight = 24;
inline constexpr int kTrackHeight = 16;

inline constexpr uint32_t kRulerBack = 0xC8D0D4;
inline constexpr uint32_t kRulerBevel[4] = {12699852, 12173764, 11712956, 8421504};
inline constexpr uint32_t kMarkOuter = 2631935;
inline constexpr uint32_t kMarkInner = 9211135;
inline constexpr uint32_t kFifthCell = 0xECF4F6;
inline constexpr uint32_t kPlainCell = 0xFFFFFF;
inline constexpr uint32_t kCellBorder = 0xD8E9EC;
inline constexpr uint32_t kKeyCircle = 0x0000CC;
inline constexpr uint32_t kBlendingKey = 0xFFC0C0;
inline constexpr uint32_t kPlainKey = 0xE0E0E0;

// A colour from its 0x00BBGGRR value.
inline QColor GdiColor(uint32_t bbggrr) {
  return QColor(static_cast<int>(bbggrr & 0xFFu), static_cast<int>((bbggrr >> 8) & 0xFFu),
                static_cast<int>((bbggrr >> 16) & 0xFFu));
}

// 12 pixels, normal weight: Verdana where it is installed, else the installed sans.
inline QFont RulerFont() {
  QFont font(QStringLiteral("Verdana"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(12);
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace timeline
