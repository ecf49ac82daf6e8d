// quillet-cli stx-import PICTURE OUT.stx --tile WxH [--flips] [--no-compress]: cuts a picture
// into a tiled image and its tile-set picture OUT_tileset.png beside it.
#include <cstdio>
#include <optional>
#include <string>

#include "core/foundation/json_writer.h"
#include "core/tiles/stx_image.h"
#include "tools/quillet-cli/command.h"
#include "tools/quillet-cli/picture_options.h"

namespace {

// "WxH" with two integers.
bool ParseTileSize(const std::string& text, int& width, int& height) {
  const size_t x = text.find('x');
  if (x == std::string::npos) {
    return false;
  }
  const std::optional<int> w = ParseInt(text.substr(0, x));
  const std::optional<int> h = ParseInt(text.substr(x + 1));
  if (!w || !h || *w < 1 || *w > 255 || *h < 1 || *h > 255) {
    return false;
  }
  width = *w;
  height = *h;
  return true;
}

int RunStxImport(const std::vector<std::string>& args) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {{"--tile", true}, {"--flips", false}, {"--no-compress", false}}, parsed,
                 error)) {
    return ReportError("stx-import", error, kExitUsage);
  }
  if (parsed.positional.size() != 2) {
    return ReportError("stx-import", "expected PICTURE OUT.stx (see quillet-cli stx-import --help)",
                       kExitUsage);
  }
  const auto tile = parsed.options.find("--tile");
  int tileWidth = 0;
  int tileHeight = 0;
  if (tile == parsed.options.end() || !ParseTileSize(tile->second, tileWidth, tileHeight)) {
    return ReportError("stx-import", "--tile takes WxH, each 1 to 255", kExitUsage);
  }
  const bool flips = parsed.options.count("--flips") != 0;
  const bool compress = parsed.options.count("--no-compress") == 0;

  const std::string& out = parsed.positional[1];
  STX_Type stx(out.c_str());
  STX_Type names(stx.GetFileName(), "png");
  UStxImage image;
  const char* picture = parsed.positional[0].c_str();
  const bool imported =
      compress ? image.import(names, picture, tileWidth, tileHeight, flips, nullptr)
               : image.importNoCompress(names, picture, tileWidth, tileHeight, flips, nullptr);
  if (!imported || !image.save(out.c_str())) {
    return ReportError("stx-import", image.GetError(), kExitBadInput);
  }
  JsonWriter json;
  json.BeginObject();
  json.Key("stx");
  json.String(out);
  json.Key("tileset");
  json.String(names.GetTileSetName());
  json.Key("mapWidth");
  json.Int(image.GetMapWidth());
  json.Key("mapHeight");
  json.Int(image.GetMapHeight());
  json.Key("tileCount");
  json.Int(image.GetTileNum());
  json.EndObject();
  std::printf("%s\n", json.Text().c_str());
  return kExitOk;
}

}  // namespace

const CliCommand kStxImportCommand = {
    "stx-import",
    "cut a picture into a tiled image (.stx) and its tile set",
    "Usage: quillet-cli stx-import PICTURE OUT.stx --tile WxH [--flips] [--no-compress]\n"
    "Cuts PICTURE into tiles of W x H pixels (1 to 255 each; a partial column or row at the\n"
    "right or bottom edge is left out), keeps each distinct tile once, and writes the map to\n"
    "OUT.stx and the tiles, one tile wide, to OUT_tileset.png beside it. --flips also matches\n"
    "tiles that are mirror images of each other; --no-compress keeps every tile. Prints\n"
    "{\"stx\",\"tileset\",\"mapWidth\",\"mapHeight\",\"tileCount\"}.\n",
    RunStxImport,
};
