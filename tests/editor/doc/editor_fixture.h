#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/foundation/message.h"
#include "drivers/accel/egl_window_host.h"
#include "editor/doc/vello_editor.h"
#include "tests/support/model_records.h"
#include "tests/support/png_writer.h"
#include "tests/support/temp_dir.h"

// Remembers every change mask and status text the editor context reports.
class RecordingListener : public CEditorListener {
 public:
  void OnEditorChanged(uint32_t changes) override { masks.push_back(changes); }
  void OnStatusText(StatusPane pane, const std::string& utf8) override {
    status[static_cast<int>(pane)] = utf8;
  }
  // How many notifications carried `bit`.
  int Count(uint32_t bit) const {
    int count = 0;
    for (uint32_t mask : masks) {
      count += (mask & bit) != 0 ? 1 : 0;
    }
    return count;
  }

  std::vector<uint32_t> masks;
  std::string status[4];
};

// An editor context bound to a headless 320 x 240 view (real OpenGL on Mesa) unless BindsView
// says otherwise, a fresh actor named "Test", a folder for files that is also the editor's current
// directory, and a message hook that records every text and gives the answer the test sets.
class EditorTest : public ::testing::Test {
 protected:
  static constexpr int kViewWidth = 320;
  static constexpr int kViewHeight = 240;

  void SetUp() override {
    previousHook_ = SetMessageHook([this](const UMessageRequest& request) {
      messages_.push_back(request.text);
      return answer_;
    });
    if (BindsView()) {
      ASSERT_TRUE(host_.IsValid()) << "no surfaceless EGL context with OpenGL 3.3 core";
      ASSERT_TRUE(editor_.ViewInit(&host_));
    }
    editor_.SetCurrentDirectory(dir_.path().string());
    editor_.NewActor("Test");
    editor_.SetCurrentDirectory(dir_.path().string());
    editor_.AddListener(&listener_);
  }

  void TearDown() override {
    editor_.RemoveListener(&listener_);
    // NewActor reads the process's directory again; the closing save stays in the test folder.
    editor_.SetCurrentDirectory(dir_.path().string());
    editor_.Shutdown();
    SetMessageHook(previousHook_);
  }

  // False leaves the editor context without a view, as where OpenGL 3.3 cannot start.
  virtual bool BindsView() const { return true; }

  // A 16 x 8 picture, each texel a different opaque colour, saved as `name` in the folder.
  std::string WriteTexture(const std::string& name, int width = 16, int height = 8) {
    const std::string path = dir_.File(name);
    EXPECT_TRUE(WritePng(path, PngFromArgb(width, height, Texels(width, height))));
    return path;
  }

  static uint32_t Texel(int x, int y) {
    return 0xFF000000u | static_cast<uint32_t>(x * 15 + 5) << 16 |
           static_cast<uint32_t>(y * 30 + 5) << 8 | 0x80u;
  }

  static std::vector<uint32_t> Texels(int width, int height) {
    std::vector<uint32_t> texels;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        texels.push_back(Texel(x, y));
      }
    }
    return texels;
  }

  // One texture, one 16 x 8 module of all of it, one frame with the module placed at each of
  // `positions`; the frame is selected and the view painted once, so `centre` is known.
  void MakeFrame(const std::vector<UPoint>& positions) {
    ASSERT_TRUE(editor_.LoadTexture(WriteTexture("body.png")));
    editor_.SelectModule(editor_.CreateModule(Module(0, 0, 0, 16, 8)));
    editor_.CreateFrame("frame");
    for (const UPoint& at : positions) {
      editor_.PlaceModule();
      TObjFrame& placed = Frame().placements.back();
      placed.x = static_cast<int16_t>(at.x);
      placed.y = static_cast<int16_t>(at.y);
    }
    editor_.Render();
  }

  UObjFrame& Frame(int index = -1) {
    return *editor_.Actor()
                ->frames[static_cast<size_t>(index < 0 ? editor_.SelectedFrame() : index)];
  }

  TObjFrame& Placement(int index) { return Frame().placements[static_cast<size_t>(index)]; }

  // The client point of frame-local point (x, y) at zoom 1.
  UPoint Client(int x, int y) {
    const UObjFrame& frame = Frame();
    return UPoint(x + frame.origin.x + editor_.Centre().x, y + frame.origin.y + editor_.Centre().y);
  }

  void Click(int x, int y) {
    editor_.MouseDown(CVelloEditor::kMouseLeft, Client(x, y));
    editor_.MouseUp(0, Client(x, y));
  }

  // The camera's picture as 0xAARRGGBB words, top row first.
  std::vector<uint32_t> Picture() {
    std::vector<uint32_t> pixels(static_cast<size_t>(kViewWidth * kViewHeight));
    EXPECT_TRUE(editor_.ViewCanvas().ReadPixels(reinterpret_cast<uint8_t*>(pixels.data()),
                                                kViewWidth * 4, RwPixelOrder::kBgra));
    return pixels;
  }

  static uint32_t Rgb(const std::vector<uint32_t>& picture, int x, int y) {
    return picture[static_cast<size_t>(y * kViewWidth + x)] & 0x00FFFFFFu;
  }

  TempDir dir_;
  UEglWindowHost host_{kViewWidth, kViewHeight};
  CVelloEditor editor_;
  RecordingListener listener_;
  std::vector<std::string> messages_;
  UMessageAnswer answer_ = UMessageAnswer::Ok;
  UMessageHook previousHook_;
};
