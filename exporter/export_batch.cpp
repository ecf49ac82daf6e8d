#include "exporter/export_batch.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <set>
#include <thread>

#include "core/anim/actor_file.h"
#include "core/foundation/text_codec.h"
#include "exporter/export_file_names.h"

bool BuildDocumentFiles(ExportFormat format, CFormatOptions options, const std::string& baseName,
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

namespace {

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

  // Actors of the same name are numbered in document order before anything is drawn.
  std::vector<std::string> actorNames(paths.size());
  ForEachOnThreads(paths.size(), threads, [&](size_t i) {
    UObjActor actor;
    if (LoadActorFile(paths[i].c_str(), actor)) {
      const char* name = actor.name.GetString();
      actorNames[i] =
          SafeFileNamePart(GbkToUtf8(std::string_view(name, strnlen(name, UName::kBufferSize))));
    }
  });
  const std::vector<std::string> baseNames = NumberClashes(actorNames);

  // Each document is drawn and built on a worker thread; its pictures are let go once its files
  // are built, so that only the documents in progress hold theirs.
  const auto build = [&](size_t i, const std::string& baseName) {
    CDocumentExport& result = results[i];
    result.ok = DrawExport(paths[i], draw, &result.drawn, &result.error) &&
                BuildDocumentFiles(format, files, baseName, &result);
    result.drawn.actions.clear();
    result.drawn.actions.shrink_to_fit();
  };
  ForEachOnThreads(paths.size(), threads, [&](size_t i) {
    build(i, baseNames[i]);
    if (documentDone) {
      documentDone();
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
      build(i, baseNames[i] + "_" + std::to_string(number));
    }
    for (size_t f = 0; result.ok && f < result.files.size(); ++f) {
      taken.insert(UpperAscii(result.files[f].name));
    }
  }
  return results;
}
