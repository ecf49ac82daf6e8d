// Prints the number of frames of the document named on the command line.
#include <cstdio>

#include "core/anim/actor_file.h"

int main(int argc, char** argv) {
  UObjActor actor;
  std::string error;
  if (argc != 2 || !LoadActorFile(argv[1], actor, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  std::printf("%d\n", actor.frames.Num());
}
