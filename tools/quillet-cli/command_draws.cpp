// quillet-cli draws DOC.an1 (--frame N | --action A --time T) [--pos X,Y]: the canvas calls a
// picture is made of, one JSON object per line.
#include <cstdio>
#include <memory>
#include <variant>

#include "core/canvas/recording_canvas.h"
#include "core/foundation/json_writer.h"
#include "tools/quillet-cli/command.h"
#include "tools/quillet-cli/document_input.h"
#include "tools/quillet-cli/picture_options.h"

namespace {

void WriteRect(JsonWriter& json, const char* key, const std::optional<URect>& rect) {
  json.Key(key);
  if (!rect) {
    json.BeginArray();
    json.EndArray();
    return;
  }
  json.BeginArray();
  for (int32_t edge : {rect->left, rect->top, rect->right, rect->bottom}) {
    json.Int(edge);
  }
  json.EndArray();
}

void WritePair(JsonWriter& json, const char* key, float a, float b) {
  json.Key(key);
  json.BeginArray();
  json.Float(a);
  json.Float(b);
  json.EndArray();
}

void WriteCall(JsonWriter& json, const URecordedSurfaceDraw& draw) {
  json.Key("call");
  json.String("DrawSurface");
  WriteRect(json, "dst", draw.dst);
  json.Key("surface");
  const auto* surface = dynamic_cast<const URecordingSurface*>(draw.surface);
  json.Int(surface == nullptr ? -1 : surface->GetId());
  WriteRect(json, "src", draw.src);
  if (draw.fx) {
    json.Key("fx");
    json.BeginObject();
    json.Key("size");
    json.Int(draw.fx->size);
    json.Key("flags");
    json.Int(draw.fx->flags);
    json.Key("angle");
    json.Float(draw.fx->angle);
    json.Key("color");
    json.Int(draw.fx->color);
    json.EndObject();
  }
}

void WriteCall(JsonWriter& json, const URecordedLine& line) {
  json.Key("call");
  json.String("DrawLine");
  WritePair(json, "from", line.x1, line.y1);
  WritePair(json, "to", line.x2, line.y2);
  json.Key("color");
  json.Int(line.color);
  json.Key("width");
  json.Int(line.width);
}

void WriteCall(JsonWriter& json, const URecordedCircle& circle) {
  json.Key("call");
  json.String("DrawCircle");
  json.Key("center");
  json.BeginArray();
  json.Int(circle.x);
  json.Int(circle.y);
  json.EndArray();
  json.Key("radius");
  json.Int(circle.radius);
  json.Key("color");
  json.Int(circle.color);
}

void WriteCall(JsonWriter& json, const URecordedText& text) {
  json.Key("call");
  json.String("DrawTextA");
  json.Key("at");
  json.BeginArray();
  json.Int(text.x);
  json.Int(text.y);
  json.EndArray();
  json.Key("text");
  json.String(text.text);
  json.Key("color");
  json.Int(text.color);
}

int RunDraws(const std::vector<std::string>& args) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, kPictureOptions, parsed, error)) {
    return ReportError("draws", error, kExitUsage);
  }
  if (parsed.positional.size() != 1) {
    return ReportError("draws", "expected one DOC.an1 (see quillet-cli draws --help)", kExitUsage);
  }
  UObjActor actor;
  if (!LoadDocumentFor("draws", parsed.positional[0], actor)) {
    return kExitBadInput;
  }
  PictureRequest request;
  if (!ReadPictureRequest(parsed, actor, UPoint(0, 0), request, error)) {
    return ReportError("draws", error, kExitUsage);
  }

  // One pixel-less stand-in per texture, so each draw names its texture by index.
  std::vector<std::unique_ptr<URecordingSurface>> textures;
  UArray<USurface*> surfaces;
  for (int i = 0; i < actor.textures.Num(); ++i) {
    const TTextureInfo& info = actor.textures[static_cast<size_t>(i)];
    textures.push_back(std::make_unique<URecordingSurface>(i, info.width, info.height));
    surfaces.push_back(textures.back().get());
  }
  URecordingCanvas canvas;
  DrawPicture(actor, request, &canvas, &surfaces);

  for (const URecordedCall& call : canvas.GetCalls()) {
    JsonWriter json;
    json.BeginObject();
    std::visit([&json](const auto& recorded) { WriteCall(json, recorded); }, call);
    json.EndObject();
    std::printf("%s\n", json.Text().c_str());
  }
  return kExitOk;
}

}  // namespace

const CliCommand kDrawsCommand = {
    "draws",
    "list the canvas calls that draw a frame or an action at a time",
    "Usage: quillet-cli draws DOC.an1 --frame N [--pos X,Y]\n"
    "       quillet-cli draws DOC.an1 --action A --time T [--pos X,Y]\n"
    "Prints, one JSON object per line, the canvas calls that draw frame N, or action A at tick\n"
    "T (a key frame or the in-between blended from two keys), with the frame's origin at X,Y\n"
    "(default 0,0). N and A are indices; T is a number of ticks. Surfaces are named by their\n"
    "texture index:\n"
    "  {\"call\":\"DrawSurface\",\"dst\":[l,t,r,b],\"surface\":TEXTURE,\"src\":[l,t,r,b],\n"
    "   \"fx\":{\"size\":16,\"flags\":F,\"angle\":A,\"color\":C}}\n",
    RunDraws,
};
