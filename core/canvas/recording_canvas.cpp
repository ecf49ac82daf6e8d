#include "core/canvas/recording_canvas.h"

namespace {
template <typename T>
std::optional<T> CopyOf(const T* value) {
  return value == nullptr ? std::nullopt : std::optional<T>(*value);
}
}  // namespace

int URecordingCanvas::Init(HWND /*window*/) {
  return 1;
}

bool URecordingCanvas::CreateCanvas(UCanvasUtil* /*util*/, int width, int height) {
  m_ClipWidth = width;
  m_ClipHeight = height;
  return true;
}

void URecordingCanvas::SetBackSize(int /*width*/, int /*height*/) {}

int URecordingCanvas::Clear() {
  return 1;
}

int URecordingCanvas::Present() {
  return 1;
}

int URecordingCanvas::UpdateBounds() {
  return 1;
}

int URecordingCanvas::Release() {
  return 1;
}

uint32_t URecordingCanvas::GetColor(int /*x*/, int /*y*/) {
  return 0;
}

void URecordingCanvas::DrawTextA(int x, int y, const char* text, uint32_t color) {
  m_Calls.emplace_back(URecordedText{x, y, text == nullptr ? std::string() : text, color});
}

void URecordingCanvas::DrawSurface(const URect* dst, USurface* surface, const URect* src,
                                   const BLTFX* fx) {
  m_Calls.emplace_back(URecordedSurfaceDraw{CopyOf(dst), surface, CopyOf(src), CopyOf(fx)});
}

void URecordingCanvas::DrawLine(float x1, float y1, float x2, float y2, uint32_t color, int width) {
  m_Calls.emplace_back(URecordedLine{x1, y1, x2, y2, color, width});
}

void URecordingCanvas::DrawCircle(int x, int y, int radius, uint32_t color) {
  m_Calls.emplace_back(URecordedCircle{x, y, radius, color});
}

bool URecordingSurface::BitBlt(const URect* /*dst*/, USurface* /*source*/, const URect* /*src*/,
                               const BLTFX* /*fx*/) {
  return true;
}

bool URecordingSurface::Clear(uint32_t /*color*/) {
  return true;
}
