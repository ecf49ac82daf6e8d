#include "tools/quillet-cli/document_input.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/anim/actor_file.h"
#include "core/foundation/regular_file.h"
#include "tools/quillet-cli/command.h"

bool LoadDocumentFor(const char* command, const std::string& path, UObjActor& actor) {
  // Opened first only to tell a file that cannot be read from a damaged one; a FIFO is refused
  // here instead of waiting for a writer.
  std::FILE* probe = OpenRegularFileForReading(path.c_str());
  if (probe == nullptr) {
    const char* reason = errno == EINVAL ? "not a regular file" : std::strerror(errno);
    ReportError(command, "cannot open '" + path + "': " + reason, kExitBadInput);
    return false;
  }
  std::fclose(probe);
  if (!LoadActorFile(path.c_str(), actor)) {
    ReportError(command, "'" + path + "' is damaged or truncated", kExitBadInput);
    return false;
  }
  return true;
}
