#include "editor_support/property_grid/my_property_grid_items.h"

#include <cstring>
#include <string>

#include "core/foundation/text_codec.h"
#include "editor_support/property_grid/gbk_text_limit.h"
#include "editor_support/property_grid/value_text.h"

namespace {

QString FromGbk(const char* text) {
  return QString::fromStdString(GbkToUtf8(text));
}

// The typed text in GBK, cut between characters to at most `max_bytes`.
std::string ToGbk(const QString& text, size_t max_bytes) {
  return Utf8ToGbk(text.toStdString(), max_bytes);
}

}  // namespace

MyPropertyGridItemByte::MyPropertyGridItemByte(const QString& caption, unsigned char value,
                                               unsigned char* binding)
    : UPropertyGridBoundItem(caption, binding) {
  SetOwnValue(value);
}

QString MyPropertyGridItemByte::Format(const unsigned char& value) const {
  return QString::number(value);
}

unsigned char MyPropertyGridItemByte::Parse(const QString& text) const {
  return static_cast<unsigned char>(ParseInteger(text));
}

MyPropertyGridItemShort::MyPropertyGridItemShort(const QString& caption, int16_t value,
                                                 int16_t* binding)
    : UPropertyGridBoundItem(caption, binding) {
  SetOwnValue(value);
}

QString MyPropertyGridItemShort::Format(const int16_t& value) const {
  return QString::number(value);
}

int16_t MyPropertyGridItemShort::Parse(const QString& text) const {
  return static_cast<int16_t>(ParseInteger(text));
}

MyPropertyGridItemUShort::MyPropertyGridItemUShort(const QString& caption, uint16_t value,
                                                   uint16_t* binding)
    : UPropertyGridBoundItem(caption, binding) {
  SetOwnValue(value);
}

QString MyPropertyGridItemUShort::Format(const uint16_t& value) const {
  return QString::number(value);
}

uint16_t MyPropertyGridItemUShort::Parse(const QString& text) const {
  return static_cast<uint16_t>(ParseInteger(text));
}

MyPropertyGridItemInt::MyPropertyGridItemInt(const QString& caption, int32_t value,
                                             int32_t* binding)
    : UPropertyGridBoundItem(caption, binding) {
  SetOwnValue(value);
}

QString MyPropertyGridItemInt::Format(const int32_t& value) const {
  return QString::number(value);
}

int32_t MyPropertyGridItemInt::Parse(const QString& text) const {
  return static_cast<int32_t>(ParseInteger(text));
}

MyPropertyGridItemULONG::MyPropertyGridItemULONG(const QString& caption, uint32_t value,
                                                 uint32_t* binding)
    : UPropertyGridBoundItem(caption, binding) {
  SetOwnValue(value);
}

QString MyPropertyGridItemULONG::Format(const uint32_t& value) const {
  return QString::number(value);
}

uint32_t MyPropertyGridItemULONG::Parse(const QString& text) const {
  return static_cast<uint32_t>(ParseInteger(text));
}

MyPropertyGridItemUString::MyPropertyGridItemUString(const QString& caption, const UString& value,
                                                     UString* binding)
    : UPropertyGridBoundItem(caption, binding) {
  SetOwnValue(value);
}

QString MyPropertyGridItemUString::Format(const UString& value) const {
  return FromGbk(value.text);
}

UString MyPropertyGridItemUString::Parse(const QString& text) const {
  UString value;
  const std::string gbk = ToGbk(text, UString::kBufferSize - 1);
  std::memcpy(value.text, gbk.data(), gbk.size());
  return value;
}

MyPropertyGridItemUName::MyPropertyGridItemUName(const QString& caption, const UName& value,
                                                 UName* binding)
    : UPropertyGridBoundItem(caption, binding) {
  SetOwnValue(value);
}

namespace {

constexpr size_t kNameBytes = UName::kBufferSize - 1;

// Whether `text` fits a name; tells the user why when it does not.
bool NameTakes(const QString& text) {
  const UGbkTextCheck check = CheckGbkText(text, kNameBytes);
  ShowGbkTextRefusal(check, kNameBytes);
  return check.Fits();
}

}  // namespace

void MyPropertyGridItemUName::SetValue(const QString& text) {
  if (NameTakes(text)) {
    UPropertyGridBoundItem::SetValue(text);
  }
}

void MyPropertyGridItemUName::OnValueChanged(const QString& text) {
  // A refused text changes nothing, so nobody is told of a change.
  if (NameTakes(text)) {
    UPropertyGridBoundItem::OnValueChanged(text);
  }
}

void MyPropertyGridItemUName::LimitEditor(QLineEdit* editor) {
  new UGbkTextValidator(kNameBytes, editor);
}

QString MyPropertyGridItemUName::Format(const UName& value) const {
  return FromGbk(value.GetString());
}

UName MyPropertyGridItemUName::Parse(const QString& text) const {
  return UName(ToGbk(text, UName::kBufferSize - 1).c_str());
}

MyPropertyGridItemUPoint::MyPropertyGridItemUPoint(const QString& caption, UPoint value,
                                                   UPoint* binding)
    : UPropertyGridBoundItem(caption, binding) {
  SetOwnValue(value);
}

QString MyPropertyGridItemUPoint::Format(const UPoint& value) const {
  return QString::asprintf("%d,%d", value.x, value.y);
}

UPoint MyPropertyGridItemUPoint::Parse(const QString& text) const {
  UPoint value;
  ScanIntegers(text, {&value.x, &value.y});
  return value;
}

MyPropertyGridItemURect::MyPropertyGridItemURect(const QString& caption, const URect& value,
                                                 URect* binding)
    : UPropertyGridBoundItem(caption, binding) {
  SetOwnValue(value);
}

QString MyPropertyGridItemURect::Format(const URect& value) const {
  return QString::asprintf("%d,%d,%d,%d", value.left, value.top, value.right, value.bottom);
}

URect MyPropertyGridItemURect::Parse(const QString& text) const {
  URect value(0, 0, 0, 0);
  ScanIntegers(text, {&value.left, &value.top, &value.right, &value.bottom});
  return value;
}

MyPropertyGridItemUVector::MyPropertyGridItemUVector(const QString& caption, UVector value,
                                                     UVector* binding)
    : UPropertyGridBoundItem(caption, binding) {
  SetOwnValue(value);
}

QString MyPropertyGridItemUVector::Format(const UVector& value) const {
  return QString::asprintf("%f,%f,%f", static_cast<double>(value.x), static_cast<double>(value.y),
                           static_cast<double>(value.z));
}

UVector MyPropertyGridItemUVector::Parse(const QString& text) const {
  UVector value;
  ScanFloats(text, {&value.x, &value.y, &value.z});
  return value;
}
