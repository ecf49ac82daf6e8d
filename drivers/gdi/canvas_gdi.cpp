#include "drivers/gdi/canvas_gdi.h"

#include <algorithm>
#include <string>

#include "core/foundation/saturate.h"
#include "core/foundation/text_codec.h"
#include "drivers/gdi/surface_gdi.h"

namespace {

// The white the gradient of Clear runs to.
constexpr uint32_t kGradientBottom = 0x00FFFFFF;

}  // namespace

int UCanvasGdi::Init(HWND window) {
  m_Window = window;
  return 1;
}

bool UCanvasGdi::CreateCanvas(UCanvasUtil* /*util*/, int width, int height) {
  if (!m_BackBuffer.Create(width, height)) {
    return false;
  }
  m_ClipWidth = width;
  m_ClipHeight = height;
  return true;
}

void UCanvasGdi::SetBackSize(int /*width*/, int /*height*/) {}

int UCanvasGdi::Clear() {
  m_BackBuffer.FillVerticalGradient(m_ClipWidth, m_ClipHeight, m_BackgroundColor, kGradientBottom);
  return 1;
}

int UCanvasGdi::ClearTransparent() {
  m_BackBuffer.Fill({0, 0, m_ClipWidth, m_ClipHeight}, 0u);
  return 1;
}

int UCanvasGdi::Present() {
  const int width = std::min(m_ClipWidth, m_BackBuffer.Width());
  const int height = std::min(m_ClipHeight, m_BackBuffer.Height());
  if (m_Window == nullptr || width <= 0 || height <= 0) {
    return 1;
  }
  m_BackBuffer.ReadPixels(width, height, m_bPresentAlpha, m_Presented);
  m_Window->PresentPicture(m_Presented.data(), width, height, width * 4);
  return 1;
}

int UCanvasGdi::UpdateBounds() {
  if (m_Window == nullptr) {
    return 1;
  }
  if (m_bWindowed != 0) {
    const URect client = m_Window->GetClientRect();
    const UPoint top_left = m_Window->ClientToScreen({client.left, client.top});
    const UPoint bottom_right = m_Window->ClientToScreen({client.right, client.bottom});
    m_WindowBounds = URect(top_left.x, top_left.y, bottom_right.x, bottom_right.y);
    m_ClipWidth = client.GetWidth();
    m_ClipHeight = client.GetHeight();
  } else {
    m_WindowBounds = URect(0, 0, m_Window->GetScreenWidth(), m_Window->GetScreenHeight());
  }
  m_ClientRect = URect(0, 0, m_WindowBounds.GetWidth(), m_WindowBounds.GetHeight());
  return 1;
}

int UCanvasGdi::Release() {
  m_BackBuffer.Free();
  m_Presented = {};
  m_Window = nullptr;
  return 1;
}

uint32_t UCanvasGdi::GetColor(int /*x*/, int /*y*/) {
  return 0;
}

void UCanvasGdi::DrawTextA(int x, int y, const char* text, uint32_t color) {
  if (text == nullptr) {
    return;
  }
  m_BackBuffer.DrawText(x, y, GbkToUtf8(text), color, m_BackgroundColor);
}

void UCanvasGdi::DrawSurface(const URect* dst, USurface* surface, const URect* src,
                             const BLTFX* fx) {
  const auto* from = dynamic_cast<const USurfaceGdi*>(surface);
  if (dst == nullptr || src == nullptr || from == nullptr) {
    return;
  }
  const TPixelRect to{MapX(dst->left), MapY(dst->top), m_Zoom * (int64_t{dst->right} - dst->left),
                      m_Zoom * (int64_t{dst->bottom} - dst->top)};
  const TPixelRect from_rect{src->left, src->top, int64_t{src->right} - src->left,
                             int64_t{src->bottom} - src->top};
  m_BackBuffer.Blend(to, from->GetPicture(), from_rect, BlendModeOf(*from, fx));
}

void UCanvasGdi::DrawLine(float x1, float y1, float x2, float y2, uint32_t color, int width) {
  const double zoom = m_Zoom;
  m_BackBuffer.DrawLine(SaturateCast<int32_t>(zoom * x1 + m_OriginX),
                        SaturateCast<int32_t>(zoom * y1 + m_OriginY),
                        SaturateCast<int32_t>(zoom * x2 + m_OriginX),
                        SaturateCast<int32_t>(zoom * y2 + m_OriginY), color & 0x00FFFFFFu, width);
}

void UCanvasGdi::DrawCircle(int /*x*/, int /*y*/, int /*radius*/, uint32_t /*color*/) {}

int UCanvasGdi::UpDate() {
  return 1;
}
