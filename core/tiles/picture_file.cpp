#include "core/tiles/picture_file.h"

#include <cstdio>

#include "core/foundation/atomic_file.h"
#include "core/foundation/regular_file.h"

namespace {

FreeImageIO StdioWriteIO() {
  FreeImageIO io{};
  io.write_proc = [](void* buffer, unsigned size, unsigned count, fi_handle handle) {
    return static_cast<unsigned>(std::fwrite(buffer, size, count, static_cast<FILE*>(handle)));
  };
  io.seek_proc = [](fi_handle handle, long offset, int origin) {
    return std::fseek(static_cast<FILE*>(handle), offset, origin);
  };
  io.tell_proc = [](fi_handle handle) { return std::ftell(static_cast<FILE*>(handle)); };
  return io;
}

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};

// The file FreeImage reads through, noting whether a read ever came up short: some of its
// readers accept a file cut off in the middle of its pixels and hand back whatever memory held.
struct TTrackedFile {
  std::unique_ptr<FILE, FileCloser> file;
  bool ranShort = false;

  bool Rewind() {
    ranShort = false;
    return std::fseek(file.get(), 0, SEEK_SET) == 0;
  }
};

unsigned DLL_CALLCONV ReadTracked(void* buffer, unsigned size, unsigned count, fi_handle handle) {
  auto* tracked = static_cast<TTrackedFile*>(handle);
  const size_t read = std::fread(buffer, size, count, tracked->file.get());
  if (read < count) {
    tracked->ranShort = true;
  }
  return static_cast<unsigned>(read);
}

int DLL_CALLCONV SeekTracked(fi_handle handle, long offset, int origin) {
  return std::fseek(static_cast<TTrackedFile*>(handle)->file.get(), offset, origin);
}

long DLL_CALLCONV TellTracked(fi_handle handle) {
  return std::ftell(static_cast<TTrackedFile*>(handle)->file.get());
}

}  // namespace

bool IsPictureSizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPicturePixels / height;
}

TFreeImagePtr LoadPicture32(const std::string& path, bool typeFromName, std::string& error) {
  // Only regular files: opening a named pipe would wait for a writer.
  TTrackedFile tracked{std::unique_ptr<FILE, FileCloser>(OpenRegularFileForReading(path.c_str()))};
  if (tracked.file == nullptr) {
    error = "cannot open '" + path + "'";
    return nullptr;
  }
  FreeImageIO io{ReadTracked, nullptr, SeekTracked, TellTracked};
  FREE_IMAGE_FORMAT format = FreeImage_GetFileTypeFromHandle(&io, &tracked, 0);
  if (format == FIF_UNKNOWN && typeFromName) {
    format = FreeImage_GetFIFFromFilename(path.c_str());
  }
  // A format that cannot read its header alone cannot be checked before it allocates.
  if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format) ||
      !FreeImage_FIFSupportsNoPixels(format)) {
    error = "'" + path + "' is not a picture format that can be read";
    return nullptr;
  }
  if (!tracked.Rewind()) {
    error = "cannot read '" + path + "'";
    return nullptr;
  }
  {
    const TFreeImagePtr header(FreeImage_LoadFromHandle(format, &io, &tracked, FIF_LOAD_NOPIXELS));
    if (header == nullptr) {
      error = "'" + path + "' is damaged";
      return nullptr;
    }
    if (!IsPictureSizeAllowed(FreeImage_GetWidth(header.get()),
                              FreeImage_GetHeight(header.get()))) {
      error = "'" + path + "' is empty or larger than 2^26 pixels";
      return nullptr;
    }
  }
  if (!tracked.Rewind()) {
    error = "cannot read '" + path + "'";
    return nullptr;
  }
  const TFreeImagePtr loaded(FreeImage_LoadFromHandle(format, &io, &tracked, 0));
  if (loaded == nullptr || tracked.ranShort || FreeImage_GetImageType(loaded.get()) != FIT_BITMAP) {
    error = "'" + path + "' is damaged, cut short or not an ordinary picture";
    return nullptr;
  }
  TFreeImagePtr converted(FreeImage_ConvertTo32Bits(loaded.get()));
  // The full load must agree with the header that was checked.
  if (converted == nullptr || !IsPictureSizeAllowed(FreeImage_GetWidth(converted.get()),
                                                    FreeImage_GetHeight(converted.get()))) {
    error = "'" + path + "' cannot be converted to 32 bits a pixel";
    return nullptr;
  }
  return converted;
}

bool SavePicture(FIBITMAP* bitmap, const std::string& path, std::string& error) {
  const FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(path.c_str());
  if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsWriting(format)) {
    error = "'" + path + "' does not name a picture format that can be written";
    return false;
  }
  TFreeImagePtr converted;
  if (!FreeImage_FIFSupportsExportBPP(format, 32)) {
    converted.reset(FreeImage_ConvertTo24Bits(bitmap));
    if (converted == nullptr || !FreeImage_FIFSupportsExportBPP(format, 24)) {
      error = "'" + path + "' names a format that cannot hold this picture";
      return false;
    }
  }
  // FreeImage writes through the replacing file's own stream, so every write it makes is checked
  // when the file is committed.
  UAtomicFile file(path);
  std::FILE* stream = file.Begin() ? file.Stream() : nullptr;
  if (stream == nullptr) {
    error = file.Error().empty() ? "cannot write '" + path + "'" : file.Error();
    return false;
  }
  FreeImageIO io = StdioWriteIO();
  if (!FreeImage_SaveToHandle(format, converted ? converted.get() : bitmap, &io, stream, 0)) {
    error = "cannot write '" + path + "'";
    return false;
  }
  if (!file.Commit()) {
    error = file.Error();
    return false;
  }
  return true;
}
