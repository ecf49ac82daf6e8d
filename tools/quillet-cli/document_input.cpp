#include "tools/quillet-cli/document_input.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/anim/actor_file.h"
#include "tools/quillet-cli/command.h"

bool LoadDocumentFor(const char* command, const std::string& path, UObjActor& actor) {
  std::FILE* probe = std::fopen(path.c_str(), "rb");
  if (probe == nullptr) {
    ReportError(command, "cannot open '" + path + "': " + std::strerror(errno), kExitBadInput);
    return false;
  }
  std::fclose(probe);
  if (!LoadActorFile(path.c_str(), actor)) {
    ReportError(command, "'" + path + "' is damaged or truncated", kExitBadInput);
    return false;
  }
  return true;
}
