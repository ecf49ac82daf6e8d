#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/anim/obj_actor.h"
#include "core/foundation/point.h"

// Command-line options of the subcommands that show one picture of a document: either a frame
// (--frame N) or an action at a time (--action A --time T), placed at --pos X,Y.

// Splits `args` into the positional arguments and "--name value" options. Only names listed in
// `known` are accepted; a name listed with `false` takes no value. Returns false and sets
// `error` for an unknown option or one missing its value.
struct ParsedArgs {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;  // a flag without value maps to ""
};
bool ParseArgs(const std::vector<std::string>& args, const std::map<std::string, bool>& known,
               ParsedArgs& parsed, std::string& error);

// Whole-text number parsing; nothing else is accepted.
std::optional<int> ParseInt(const std::string& text);
std::optional<float> ParseFloat(const std::string& text);
// "X,Y" with two integers.
std::optional<UPoint> ParsePoint(const std::string& text);

struct PictureRequest {
  bool by_frame = true;
  int frame = 0;
  int action = 0;
  float time = 0.0f;
  UPoint pos;
};

// The options that pick a picture, shared by every picture subcommand.
inline const std::map<std::string, bool> kPictureOptions = {
    {"--frame", true}, {"--action", true}, {"--time", true}, {"--pos", true}};

// Reads --frame, --action, --time and --pos from `parsed` (with `default_pos` when --pos is
// absent) and checks the indices against `actor`. Returns false and sets `error` for a usage
// error.
bool ReadPictureRequest(const ParsedArgs& parsed, const UObjActor& actor, UPoint default_pos,
                        PictureRequest& request, std::string& error);

// Draws the requested picture on `canvas` through the actor's own rendering.
void DrawPicture(UObjActor& actor, const PictureRequest& request, UCanvas* canvas,
                 UArray<USurface*>* surfaces);
