#include "drivers/accel/canvas_rw.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "drivers/accel/canvas_util_rw.h"
#include "drivers/accel/engine/rw_tex_dictionary_stream.h"
#include "drivers/accel/geometry.h"
#include "drivers/accel/surface_rw.h"

namespace {

constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;
// Texture coordinates keep this far inside the source rectangle, so that an edge texel is never
// taken from the neighbouring module.
constexpr float kEdgeNudge = 0.000001f;
// The placed draws keep a wider margin.
constexpr float kPlacedNudge = 0.002f;
constexpr int kCircleSegments = 100;
constexpr float kCircleStep = 0.06283186f;  // 2 pi / 100

// A canvas coordinate in camera pixels. Coordinates come from documents and may lie anywhere in
// the int range, so the product is taken wide; the vertex holds it as a float either way.
float Zoomed(int zoom, int32_t value) {
  return static_cast<float>(int64_t{zoom} * value);
}

// The surface's texture when it is one of ours and holds one.
RwTexture* TextureOf(USurface* surface) {
  auto* rw = dynamic_cast<USurfaceRw*>(surface);
  return rw == nullptr ? nullptr : rw->GetTexture();
}

// The channel-by-channel product of two 0xAARRGGBB colours, rounded.
uint32_t Modulated(uint32_t a, uint32_t b) {
  uint32_t product = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t channel = ((a >> shift) & 0xFFu) * ((b >> shift) & 0xFFu);
    product |= ((channel + 127u) / 255u) << shift;
  }
  return product;
}

RwD3D9Vertex Vertex(float x, float y, float z, float rhw, uint32_t color, float u, float v) {
  return {x, y, z, rhw, color, u, v};
}

// Turns (x, y) by `m` about (cx, cy).
void RotateAbout(float* x, float* y, float cx, float cy, const RwMatrixTag& m) {
  const RwV3d relative{*x - cx, *y - cy, 0.0f};
  RwV3d turned{};
  TransformVector(&turned, &relative, &m);
  *x = cx + turned.x;
  *y = cy + turned.y;
}

// Clockwise quarter turns asked for by `fx`: ROT90 one, ROT180 two, ROT270 three (bits set
// together add up).
int QuarterTurns(const BLTFX* fx) {
  if (fx == nullptr) {
    return 0;
  }
  int turns = 0;
  turns += (fx->flags & BLTFX_ROT90) != 0 ? 1 : 0;
  turns += (fx->flags & BLTFX_ROT180) != 0 ? 2 : 0;
  turns += (fx->flags & BLTFX_ROT270) != 0 ? 3 : 0;
  return turns % 4;
}

// Turns the picture on the quad v (corners top-right, top-left, bottom-left, bottom-right)
// clockwise by `turns` quarter turns: each corner takes the texel coordinates of the corner
// `turns` steps before it going clockwise.
void TurnTexels(RwD3D9Vertex* v, int turns) {
  if (turns == 0) {
    return;
  }
  constexpr int kClockwise[4] = {1, 0, 3, 2};  // top-left, top-right, bottom-right, bottom-left
  RwD3D9Vertex before[4] = {v[0], v[1], v[2], v[3]};
  for (int i = 0; i < 4; ++i) {
    RwD3D9Vertex& corner = v[kClockwise[(i + turns) % 4]];
    corner.u = before[kClockwise[i]].u;
    corner.v = before[kClockwise[i]].v;
  }
}

}  // namespace

UCanvasRw::UCanvasRw() {
  m_BackgroundColor = 0x0000C800;
}

UCanvasRw::~UCanvasRw() {
  Release();
}

RwEngine* UCanvasRw::Engine() const {
  return m_Camera == nullptr ? nullptr : m_Camera->GetRaster()->GetEngine();
}

float UCanvasRw::RecipZ() const {
  return 1.0f / m_Camera->GetNearClipPlane();
}

int UCanvasRw::Init(HWND window) {
  m_Window = window;
  return 1;
}

namespace {

// The clip planes of every camera the canvas makes.
constexpr float kNearClip = 0.1f;
constexpr float kFarClip = 10.0f;

}  // namespace

bool UCanvasRw::CreateCanvas(UCanvasUtil* util, int width, int height) {
  Release();
  auto* rwUtil = dynamic_cast<UCanvasUtilRw*>(util);
  if (rwUtil == nullptr || rwUtil->GetWindow() == nullptr) {
    return false;
  }
  const URect client = rwUtil->GetWindow()->GetClientRect();
  m_Camera = RwCamera::Create(rwUtil->GetEngine(), client.GetWidth(), client.GetHeight(), true);
  if (m_Camera == nullptr) {
    return false;
  }
  m_Camera->SetNearClipPlane(kNearClip);
  m_Camera->SetFarClipPlane(kFarClip);
  m_CameraWindow = rwUtil->GetWindow();
  m_ClipWidth = width;
  m_ClipHeight = height;
  return true;
}

RwCamera* UCanvasRw::CameraCreate(int width, int height, int withZBuffer) {
  RwEngine* engine = Engine();
  return engine == nullptr ? nullptr : RwCamera::Create(engine, width, height, withZBuffer != 0);
}

void UCanvasRw::SetBackSize(int /*width*/, int /*height*/) {}

int UCanvasRw::Clear() {
  if (m_Camera == nullptr) {
    return 0;
  }
  const RwRGBA color{
      static_cast<uint8_t>(m_BackgroundColor >> 16), static_cast<uint8_t>(m_BackgroundColor >> 8),
      static_cast<uint8_t>(m_BackgroundColor), static_cast<uint8_t>(m_BackgroundColor >> 24)};
  if (!m_Camera->Clear(color, rwCAMERACLEARIMAGE | rwCAMERACLEARZ)) {
    return 0;
  }
  return m_Camera->BeginUpdate() ? 1 : 0;
}

std::vector<int32_t> UCanvasRw::BackdropKey(const std::vector<int32_t>& key) const {
  std::vector<int32_t> full = {static_cast<int32_t>(m_BackgroundColor),
                               m_Zoom,
                               m_OriginX,
                               m_OriginY,
                               m_ClipWidth,
                               m_ClipHeight};
  full.insert(full.end(), key.begin(), key.end());
  return full;
}

bool UCanvasRw::KeepBackdrop(const std::vector<int32_t>& key) {
  RwEngine* engine = Engine();
  if (engine == nullptr) {
    return false;
  }
  if (m_Backdrop == nullptr) {
    m_Backdrop = RwRaster::Create(engine, GetCameraWidth(), GetCameraHeight(), rwRASTERTYPECAMERA);
  }
  if (m_Backdrop == nullptr || !m_Camera->CopyPictureTo(m_Backdrop)) {
    DropBackdrop();
    return false;
  }
  m_BackdropKey = BackdropKey(key);
  return true;
}

int UCanvasRw::ClearToBackdrop(const std::vector<int32_t>& key) {
  if (m_Camera == nullptr || m_Backdrop == nullptr || m_BackdropKey != BackdropKey(key)) {
    return 0;
  }
  if (!m_Camera->Clear(RwRGBA{}, rwCAMERACLEARZ) || !m_Camera->CopyPictureFrom(m_Backdrop)) {
    return 0;
  }
  return m_Camera->BeginUpdate() ? 1 : 0;
}

void UCanvasRw::DropBackdrop() {
  RwRaster::Destroy(m_Backdrop);
  m_Backdrop = nullptr;
  m_BackdropKey.clear();
}

int UCanvasRw::Present() {
  if (m_Camera != nullptr) {
    m_Camera->EndUpdate();
    m_Camera->ShowRaster(m_Window);
  }
  return 1;
}

int UCanvasRw::UpdateBounds() {
  RwEngine* engine = Engine();
  if (engine == nullptr || m_CameraWindow == nullptr) {
    return 1;
  }
  const URect client = m_CameraWindow->GetClientRect();
  const int width = client.GetWidth();
  const int height = client.GetHeight();
  if (width != GetCameraWidth() || height != GetCameraHeight()) {
    RwCamera* camera = RwCamera::Create(engine, width, height, true);
    if (camera == nullptr) {
      return 0;
    }
    camera->SetNearClipPlane(kNearClip);
    camera->SetFarClipPlane(kFarClip);
    RwCamera::Destroy(m_Camera);
    m_Camera = camera;
    DropBackdrop();
  }
  m_ClipWidth = width;
  m_ClipHeight = height;
  return 1;
}

int UCanvasRw::UpDate() {
  return 1;
}

int UCanvasRw::Release() {
  DropBackdrop();
  RwCamera::Destroy(m_Camera);
  m_Camera = nullptr;
  m_CameraWindow = nullptr;
  return 1;
}

uint32_t UCanvasRw::GetColor(int /*x*/, int /*y*/) {
  return 0;
}

void UCanvasRw::DrawTextA(int /*x*/, int /*y*/, const char* /*text*/, uint32_t /*color*/) {}

void UCanvasRw::SetSurfaceTint(uint32_t color, int whiten) {
  m_TintColor = color;
  m_TintWhiten = std::clamp(whiten, 0, 255);
}

void UCanvasRw::DrawTextured(RwPrimitiveType type, RwD3D9Vertex* vertices, int count,
                             USurface* surface) {
  RwEngine* engine = Engine();
  RwTexture* texture = TextureOf(surface);
  if (m_TintColor != kOpaqueWhite) {
    for (int i = 0; i < count; ++i) {
      vertices[i].emissiveColor = Modulated(vertices[i].emissiveColor, m_TintColor);
    }
  }
  engine->SetRenderState(rwRENDERSTATECULLMODE, rwCULLMODECULLNONE);
  engine->SetRenderState(rwRENDERSTATEVERTEXALPHAENABLE, 1);
  engine->SetRenderState(rwRENDERSTATETEXTUREFILTER, rwFILTERNEAREST);
  if (m_TintWhiten != 0) {
    engine->SetRenderState(rwRENDERSTATETEXTUREWHITEN, m_TintWhiten);
  }
  engine->SetTextureRaster(texture == nullptr ? nullptr : texture->GetRaster());
  engine->Im2DRenderPrimitive(type, vertices, count);
  // The primitive keeps the state it was queued with; the raw draws (DrawTrig, DrawGroudPanel)
  // find the engine's start again.
  if (m_TintWhiten != 0) {
    engine->SetRenderState(rwRENDERSTATETEXTUREWHITEN, 0);
  }
}

void UCanvasRw::DrawUntextured(RwPrimitiveType type, const RwD3D9Vertex* vertices, int count) {
  RwEngine* engine = Engine();
  engine->SetTextureRaster(nullptr);
  engine->Im2DRenderPrimitive(type, vertices, count);
}

void UCanvasRw::DrawSurface(const URect* dst, USurface* surface, const URect* src,
                            const BLTFX* fx) {
  if (Engine() == nullptr || TextureOf(surface) == nullptr || dst == nullptr || src == nullptr) {
    return;
  }
  const float texW = surface->GetWidth() == 0 ? 1.0f : static_cast<float>(surface->GetWidth());
  const float texH = surface->GetHeight() == 0 ? 1.0f : static_cast<float>(surface->GetHeight());
  const int turns = m_DrawQuarterTurns ? QuarterTurns(fx) : 0;
  const float left = Zoomed(m_Zoom, dst->left);
  const float top = Zoomed(m_Zoom, dst->top);
  float right = Zoomed(m_Zoom, dst->right);
  float bottom = Zoomed(m_Zoom, dst->bottom);
  if (turns % 2 == 1 && src->GetWidth() != 0 && src->GetHeight() != 0) {
    // On its side the picture is src height wide and src width tall, then scaled as dst says.
    const double srcW = src->GetWidth();
    const double srcH = src->GetHeight();
    right = static_cast<float>(left + (double{right} - left) * srcH / srcW);
    bottom = static_cast<float>(top + (double{bottom} - top) * srcW / srcH);
  }
  const float uL = static_cast<float>(src->left) / texW + kEdgeNudge;
  const float uR = static_cast<float>(src->right) / texW - kEdgeNudge;
  const float vT = static_cast<float>(src->top) / texH + kEdgeNudge;
  const float vB = static_cast<float>(src->bottom) / texH - kEdgeNudge;
  const float z = Engine()->GetNearScreenZ();
  const float rhw = RecipZ();
  RwD3D9Vertex v[4] = {Vertex(right, top, z, rhw, kOpaqueWhite, uR, vT),
                       Vertex(left, top, z, rhw, kOpaqueWhite, uL, vT),
                       Vertex(left, bottom, z, rhw, kOpaqueWhite, uL, vB),
                       Vertex(right, bottom, z, rhw, kOpaqueWhite, uR, vB)};
  if (fx != nullptr) {
    if ((fx->flags & BLTFX_ROTATE) != 0) {
      const UPoint centre = dst->Center();
      float cx = Zoomed(m_Zoom, centre.x);
      float cy = Zoomed(m_Zoom, centre.y);
      if (turns % 2 == 1) {
        cx = (left + right) / 2;
        cy = (top + bottom) / 2;
      }
      const RwMatrixTag rotation = GetRotateMatrix(fx->angle);
      for (RwD3D9Vertex& corner : v) {
        RotateAbout(&corner.x, &corner.y, cx, cy, rotation);
      }
    }
    if ((fx->flags & BLTFX_MIRRORX) != 0) {
      std::swap(v[0].u, v[1].u);
      v[0].u -= 2 * kEdgeNudge;
      v[1].u -= 2 * kEdgeNudge;
      std::swap(v[2].u, v[3].u);
    }
    if ((fx->flags & BLTFX_MIRRORY) != 0) {
      std::swap(v[0].v, v[3].v);
      std::swap(v[1].v, v[2].v);
      v[0].v -= 2 * kEdgeNudge;
      v[1].v -= 2 * kEdgeNudge;
    }
    if ((fx->flags & BLTFX_COLOR) != 0) {
      for (RwD3D9Vertex& corner : v) {
        corner.emissiveColor = fx->color;
      }
    }
    TurnTexels(v, turns);
  }
  DrawTextured(rwPRIMTYPETRIFAN, v, 4, surface);
}

void UCanvasRw::DrawSurface(const RwMatrixTag* matrix, USurface* surface, const RwRect* src,
                            const BLTFX* fx) {
  if (Engine() == nullptr || TextureOf(surface) == nullptr || matrix == nullptr || src == nullptr) {
    return;
  }
  const float texW = surface->GetWidth() == 0 ? 1.0f : static_cast<float>(surface->GetWidth());
  const float texH = surface->GetHeight() == 0 ? 1.0f : static_cast<float>(surface->GetHeight());
  const float w = static_cast<float>(src->w);
  const float h = static_cast<float>(src->h);
  const float uL = static_cast<float>(src->x) / texW + kPlacedNudge;
  const float uR = static_cast<float>(int64_t{src->x} + src->w) / texW - kPlacedNudge;
  const float vT = static_cast<float>(src->y) / texH + kPlacedNudge;
  const float vB = static_cast<float>(int64_t{src->y} + src->h) / texH - kPlacedNudge;
  RwD3D9Vertex v[4] = {
      Vertex(w, 0, 0, 1.0f, kOpaqueWhite, uR, vT), Vertex(0, 0, 0, 1.0f, kOpaqueWhite, uL, vT),
      Vertex(0, h, 0, 1.0f, kOpaqueWhite, uL, vB), Vertex(w, h, 0, 1.0f, kOpaqueWhite, uR, vB)};
  if (fx != nullptr) {
    if ((fx->flags & BLTFX_ROTATE) != 0) {
      const RwMatrixTag rotation = GetRotateMatrix(fx->angle);
      const float cx = static_cast<float>(src->w / 2);
      const float cy = static_cast<float>(src->h / 2);
      for (RwD3D9Vertex& corner : v) {
        RotateAbout(&corner.x, &corner.y, cx, cy, rotation);
      }
    }
    if ((fx->flags & BLTFX_MIRRORX) != 0) {
      std::swap(v[0].u, v[1].u);
      std::swap(v[2].u, v[3].u);
    }
    if ((fx->flags & BLTFX_MIRRORY) != 0) {
      std::swap(v[1].v, v[2].v);
      std::swap(v[0].v, v[3].v);
    }
    if ((fx->flags & BLTFX_COLOR) != 0) {
      for (RwD3D9Vertex& corner : v) {
        corner.emissiveColor = fx->color;
      }
    }
  }
  for (RwD3D9Vertex& corner : v) {
    const RwV3d local{corner.x, corner.y, 0.0f};
    RwV3d placed{};
    TransformPoint(&placed, &local, matrix);
    corner.x = placed.x;
    corner.y = placed.y;
    corner.z = placed.z;
  }
  DrawTextured(rwPRIMTYPETRIFAN, v, 4, surface);
}

void UCanvasRw::DrawSurfaceRw(const RwMatrixTag* matrix, USurface* surface, const RwV2d* uv,
                              const BLTFX* fx) {
  if (Engine() == nullptr || TextureOf(surface) == nullptr || matrix == nullptr || uv == nullptr ||
      surface->GetWidth() == 0 || surface->GetHeight() == 0) {
    return;
  }
  const float texW = static_cast<float>(surface->GetWidth());
  const float texH = static_cast<float>(surface->GetHeight());
  const uint32_t color = fx == nullptr ? kOpaqueWhite : fx->color;
  const float corners[4][2] = {{0, 0}, {0, texH}, {texW, 0}, {texW, texH}};
  RwD3D9Vertex v[4];
  for (int i = 0; i < 4; ++i) {
    const RwV3d local{corners[i][0], corners[i][1], 0.0f};
    RwV3d placed{};
    TransformPoint(&placed, &local, matrix);
    v[i] = Vertex(placed.x, placed.y, placed.z, 1.0f, color, uv[i].x, uv[i].y);
  }
  DrawTextured(rwPRIMTYPETRISTRIP, v, 4, surface);
}

void UCanvasRw::DrawLine(float x1, float y1, float x2, float y2, uint32_t color, int /*width*/) {
  RwEngine* engine = Engine();
  if (engine == nullptr) {
    return;
  }
  const float zoom = static_cast<float>(m_Zoom);
  const RwD3D9Vertex v[2] = {Vertex(zoom * x1, zoom * y1, 0, RecipZ(), color, 0, 0),
                             Vertex(zoom * x2, zoom * y2, 0, RecipZ(), color, 1, 1)};
  engine->SetRenderState(rwRENDERSTATEVERTEXALPHAENABLE, 0);
  DrawUntextured(rwPRIMTYPELINELIST, v, 2);
}

void UCanvasRw::DrawLineRw(float x1, float y1, float x2, float y2, uint32_t color, int srcBlend) {
  RwEngine* engine = Engine();
  if (engine == nullptr) {
    return;
  }
  const float zoom = static_cast<float>(m_Zoom);
  const RwD3D9Vertex v[2] = {Vertex(zoom * x1, zoom * y1, 0, RecipZ(), color, 0, 0),
                             Vertex(zoom * x2, zoom * y2, 0, RecipZ(), color, 1, 1)};
  engine->SetRenderState(rwRENDERSTATEVERTEXALPHAENABLE, 1);
  engine->SetRenderState(rwRENDERSTATESRCBLEND, srcBlend);
  DrawUntextured(rwPRIMTYPELINELIST, v, 2);
}

void UCanvasRw::DrawCircle(int x, int y, int radius, uint32_t color) {
  if (Engine() == nullptr) {
    return;
  }
  const float zoom = static_cast<float>(m_Zoom);
  const float cx = zoom * static_cast<float>(x);
  const float cy = zoom * static_cast<float>(y);
  const float r = zoom * static_cast<float>(radius);
  RwD3D9Vertex v[kCircleSegments + 1];
  for (int i = 0; i <= kCircleSegments; ++i) {
    const float a = static_cast<float>(i) * kCircleStep;
    v[i] = Vertex(cx + std::cos(a) * r, cy + std::sin(a) * r, 0, RecipZ(), color, 0, 0);
  }
  DrawUntextured(rwPRIMTYPEPOLYLINE, v, kCircleSegments + 1);
}

void UCanvasRw::DrawCircleRw(int x, int y, int radius, uint32_t color, int srcBlend) {
  RwEngine* engine = Engine();
  if (engine == nullptr) {
    return;
  }
  engine->SetRenderState(rwRENDERSTATESRCBLEND, srcBlend);
  DrawCircle(x, y, radius, color);
}

void UCanvasRw::DrawBox(RwV2d position, RwV2d size, float angle, uint32_t color, int width) {
  const float cx = position.x + size.x / 2;
  const float cy = position.y + size.y / 2;
  RwV2d c[4] = {{position.x + size.x, position.y},
                {position.x, position.y},
                {position.x, position.y + size.y},
                {position.x + size.x, position.y + size.y}};
  const RwMatrixTag rotation = GetRotateMatrix(angle);
  for (RwV2d& corner : c) {
    RotateAbout(&corner.x, &corner.y, cx, cy, rotation);
  }
  DrawLine(c[0].x, c[0].y, c[1].x, c[1].y, color, width);
  DrawLine(c[1].x, c[1].y, c[2].x, c[2].y, color, width);
  DrawLine(c[2].x, c[2].y, c[3].x, c[3].y, color, width);
  DrawLine(c[0].x, c[0].y, c[3].x, c[3].y, color, width);
}

void UCanvasRw::DrawStockBox(RwV2d position, RwV2d size, float angle, uint32_t color) {
  RwEngine* engine = Engine();
  if (engine == nullptr) {
    return;
  }
  const float zoom = static_cast<float>(m_Zoom);
  const float left = zoom * position.x;
  const float top = zoom * position.y;
  const float right = left + zoom * size.x;
  const float bottom = top + zoom * size.y;
  const float z = engine->GetNearScreenZ();
  RwD3D9Vertex v[4] = {Vertex(right, top, z, RecipZ(), color, 0, 0),
                       Vertex(left, top, z, RecipZ(), color, 0, 0),
                       Vertex(left, bottom, z, RecipZ(), color, 0, 0),
                       Vertex(right, bottom, z, RecipZ(), color, 0, 0)};
  const RwMatrixTag rotation = GetRotateMatrix(angle);
  for (RwD3D9Vertex& corner : v) {
    RotateAbout(&corner.x, &corner.y, (left + right) / 2, (top + bottom) / 2, rotation);
  }
  DrawUntextured(rwPRIMTYPETRIFAN, v, 4);
}

void UCanvasRw::DrawGroudPanel(int x, int y, int width, int height, const RwRGBA* colors,
                               USurface* texture) {
  RwEngine* engine = Engine();
  if (engine == nullptr || colors == nullptr) {
    return;
  }
  uint32_t argb[4];
  for (int i = 0; i < 4; ++i) {
    argb[i] = (uint32_t{colors[i].alpha} << 24) | (uint32_t{colors[i].red} << 16) |
              (uint32_t{colors[i].green} << 8) | colors[i].blue;
  }
  const float left = static_cast<float>(x);
  const float top = static_cast<float>(y);
  const float right = static_cast<float>(int64_t{x} + width);
  const float bottom = static_cast<float>(int64_t{y} + height);
  const RwD3D9Vertex v[4] = {Vertex(right, top, 0, RecipZ(), argb[0], 1, 0),
                             Vertex(left, top, 0, RecipZ(), argb[1], 0, 0),
                             Vertex(left, bottom, 0, RecipZ(), argb[2], 0, 1),
                             Vertex(right, bottom, 0, RecipZ(), argb[3], 1, 1)};
  RwTexture* rwTexture = TextureOf(texture);
  engine->SetTextureRaster(rwTexture == nullptr ? nullptr : rwTexture->GetRaster());
  engine->Im2DRenderPrimitive(rwPRIMTYPETRIFAN, v, 4);
}

void UCanvasRw::DrawTrig(const RwD3D9Vertex* vertices, USurface* texture) {
  RwEngine* engine = Engine();
  if (engine == nullptr || vertices == nullptr) {
    return;
  }
  RwTexture* rwTexture = TextureOf(texture);
  engine->SetTextureRaster(rwTexture == nullptr ? nullptr : rwTexture->GetRaster());
  engine->Im2DRenderPrimitive(rwPRIMTYPETRIFAN, vertices, 3);
}

void UCanvasRw::ResetTexDict() {
  RwEngine* engine = Engine();
  if (engine == nullptr) {
    return;
  }
  engine->ResetTexDictionary();
}

void UCanvasRw::SaveTexDict(UArchiveRws& ar) {
  RwEngine* engine = Engine();
  if (engine == nullptr ||
      !RwTexDictionaryStreamWrite(*engine->GetCurrentTexDictionary(), ar.GetStream())) {
    ar.SetFailed();
  }
}

void UCanvasRw::LoadTexDict(UArchiveRws& ar) {
  ResetTexDict();
  RwEngine* engine = Engine();
  if (engine == nullptr) {
    ar.SetFailed();
    return;
  }
  unsigned int size = 0;
  if (ar.FindChunk(rwID_TEXDICTIONARY, &size, nullptr) &&
      !RwTexDictionaryStreamRead(engine, ar.GetStream(), size)) {
    ar.SetFailed();
  }
}

void UCanvasRw::GetExistTextureList(std::vector<RwTexture*>* list) {
  RwEngine* engine = Engine();
  if (engine == nullptr || list == nullptr) {
    return;
  }
  const std::vector<RwTexture*>& textures = engine->GetCurrentTexDictionary()->GetTextures();
  list->insert(list->end(), textures.begin(), textures.end());
}

bool UCanvasRw::ReadPixels(uint8_t* pixels, int stride, RwPixelOrder order) const {
  return m_Camera != nullptr && m_Camera->ReadPixels(pixels, stride, order);
}

int UCanvasRw::GetCameraWidth() const {
  return m_Camera == nullptr ? 0 : m_Camera->GetRaster()->GetWidth();
}

int UCanvasRw::GetCameraHeight() const {
  return m_Camera == nullptr ? 0 : m_Camera->GetRaster()->GetHeight();
}
