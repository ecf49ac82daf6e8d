#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "drivers/accel/egl_window_host.h"
#include "editor/doc/vello_editor.h"
#include "tests/support/png_writer.h"
#include "tests/support/temp_dir.h"

// One tick of the editor's 20 ms clock while an action plays: Advance, then Render (the whole
// view drawn and presented, which waits for the picture), in a 1024 x 768 view. The action has
// two keys whose frames place the same 1,000 modules, so every tick draws a blended in-between:
// the most the playing view does. The tick must stay well under the 20 ms period.
//
// At rest the view shows the middle of seven such keys with the onion skin's 3 + 3 ghosts behind
// it; that tick must stay under 10 ms.

namespace {

constexpr int kViewWidth = 1024;
constexpr int kViewHeight = 768;
constexpr int kTexture = 256;
constexpr int kModule = 32;
constexpr int kPlacements = 1000;

// Empty shows only grid and axes: the floor of a tick.
enum class Scene { Empty, Playing, OnionSkin };

class PlayingView {
 public:
  explicit PlayingView(Scene scene) : m_Host(kViewWidth, kViewHeight) {
    if (!m_Host.IsValid() || !m_Editor.ViewInit(&m_Host)) {
      return;
    }
    m_Editor.SetCurrentDirectory(m_Dir.path().string());
    m_Editor.NewActor("bench");
    m_Editor.SetCurrentDirectory(m_Dir.path().string());
    if (scene == Scene::Empty) {
      m_Ready = true;
      return;
    }
    std::vector<uint32_t> texels;
    for (uint32_t y = 0; y < kTexture; ++y) {
      for (uint32_t x = 0; x < kTexture; ++x) {
        const uint32_t alpha = (x + y) % 7 == 0 ? 0x00 : 0xFF;
        texels.push_back(alpha << 24 | x << 16 | y << 8 | ((x * y) & 0xFF));
      }
    }
    const std::string path = m_Dir.File("modules.png");
    if (!WritePng(path, PngFromArgb(kTexture, kTexture, texels)) || !m_Editor.LoadTexture(path)) {
      return;
    }
    const int perRow = kTexture / kModule;
    for (int m = 0; m < perRow * perRow; ++m) {
      UObjModule module;
      module.left = static_cast<uint16_t>(m % perRow * kModule);
      module.top = static_cast<uint16_t>(m / perRow * kModule);
      module.right = static_cast<uint16_t>(module.left + kModule);
      module.bottom = static_cast<uint16_t>(module.top + kModule);
      m_Editor.CreateModule(module);
    }
    const int frames = scene == Scene::Playing ? 2 : 7;
    for (int f = 0; f < frames; ++f) {
      m_Editor.CreateFrame("frame" + std::to_string(f));
      UObjFrame& frame = *m_Editor.Actor()->frames[static_cast<size_t>(f)];
      for (int i = 0; i < kPlacements; ++i) {
        frame.AddModule(static_cast<uint16_t>(i % (perRow * perRow)), i % 40 * 24 - 480 + f * 8,
                        i / 40 * 28 - 360 - f * 8);
        TObjFrame& placement = frame.placements.back();
        placement.affine.FlipX = static_cast<uint32_t>(i % 2);
        placement.affine.Rotate = static_cast<uint32_t>(i % 4);
        placement.affine.RotateAngleEnable = i % 3 == 0 ? 1u : 0u;
        placement.RotateAngle = static_cast<float>(i % 90 + f * 30);
      }
    }
    m_Editor.SelectAction(m_Editor.CreateAction("play"));
    for (int f = 0; f < frames; ++f) {
      m_Editor.InsertActionKey(0, static_cast<uint32_t>(f * 24), static_cast<uint32_t>(f));
    }
    if (scene != Scene::Playing) {
      m_Editor.SelectActionFrame(3);
      m_Editor.SetOnionSkinFrames(3);
      m_Editor.SetOnionSkin(true);
      m_Ready = true;
      return;
    }
    m_Editor.ToggleLoop();
    m_Editor.Play();
    m_Ready = m_Editor.IsPlaying();
  }

  bool Ready() const { return m_Ready; }

  void Tick() {
    m_Editor.Advance(0.02f);
    m_Editor.Render();
  }

 private:
  TempDir m_Dir;
  UEglWindowHost m_Host;
  CVelloEditor m_Editor;
  bool m_Ready = false;
};

void RunTicks(benchmark::State& state, Scene scene) {
  PlayingView view(scene);
  if (!view.Ready()) {
    state.SkipWithError("no headless OpenGL 3.3 view");
    return;
  }
  for (auto _ : state) {
    view.Tick();
  }
}

void BM_PlayingTick(benchmark::State& state) {
  RunTicks(state, Scene::Playing);
}
BENCHMARK(BM_PlayingTick)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EmptyViewTick(benchmark::State& state) {
  RunTicks(state, Scene::Empty);
}
BENCHMARK(BM_EmptyViewTick)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OnionSkinTick(benchmark::State& state) {
  RunTicks(state, Scene::OnionSkin);
}
BENCHMARK(BM_OnionSkinTick)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
