// Renders a grid with every kind of item to a picture under the build folder, for a person to look
// at: tests/editor_support/property_grid.png.
#include <gtest/gtest.h>

#include <cstdio>

#include <QImage>
#include <QPixmap>
#include <QTest>

#include "core/foundation/property.h"
#include "editor_support/property_grid/get_my_property_item.h"
#include "editor_support/property_grid/my_property_grid_item_float.h"
#include "editor_support/property_grid/my_property_grid_item_rgba.h"
#include "editor_support/property_grid/my_property_grid_item_urange.h"
#include "editor_support/property_grid/my_property_grid_items.h"
#include "editor_support/property_grid/property_grid.h"
#include "editor_support/property_grid/standard_items.h"

TEST(PropertyGridScreenshotTest, RendersEveryItemKind) {
  UPropertyGrid grid;
  grid.resize(460, 760);

  UPropertyGridItem* numbers = grid.AddCategory(QString::fromUtf8("数值 Numbers"));
  numbers->AddChildItem(new MyPropertyGridItemByte("Byte", 200, nullptr));
  numbers->AddChildItem(new MyPropertyGridItemShort("Short", -12, nullptr));
  numbers->AddChildItem(new MyPropertyGridItemUShort("UShort", 65535, nullptr));
  numbers->AddChildItem(new MyPropertyGridItemInt("Int", 123456, nullptr));
  numbers->AddChildItem(new MyPropertyGridItemULONG("ULONG", 4000000000u, nullptr));
  numbers->AddChildItem(new MyPropertyGridItemFloat("Float", 3.14159f, "%0.4f", nullptr));
  auto* count =
      numbers->AddChildItem(new UPropertyGridItemNumber(QString::fromUtf8("帧数"), 12, nullptr));
  count->SetReadOnly(true);

  UPropertyGridItem* texts = grid.AddCategory(QString::fromUtf8("文字 Texts"));
  UString walk;
  std::snprintf(walk.text, sizeof(walk.text), "%s", "walk cycle");
  texts->AddChildItem(new MyPropertyGridItemUString("UString", walk, nullptr));
  texts->AddChildItem(
      new MyPropertyGridItemUName(QString::fromUtf8("动作名"), UName("\xC5\xDC\xB2\xBD"), nullptr));

  UPropertyGridItem* shapes = grid.AddCategory(QString::fromUtf8("几何 Geometry"));
  shapes->AddChildItem(new MyPropertyGridItemUPoint("UPoint", UPoint(16, -8), nullptr));
  shapes->AddChildItem(new MyPropertyGridItemURect("URect", URect(0, 0, 64, 48), nullptr));
  shapes->AddChildItem(new MyPropertyGridItemUVector("UVector", UVector(1, 0.5f, -2), nullptr));
  shapes->AddChildItem(
      new MyPropertyGridItemURange("URange", URange(0.25f, 0.75f), nullptr, nullptr));
  auto* position = shapes->AddChildItem(new UPropertyGridItem("Position", "3,4"));
  position->AddChildItem(new MyPropertyGridItemShort("x", 3, nullptr));
  position->AddChildItem(new MyPropertyGridItemShort("y", 4, nullptr));

  UPropertyGridItem* looks = grid.AddCategory(QString::fromUtf8("外观 Looks"));
  looks->AddChildItem(new MyPropertyGridItemRGBA("RGBA", RGBA(0xFF3080E0u), nullptr));
  looks->AddChildItem(new MyPropertyGridItemRGBA("Half red", RGBA(0x80FF0000u), nullptr));
  looks->AddChildItem(new UPropertyGridItemBool(QString::fromUtf8("横向反转"), true, nullptr));
  auto* blend = looks->AddChildItem(new UPropertyGridItem("AlphaBlendMode", "BLEND_SRCALPHA"));
  blend->GetConstraints()->AddConstraint("BLEND_ZERO", 1);
  blend->GetConstraints()->AddConstraint("BLEND_SRCALPHA", 5);
  UProperty speed(PROPERTY_FLOAT, UName("Speed"), "1.5");
  looks->AddChildItem(GetMyPropertyItem(&speed));

  grid.ExpandAll();
  grid.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
  grid.setCurrentItem(looks->child(0), UPropertyGrid::kCaptionColumn);

  const QImage picture = grid.grab().toImage();
  const QString path = QStringLiteral(QUILLET_SCREENSHOT_DIR "/property_grid.png");
  ASSERT_TRUE(picture.save(path));
  // Not blank: the swatch's blue-ish colour is somewhere in the picture.
  bool found_swatch = false;
  for (int y = 0; y < picture.height() && !found_swatch; ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixelColor(x, y) == QColor(0x30, 0x80, 0xE0)) {
        found_swatch = true;
        break;
      }
    }
  }
  EXPECT_TRUE(found_swatch);
}
