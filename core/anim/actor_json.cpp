#include "core/anim/actor_json.h"

#include <cstring>
#include <string>
#include <string_view>

#include "core/foundation/text_codec.h"

namespace {

// Texts in a document are GBK bytes; JSON carries UTF-8.
std::string ToUtf8(const char* text, size_t capacity) {
  return GbkToUtf8(std::string_view(text, strnlen(text, capacity)));
}

std::string ToUtf8(const UName& name) {
  return ToUtf8(name.GetString(), UName::kBufferSize);
}

void Member(JsonWriter& json, std::string_view key, int64_t value) {
  json.Key(key);
  json.Int(value);
}

void WriteTextures(JsonWriter& json, const UObjActor& actor) {
  json.Key("textures");
  json.BeginArray();
  for (const TTextureInfo& texture : actor.textures) {
    json.BeginObject();
    json.Key("name");
    json.String(ToUtf8(texture.name, TTextureInfo::kNameSize));
    Member(json, "width", texture.width);
    Member(json, "height", texture.height);
    json.EndObject();
  }
  json.EndArray();
}

void WriteModules(JsonWriter& json, const UObjActor& actor) {
  json.Key("modules");
  json.BeginArray();
  for (const UObjModule* module : actor.modules) {
    json.BeginObject();
    Member(json, "texture", module->texture);
    Member(json, "Attribute", module->Attribute);
    Member(json, "left", module->left);
    Member(json, "top", module->top);
    Member(json, "right", module->right);
    Member(json, "bottom", module->bottom);
    json.EndObject();
  }
  json.EndArray();
}

void WriteTag(JsonWriter& json, const TFrameTag& tag) {
  json.BeginObject();
  json.Key("name");
  json.String(ToUtf8(tag.name));
  Member(json, "Param1", tag.Param1);
  Member(json, "Param2", tag.Param2);
  Member(json, "x", tag.x);
  Member(json, "y", tag.y);
  Member(json, "width", tag.width);
  Member(json, "height", tag.height);
  json.EndObject();
}

void WritePlacement(JsonWriter& json, const TObjFrame& p) {
  const WObjAffine& a = p.affine;
  json.BeginObject();
  Member(json, "module", p.module);
  Member(json, "x", p.x);
  Member(json, "y", p.y);
  Member(json, "FlipX", a.FlipX);
  Member(json, "FlipY", a.FlipY);
  Member(json, "Rotate", a.Rotate);
  Member(json, "ScaleXEnable", a.ScaleXEnable);
  Member(json, "ScaleYEnable", a.ScaleYEnable);
  Member(json, "RotateAngleEnable", a.RotateAngleEnable);
  Member(json, "AlphaBlendEnable", a.AlphaBlendEnable);
  Member(json, "AlphaBlendMode", a.AlphaBlendMode);
  Member(json, "AlphaBlendOP", a.AlphaBlendOP);
  Member(json, "Reserved", a.Reserved);
  json.Key("ScaleX");
  json.Float(p.ScaleX);
  json.Key("ScaleY");
  json.Float(p.ScaleY);
  json.Key("RotateAngle");
  json.Float(p.RotateAngle);
  Member(json, "AlphaValue", p.AlphaValue);
  json.EndObject();
}

void WriteFrames(JsonWriter& json, const UObjActor& actor) {
  json.Key("frames");
  json.BeginArray();
  for (const UObjFrame* frame : actor.frames) {
    json.BeginObject();
    json.Key("name");
    json.String(ToUtf8(frame->name));
    json.Key("origin");
    json.BeginArray();
    json.Int(frame->origin.x);
    json.Int(frame->origin.y);
    json.EndArray();
    json.Key("collision");
    json.BeginArray();
    json.Int(frame->collision.left);
    json.Int(frame->collision.top);
    json.Int(frame->collision.right);
    json.Int(frame->collision.bottom);
    json.EndArray();
    json.Key("tags");
    json.BeginArray();
    for (const TFrameTag& tag : frame->tags) {
      WriteTag(json, tag);
    }
    json.EndArray();
    json.Key("placements");
    json.BeginArray();
    for (const TObjFrame& placement : frame->placements) {
      WritePlacement(json, placement);
    }
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
}

void WriteActions(JsonWriter& json, const UObjActor& actor) {
  json.Key("actions");
  json.BeginArray();
  for (const UObjAction* action : actor.actions) {
    json.BeginObject();
    json.Key("name");
    json.String(ToUtf8(action->name));
    Member(json, "speed", action->speed);
    json.Key("keys");
    json.BeginArray();
    for (const TActionFrame& key : action->keys) {
      json.BeginObject();
      Member(json, "time", key.time);
      Member(json, "frame", key.frame);
      Member(json, "flags", key.flags);
      Member(json, "reserved", key.reserved);
      json.EndObject();
    }
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
}

}  // namespace

void WriteActorMembers(JsonWriter& json, const UObjActor& actor) {
  json.Key("name");
  json.String(ToUtf8(actor.name));
  WriteTextures(json, actor);
  WriteModules(json, actor);
  WriteFrames(json, actor);
  WriteActions(json, actor);
}
