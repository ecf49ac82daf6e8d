#include "exporter/export_formats.h"

#include "exporter/export_cancel.h"
#include "exporter/gif_writer.h"
#include "exporter/png_sequence.h"
#include "exporter/sprite_sheet.h"

bool BuildExportFiles(ExportFormat format, const CExportDocument& document,
                      const CFormatOptions& options, std::vector<CExportFile>* files,
                      std::string* error) {
  switch (format) {
    case ExportFormat::Sheet:
      return BuildSpriteSheet(document, options, files, error);
    case ExportFormat::PngSequence:
      return BuildPngSequence(document, options, files, error);
    case ExportFormat::Gif:
      if (options.baseName.empty() || options.actionFileNames.size() != document.actions.size()) {
        *error = "no name for the files";
        return false;
      }
      for (size_t a = 0; a < document.actions.size(); ++a) {
        // An action without keys has nothing to play: it gets no file rather than failing the
        // document, as it gets no frames in a sheet.
        if (document.actions[a].pictures.empty()) {
          continue;
        }
        if (ExportCancelled(options.cancel, error)) {
          return false;
        }
        CExportFile gif{options.baseName + "_" + options.actionFileNames[a] + ".gif", {}};
        if (!EncodeAnimatedGif(document.actions[a], &gif.bytes, error)) {
          return false;
        }
        files->push_back(std::move(gif));
      }
      return true;
  }
  *error = "unknown export format";
  return false;
}
