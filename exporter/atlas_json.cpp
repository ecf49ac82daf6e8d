#include "exporter/atlas_json.h"

#include "core/foundation/json_writer.h"

namespace {

void WriteRect(JsonWriter* json, const char* key, int x, int y, int w, int h) {
  json->Key(key);
  json->BeginObject();
  json->Key("x");
  json->Int(x);
  json->Key("y");
  json->Int(y);
  json->Key("w");
  json->Int(w);
  json->Key("h");
  json->Int(h);
  json->EndObject();
}

void WriteSize(JsonWriter* json, const char* key, int w, int h) {
  json->Key(key);
  json->BeginObject();
  json->Key("w");
  json->Int(w);
  json->Key("h");
  json->Int(h);
  json->EndObject();
}

void WritePoint(JsonWriter* json, const char* key, float x, float y) {
  json->Key(key);
  json->BeginObject();
  json->Key("x");
  json->Float(x);
  json->Key("y");
  json->Float(y);
  json->EndObject();
}

void WriteUrect(JsonWriter* json, const char* key, const URect& rect) {
  WriteRect(json, key, rect.left, rect.top, rect.GetWidth(), rect.GetHeight());
}

// What the hash form has no field for: the key's frame, its collision box and its tags.
void WriteQuilletFields(JsonWriter* json, const CExportPicture& picture) {
  json->Key("quillet");
  json->BeginObject();
  json->Key("frame");
  json->String(picture.frameName);
  WriteUrect(json, "collision", picture.collision);
  json->Key("tags");
  json->BeginArray();
  for (const CExportTag& tag : picture.tags) {
    json->BeginObject();
    json->Key("name");
    json->String(tag.name);
    json->Key("param1");
    json->Int(tag.param1);
    json->Key("param2");
    json->Int(tag.param2);
    json->Key("x");
    json->Int(tag.rect.left);
    json->Key("y");
    json->Int(tag.rect.top);
    json->Key("w");
    json->Int(tag.rect.GetWidth());
    json->Key("h");
    json->Int(tag.rect.GetHeight());
    json->EndObject();
  }
  json->EndArray();
  json->EndObject();
}

void WriteFrame(JsonWriter* json, const CAtlasFrame& frame) {
  const CExportAction& action = *frame.action;
  json->Key(frame.name);
  json->BeginObject();
  if (!frame.fileName.empty()) {
    json->Key("filename");
    json->String(frame.fileName);
  }
  WriteRect(json, "frame", frame.frame.x, frame.frame.y, frame.frame.w, frame.frame.h);
  json->Key("rotated");
  json->Bool(false);
  json->Key("trimmed");
  json->Bool(frame.trimmed);
  WriteRect(json, "spriteSourceSize", frame.source.x, frame.source.y, frame.source.w,
            frame.source.h);
  WriteSize(json, "sourceSize", action.canvasWidth, action.canvasHeight);
  json->Key("duration");
  json->Int(frame.picture->durationMs);
  const float pivot_x = static_cast<float>(action.originX) / static_cast<float>(action.canvasWidth);
  const float pivot_y =
      static_cast<float>(action.originY) / static_cast<float>(action.canvasHeight);
  WritePoint(json, "pivot", pivot_x, pivot_y);
  WritePoint(json, "anchor", pivot_x, pivot_y);
  WriteQuilletFields(json, *frame.picture);
  json->EndObject();
}

}  // namespace

std::string WriteAtlasJson(const std::vector<CAtlasFrame>& frames, const CFrameOrder& order,
                           const CAtlasMeta& meta) {
  JsonWriter json;
  json.BeginObject();
  json.Key("frames");
  json.BeginObject();
  for (const CAtlasFrame& frame : frames) {
    WriteFrame(&json, frame);
  }
  json.EndObject();

  json.Key("animations");
  json.BeginObject();
  for (const CFrameOrder::CActionFrames& action : order.actions) {
    json.Key(action.name);
    json.BeginArray();
    for (const std::string& name : action.frameNames) {
      json.String(name);
    }
    json.EndArray();
  }
  json.EndObject();

  json.Key("meta");
  json.BeginObject();
  json.Key("app");
  json.String("Quillet");
  json.Key("version");
  json.String(meta.version);
  if (!meta.image.empty()) {
    json.Key("image");
    json.String(meta.image);
  }
  json.Key("format");
  json.String("RGBA8888");
  if (meta.width > 0) {
    WriteSize(&json, "size", meta.width, meta.height);
  }
  json.Key("scale");
  json.String(std::to_string(meta.scale));
  json.Key("frameTags");
  json.BeginArray();
  for (const CFrameOrder::CActionFrames& action : order.actions) {
    if (action.frameNames.empty()) {
      continue;  // a tag spans at least one frame
    }
    json.BeginObject();
    json.Key("name");
    json.String(action.name);
    json.Key("from");
    json.Int(action.first);
    json.Key("to");
    json.Int(action.first + static_cast<int>(action.frameNames.size()) - 1);
    json.Key("direction");
    json.String("forward");
    json.EndObject();
  }
  json.EndArray();
  if (!meta.relatedPacks.empty()) {
    json.Key("related_multi_packs");
    json.BeginArray();
    for (const std::string& pack : meta.relatedPacks) {
      json.String(pack);
    }
    json.EndArray();
  }
  json.EndObject();
  json.EndObject();
  return json.Text();
}
