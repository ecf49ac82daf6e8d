#pragma once

#include <cstdint>

#include <QString>

#include "core/foundation/name.h"
#include "core/foundation/point.h"
#include "core/foundation/property.h"
#include "core/foundation/rect.h"
#include "core/foundation/vector.h"
#include "editor_support/pindle_api.h"
#include "editor_support/property_grid/bound_item.h"

// Items for the engine's integer, text and geometry values. Each constructor binds the item to
// `binding` (may be null; the item never owns it) and then sets `value`, so the binding holds the
// value at once; every committed edit is written through it again.
//
// Integers are shown in decimal and read as atoi reads them, then cut to the field's width
// ("300" stores 44 in a byte). Texts are shown and read as typed; the engine keeps them in GBK,
// cut between characters to the field's size. Points, rectangles and vectors are shown and read
// as comma-separated numbers; numbers missing from a typed text become 0.

class PINDLE_API MyPropertyGridItemByte : public UPropertyGridBoundItem<unsigned char> {
 public:
  MyPropertyGridItemByte(const QString& caption, unsigned char value, unsigned char* binding);

 protected:
  QString Format(const unsigned char& value) const override;
  unsigned char Parse(const QString& text) const override;
};

class PINDLE_API MyPropertyGridItemShort : public UPropertyGridBoundItem<int16_t> {
 public:
  MyPropertyGridItemShort(const QString& caption, int16_t value, int16_t* binding);

 protected:
  QString Format(const int16_t& value) const override;
  int16_t Parse(const QString& text) const override;
};

class PINDLE_API MyPropertyGridItemUShort : public UPropertyGridBoundItem<uint16_t> {
 public:
  MyPropertyGridItemUShort(const QString& caption, uint16_t value, uint16_t* binding);

 protected:
  QString Format(const uint16_t& value) const override;
  uint16_t Parse(const QString& text) const override;
};

class PINDLE_API MyPropertyGridItemInt : public UPropertyGridBoundItem<int32_t> {
 public:
  MyPropertyGridItemInt(const QString& caption, int32_t value, int32_t* binding);

 protected:
  QString Format(const int32_t& value) const override;
  int32_t Parse(const QString& text) const override;
};

// An unsigned 32-bit field, shown without a sign.
class PINDLE_API MyPropertyGridItemULONG : public UPropertyGridBoundItem<uint32_t> {
 public:
  MyPropertyGridItemULONG(const QString& caption, uint32_t value, uint32_t* binding);

 protected:
  QString Format(const uint32_t& value) const override;
  uint32_t Parse(const QString& text) const override;
};

class PINDLE_API MyPropertyGridItemUString : public UPropertyGridBoundItem<UString> {
 public:
  MyPropertyGridItemUString(const QString& caption, const UString& value, UString* binding);

 protected:
  QString Format(const UString& value) const override;
  UString Parse(const QString& text) const override;
};

// A name takes at most 31 bytes once converted to GBK. Its editor refuses what does not fit (a
// character GBK cannot hold, with a message), and a text that does not fit is refused with a
// message instead of being cut: the name keeps its value.
class PINDLE_API MyPropertyGridItemUName : public UPropertyGridBoundItem<UName> {
 public:
  MyPropertyGridItemUName(const QString& caption, const UName& value, UName* binding);

  void SetValue(const QString& text) override;
  void OnValueChanged(const QString& text) override;
  void LimitEditor(QLineEdit* editor) override;

 protected:
  QString Format(const UName& value) const override;
  UName Parse(const QString& text) const override;
};

// Shown as "x,y".
class PINDLE_API MyPropertyGridItemUPoint : public UPropertyGridBoundItem<UPoint> {
 public:
  MyPropertyGridItemUPoint(const QString& caption, UPoint value, UPoint* binding);

 protected:
  QString Format(const UPoint& value) const override;
  UPoint Parse(const QString& text) const override;
};

// Shown as "left,top,right,bottom".
class PINDLE_API MyPropertyGridItemURect : public UPropertyGridBoundItem<URect> {
 public:
  MyPropertyGridItemURect(const QString& caption, const URect& value, URect* binding);

 protected:
  QString Format(const URect& value) const override;
  URect Parse(const QString& text) const override;
};

// Shown as "x,y,z" with six decimals each.
class PINDLE_API MyPropertyGridItemUVector : public UPropertyGridBoundItem<UVector> {
 public:
  MyPropertyGridItemUVector(const QString& caption, UVector value, UVector* binding);

 protected:
  QString Format(const UVector& value) const override;
  UVector Parse(const QString& text) const override;
};
