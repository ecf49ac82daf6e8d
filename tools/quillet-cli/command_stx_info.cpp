// quillet-cli stx-info IN.stx: the header and map of a tiled image as one JSON object.
#include <cstdio>
#include <string>

#include "core/foundation/json_writer.h"
#include "core/tiles/stx_image.h"
#include "tools/quillet-cli/command.h"

namespace {

int RunStxInfo(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    return ReportError("stx-info", "expected one IN.stx (see quillet-cli stx-info --help)",
                       kExitUsage);
  }
  UStxImage image;
  if (!image.load(args[0].c_str())) {
    return ReportError("stx-info", image.GetError(), kExitBadInput);
  }
  JsonWriter json;
  json.BeginObject();
  const auto member = [&json](const char* key, int64_t value) {
    json.Key(key);
    json.Int(value);
  };
  member("width", image.GetWidth());
  member("height", image.GetHeight());
  member("tileWidth", image.GetTileWidth());
  member("tileHeight", image.GetTileHeight());
  member("mapWidth", image.GetMapWidth());
  member("mapHeight", image.GetMapHeight());
  member("tileCount", image.GetTileNum());
  json.Key("tileset");
  json.String(image.GetTilePicName());
  json.Key("map");
  json.BeginArray();
  const int cells = image.GetMapWidth() * image.GetMapHeight();
  for (int i = 0; i < cells; ++i) {
    json.Int(image.GetMap()[i]);
  }
  json.EndArray();
  json.EndObject();
  std::printf("%s\n", json.Text().c_str());
  return kExitOk;
}

}  // namespace

const CliCommand kStxInfoCommand = {
    "stx-info",
    "print the header and map of a tiled image as JSON",
    "Usage: quillet-cli stx-info IN.stx\n"
    "Reads IN.stx and its tile set and prints\n"
    "{\"width\",\"height\",\"tileWidth\",\"tileHeight\",\"mapWidth\",\"mapHeight\",\"tileCount\",\n"
    "\"tileset\",\"map\":[cells...]}: the picture and tile sizes in pixels, the map in tiles, the\n"
    "number of tiles in the tile set, its file name, and the map's cells row by row from the\n"
    "top, each a 32-bit number: tile index in bits 0-25, vertical flip 26, horizontal flip 27,\n"
    "tile-set number 28-31.\n",
    RunStxInfo,
};
