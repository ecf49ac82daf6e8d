#pragma once

#include <functional>
#include <string>
#include <vector>

#include "exporter/export_drawing.h"
#include "exporter/export_formats.h"

// One document's export: its files once built, or why it failed.
struct CDocumentExport {
  CExportDocument drawn;  // the actor's name and scale; the pictures are let go once built
  std::vector<CExportFile> files;
  std::string error;
  bool ok = false;
};

// Builds the files of the drawn document in `result` into its files, named from `baseName` (the
// actor's name made safe for file systems) and its action names; false with result->error.
bool BuildDocumentFiles(ExportFormat format, CFormatOptions options, const std::string& baseName,
                        CDocumentExport* result);

// Draws and builds the files of every document at `paths`, `jobs` of them at once (one at a
// time with the accelerated driver, whose engine is one per process); `documentDone` hears each
// finished document, from the thread that did it. Each document's pictures are held only while
// its files are built. File names start with the actor's name
// (action names that come out the same are numbered); a document whose file names would repeat
// those of an earlier one in `paths` (the same actor name, or actor and action names that join
// the same way, even in another case) is named "<actor>_2", "<actor>_3"..., so the result is
// the same whatever order the documents finish in.
std::vector<CDocumentExport> ExportDocuments(const std::vector<std::string>& paths,
                                             const CDrawOptions& draw, ExportFormat format,
                                             const CFormatOptions& files, int jobs,
                                             const std::function<void()>& documentDone);
