#include "tools/quillet-cli/document_input.h"

#include "core/anim/actor_file.h"
#include "tools/quillet-cli/command.h"

bool LoadDocumentFor(const char* command, const std::string& path, UObjActor& actor) {
  std::string error;
  if (!LoadActorFile(path.c_str(), actor, &error)) {
    ReportError(command, error, kExitBadInput);
    return false;
  }
  return true;
}
