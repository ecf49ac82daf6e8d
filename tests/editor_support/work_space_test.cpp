#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QImage>
#include <QPainter>

#include "editor_support/workspace/work_space.h"

namespace {

// A tool view that overrides only what it needs; the rest stays the base's no-ops.
class ClickCounter : public UWorkSpace {
 public:
  void InitEnv(HWND window) override { m_hWnd = window; }
  void OnLBDown(unsigned int flags, UPoint point) override {
    clicks.push_back(point);
    last_flags = flags;
  }
  void Render(QPainter* dc) override { dc->fillRect(0, 0, 2, 2, Qt::red); }
  HWND Window() const { return m_hWnd; }

  std::vector<UPoint> clicks;
  unsigned int last_flags = 0;
};

}  // namespace

TEST(UWorkSpaceTest, DerivedWorkspaceReceivesOnlyWhatItOverrides) {
  ClickCounter counter;
  UWorkSpace& workspace = counter;
  workspace.InitEnv(nullptr);
  workspace.OnLBDown(1, UPoint(3, 4));
  workspace.OnLBUp(1, UPoint(3, 4));
  workspace.OnMouseMove(0, UPoint(5, 6));
  workspace.OnKeyDown('A', 1, 0);
  workspace.OnTimer();
  workspace.ZoomIn();
  workspace.ZoomOut();
  QImage picture(2, 2, QImage::Format_ARGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  workspace.Render(&painter);
  painter.end();
  workspace.DeInit();

  ASSERT_EQ(counter.clicks.size(), 1u);
  EXPECT_EQ(counter.clicks[0], UPoint(3, 4));
  EXPECT_EQ(counter.last_flags, 1u);
  EXPECT_EQ(counter.Window(), nullptr);
  EXPECT_EQ(picture.pixelColor(1, 1), QColor(Qt::red));

  UWorkSpace base;
  base.Render(nullptr);
  base.OnRBDown(2, UPoint(0, 0));
}
