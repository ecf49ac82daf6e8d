#include "core/anim/obj_module.h"

#include "core/anim/anim_math.h"
#include "core/anim/record_codec.h"

UObjModule::~UObjModule() = default;

void UObjModule::ImportFloat(UArchive& ar, int width, int height) {
  float fractions[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  for (float& fraction : fractions) {
    ar >> fraction;
  }
  const auto w = static_cast<float>(width);
  const auto h = static_cast<float>(height);
  left = TruncToUInt16Bits(w * fractions[0]);
  top = TruncToUInt16Bits(h * fractions[1]);
  right = TruncToUInt16Bits(w * fractions[2]);
  bottom = TruncToUInt16Bits(h * fractions[3]);
}

void UObjModule::ExportAbsoult(UArchive& ar, int /*width*/, int /*height*/) const {
  ar << left << top << right << bottom;
}

UArchive& operator<<(UArchive& ar, const UObjModule& module) {
  StoredWriter out(ar);
  WriteModule(out, module);
  return ar;
}

UArchive& operator>>(UArchive& ar, UObjModule& module) {
  StoredReader in(ar);
  ReadModule(in, module);
  return ar;
}
