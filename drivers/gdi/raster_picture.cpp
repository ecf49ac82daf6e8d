#include "drivers/gdi/raster_picture.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPen>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <new>
#include <utility>

namespace {

// Extents beyond this are no picture anyone draws; refusing them keeps the arithmetic of the
// stretching in 64 bits.
constexpr int64_t kMaxExtent = int64_t{1} << 24;

// Text further than this outside the picture cannot reach it; skipping it keeps Qt's fixed-point
// coordinates in range.
constexpr int64_t kMaxTextReach = int64_t{1} << 20;

__extension__ typedef __int128 TWide;

// Walks floor(i * length / count) for i = first, first + 1, ..., one addition a step: the offset
// into a source run of `length` that destination index i of `count` shows.
class TStretchStep {
 public:
  TStretchStep(int64_t first, int64_t count, int64_t length)
      : m_Count(count)
      , m_Step(length / count)
      , m_Extra(length % count)
      , m_Offset(first * length / count)
      , m_Remainder(first * length % count) {}

  int64_t Offset() const { return m_Offset; }
  void Next() {
    m_Offset += m_Step;
    m_Remainder += m_Extra;
    if (m_Remainder >= m_Count) {
      ++m_Offset;
      m_Remainder -= m_Count;
    }
  }

 private:
  int64_t m_Count;
  int64_t m_Step;
  int64_t m_Extra;
  int64_t m_Offset;
  int64_t m_Remainder;
};

// k * delta / steps rounded to the nearest integer (halves up), for steps > 0, without overflow.
int64_t RoundedRatio(int64_t k, int64_t delta, int64_t steps) {
  const TWide numerator = TWide{2} * k * delta + steps;
  const TWide denominator = TWide{2} * steps;
  TWide quotient = numerator / denominator;
  if (numerator % denominator != 0 && numerator < 0) {
    --quotient;
  }
  return static_cast<int64_t>(quotient);
}

// Cuts the segment (x1, y1)-(x2, y2) to the box [low, high] on both axes; false when nothing of
// it is inside.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double low, double high_x,
                 double high_y) {
  double enter = 0.0;
  double leave = 1.0;
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - low, high_x - x1, y1 - low, high_y - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) {
        return false;
      }
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      enter = std::max(enter, t);
    } else {
      leave = std::min(leave, t);
    }
  }
  if (enter > leave) {
    return false;
  }
  const double start_x = x1 + enter * dx;
  const double start_y = y1 + enter * dy;
  x2 = x1 + leave * dx;
  y2 = y1 + leave * dy;
  x1 = start_x;
  y1 = start_y;
  return true;
}

QColor OpaqueColor(uint32_t rgb) {
  return QColor::fromRgb(rgb | 0xFF000000u);
}

}  // namespace

bool URasterPicture::Create(int width, int height) {
  Free();
  if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxPixels) {
    return false;
  }
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) {
    return false;
  }
  image.fill(0u);
  m_Image = std::move(image);
  return true;
}

void URasterPicture::Free() {
  m_Image = QImage();
}

void URasterPicture::Blend(const TPixelRect& toRect, const URasterPicture& from,
                           const TPixelRect& fromRect, const TBlendMode& mode) {
  Blend(toRect, from, fromRect, mode, BestBlendLevel());
}

void URasterPicture::Blend(const TPixelRect& toRect, const URasterPicture& from,
                           const TPixelRect& fromRect, const TBlendMode& mode, EBlendLevel level) {
  if (&from == this) {
    // Drawing a picture onto itself reads what it has not yet overwritten: draw from a copy
    // (the first write below detaches this picture from it).
    const URasterPicture snapshot(from);
    Blend(toRect, snapshot, fromRect, mode, level);
    return;
  }
  if (IsNull() || from.IsNull()) {
    return;
  }
  if (toRect.width <= 0 || toRect.height <= 0 || fromRect.width <= 0 || fromRect.height <= 0 ||
      toRect.width > kMaxExtent || toRect.height > kMaxExtent || fromRect.width > kMaxExtent ||
      fromRect.height > kMaxExtent) {
    return;
  }
  const int64_t left = std::max<int64_t>(toRect.x, 0);
  const int64_t right = std::min<int64_t>(toRect.x + toRect.width, Width());
  const int64_t top = std::max<int64_t>(toRect.y, 0);
  const int64_t bottom = std::min<int64_t>(toRect.y + toRect.height, Height());
  if (left >= right || top >= bottom) {
    return;
  }

  // Which source column each destination column shows. The mapping is monotonic, so the
  // columns that fall inside the source picture form one run of `count` starting at destination
  // column `first`. A row shown one to one reads its source straight on (or straight back when
  // mirrored); a stretched row goes through a table.
  EColumnOrder order = EColumnOrder::kTable;
  int64_t first = left;
  int64_t first_source = 0;
  size_t count = 0;
  if (toRect.width == fromRect.width) {
    order = mode.mirrorX ? EColumnOrder::kBackward : EColumnOrder::kForward;
    // Source column = base + direction * destination column.
    const int64_t direction = mode.mirrorX ? -1 : 1;
    const int64_t base =
        mode.mirrorX ? fromRect.x + fromRect.width - 1 + toRect.x : fromRect.x - toRect.x;
    const int64_t inside_from = mode.mirrorX ? base - from.Width() + 1 : -base;
    first = std::max<int64_t>(left, inside_from);
    const int64_t end = std::min<int64_t>(right, inside_from + from.Width());
    if (first >= end) {
      return;
    }
    first_source = base + direction * first;
    count = static_cast<size_t>(end - first);
  } else {
    m_Columns.clear();
    TStretchStep step(left - toRect.x, toRect.width, fromRect.width);
    for (int64_t x = left; x < right; ++x, step.Next()) {
      const int64_t source_x = mode.mirrorX ? fromRect.x + fromRect.width - 1 - step.Offset()
                                            : fromRect.x + step.Offset();
      if (source_x < 0 || source_x >= from.Width()) {
        if (!m_Columns.empty()) {
          break;
        }
        first = x + 1;
        continue;
      }
      m_Columns.push_back(static_cast<int32_t>(source_x));
    }
    count = m_Columns.size();
    if (count == 0) {
      return;
    }
  }

  const uint32_t opaque_key = mode.keyed ? 0xFF000000u | (mode.key & 0x00FFFFFFu) : 0u;
  const TBlendRows& rows = BlendRowsFor(level);
  const TBlendRow blend_row = order == EColumnOrder::kForward    ? rows.forward
                              : order == EColumnOrder::kBackward ? rows.backward
                                                                 : rows.table;
  const int32_t* columns = m_Columns.data();
  // Rows are reached through the pictures' bits once, not through a call per row.
  uchar* target_bits = m_Image.bits();
  const qsizetype target_stride = m_Image.bytesPerLine();
  const uchar* source_bits = from.m_Image.constBits();
  const qsizetype source_stride = from.m_Image.bytesPerLine();
  const int64_t source_height = from.Height();
  TStretchStep step(top - toRect.y, toRect.height, fromRect.height);
  for (int64_t y = top; y < bottom; ++y, step.Next()) {
    const int64_t source_y = mode.mirrorY ? fromRect.y + fromRect.height - 1 - step.Offset()
                                          : fromRect.y + step.Offset();
    if (source_y < 0 || source_y >= source_height) {
      continue;
    }
    const auto* source =
        reinterpret_cast<const uint32_t*>(source_bits + source_y * source_stride) + first_source;
    auto* target = reinterpret_cast<uint32_t*>(target_bits + y * target_stride) + first;
    blend_row(target, source, columns, count, opaque_key);
  }
}

void URasterPicture::Fill(const TPixelRect& rect, uint32_t pixel) {
  const int64_t left = std::max<int64_t>(rect.x, 0);
  const int64_t right = std::min<int64_t>(rect.x + rect.width, Width());
  const int64_t top = std::max<int64_t>(rect.y, 0);
  const int64_t bottom = std::min<int64_t>(rect.y + rect.height, Height());
  for (int64_t y = top; y < bottom && left < right; ++y) {
    uint32_t* row = Row(static_cast<int>(y));
    std::fill(row + left, row + right, pixel);
  }
}

void URasterPicture::FillVerticalGradient(int width, int height, uint32_t top, uint32_t bottom) {
  const int columns = std::min(width, Width());
  const int rows = std::min(height, Height());
  if (columns <= 0 || rows <= 0) {
    return;
  }
  for (int y = 0; y < rows; ++y) {
    uint32_t pixel = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
      const int64_t from = int64_t{(top >> shift) & 0xFFu} << 8;
      const int64_t to = int64_t{(bottom >> shift) & 0xFFu} << 8;
      const int64_t value = from + (to - from) * y / height;
      pixel |= static_cast<uint32_t>(value >> 8) << shift;
    }
    uint32_t* row = Row(y);
    std::fill(row, row + columns, pixel);
  }
}

void URasterPicture::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t rgb,
                              int width) {
  if (IsNull()) {
    return;
  }
  if (width <= 1) {
    DrawThinLine(x1, y1, x2, y2, 0xFF000000u | rgb);
    return;
  }
  // A pen wider than the picture covers it all; cutting the line to the picture grown by the
  // pen keeps what Qt is handed within its fixed-point range.
  const int pen = std::min(width, 2 * (Width() + Height()));
  double ax = x1 + 0.5;
  double ay = y1 + 0.5;
  double bx = x2 + 0.5;
  double by = y2 + 0.5;
  if (!ClipSegment(ax, ay, bx, by, -pen, Width() + pen, Height() + pen)) {
    return;
  }
  QPainter painter(&m_Image);
  painter.setPen(QPen(OpaqueColor(rgb), pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawLine(QPointF(ax, ay), QPointF(bx, by));
}

void URasterPicture::DrawThinLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t pixel) {
  const int64_t dx = int64_t{x2} - x1;
  const int64_t dy = int64_t{y2} - y1;
  if (dx == 0 && dy == 0) {
    return;
  }
  // Step along the longer axis one pixel at a time, the other coordinate rounded from the
  // slope; the end point itself is not drawn. Only the steps that land inside the picture are
  // walked, so a line of any length costs at most the picture's size.
  const bool along_x = std::llabs(dx) >= std::llabs(dy);
  const int64_t steps = along_x ? std::llabs(dx) : std::llabs(dy);
  const int64_t major_start = along_x ? x1 : y1;
  const int64_t major_step = (along_x ? dx : dy) > 0 ? 1 : -1;
  const int64_t major_limit = along_x ? Width() : Height();
  const int64_t minor_start = along_x ? y1 : x1;
  const int64_t minor_delta = along_x ? dy : dx;
  const int64_t minor_limit = along_x ? Height() : Width();

  uchar* bits = m_Image.bits();
  const qsizetype stride = m_Image.bytesPerLine();
  int64_t k_from = 0;
  int64_t k_to = steps;
  if (major_step > 0) {
    k_from = std::max<int64_t>(k_from, -major_start);
    k_to = std::min<int64_t>(k_to, major_limit - major_start);
  } else {
    k_from = std::max<int64_t>(k_from, major_start - major_limit + 1);
    k_to = std::min<int64_t>(k_to, major_start + 1);
  }
  for (int64_t k = k_from; k < k_to; ++k) {
    const int64_t major = major_start + k * major_step;
    const int64_t minor = minor_start + RoundedRatio(k, minor_delta, steps);
    if (minor < 0 || minor >= minor_limit) {
      continue;
    }
    const int64_t x = along_x ? major : minor;
    const int64_t y = along_x ? minor : major;
    reinterpret_cast<uint32_t*>(bits + y * stride)[x] = pixel;
  }
}

void URasterPicture::DrawText(int x, int y, std::string_view utf8, uint32_t rgb,
                              uint32_t background) {
  if (IsNull() || utf8.empty() || x >= Width() || y >= Height() || x < -kMaxTextReach ||
      y < -kMaxTextReach ||
      qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    return;
  }
  // A small bitmap-like face: sans serif, 12 pixels, no smoothing, so every pixel of the box is
  // either the text colour or the background colour.
  QFont font;
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(12);
  font.setStyleStrategy(QFont::NoAntialias);
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  QPainter painter(&m_Image);
  painter.setFont(font);
  const QFontMetrics metrics = painter.fontMetrics();
  const int64_t advance = std::min<int64_t>(metrics.horizontalAdvance(text), kMaxTextReach);
  if (x + advance <= 0 || y + metrics.height() <= 0) {
    return;
  }
  painter.fillRect(QRect(x, y, static_cast<int>(advance), metrics.height()),
                   OpaqueColor(background));
  painter.setPen(OpaqueColor(rgb));
  painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

void URasterPicture::ReadPixels(int width, int height, bool straightAlpha,
                                std::vector<uint8_t>& out) const {
  const auto row_bytes = static_cast<size_t>(width) * 4;
  out.resize(row_bytes * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = Row(y);
    uint8_t* bytes = out.data() + static_cast<size_t>(y) * row_bytes;
    for (int x = 0; x < width; ++x) {
      const uint32_t pixel = straightAlpha ? qUnpremultiply(row[x]) : row[x] | 0xFF000000u;
      bytes[0] = static_cast<uint8_t>(pixel);
      bytes[1] = static_cast<uint8_t>(pixel >> 8);
      bytes[2] = static_cast<uint8_t>(pixel >> 16);
      bytes[3] = static_cast<uint8_t>(pixel >> 24);
      bytes += 4;
    }
  }
}
