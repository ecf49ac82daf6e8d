// quillet-cli render DOC.an1 (--frame N | --action A --time T) --out OUT.png [options]: draws a
// picture of the document through a canvas driver and writes it as a PNG.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

#include "exporter/offscreen_renderer.h"
#include "exporter/texture_set.h"
#include "tools/quillet-cli/command.h"
#include "tools/quillet-cli/document_input.h"
#include "tools/quillet-cli/picture_options.h"
#include "tools/quillet-cli/png_output.h"

namespace {

constexpr const char* kName = "render";

struct RenderOptions {
  std::string out;
  std::string driver = "gdi";
  int width = 256;
  int height = 256;
  int zoom = 1;
  std::optional<uint32_t> background;
  bool transparent = false;
  std::string textures;
};

// "0x" and one to eight hexadecimal digits, nothing else (no sign, no space, no second "0x").
std::optional<uint32_t> ParseColor(const std::string& text) {
  if (text.size() < 3 || text.size() > 10 || text.compare(0, 2, "0x") != 0) {
    return std::nullopt;
  }
  uint32_t value = 0;
  const char* digits = text.data() + 2;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(digits, end, value, 16);
  if (error != std::errc() || stop != end) {
    return std::nullopt;
  }
  return value;
}

bool ReadRenderOptions(const ParsedArgs& parsed, const std::string& document,
                       RenderOptions& options, std::string& error) {
  const auto value = [&parsed](const char* name) -> const std::string* {
    const auto found = parsed.options.find(name);
    return found == parsed.options.end() ? nullptr : &found->second;
  };
  if (const std::string* out = value("--out")) {
    options.out = *out;
  } else {
    error = "--out OUT.png is required";
    return false;
  }
  if (const std::string* driver = value("--driver")) {
    options.driver = *driver;
  }
  if (const std::string* size = value("--size")) {
    const size_t x = size->find('x');
    const std::optional<int> w = ParseInt(size->substr(0, x));
    const std::optional<int> h =
        x == std::string::npos ? std::nullopt : ParseInt(size->substr(x + 1));
    if (!w || !h || *w <= 0 || *h <= 0 || *w > 16384 || *h > 16384) {
      error = "--size takes WxH between 1 and 16384, not '" + *size + "'";
      return false;
    }
    options.width = *w;
    options.height = *h;
  }
  if (const std::string* zoom = value("--zoom")) {
    const std::optional<int> z = ParseInt(*zoom);
    if (!z || *z < UCanvas::kMinZoom || *z > UCanvas::kMaxZoom) {
      error = "--zoom takes a whole number from 1 to 8, not '" + *zoom + "'";
      return false;
    }
    options.zoom = *z;
  }
  if (const std::string* background = value("--background")) {
    options.background = ParseColor(*background);
    if (!options.background) {
      error = "--background takes 0xAARRGGBB, not '" + *background + "'";
      return false;
    }
  }
  options.transparent = value("--transparent") != nullptr;
  if (const std::string* textures = value("--textures")) {
    options.textures = *textures;
  } else {
    options.textures = std::filesystem::path(document).parent_path().string();
  }
  return true;
}

std::map<std::string, bool> RenderOptionNames() {
  std::map<std::string, bool> names = kPictureOptions;
  names.insert({{"--out", true},
                {"--driver", true},
                {"--size", true},
                {"--zoom", true},
                {"--background", true},
                {"--transparent", false},
                {"--textures", true}});
  return names;
}

int RunRender(const std::vector<std::string>& args) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, RenderOptionNames(), parsed, error)) {
    return ReportError(kName, error, kExitUsage);
  }
  if (parsed.positional.size() != 1) {
    return ReportError(kName, "expected one DOC.an1 (see quillet-cli render --help)", kExitUsage);
  }
  const std::string& document = parsed.positional[0];
  RenderOptions options;
  if (!ReadRenderOptions(parsed, document, options, error)) {
    return ReportError(kName, error, kExitUsage);
  }
  std::unique_ptr<OffscreenRenderer> renderer = MakeRenderer(options.driver);
  if (!renderer) {
    return ReportError(kName, "unknown driver '" + options.driver + "'", kExitUsage);
  }
  UObjActor actor;
  if (!LoadDocumentFor(kName, document, actor)) {
    return kExitBadInput;
  }
  // The frame's origin goes to the middle of the picture unless --pos says otherwise.
  const UPoint centre(options.width / options.zoom / 2, options.height / options.zoom / 2);
  PictureRequest request;
  if (!ReadPictureRequest(parsed, actor, centre, request, error)) {
    return ReportError(kName, error, kExitUsage);
  }

  if (!renderer->Start(options.width, options.height, error)) {
    return ReportError(kName, error, kExitBadInput);
  }
  CTextureSet textures;
  if (!textures.Load(actor, options.textures, renderer->Util(), error)) {
    return ReportError(kName, error, kExitBadInput);
  }
  UCanvas& canvas = renderer->Canvas();
  while (canvas.GetZoom() < options.zoom) {
    canvas.ZoomIn();
  }
  if (options.transparent) {
    renderer->ClearTransparent();
  } else {
    renderer->ClearOpaque(options.background.value_or(canvas.GetBackGroundColor()));
  }
  DrawPicture(actor, request, &canvas, textures.Surfaces());

  std::vector<uint8_t> picture;
  if (!renderer->Finish(picture, error) ||
      !WritePng(options.out, options.width, options.height, picture, error)) {
    return ReportError(kName, error, kExitBadInput);
  }
  return kExitOk;
}

}  // namespace

const CliCommand kRenderCommand = {
    kName,
    "draw a frame or an action at a time into a PNG",
    "Usage: quillet-cli render DOC.an1 (--frame N | --action A --time T) --out OUT.png\n"
    "         [--driver gdi|accel] [--size WxH] [--pos X,Y] [--zoom Z] [--background 0xAARRGGBB]\n"
    "         [--transparent] [--textures DIR]\n"
    "Draws frame N, or action A at tick T (a key frame or a blended in-between), through the\n"
    "GDI-style driver (gdi, the default) or the accelerated one on a headless OpenGL context\n"
    "(accel), on an offscreen canvas of WxH pixels (default 256x256), the frame's origin at\n"
    "X,Y in canvas units (default the centre), at zoom Z (1 to 8), and writes what the canvas\n"
    "presents as a 32-bit PNG. The picture starts from the background colour and is opaque, as a\n"
    "window shows it; --transparent starts from a fully transparent picture instead, so sprites\n"
    "keep their alpha. Textures are looked up in DIR, by default the document's folder; a\n"
    "missing one is an error.\n",
    RunRender,
};
