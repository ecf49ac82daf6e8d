#include "core/canvas/canvas_util.h"

#include <array>
#include <cstring>

#include "core/canvas/surface.h"

namespace {

constexpr size_t kMaterialKinds = 3;

// Function-local, so that it exists before the first maker is set, whatever order Core's objects
// are initialised in.
std::array<TMaterialMaker, kMaterialKinds>& MaterialMakers() {
  static std::array<TMaterialMaker, kMaterialKinds> makers{};
  return makers;
}

bool IsKnownKind(MatType type) {
  return type >= 0 && size_t(type) < kMaterialKinds;
}

}  // namespace

UCanvasUtil::~UCanvasUtil() = default;

int UCanvasUtil::GetDeviceWidth() const {
  return m_Window == nullptr ? 0 : m_Window->GetScreenWidth();
}

int UCanvasUtil::GetDeviceHeight() const {
  return m_Window == nullptr ? 0 : m_Window->GetScreenHeight();
}

void UCanvasUtil::SetMaterialMaker(MatType type, TMaterialMaker maker) {
  if (IsKnownKind(type) && type != MAT_BMP) {
    MaterialMakers()[size_t(type)] = maker;
  }
}

UMaterial* UCanvasUtil::CreateUMaterial(MatType type, MatCreateParam& param) {
  if (!IsKnownKind(type)) {
    return nullptr;
  }
  // A name that fills its whole buffer has lost its end; it names no file we can trust.
  if ((type == MAT_TILE || type == MAT_BMP) &&
      strnlen(param.fileName, sizeof(param.fileName)) == sizeof(param.fileName)) {
    return nullptr;
  }
  if (type == MAT_BMP) {
    USurface* surface = CreateUSurfaceFromFile(param.fileName, param.width, param.height);
    return surface == nullptr ? nullptr : new UMaterialBmp(surface);
  }
  const TMaterialMaker maker = MaterialMakers()[size_t(type)];
  return maker == nullptr ? nullptr : maker(*this, param);
}
