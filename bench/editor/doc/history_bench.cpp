#include <benchmark/benchmark.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bench/support/large_actor.h"
#include "core/anim/actor_file.h"
#include "core/foundation/message.h"
#include "drivers/accel/egl_window_host.h"
#include "editor/doc/vello_editor.h"
#include "tests/support/png_writer.h"
#include "tests/support/temp_dir.h"

// Edits on the large document opened in the editor context with its texture, in a headless view:
// about 1 MB stored (2,000 frames; argument 1) and about 10 MB (20,000 frames; argument 10).
// One mouse move of a placement drag and one nudge of a run must cost what they change, well
// under a millisecond and about the same on both; undo and redo of a move must fit one tick of
// the editor's 20 ms clock. Recording a nudge as a step of its own is measured too.

namespace {

using Clock = std::chrono::steady_clock;

class LargeDocument {
 public:
  explicit LargeDocument(int megabytes = 1) : m_Host(320, 240) {
    m_PreviousHook = SetMessageHook([this](const UMessageRequest&) {
      m_Complained = true;
      return UMessageAnswer::Ok;
    });
    if (!m_Host.IsValid() || !m_Editor.ViewInit(&m_Host)) {
      return;
    }
    m_Editor.SetCurrentDirectory(m_Dir.path().string());
    m_Editor.NewActor("bench");
    UObjActor actor;
    BuildLargeActor(actor, kLargeActorFrames * megabytes);
    const std::string path = m_Dir.File("large.an1");
    const int size = kLargeActorTextureSize;
    if (!SaveActorFile(path.c_str(), actor) ||
        !WritePng(
            m_Dir.File("sheet.png"),
            PngFromArgb(size, size,
                        std::vector<uint32_t>(static_cast<size_t>(size * size), 0xFF336699u))) ||
        !m_Editor.LoadActor(path)) {
      return;
    }
    m_Editor.SelectFrame(kLargeActorFrames / 2);
    m_Editor.SelectPlacement(0);
    m_Editor.NudgePlacement(1, 0);
    m_Editor.SelectPlacement(-1);  // the nudge is recorded
    m_Ready = !m_Complained && m_Editor.CanUndo() && m_Editor.TextureSurfaces()[0] != nullptr;
  }
  ~LargeDocument() {
    m_Editor.SetCurrentDirectory(m_Dir.path().string());
    m_Editor.Shutdown();
    SetMessageHook(m_PreviousHook);
  }

  bool Ready() const { return m_Ready; }
  CVelloEditor& Editor() { return m_Editor; }

 private:
  TempDir m_Dir;
  UEglWindowHost m_Host;
  CVelloEditor m_Editor;
  UMessageHook m_PreviousHook;
  bool m_Complained = false;
  bool m_Ready = false;
};

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// Each iteration undoes the move and redoes it; only the half named by `timeUndo` is counted.
void RunUndoRedo(benchmark::State& state, bool timeUndo) {
  LargeDocument document(static_cast<int>(state.range(0)));
  if (!document.Ready()) {
    state.SkipWithError("no headless OpenGL 3.3 view or the document did not open");
    return;
  }
  CVelloEditor& editor = document.Editor();
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    editor.Undo();
    const Clock::time_point middle = Clock::now();
    editor.Redo();
    const Clock::time_point end = Clock::now();
    state.SetIterationTime(timeUndo ? Seconds(start, middle) : Seconds(middle, end));
  }
  if (!editor.CanUndo() || editor.CanRedo()) {
    state.SkipWithError("the move was not undone and redone");
  }
}

void BM_UndoPlacementMove(benchmark::State& state) {
  RunUndoRedo(state, true);
}
BENCHMARK(BM_UndoPlacementMove)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_RedoPlacementMove(benchmark::State& state) {
  RunUndoRedo(state, false);
}
BENCHMARK(BM_RedoPlacementMove)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->UseManualTime();

// One mouse move of a drag of placement 1 (unturned, unscaled) back and forth by a pixel; the
// button stays down, so the drag is recorded only after the timing.
void BM_DragMoveEvent(benchmark::State& state) {
  LargeDocument document(static_cast<int>(state.range(0)));
  if (!document.Ready()) {
    state.SkipWithError("no headless OpenGL 3.3 view or the document did not open");
    return;
  }
  CVelloEditor& editor = document.Editor();
  editor.Render();
  const UObjFrame& frame = *editor.Actor()->frames[static_cast<size_t>(editor.SelectedFrame())];
  const TObjFrame& placement = frame.placements[1];
  const UPoint grab(placement.x + 8 + frame.origin.x + editor.Centre().x,
                    placement.y + 8 + frame.origin.y + editor.Centre().y);
  editor.SelectPlacement(1);  // a press on the selected placement keeps it, however covered
  editor.MouseDown(CVelloEditor::kMouseLeft, grab);
  if (editor.SelectedPlacement() != 1) {
    state.SkipWithError("the press did not pick the placement");
    return;
  }
  int step = 0;
  for (auto _ : state) {
    step = 1 - step;
    editor.MouseMove(CVelloEditor::kMouseLeft, UPoint(grab.x + 1 + step, grab.y));
  }
  editor.MouseUp(0, grab);
}
BENCHMARK(BM_DragMoveEvent)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond)->UseRealTime();

// One nudge of a run on the same placement, back and forth.
void BM_NudgeInRun(benchmark::State& state) {
  LargeDocument document(static_cast<int>(state.range(0)));
  if (!document.Ready()) {
    state.SkipWithError("no headless OpenGL 3.3 view or the document did not open");
    return;
  }
  CVelloEditor& editor = document.Editor();
  editor.SelectPlacement(1);
  int step = 1;
  for (auto _ : state) {
    step = -step;
    editor.NudgePlacement(step, 0);
  }
}
BENCHMARK(BM_NudgeInRun)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A nudge of another placement than the last one's: a new step each time, with the history
// full after the first 200 and its oldest step dropped from then on.
void BM_RecordNudgeStep(benchmark::State& state) {
  LargeDocument document;
  if (!document.Ready()) {
    state.SkipWithError("no headless OpenGL 3.3 view or the document did not open");
    return;
  }
  CVelloEditor& editor = document.Editor();
  int placement = 0;
  for (auto _ : state) {
    placement = 1 - placement;
    editor.SelectPlacement(placement);
    editor.NudgePlacement(1, 0);
  }
}
BENCHMARK(BM_RecordNudgeStep)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
