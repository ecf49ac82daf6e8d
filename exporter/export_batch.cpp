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

// Runs `task` for every index below `count` on `threads` threads, this one included.
void ForEachOnThreads(size_t count, size_t threads, const std::function<void(size_t)>& task) {
  std::atomic<size_t> next{0};
  const auto work = [&] {
    for (size_t i = next++; i < count; i = next++) {
      task(i);
    }
  };
  std::vector<std::thread> workers;
  for (size_t t = 1; t < std::min(threads, count); ++t) {
    workers.emplace_back(work);
  }
  work();
  for (std::thread& worker : workers) {
    worker.join();
  }
}

}  // namespace

std::vector<CDocumentExport> ExportDocuments(const std::vector<std::string>& paths,
                                             const CDrawOptions& draw, ExportFormat format,
                                             const CFormatOptions& files, int jobs,
                                             const std::function<void()>& documentDone) {
  std::vector<CDocumentExport> results(paths.size());
  const size_t threads = draw.driver == "accel" ? 1 : static_cast<size_t>(std::max(jobs, 1));
  const auto finished = [&documentDone] {
    if (documentDone) {
      documentDone();
    }
  };
  ForEachOnThreads(paths.size(), threads, [&](size_t i) {
    results[i].ok = DrawExport(paths[i], draw, &results[i].drawn, &results[i].error);
    if (!results[i].ok) {
      finished();
    }
  });

  // Actors of the same name are numbered in document order before the files are built.
  std::vector<std::string> actorNames;
  for (const CDocumentExport& result : results) {
    if (result.ok) {
      actorNames.push_back(SafeFileNamePart(result.drawn.actorName));
    }
  }
  actorNames = NumberClashes(actorNames);
  std::vector<std::string> baseNames(results.size());
  for (size_t i = 0, named = 0; i < results.size(); ++i) {
    if (results[i].ok) {
      baseNames[i] = actorNames[named++];
    }
  }
  ForEachOnThreads(paths.size(), threads, [&](size_t i) {
    if (results[i].ok) {
      results[i].ok = BuildFiles(format, files, baseNames[i], &results[i]);
      finished();
    }
  });

  // Actor and action names can still join into a name an earlier document has.
  std::set<std::string> taken;
  for (size_t i = 0; i < results.size(); ++i) {
    CDocumentExport& result = results[i];
    for (int number = 2; result.ok; ++number) {
      const bool clash = std::any_of(
          result.files.begin(), result.files.end(),
          [&taken](const CExportFile& file) { return taken.count(UpperAscii(file.name)) != 0; });
      if (!clash) {
        break;
      }
      result.ok = BuildFiles(format, files, baseNames[i] + "_" + std::to_string(number), &result);
    }
    for (size_t f = 0; result.ok && f < result.files.size(); ++f) {
      taken.insert(UpperAscii(result.files[f].name));
    }
  }
  return results;
}
