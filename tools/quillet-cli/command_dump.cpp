// quillet-cli dump DOC.an1: the whole document as one JSON object.
#include <cstdio>
#include <string>

#include "core/anim/actor_json.h"
#include "tools/quillet-cli/command.h"
#include "tools/quillet-cli/document_input.h"

namespace {

int RunDump(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    return ReportError("dump", "expected one document (see quillet-cli dump --help)", kExitUsage);
  }
  UObjActor actor;
  if (!LoadDocumentFor("dump", args[0], actor)) {
    return kExitBadInput;
  }
  JsonWriter json;
  json.BeginObject();
  WriteActorMembers(json, actor);
  json.EndObject();
  std::printf("%s\n", json.Text().c_str());
  return kExitOk;
}

}  // namespace

const CliCommand kDumpCommand = {
    "dump",
    "print a document as JSON",
    "Usage: quillet-cli dump DOC.an1\n"
    "Prints the document as one JSON object: name, textures, modules, frames (origin,\n"
    "collision box, tags, placements) and actions (speed, keys), with the field names of the\n"
    "model and the values as read; key flags are the recomputed blend bits. Names are converted\n"
    "from GBK to UTF-8. Floats are printed so that they read back to the same 32-bit value;\n"
    "NaN and the infinities are the strings \"nan\", \"inf\" and \"-inf\".\n",
    RunDump,
};
