// quillet-cli stx-export IN.stx OUT.png | IN.stx --tileset-square OUT.png: rebuilds the whole
// picture of a tiled image, or lays its tiles out in a near-square sheet.
#include <string>

#include "core/tiles/stx_image.h"
#include "tools/quillet-cli/command.h"
#include "tools/quillet-cli/picture_options.h"

namespace {

int RunStxExport(const std::vector<std::string>& args) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {{"--tileset-square", true}}, parsed, error)) {
    return ReportError("stx-export", error, kExitUsage);
  }
  const auto square = parsed.options.find("--tileset-square");
  const size_t expected = square == parsed.options.end() ? 2 : 1;
  if (parsed.positional.size() != expected) {
    return ReportError("stx-export",
                       "expected IN.stx OUT.png or IN.stx --tileset-square OUT.png (see "
                       "quillet-cli stx-export --help)",
                       kExitUsage);
  }
  UStxImage image;
  if (!image.load(parsed.positional[0].c_str())) {
    return ReportError("stx-export", image.GetError(), kExitBadInput);
  }
  const bool written = square == parsed.options.end()
                           ? image.exportPicture(parsed.positional[1].c_str())
                           : image.ExportTileSetSquare(square->second.c_str());
  if (!written) {
    return ReportError("stx-export", image.GetError(), kExitBadInput);
  }
  return kExitOk;
}

}  // namespace

const CliCommand kStxExportCommand = {
    "stx-export",
    "rebuild the picture of a tiled image, or its tile set as a square sheet",
    "Usage: quillet-cli stx-export IN.stx OUT.png\n"
    "       quillet-cli stx-export IN.stx --tileset-square OUT.png\n"
    "Rebuilds the whole picture of IN.stx from its map and its tile set (which lies beside it)\n"
    "and writes it to OUT.png, in the format its extension names. With --tileset-square, writes\n"
    "the tiles instead, in a grid of ceil(sqrt(n)) columns filled row by row from the top left.\n",
    RunStxExport,
};
