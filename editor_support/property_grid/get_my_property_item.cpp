#include "editor_support/property_grid/get_my_property_item.h"

#include <QString>

#include "core/foundation/text_codec.h"
#include "editor_support/property_grid/my_property_grid_item_float.h"
#include "editor_support/property_grid/my_property_grid_item_rgba.h"
#include "editor_support/property_grid/my_property_grid_item_urange.h"
#include "editor_support/property_grid/my_property_grid_items.h"
#include "editor_support/property_grid/standard_items.h"

UPropertyGridItem* GetMyPropertyItem(UProperty* property) {
  if (property == nullptr) {
    return nullptr;
  }
  const QString caption = QString::fromStdString(GbkToUtf8(property->GetName().GetString()));
  UProperty& p = *property;
  switch (p.GetType()) {
    case PROPERTY_BYTE:
      return new MyPropertyGridItemByte(caption, p.GetByte(), &p.GetByte());
    case PROPERTY_SHORT:
      return new MyPropertyGridItemShort(caption, p.GetShort(), &p.GetShort());
    case PROPERTY_INT:
      return new MyPropertyGridItemInt(caption, p.GetInt(), &p.GetInt());
    case PROPERTY_BOOL:
      return new UPropertyGridItemBool(caption, p.GetBool() != 0, &p.GetBool());
    case PROPERTY_FLOAT:
      return new MyPropertyGridItemFloat(caption, p.GetFloat(), "%0.4f", &p.GetFloat());
    case PROPERTY_STRING:
      return new MyPropertyGridItemUString(caption, p.GetString(), &p.GetString());
    case PROPERTY_NAME:
      return new MyPropertyGridItemUName(caption, p.GetUName(), &p.GetUName());
    case PROPERTY_POINT:
      return new MyPropertyGridItemUPoint(caption, p.GetPoint(), &p.GetPoint());
    case PROPERTY_RECT:
      return new MyPropertyGridItemURect(caption, p.GetRect(), &p.GetRect());
    case PROPERTY_RANGE:
      return new MyPropertyGridItemURange(caption, p.GetRange(), "%0.4f", &p.GetRange());
    case PROPERTY_VECTOR:
      return new MyPropertyGridItemUVector(caption, p.GetVector(), &p.GetVector());
    case PROPERTY_RGBA:
      return new MyPropertyGridItemRGBA(caption, p.GetRgba(), &p.GetRgba());
    default:
      return nullptr;
  }
}
