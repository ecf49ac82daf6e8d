#include "exporter/export_writer.h"

#include <cstdio>
#include <system_error>

#include "core/foundation/atomic_file.h"
#include "exporter/export_file_names.h"

bool MakeExportFolder(const std::string& folder, std::string* error) {
  std::error_code made;
  std::filesystem::create_directories(folder, made);
  if (made || !std::filesystem::is_directory(folder)) {
    *error = "cannot make the folder '" + folder + "'";
    return false;
  }
  return true;
}

bool WriteExportFile(const std::filesystem::path& folder, const CExportFile& file,
                     std::string* error) {
  if (!IsPlainFileName(file.name)) {
    *error = "refused to write '" + file.name + "' outside the output folder";
    return false;
  }
  UAtomicFile writer((folder / file.name).string());
  if (!writer.Begin() ||
      std::fwrite(file.bytes.data(), 1, file.bytes.size(), writer.Stream()) != file.bytes.size() ||
      !writer.Commit()) {
    *error = writer.Error().empty() ? "cannot write '" + file.name + "'" : writer.Error();
    return false;
  }
  return true;
}
