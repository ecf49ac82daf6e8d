#include "drivers/accel/engine/rw_image.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <string_view>
#include <vector>

#include "core/foundation/regular_file.h"

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// No picture within the pixel cap needs a file this large, whatever its format: four bytes a
// pixel plus room for headers, palettes and the slack of compressed streams.
constexpr size_t kMaxFileBytes = kRwImagePixelCap * 4 + (size_t{16} << 20);

}  // namespace

bool RwImageWithinCap(int64_t width, int64_t height) {
  return width >= 1 && height >= 1 && static_cast<uint64_t>(width) <= kRwImagePixelCap &&
         static_cast<uint64_t>(height) <= kRwImagePixelCap &&
         static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= kRwImagePixelCap;
}

bool RwImageAllocate(RwImage* image, int64_t width, int64_t height) {
  if (!RwImageWithinCap(width, height)) {
    return false;
  }
  image->width = static_cast<int>(width);
  image->height = static_cast<int>(height);
  image->pixels.assign(static_cast<size_t>(width * height), 0u);
  return true;
}

void RwImageApplyColorKey(RwImage* image) {
  for (uint32_t& pixel : image->pixels) {
    const uint32_t rgb = pixel & 0x00FFFFFFu;
    pixel = rgb == 0x00FF00FFu ? rgb : rgb | 0xFF000000u;
  }
}

void RwImageReaders::Register(const std::string& extension, RwImageReader reader) {
  const std::string key = Lower(extension);
  for (Entry& entry : m_Readers) {
    if (entry.extension == key) {
      entry.reader = reader;
      return;
    }
  }
  m_Readers.push_back({key, reader});
}

uint64_t RwImageFile::Version() const {
  const std::string_view content(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return std::hash<std::string_view>{}(content) ^ (uint64_t{bytes.size()} * 0x9E3779B97F4A7C15u);
}

bool RwImageFile::Decode(RwImage* image) const {
  return reader != nullptr && reader(bytes.data(), bytes.size(), image);
}

bool RwImageReaders::ReadFile(const std::string& path, RwImage* image) const {
  RwImageFile file;
  return Load(path, &file) && file.Decode(image);
}

bool RwImageReaders::Load(const std::string& path, RwImageFile* file) const {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    return false;
  }
  const std::string extension = Lower(path.substr(dot + 1));
  const auto entry = std::find_if(m_Readers.begin(), m_Readers.end(),
                                  [&](const Entry& e) { return e.extension == extension; });
  if (entry == m_Readers.end()) {
    return false;
  }
  file->reader = entry->reader;
  return ReadRegularFile(path.c_str(), kMaxFileBytes, file->bytes) && !file->bytes.empty();
}
