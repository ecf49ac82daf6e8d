#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "core/foundation/property.h"
#include "editor_support/dialogs/color_picker.h"
#include "editor_support/property_grid/choice_item.h"
#include "editor_support/property_grid/get_my_property_item.h"
#include "editor_support/property_grid/my_property_grid_item_float.h"
#include "editor_support/property_grid/my_property_grid_item_rgba.h"
#include "editor_support/property_grid/my_property_grid_item_urange.h"
#include "editor_support/property_grid/my_property_grid_items.h"
#include "editor_support/property_grid/pair_item.h"
#include "editor_support/property_grid/property_grid.h"
#include "editor_support/property_grid/standard_items.h"
#include "tests/support/qt_events.h"

namespace {

// A grid shown on the offscreen screen, driven with mouse and keyboard as a user drives it.
class PropertyGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid_.resize(420, 520);
    grid_.SetValueChangedHandler([this](UPropertyGridItem* item) { changed_.push_back(item); });
    category_ = grid_.AddCategory(QStringLiteral("Fields"));
  }

  template <typename Item>
  Item* Add(Item* item) {
    category_->AddChildItem(item);
    return item;
  }

  void Show() {
    grid_.ExpandAll();
    grid_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid_));
    grid_.activateWindow();
    ProcessEvents();
  }

  void ClickValue(UPropertyGridItem* item) {
    const QRect cell = grid_.GetValueCellRect(item);
    ASSERT_FALSE(cell.isEmpty());
    QTest::mouseClick(grid_.viewport(), Qt::LeftButton, {}, cell.center());
    ProcessEvents();
  }

  void ClickCaption(UPropertyGridItem* item) {
    const QRect cell = grid_.GetValueCellRect(item);
    QTest::mouseClick(grid_.viewport(), Qt::LeftButton, {},
                      QPoint(cell.left() - 40, cell.center().y()));
    ProcessEvents();
  }

  QLineEdit* OpenLineEditor() const {
    return qobject_cast<QLineEdit*>(QApplication::focusWidget());
  }

  // Clicks the item's value, replaces the text and presses Enter.
  void Type(UPropertyGridItem* item, const QString& text) {
    ClickValue(item);
    QLineEdit* editor = OpenLineEditor();
    ASSERT_NE(editor, nullptr) << item->GetCaption().toStdString();
    editor->selectAll();
    TypeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    ProcessEvents();
  }

  UPropertyGrid grid_;
  UPropertyGridItem* category_ = nullptr;
  std::vector<UPropertyGridItem*> changed_;
};

// Fields of an engine object that the items are bound to.
struct Fields {
  unsigned char byte = 0;
  int16_t short_value = 0;
  uint16_t ushort_value = 0;
  int32_t int_value = 0;
  uint32_t ulong_value = 0;
  float float_value = 0.0f;
  UString string_value;
  UName name;
  UPoint point;
  URect rect{0, 0, 0, 0};
  UVector vector;
  RGBA color;
  int32_t flag = 0;
  int32_t number = 0;
};

}  // namespace

TEST_F(PropertyGridTest, TypingAValueAndPressingEnterChangesTheBoundField) {
  Fields f;
  struct Case {
    std::function<UPropertyGridItem*()> make;
    QString typed;
    QString shown;
    std::function<bool()> stored;
  };
  const std::vector<Case> cases = {
      {[&] { return new MyPropertyGridItemByte("Byte", 5, &f.byte); }, "300", "44",
       [&] { return f.byte == 44; }},
      {[&] { return new MyPropertyGridItemShort("Short", 0, &f.short_value); }, "-70000", "-4464",
       [&] { return f.short_value == -4464; }},
      {[&] { return new MyPropertyGridItemUShort("UShort", 0, &f.ushort_value); }, "65537", "1",
       [&] { return f.ushort_value == 1; }},
      {[&] { return new MyPropertyGridItemInt("Int", 0, &f.int_value); }, "-12abc", "-12",
       [&] { return f.int_value == -12; }},
      {[&] { return new MyPropertyGridItemULONG("ULONG", 0, &f.ulong_value); }, "-1", "4294967295",
       [&] { return f.ulong_value == 0xFFFFFFFFu; }},
      {[&] { return new MyPropertyGridItemFloat("Float", 0, "%0.2f", &f.float_value); }, "2.5",
       "2.50", [&] { return f.float_value == 2.5f; }},
      {[&] { return new MyPropertyGridItemFloat("Float", 0, "%s", &f.float_value); }, "x", "0.0000",
       [&] { return f.float_value == 0.0f; }},
      {[&] { return new MyPropertyGridItemUString("UString", UString(), &f.string_value); },
       "行走 walk", "行走 walk",
       [&] { return std::string(f.string_value.text) == "\xD0\xD0\xD7\xDF walk"; }},
      {[&] { return new MyPropertyGridItemUName("UName", UName("a"), &f.name); }, "跑步", "跑步",
       [&] { return f.name == UName("\xC5\xDC\xB2\xBD"); }},
      {[&] { return new MyPropertyGridItemUPoint("UPoint", UPoint(1, 1), &f.point); }, "7", "7,0",
       [&] { return f.point == UPoint(7, 0); }},
      {[&] { return new MyPropertyGridItemURect("URect", URect(0, 0, 0, 0), &f.rect); }, "1,2, 3,4",
       "1,2,3,4",
       [&] {
         return f.rect.left == 1 && f.rect.top == 2 && f.rect.right == 3 && f.rect.bottom == 4;
       }},
      {[&] { return new MyPropertyGridItemUVector("UVector", UVector(), &f.vector); }, "1.5,-2,3",
       "1.500000,-2.000000,3.000000", [&] { return f.vector == UVector(1.5f, -2.0f, 3.0f); }},
      {[&] { return new MyPropertyGridItemRGBA("RGBA", RGBA(0), &f.color); }, "1;2;3;4",
       "1; 2; 3 ;4 ", [&] { return f.color == RGBA(0x04010203u); }},
      {[&] { return new UPropertyGridItemNumber("Number", 0, &f.number); }, "42", "42",
       [&] { return f.number == 42; }},
  };
  std::vector<UPropertyGridItem*> items;
  for (const Case& c : cases) {
    items.push_back(Add(c.make()));
  }
  Show();
  for (size_t i = 0; i < cases.size(); ++i) {
    const std::string what =
        items[i]->GetCaption().toStdString() + " typed " + cases[i].typed.toStdString();
    changed_.clear();
    Type(items[i], cases[i].typed);
    EXPECT_TRUE(cases[i].stored()) << what;
    EXPECT_EQ(items[i]->GetValue(), cases[i].shown) << what;
    EXPECT_EQ(changed_, std::vector<UPropertyGridItem*>{items[i]}) << what;
  }
}

TEST_F(PropertyGridTest, ConstructionWritesTheValueIntoTheBinding) {
  Fields f;
  f.byte = 9;
  MyPropertyGridItemByte byte("Byte", 3, &f.byte);
  EXPECT_EQ(f.byte, 3);
  MyPropertyGridItemRGBA color("RGBA", RGBA(0x80FF0000u), &f.color);
  EXPECT_EQ(f.color, RGBA(0x80FF0000u));

  // BindToFloat writes the current value at once; BindToValue waits for the next value.
  MyPropertyGridItemFloat number("Float", 1.5f, "%0.1f", nullptr);
  number.BindToFloat(&f.float_value);
  EXPECT_EQ(f.float_value, 1.5f);
  MyPropertyGridItemInt integer("Int", 8, nullptr);
  integer.BindToValue(&f.int_value);
  EXPECT_EQ(f.int_value, 0);
  integer.SetValue("9");
  EXPECT_EQ(f.int_value, 9);
}

TEST_F(PropertyGridTest, ClickingTheCaptionEditsTheValue) {
  int32_t field = 0;
  auto* item = Add(new MyPropertyGridItemInt("Int", 1, &field));
  Show();
  ClickCaption(item);
  QLineEdit* editor = OpenLineEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), QStringLiteral("1"));
  editor->selectAll();
  QTest::keyClicks(editor, "8");
  QTest::keyClick(editor, Qt::Key_Return);
  ProcessEvents();
  EXPECT_EQ(field, 8);
}

TEST_F(PropertyGridTest, EscapeAndUnchangedTextsLeaveTheValueAlone) {
  int32_t field = 0;
  auto* item = Add(new MyPropertyGridItemInt("Int", 5, &field));
  Show();
  ClickValue(item);
  QLineEdit* editor = OpenLineEditor();
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "77");
  QTest::keyClick(editor, Qt::Key_Escape);
  ProcessEvents();
  EXPECT_EQ(field, 5);
  Type(item, "5");
  EXPECT_TRUE(changed_.empty()) << "an unchanged text is no edit";
}

TEST_F(PropertyGridTest, ReadOnlyItemsRefuseEdits) {
  int32_t field = 3;
  auto* item = Add(new UPropertyGridItemNumber("Count", 3, &field));
  item->SetReadOnly(true);
  Show();
  ClickValue(item);
  EXPECT_EQ(OpenLineEditor(), nullptr);
  EXPECT_EQ(grid_.findChild<QLineEdit*>(), nullptr);
  QTest::keyClicks(&grid_, "9");
  QTest::keyClick(&grid_, Qt::Key_Return);
  ProcessEvents();
  grid_.CommitItemValue(item, "9");
  EXPECT_EQ(field, 3);
  EXPECT_EQ(item->GetValue(), QStringLiteral("3"));
  EXPECT_TRUE(changed_.empty());
}

TEST_F(PropertyGridTest, AChoiceListCommitsThePickedChoice) {
  const char* names[] = {"BLENDOP_NONE", "BLENDOP_ADD", "BLENDOP_SUB"};
  auto* choice = Add(new UPropertyGridItem("AlphaBlendOP", names[0]));
  for (int i = 0; i < 3; ++i) {
    choice->GetConstraints()->AddConstraint(names[i], i);
  }
  int32_t flag = 1;
  auto* boolean = Add(new UPropertyGridItemBool("FlipX", true, &flag));
  Show();

  ClickValue(choice);
  auto* list = qobject_cast<QComboBox*>(QApplication::focusWidget());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->currentText(), QStringLiteral("BLENDOP_NONE"));
  QTest::keyClick(list, Qt::Key_Down);
  ProcessEvents();
  EXPECT_EQ(choice->GetValue(), QStringLiteral("BLENDOP_ADD"));
  const int picked = choice->GetConstraints()->FindConstraint(choice->GetValue());
  EXPECT_EQ(choice->GetConstraints()->GetDataAt(picked), 1);
  EXPECT_EQ(changed_, std::vector<UPropertyGridItem*>{choice});

  ClickValue(boolean);
  list = qobject_cast<QComboBox*>(QApplication::focusWidget());
  ASSERT_NE(list, nullptr);
  QTest::keyClick(list, Qt::Key_Down);
  ProcessEvents();
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(boolean->GetValue(), QStringLiteral("False"));
}

TEST_F(PropertyGridTest, RangeKeepsItsBoundsInOrder) {
  URange range(1.0f, 4.0f);
  auto* item = Add(new MyPropertyGridItemURange("Range", range, nullptr, &range));
  Show();
  EXPECT_EQ(item->GetValue(), QStringLiteral("1.00,4.00"));
  EXPECT_TRUE(item->GetReadOnly());

  Type(item->GetMaxItem(), "0");
  EXPECT_EQ(range.min, 0.0f);
  EXPECT_EQ(range.max, 1.0f);
  EXPECT_EQ(item->GetValue(), QStringLiteral("0.00,1.00"));
  EXPECT_EQ(item->GetMinItem()->GetValue(), QStringLiteral("0.00"));
  EXPECT_EQ(item->GetMaxItem()->GetValue(), QStringLiteral("1.00"))
      << "the child shows the range's bound, not the number typed";
  EXPECT_EQ(changed_, std::vector<UPropertyGridItem*>{item->GetMaxItem()});

  Type(item->GetMinItem(), "5");
  EXPECT_EQ(range.min, 1.0f);
  EXPECT_EQ(range.max, 5.0f);

  item->SetValue("5,2");
  EXPECT_EQ(range.min, 2.0f);
  EXPECT_EQ(range.max, 5.0f);
  item->SetValue("3");
  EXPECT_EQ(range.min, 0.0f);
  EXPECT_EQ(range.max, 3.0f);
}

TEST_F(PropertyGridTest, ColorTextRoundTripsAndClampsChannels) {
  const RGBA half_red(0x80FF0000u);
  EXPECT_EQ(MyPropertyGridItemRGBA::RGBToString(half_red), QStringLiteral("255; 0; 0 ;128 "));
  EXPECT_EQ(MyPropertyGridItemRGBA::StringToRGB("255; 0; 0 ;128 "), half_red);
  struct Case {
    const char* text;
    uint32_t color;
  };
  const Case cases[] = {
      {"300;255;254;0", 0x00FFFFFEu},
      {"-1; 256; 7", 0x00FFFF07u},
      {"", 0x00000000u},
      {"1;2;3;4;5", 0x04010203u},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MyPropertyGridItemRGBA::StringToRGB(c.text), RGBA(c.color)) << c.text;
  }
}

TEST_F(PropertyGridTest, TheButtonOpensTheColorDialogOnTheShownColor) {
  RGBA color(0x80FF0000u);
  auto* item = Add(new MyPropertyGridItemRGBA("Color", color, &color));
  Show();

  std::vector<QColor> asked;
  bool confirm = true;
  const UColorPickHook previous =
      SetColorPickHook([&](const QColor& initial, QWidget*, QColor* picked) {
        asked.push_back(initial);
        *picked = QColor(0x12, 0x34, 0x56);
        return confirm;
      });

  QTest::mouseClick(grid_.viewport(), Qt::LeftButton, {},
                    grid_.GetInplaceButtonRect(item).center());
  ProcessEvents();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], QColor(255, 0, 0));
  EXPECT_EQ(color, RGBA(0xFF123456u));
  EXPECT_EQ(item->GetValue(), QStringLiteral("18; 52; 86 ;255 "));
  EXPECT_EQ(changed_, std::vector<UPropertyGridItem*>{item});

  // Text being typed is committed before the dialog opens, and does not come back over the
  // dialog's colour when its editor closes.
  ClickValue(item);
  QLineEdit* editor = OpenLineEditor();
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "9;9;9;9");
  QTest::mouseClick(grid_.viewport(), Qt::LeftButton, {},
                    grid_.GetInplaceButtonRect(item).center());
  ProcessEvents();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1], QColor(9, 9, 9));
  EXPECT_EQ(color, RGBA(0xFF123456u));
  EXPECT_EQ(item->GetValue(), QStringLiteral("18; 52; 86 ;255 "));

  confirm = false;
  QTest::mouseClick(grid_.viewport(), Qt::LeftButton, {},
                    grid_.GetInplaceButtonRect(item).center());
  ProcessEvents();
  EXPECT_EQ(asked.size(), 3u);
  EXPECT_EQ(color, RGBA(0xFF123456u)) << "a cancelled dialog changes nothing";

  // The owner may take the press over before the item sees it.
  grid_.SetInplaceButtonHandler([](UPropertyGridItem*) { return true; });
  QTest::mouseClick(grid_.viewport(), Qt::LeftButton, {},
                    grid_.GetInplaceButtonRect(item).center());
  ProcessEvents();
  EXPECT_EQ(asked.size(), 3u);
  SetColorPickHook(previous);
}

TEST_F(PropertyGridTest, EveryPropertyTypeGetsItsBoundItem) {
  struct Case {
    int type;
    const char* default_value;
    QString shown;
    QString typed;
    std::function<bool(UProperty&)> stored;
  };
  const std::vector<Case> cases = {
      {PROPERTY_BYTE, "7", "7", "300", [](UProperty& p) { return p.GetByte() == 44; }},
      {PROPERTY_SHORT, "-3", "-3", "12", [](UProperty& p) { return p.GetShort() == 12; }},
      {PROPERTY_INT, "70000", "70000", "-1", [](UProperty& p) { return p.GetInt() == -1; }},
      {PROPERTY_BOOL, "1", "True", "False", [](UProperty& p) { return p.GetBool() == 0; }},
      {PROPERTY_FLOAT, "2.5", "2.5000", "0.25", [](UProperty& p) { return p.GetFloat() == 0.25f; }},
      {PROPERTY_STRING, "abc", "abc", "xyz",
       [](UProperty& p) { return std::string(p.GetString().c_str()) == "xyz"; }},
      {PROPERTY_NAME, "Run", "Run", "Walk",
       [](UProperty& p) { return p.GetUName() == UName("Walk"); }},
      {PROPERTY_POINT, "3,4", "3,4", "5,6",
       [](UProperty& p) { return p.GetPoint() == UPoint(5, 6); }},
      {PROPERTY_RECT, "1,2,3,4", "1,2,3,4", "0,0,8,9",
       [](UProperty& p) { return p.GetRect().right == 8 && p.GetRect().bottom == 9; }},
      {PROPERTY_RANGE, "5,1", "1.0000,5.0000", "9,3",
       [](UProperty& p) { return p.GetRange().min == 3.0f && p.GetRange().max == 9.0f; }},
      {PROPERTY_VECTOR, "1,2,3", "1.000000,2.000000,3.000000", "0,0,1",
       [](UProperty& p) { return p.GetVector() == UVector(0, 0, 1); }},
      {PROPERTY_RGBA, "255,0,0,128", "255; 0; 0 ;128 ", "0;0;255;255",
       [](UProperty& p) { return p.GetRgba() == RGBA(0xFF0000FFu); }},
  };
  for (const Case& c : cases) {
    UProperty property(c.type, UName("Prop"), c.default_value);
    UPropertyGridItem* item = GetMyPropertyItem(&property);
    ASSERT_NE(item, nullptr) << c.type;
    category_->AddChildItem(item);
    EXPECT_EQ(item->GetCaption(), QStringLiteral("Prop"));
    EXPECT_EQ(item->GetValue(), c.shown) << c.type;
    item->SetValue(c.typed);
    EXPECT_TRUE(c.stored(property)) << c.type;
    delete item;
  }
  UProperty pointer(PROPERTY_POINTER, UName("Ptr"));
  UProperty none;
  UProperty unknown(99, UName("Odd"));
  EXPECT_EQ(GetMyPropertyItem(&pointer), nullptr);
  EXPECT_EQ(GetMyPropertyItem(&none), nullptr);
  EXPECT_EQ(GetMyPropertyItem(&unknown), nullptr);
  EXPECT_EQ(GetMyPropertyItem(nullptr), nullptr);
}

TEST_F(PropertyGridTest, ResetContentRemovesEverything) {
  Add(new MyPropertyGridItemInt("Int", 1, nullptr));
  auto* parent = Add(new UPropertyGridItem("Position", "1,2"));
  parent->AddChildItem(new MyPropertyGridItemShort("x", 1, nullptr));
  Show();
  EXPECT_TRUE(parent->isExpanded());
  EXPECT_EQ(parent->AddChildItem(nullptr), nullptr);
  grid_.ResetContent();
  EXPECT_EQ(grid_.topLevelItemCount(), 0);
  EXPECT_EQ(grid_.GetSelectedItem(), nullptr);
}

// The owner empties the grid when the object its items are bound to goes away; an edit still
// open then must not reach the field.
TEST_F(PropertyGridTest, ResetContentDropsAnOpenEdit) {
  auto field = std::make_unique<int32_t>(5);
  auto* item = Add(new MyPropertyGridItemInt("Int", *field, field.get()));
  Show();
  ClickValue(item);
  QLineEdit* editor = OpenLineEditor();
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "99");
  grid_.ResetContent();
  field.reset();  // freed: a late commit would show under AddressSanitizer
  ProcessEvents();
  if (QWidget* focused = QApplication::focusWidget()) {
    QTest::keyClick(focused, Qt::Key_Return);
  }
  ProcessEvents();
  EXPECT_TRUE(changed_.empty());
  EXPECT_EQ(grid_.topLevelItemCount(), 0);
}

// Placement flags and modes are unsigned 32-bit fields: a blend mode picked by name stores its
// number, a value no name stands for stays visible as a number, and numbers and flags bound to
// unsigned fields store what the user chose.
TEST_F(PropertyGridTest, ChoicesAndFlagsWriteUnsignedFields) {
  uint32_t mode = 12;
  uint32_t operation = 9;
  uint32_t flip = 0;
  uint32_t alpha = 7;
  auto* mode_item = Add(new UPropertyGridItemChoice(
      "AlphaBlendMode", {{"BLEND_ZERO", 1}, {"BLEND_ONE", 2}, {"BLEND_SRCCOLOR", 3}}, 2, &mode));
  auto* op_item = Add(new UPropertyGridItemChoice(
      "AlphaBlendOP", {{"BLENDOP_NONE", 0}, {"BLENDOP_ADD", 1}}, operation, &operation));
  auto* flip_item = Add(new UPropertyGridItemBool("FlipX", true, &flip));
  auto* alpha_item = Add(new UPropertyGridItemNumber("Alpha", 128, &alpha));
  EXPECT_EQ(mode, 2u);
  EXPECT_EQ(flip, 1u);
  EXPECT_EQ(alpha, 128u);
  EXPECT_EQ(mode_item->GetValue(), QStringLiteral("BLEND_ONE"));
  EXPECT_EQ(op_item->GetValue(), QStringLiteral("9"));
  Show();

  ClickValue(mode_item);
  auto* list = qobject_cast<QComboBox*>(QApplication::focusWidget());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->currentText(), QStringLiteral("BLEND_ONE"));
  QTest::keyClick(list, Qt::Key_Down);
  ProcessEvents();
  EXPECT_EQ(mode, 3u);
  EXPECT_EQ(mode_item->GetValue(), QStringLiteral("BLEND_SRCCOLOR"));
  EXPECT_EQ(changed_, std::vector<UPropertyGridItem*>{mode_item});

  // The unknown value offers no current choice; picking one replaces it.
  ClickValue(op_item);
  list = qobject_cast<QComboBox*>(QApplication::focusWidget());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->currentIndex(), -1);
  EXPECT_EQ(operation, 9u);
  list->setCurrentIndex(1);
  emit list->activated(1);
  ProcessEvents();
  EXPECT_EQ(operation, 1u);
  EXPECT_EQ(op_item->GetValue(), QStringLiteral("BLENDOP_ADD"));

  ClickValue(flip_item);
  list = qobject_cast<QComboBox*>(QApplication::focusWidget());
  ASSERT_NE(list, nullptr);
  QTest::keyClick(list, Qt::Key_Down);
  ProcessEvents();
  EXPECT_EQ(flip, 0u);

  Type(alpha_item, "-1");
  EXPECT_EQ(alpha, 0xFFFFFFFFu);
  EXPECT_EQ(alpha_item->GetValue(), QStringLiteral("-1"));
}

// A position row shows "x,y" of its two children, follows every edit of them and takes no edit
// of its own.
TEST_F(PropertyGridTest, APairRowShowsItsChildren) {
  int16_t x = 0;
  int16_t y = 0;
  auto* x_item = new MyPropertyGridItemShort("x", 3, &x);
  auto* y_item = new MyPropertyGridItemShort("y", -4, &y);
  auto* position = Add(new UPropertyGridItemPair("Position", x_item, y_item));
  EXPECT_EQ(position->GetValue(), QStringLiteral("3,-4"));
  EXPECT_EQ(x_item->GetParentItem(), position);
  EXPECT_TRUE(position->GetReadOnly());
  Show();

  Type(y_item, "25");
  EXPECT_EQ(y, 25);
  EXPECT_EQ(position->GetValue(), QStringLiteral("3,25"));
  EXPECT_EQ(changed_, std::vector<UPropertyGridItem*>{y_item});

  ClickValue(position);
  EXPECT_EQ(OpenLineEditor(), nullptr);

  x_item->SetValue("-7");
  position->UpdateFromChildren();
  EXPECT_EQ(position->GetValue(), QStringLiteral("-7,25"));
}
