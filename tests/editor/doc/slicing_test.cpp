#include <gtest/gtest.h>

#include <vector>

#include "drivers/gdi/image_file.h"
#include "editor/doc/sprite_slicing.h"
#include "tests/editor/doc/editor_fixture.h"

namespace {

// Sprites painted into a 64 x 32 sheet, written as a PNG with alpha and read back by the driver.
class SlicingTest : public EditorTest {
 protected:
  bool BindsView() const override { return false; }

  void Paint(int left, int top, int right, int bottom, uint32_t argb) {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        texels_[static_cast<size_t>(y * 64 + x)] = argb;
      }
    }
  }

  CSliceImage Read() {
    path_ = dir_.File("sheet.png");
    EXPECT_TRUE(WritePng(path_, PngFromArgb(64, 32, texels_)));
    EXPECT_TRUE(ReadImageFile(path_.c_str(), picture_));
    return {picture_.Row(0), 64, 32, static_cast<int>(picture_.Row(1) - picture_.Row(0))};
  }

  static std::vector<URect> Regions(const CSliceImage& image, int distance, int minSize) {
    std::vector<URect> boxes;
    EXPECT_TRUE(SliceByRegions(image, CRegionSlicing{distance, minSize}, &boxes));
    return boxes;
  }

  static void Expect(const std::vector<URect>& found, const std::vector<URect>& expected) {
    ASSERT_EQ(found.size(), expected.size());
    for (size_t i = 0; i < found.size(); ++i) {
      EXPECT_TRUE(found[i].left == expected[i].left && found[i].top == expected[i].top &&
                  found[i].right == expected[i].right && found[i].bottom == expected[i].bottom)
          << i << ": " << found[i].left << "," << found[i].top << "," << found[i].right << ","
          << found[i].bottom;
    }
  }

  std::vector<uint32_t> texels_ = std::vector<uint32_t>(64 * 32, 0x00000000u);
  URasterPicture picture_;
  std::string path_;
};

TEST_F(SlicingTest, RegionsGridAndNewModules) {
  Paint(2, 2, 5, 5, 0xFF204080u);
  Paint(5, 5, 6, 6, 0xFF204080u);  // touches the block above only at a corner
  Paint(10, 2, 14, 6, 0xFF00FF00u);
  Paint(20, 2, 24, 4, 0x01FFFFFFu);    // nearly transparent, still drawn
  Paint(30, 2, 34, 6, 0xFFFF00FFu);    // the opaque colour key is not drawn
  Paint(40, 20, 41, 21, 0xFFFFFFFFu);  // a speck
  Paint(50, 20, 60, 21, 0xFFFFFFFFu);  // a thin line
  const CSliceImage image = Read();

  Expect(Regions(image, 4, 2), {{2, 2, 6, 6}, {10, 2, 14, 6}, {20, 2, 24, 4}, {50, 20, 60, 21}});
  // Four texels lie between the first two: a merge distance of 5 joins them.
  Expect(Regions(image, 5, 1), {{2, 2, 14, 6}, {20, 2, 24, 4}, {40, 20, 41, 21}, {50, 20, 60, 21}});

  std::vector<URect> cells;
  ASSERT_TRUE(SliceByGrid(image, CGridSlicing{8, 8, 0, 0, 0, 0, true}, &cells));
  Expect(cells, {{0, 0, 8, 8},
                 {8, 0, 16, 8},
                 {16, 0, 24, 8},
                 {40, 16, 48, 24},
                 {48, 16, 56, 24},
                 {56, 16, 64, 24}});
  ASSERT_TRUE(SliceByGrid(image, CGridSlicing{4, 4, 2, 2, 4, 2, false}, &cells));
  EXPECT_EQ(cells.size(), 8u * 5u);
  Expect({cells[9]}, {{10, 8, 14, 12}});
  EXPECT_FALSE(SliceByGrid(image, CGridSlicing{0, 8, 0, 0, 0, 0, true}, &cells));
  EXPECT_FALSE(SliceByRegions(CSliceImage{}, CRegionSlicing{}, &cells));

  // Only rectangles that are not modules of the texture yet are added, in one step.
  ASSERT_TRUE(editor_.LoadTexture(path_));
  editor_.CreateModule(Module(0, 2, 2, 6, 6));
  const int steps = editor_.HistorySize();
  const std::vector<URect> found = Regions(image, 4, 2);
  EXPECT_EQ(editor_.NewSlicedModules(0, found).size(), 3u);
  EXPECT_EQ(editor_.AddSlicedModules(0, found), 3);
  EXPECT_EQ(editor_.Actor()->modules.Num(), 4);
  EXPECT_EQ(editor_.HistorySize(), steps + 1);
  EXPECT_EQ(editor_.UndoName(), "自动切割");
  EXPECT_EQ(listener_.status[0], "自动切割：添加了 3 个裁剪块");
  EXPECT_EQ(editor_.AddSlicedModules(0, found), 0);
  EXPECT_EQ(editor_.HistorySize(), steps + 1);
  editor_.Undo();
  EXPECT_EQ(editor_.Actor()->modules.Num(), 1);
}

}  // namespace
