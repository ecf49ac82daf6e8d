#include "core/anim/obj_actor.h"
#include "core/anim/record_codec.h"

UArchive& operator<<(UArchive& ar, const TTextureInfo& info) {
  StoredWriter out(ar);
  WriteTexture(out, info);
  return ar;
}

UArchive& operator>>(UArchive& ar, TTextureInfo& info) {
  StoredReader in(ar);
  ReadTexture(in, info);
  return ar;
}

UArchive& operator<<(UArchive& ar, const UObjActor& actor) {
  StoredWriter out(ar);
  WriteActor(out, actor);
  return ar;
}

UArchive& operator>>(UArchive& ar, UObjActor& actor) {
  {
    StoredReader in(ar);
    ReadActor(in, actor);
  }
  actor.SetIntroploate();
  return ar;
}
