#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "drivers/accel/canvas_rw.h"
#include "drivers/accel/canvas_util_rw.h"
#include "drivers/accel/egl_window_host.h"
#include "drivers/accel/surface_rw.h"
#include "tests/support/png_writer.h"
#include "tests/support/temp_dir.h"

// A frame as the editor draws one: 1,000 placements of 32 x 32 modules from one 512 x 512
// texture on a 1024 x 1024 camera, each through UCanvasRw::DrawSurface with an effects record.
// Beside it the floor for the same work on this GL: the same quads as one triangle list with the
// render states set once. Both must give the same pixels.

namespace {

constexpr int kCamera = 1024;
constexpr int kTexture = 512;
constexpr int kModule = 32;
constexpr int kPlacements = 1000;

class Scene {
 public:
  Scene() : m_Host(kCamera, kCamera) {
    if (!m_Host.IsValid() || m_Util.Init(&m_Host) != 1 || m_Canvas.Init(&m_Host) != 1 ||
        !m_Canvas.CreateCanvas(&m_Util, kCamera, kCamera)) {
      return;
    }
    // Texels that differ everywhere, with some transparent ones so blending has work to do.
    std::vector<uint32_t> texels;
    for (uint32_t y = 0; y < kTexture; ++y) {
      for (uint32_t x = 0; x < kTexture; ++x) {
        const uint32_t alpha = (x + y) % 7 == 0 ? 0x00 : ((x ^ y) % 5 == 0 ? 0x80 : 0xFF);
        texels.push_back(alpha << 24 | (x & 0xFF) << 16 | (y & 0xFF) << 8 | ((x * y) & 0xFF));
      }
    }
    const std::string path = m_Dir.File("modules.png");
    WritePng(path, PngFromArgb(kTexture, kTexture, texels));
    m_Surface = m_Util.CreateUSurfaceFromFile(path.c_str(), 0, 0);
    if (m_Surface == nullptr) {
      return;
    }
    const int perRow = kTexture / kModule;
    for (int i = 0; i < kPlacements; ++i) {
      const int module = i % (perRow * perRow);
      const int sx = module % perRow * kModule;
      const int sy = module / perRow * kModule;
      const int dx = i % (kCamera / kModule) * kModule;
      const int dy = i / (kCamera / kModule) * kModule;
      m_Src.emplace_back(sx, sy, sx + kModule, sy + kModule);
      m_Dst.emplace_back(dx, dy, dx + kModule, dy + kModule);
      // The fan DrawSurface makes, as two triangles.
      const float uL = static_cast<float>(sx) / kTexture + 0.000001f;
      const float uR = static_cast<float>(sx + kModule) / kTexture - 0.000001f;
      const float vT = static_cast<float>(sy) / kTexture + 0.000001f;
      const float vB = static_cast<float>(sy + kModule) / kTexture - 0.000001f;
      const float l = static_cast<float>(dx), t = static_cast<float>(dy);
      const float r = l + kModule, b = t + kModule;
      const RwD3D9Vertex tr{r, t, 0, 10, 0xFFFFFFFFu, uR, vT};
      const RwD3D9Vertex tl{l, t, 0, 10, 0xFFFFFFFFu, uL, vT};
      const RwD3D9Vertex bl{l, b, 0, 10, 0xFFFFFFFFu, uL, vB};
      const RwD3D9Vertex br{r, b, 0, 10, 0xFFFFFFFFu, uR, vB};
      m_Batch.insert(m_Batch.end(), {tr, tl, bl, tr, bl, br});
    }
    m_Ready = true;
  }
  ~Scene() {
    if (m_Surface != nullptr) {
      m_Surface->Release();
      delete m_Surface;
    }
    m_Canvas.Release();
    m_Util.DeInit();
  }

  bool Ready() const { return m_Ready; }

  void DriverFrame() {
    m_Canvas.Clear();
    BLTFX fx;  // the frame renderer always passes an effects record
    for (size_t i = 0; i < m_Dst.size(); ++i) {
      m_Canvas.DrawSurface(&m_Dst[i], m_Surface, &m_Src[i], &fx);
    }
    m_Canvas.Present();  // waits for the picture
  }

  void BatchedFrame() {
    m_Canvas.Clear();
    RwEngine* engine = m_Util.GetEngine();
    engine->SetRenderState(rwRENDERSTATECULLMODE, rwCULLMODECULLNONE);
    engine->SetRenderState(rwRENDERSTATEVERTEXALPHAENABLE, 1);
    engine->SetRenderState(rwRENDERSTATETEXTUREFILTER, rwFILTERNEAREST);
    engine->SetTextureRaster(static_cast<USurfaceRw*>(m_Surface)->GetTexture()->GetRaster());
    engine->Im2DRenderPrimitive(rwPRIMTYPETRILIST, m_Batch.data(),
                                static_cast<int>(m_Batch.size()));
    m_Canvas.Present();
  }

  std::vector<uint32_t> Pixels() {
    std::vector<uint32_t> pixels(static_cast<size_t>(kCamera) * kCamera);
    m_Canvas.ReadPixels(reinterpret_cast<uint8_t*>(pixels.data()), kCamera * 4,
                        RwPixelOrder::kBgra);
    return pixels;
  }

  int DrawCalls() { return m_Util.GetEngine()->GetDrawCallCount(); }

 private:
  TempDir m_Dir;
  UEglWindowHost m_Host;
  UCanvasUtilRw m_Util;
  UCanvasRw m_Canvas;
  USurface* m_Surface = nullptr;
  std::vector<URect> m_Src;
  std::vector<URect> m_Dst;
  std::vector<RwD3D9Vertex> m_Batch;
  bool m_Ready = false;
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

// Both frames once, compared pixel for pixel; false skips the benchmarks.
bool SamePixels(benchmark::State& state) {
  Scene& scene = TheScene();
  if (!scene.Ready()) {
    state.SkipWithError("no headless GL context or texture");
    return false;
  }
  scene.DriverFrame();
  const std::vector<uint32_t> driver = scene.Pixels();
  scene.BatchedFrame();
  if (scene.Pixels() != driver) {
    state.SkipWithError("the driver's frame and the batched floor differ");
    return false;
  }
  return true;
}

void BM_DriverFrame(benchmark::State& state) {
  if (!SamePixels(state)) {
    return;
  }
  Scene& scene = TheScene();
  const int before = scene.DrawCalls();
  for (auto _ : state) {
    scene.DriverFrame();
  }
  state.counters["draw_calls_per_frame"] = benchmark::Counter(
      static_cast<double>(scene.DrawCalls() - before) / static_cast<double>(state.iterations()));
}

void BM_BatchedFloor(benchmark::State& state) {
  if (!SamePixels(state)) {
    return;
  }
  Scene& scene = TheScene();
  for (auto _ : state) {
    scene.BatchedFrame();
  }
}

}  // namespace

BENCHMARK(BM_DriverFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BatchedFloor)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
