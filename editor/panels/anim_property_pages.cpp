#include "editor/panels/anim_property_pages.h"

#include "editor/doc/placement_fields.h"
#include "editor/panels/checked_number_item.h"
#include "editor/res/ui_text.h"
#include "editor_support/property_grid/choice_item.h"
#include "editor_support/property_grid/my_property_grid_item_float.h"
#include "editor_support/property_grid/my_property_grid_items.h"
#include "editor_support/property_grid/property_grid.h"
#include "editor_support/property_grid/standard_items.h"

namespace {

// The placement's blend factors, numbered as Direct3D 9 numbers them.
const std::initializer_list<UPropertyGridItemChoice::Choice> kBlendModes = {
    {"BLEND_ZERO", 1},
    {"BLEND_ONE", 2},
    {"BLEND_SRCCOLOR", 3},
    {"BLEND_INVSRCCOLOR", 4},
    {"BLEND_SRCALPHA", 5},
    {"BLEND_INVSRCALPHA", 6},
    {"BLEND_DESTALPHA", 7},
    {"BLEND_INVDESTALPHA", 8},
    {"BLEND_DESTCOLOR", 9},
    {"BLEND_INVDESTCOLOR", 10},
    {"BLEND_SRCALPHASAT", 11},
    {"BLEND_BOTHSRCALPHA", 12},
    {"BLEND_BOTHINVSRCALPHA", 13},
    {"BLEND_BLENDFACTOR", 14},
    {"BLEND_INVBLENDFACTOR", 15},
};

const std::initializer_list<UPropertyGridItemChoice::Choice> kBlendOperations = {
    {"BLENDOP_NONE", 0},        {"BLENDOP_ADD", 1}, {"BLENDOP_SUB", 2},
    {"BLENDOP_REVSUBTRACT", 3}, {"BLENDOP_MIN", 4}, {"BLENDOP_MAX", 5},
};

const std::initializer_list<UPropertyGridItemChoice::Choice> kQuarterTurns = {
    {"ROTATE0", 0}, {"ROTATE90", 1}, {"ROTATE180", 2}, {"ROTATE270", 3}};

// A number the user sees but cannot edit.
UPropertyGridItem* ShownNumber(const QString& caption, int value) {
  auto* item = new UPropertyGridItemNumber(caption, value, nullptr);
  item->SetReadOnly(true);
  return item;
}

UPropertyGridItem* UShort(const QString& caption, uint16_t& field,
                          std::function<CNumberRange()> range = FieldRange<uint16_t>) {
  return new CCheckedNumberItem<MyPropertyGridItemUShort>(std::move(range), caption, field, &field);
}

UPropertyGridItem* Flag(const QString& caption, uint32_t& field) {
  return new UPropertyGridItemBool(caption, field != 0, &field);
}

UPropertyGridItem* Float(const QString& caption, float& field) {
  return new CCheckedNumberItem<MyPropertyGridItemFloat>(FieldRange<float>, caption, field, "%0.2f",
                                                         &field);
}

UPropertyGridItem* Choice(const QString& caption,
                          std::initializer_list<UPropertyGridItemChoice::Choice> choices,
                          uint32_t& field) {
  return new UPropertyGridItemChoice(caption, choices, field, &field);
}

void AddPlacementCategory(UPropertyGrid& grid, TObjFrame& placement, uint32_t differing) {
  UPropertyGridItem* category = grid.AddCategory(UiText::tr("当前选择Module"));
  WObjAffine& affine = placement.affine;
  // Each item names its field, and shows no value where the selected placements differ.
  const auto add = [category, differing](PlacementField field, UPropertyGridItem* item) {
    item->setData(0, Qt::UserRole, static_cast<uint32_t>(field));
    if ((differing & PlacementFieldBit(field)) != 0) {
      item->setText(1, QString());
    }
    category->AddChildItem(item);
  };
  using F = PlacementField;
  add(F::Module, ShownNumber(QStringLiteral("Idx"), placement.module));
  add(F::X, CheckedShortItem(QStringLiteral("x"), placement.x));
  add(F::Y, CheckedShortItem(QStringLiteral("y"), placement.y));
  add(F::FlipX, Flag(UiText::tr("横向反转"), affine.FlipX));
  add(F::FlipY, Flag(UiText::tr("纵向反转"), affine.FlipY));
  add(F::Rotate, Choice(QStringLiteral("Rotate"), kQuarterTurns, affine.Rotate));
  add(F::ScaleXEnable, Flag(QStringLiteral("ScaleXEnable"), affine.ScaleXEnable));
  add(F::ScaleX, Float(QStringLiteral("ScaleX"), placement.ScaleX));
  add(F::ScaleYEnable, Flag(QStringLiteral("ScaleYEnable"), affine.ScaleYEnable));
  add(F::ScaleY, Float(QStringLiteral("ScaleY"), placement.ScaleY));
  add(F::RotateAngleEnable, Flag(QStringLiteral("RotateAngleEnable"), affine.RotateAngleEnable));
  add(F::RotateAngle, Float(QStringLiteral("RotateAngle"), placement.RotateAngle));
  add(F::AlphaBlendEnable, Flag(QStringLiteral("AlphaBlendEnable"), affine.AlphaBlendEnable));
  add(F::AlphaBlendMode,
      Choice(QStringLiteral("AlphaBlendMode"), kBlendModes, affine.AlphaBlendMode));
  add(F::AlphaBlendOP,
      Choice(QStringLiteral("AlphaBlendOP"), kBlendOperations, affine.AlphaBlendOP));
  add(F::AlphaValue, new CCheckedNumberItem<MyPropertyGridItemULONG>(
                         FieldRange<uint32_t>, QStringLiteral("AlphaValue"), placement.AlphaValue,
                         &placement.AlphaValue));
}

}  // namespace

void BuildModulePage(UPropertyGrid& grid, CModuleFields& module) {
  UPropertyGridItem* category = grid.AddCategory(UiText::tr("模块属性"));
  UPropertyGridItem* basic = category->AddChildItem(new UPropertyGridItem(UiText::tr("基本属性")));
  basic->SetReadOnly(true);
  // The rectangle never turns inside out: each edge stays on its side of the opposite one.
  const auto up_to = [](const uint16_t& edge) {
    return [&edge] { return CNumberRange{0, double(edge), true}; };
  };
  const auto from = [](const uint16_t& edge) {
    return [&edge] { return CNumberRange{double(edge), UINT16_MAX, true}; };
  };
  basic->AddChildItem(UShort(QStringLiteral("Attribute"), module.attribute));
  basic->AddChildItem(UShort(QStringLiteral("Left"), module.left, up_to(module.right)));
  basic->AddChildItem(UShort(QStringLiteral("top"), module.top, up_to(module.bottom)));
  basic->AddChildItem(UShort(QStringLiteral("right"), module.right, from(module.left)));
  basic->AddChildItem(UShort(QStringLiteral("bottom"), module.bottom, from(module.top)));
}

void BuildActionPage(UPropertyGrid& grid, CActionFields& action, int keyCount) {
  UPropertyGridItem* category = grid.AddCategory(UiText::tr("动作属性"));
  category->AddChildItem(
      new MyPropertyGridItemUName(UiText::tr("动作名"), action.name, &action.name));
  category->AddChildItem(ShownNumber(UiText::tr("帧数"), keyCount));
  category->AddChildItem(CheckedNumberItem(UiText::tr("速度"), action.speed));
}

void BuildFramePage(UPropertyGrid& grid, CFrameFields& frame, int placementCount,
                    uint32_t differingFields) {
  UPropertyGridItem* basic = grid.AddCategory(UiText::tr("基本属性"));
  basic->AddChildItem(new MyPropertyGridItemUName(UiText::tr("帧名"), frame.name, &frame.name));
  basic->AddChildItem(
      ShownNumber(UiText::tr("帧数", "the number of modules placed in a frame"), placementCount));

  UPropertyGridItem* origin = grid.AddCategory(UiText::tr("原点"));
  origin->AddChildItem(CheckedShortItem(QStringLiteral("x"), frame.origin.x));
  origin->AddChildItem(CheckedShortItem(QStringLiteral("y"), frame.origin.y));

  UPropertyGridItem* collision = grid.AddCategory(UiText::tr("碰撞区域"));
  URect& box = frame.collision;
  collision->AddChildItem(CheckedNumberItem(QStringLiteral("left"), box.left));
  collision->AddChildItem(CheckedNumberItem(QStringLiteral("top"), box.top));
  collision->AddChildItem(CheckedNumberItem(QStringLiteral("right"), box.right));
  collision->AddChildItem(CheckedNumberItem(QStringLiteral("bottom"), box.bottom));

  grid.AddCategory(UiText::tr("触发区域"));

  if (frame.placement >= 0) {
    AddPlacementCategory(grid, frame.placementFields, differingFields);
  }
}
