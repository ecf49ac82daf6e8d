#include "exporter/export_batch.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <set>
#include <thread>

#include "exporter/export_file_names.h"

namespace {

// Builds the files of a drawn document under `baseName`.
bool BuildFiles(ExportFormat format, CFormatOptions options, const std::string& baseName,
                CDocumentExport* result) {
  options.baseName = baseName;
  std::vector<std::string> actionNames;
  for (const CExportAction& action : result->drawn.actions) {
    actionNames.push_back(SafeFileNamePart(action.name));
  }
  options.actionFileNames = NumberClashes(actionNames);
  result->files.clear();
  return BuildExportFiles(format, result->drawn, options, &result->files, &result->error);
}

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return text;
}

}  // namespace

std::vector<CDocumentExport> ExportDocuments(const std::vector<std::string>& paths,
                                             const CDrawOptions& draw, ExportFormat format,
                                             const CFormatOptions& files, int jobs,
                                             const std::function<void()>& documentDone) {
  std::vector<CDocumentExport> results(paths.size());
  std::atomic<size_t> next{0};
  const auto work = [&] {
    for (size_t i = next++; i < paths.size(); i = next++) {
      CDocumentExport& result = results[i];
      result.ok = DrawExport(paths[i], draw, &result.drawn, &result.error) &&
                  BuildFiles(format, files, SafeFileNamePart(result.drawn.actorName), &result);
      if (documentDone) {
        documentDone();
      }
    }
  };
  const size_t threads =
      draw.driver == "accel" ? 1 : std::min(static_cast<size_t>(std::max(jobs, 1)), paths.size());
  std::vector<std::thread> workers;
  for (size_t t = 1; t < threads; ++t) {
    workers.emplace_back(work);
  }
  work();
  for (std::thread& worker : workers) {
    worker.join();
  }

  std::set<std::string> taken;
  for (CDocumentExport& result : results) {
    const std::string base = SafeFileNamePart(result.drawn.actorName);
    for (int number = 2; result.ok; ++number) {
      const bool clash = std::any_of(
          result.files.begin(), result.files.end(),
          [&taken](const CExportFile& file) { return taken.count(UpperAscii(file.name)) != 0; });
      if (!clash) {
        break;
      }
      result.ok = BuildFiles(format, files, base + "_" + std::to_string(number), &result);
    }
    for (size_t f = 0; result.ok && f < result.files.size(); ++f) {
      taken.insert(UpperAscii(result.files[f].name));
    }
  }
  return results;
}
