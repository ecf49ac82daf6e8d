// make-example: draws the example character and writes its texture and document, the two files
// shipped in examples/. Run from the repository root to refresh them:
//   build/release/tools/make-example/make-example examples
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/anim/actor_file.h"
#include "tools/make-example/hero_actor.h"
#include "tools/make-example/hero_sheet.h"
#include "tools/quillet-cli/png_output.h"

namespace {

constexpr char kDocumentName[] = "hero.an1";

int Fail(const std::string& message) {
  std::fprintf(stderr, "make-example: %s\n", message.c_str());
  return 1;
}

// The sheet's 0xAARRGGBB words as bytes blue, green, red, alpha.
std::vector<uint8_t> ToBgra(const std::vector<uint32_t>& argb) {
  std::vector<uint8_t> bgra;
  bgra.reserve(argb.size() * 4);
  for (uint32_t pixel : argb) {
    bgra.insert(bgra.end(), {static_cast<uint8_t>(pixel), static_cast<uint8_t>(pixel >> 8),
                             static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 24)});
  }
  return bgra;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 ||
      (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0))) {
    std::fprintf(argc > 2 ? stderr : stdout,
                 "Usage: make-example [FOLDER]\n"
                 "Writes the example character's texture (%s) and document (%s) into FOLDER\n"
                 "(default: examples), replacing any earlier ones.\n",
                 kHeroTextureName, kDocumentName);
    return argc > 2 ? 2 : 0;
  }
  const std::string folder = argc == 2 ? argv[1] : "examples";

  std::string error;
  const std::string texturePath = folder + "/" + kHeroTextureName;
  if (!WritePng(texturePath, kHeroSheetWidth, kHeroSheetHeight, ToBgra(DrawHeroSheet()), error)) {
    return Fail(error);
  }
  UObjActor actor;
  actor.Init();
  BuildHeroActor(actor);
  const std::string documentPath = folder + "/" + kDocumentName;
  if (!SaveActorFile(documentPath.c_str(), actor)) {
    return Fail("cannot write '" + documentPath + "'");
  }
  return 0;
}
