#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/canvas/canvas.h"
#include "core/canvas/surface.h"
#include "core/core_api.h"

// Canvas calls as a canvas that draws nothing records them, so tools and tests can see exactly
// how a picture is assembled.
struct URecordedSurfaceDraw {
  std::optional<URect> dst;
  USurface* surface = nullptr;
  std::optional<URect> src;
  std::optional<BLTFX> fx;  // empty for a plain draw
};

struct URecordedLine {
  float x1 = 0;
  float y1 = 0;
  float x2 = 0;
  float y2 = 0;
  uint32_t color = 0;
  int width = 0;
};

struct URecordedCircle {
  int x = 0;
  int y = 0;
  int radius = 0;
  uint32_t color = 0;
};

struct URecordedText {
  int x = 0;
  int y = 0;
  std::string text;
  uint32_t color = 0;
};

using URecordedCall =
    std::variant<URecordedSurfaceDraw, URecordedLine, URecordedCircle, URecordedText>;

// A canvas without a back buffer that records every drawing call in order. Rectangles, grids and
// tiles arrive as the lines and surface draws they are made of.
class CORE_API URecordingCanvas : public UCanvas {
 public:
  int Init(HWND window) override;
  bool CreateCanvas(UCanvasUtil* util, int width, int height) override;
  void SetBackSize(int width, int height) override;
  int Clear() override;
  int Present() override;
  int UpdateBounds() override;
  int Release() override;
  uint32_t GetColor(int x, int y) override;
  void DrawTextA(int x, int y, const char* text, uint32_t color) override;
  void DrawSurface(const URect* dst, USurface* surface, const URect* src, const BLTFX* fx) override;
  void DrawLine(float x1, float y1, float x2, float y2, uint32_t color, int width) override;
  void DrawCircle(int x, int y, int radius, uint32_t color) override;

  const std::vector<URecordedCall>& GetCalls() const { return m_Calls; }
  void ForgetCalls() { m_Calls.clear(); }

 private:
  std::vector<URecordedCall> m_Calls;
};

// A surface that has a size and an identity but no pixels, to stand in for a texture when only
// the calls matter. Blits onto it draw nothing and succeed.
class CORE_API URecordingSurface : public USurface {
 public:
  URecordingSurface(int id, int width, int height) : m_Id(id), m_Width(width), m_Height(height) {}

  int GetWidth() override { return m_Width; }
  int GetHeight() override { return m_Height; }
  bool BitBlt(const URect* dst, USurface* source, const URect* src, const BLTFX* fx) override;
  bool Release() override { return true; }
  bool Clear(uint32_t color) override;

  int GetId() const { return m_Id; }

 private:
  int m_Id;
  int m_Width;
  int m_Height;
};
