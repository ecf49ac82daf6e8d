// quillet-cli resave IN.an1 OUT.an1: reads a document and writes it again.
#include "core/anim/actor_file.h"
#include "tools/quillet-cli/command.h"
#include "tools/quillet-cli/document_input.h"

namespace {

int RunResave(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    return ReportError("resave", "expected IN.an1 OUT.an1 (see quillet-cli resave --help)",
                       kExitUsage);
  }
  UObjActor actor;
  if (!LoadDocumentFor("resave", args[0], actor)) {
    return kExitBadInput;
  }
  if (!SaveActorFile(args[1].c_str(), actor)) {
    return ReportError("resave", "cannot write '" + args[1] + "'", kExitBadInput);
  }
  return kExitOk;
}

}  // namespace

const CliCommand kResaveCommand = {
    "resave",
    "read a document and write it again",
    "Usage: quillet-cli resave IN.an1 OUT.an1\n"
    "Reads IN.an1 and writes it to OUT.an1 (replaced only once fully written). The output\n"
    "differs from the input only in the bytes the format leaves free (a tag block's first four\n"
    "bytes, its name hash and padding are written as 0, the hash and 0) and in the blend bits\n"
    "of the keys, which are recomputed; resaving the output gives the same bytes.\n",
    RunResave,
};
