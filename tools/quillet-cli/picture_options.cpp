#include "tools/quillet-cli/picture_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

bool ParseArgs(const std::vector<std::string>& args, const std::map<std::string, bool>& known,
               ParsedArgs& parsed, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.rfind("--", 0) != 0) {
      parsed.positional.push_back(arg);
      continue;
    }
    const auto option = known.find(arg);
    if (option == known.end()) {
      error = "unknown option '" + arg + "'";
      return false;
    }
    if (!option->second) {
      parsed.options[arg] = "";
      continue;
    }
    if (i + 1 >= args.size()) {
      error = "option '" + arg + "' needs a value";
      return false;
    }
    parsed.options[arg] = args[++i];
  }
  return true;
}

std::optional<int> ParseInt(const std::string& text) {
  if (text.empty()) {
    return std::nullopt;
  }
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < INT32_MIN || value > INT32_MAX) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

std::optional<float> ParseFloat(const std::string& text) {
  if (text.empty()) {
    return std::nullopt;
  }
  char* end = nullptr;
  const float value = std::strtof(text.c_str(), &end);
  if (*end != '\0') {
    return std::nullopt;
  }
  return value;
}

std::optional<UPoint> ParsePoint(const std::string& text) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos) {
    return std::nullopt;
  }
  const std::optional<int> x = ParseInt(text.substr(0, comma));
  const std::optional<int> y = ParseInt(text.substr(comma + 1));
  if (!x || !y) {
    return std::nullopt;
  }
  return UPoint(*x, *y);
}

bool ReadPictureRequest(const ParsedArgs& parsed, const UObjActor& actor, UPoint default_pos,
                        PictureRequest& request, std::string& error) {
  const auto option = [&parsed](const char* name) -> const std::string* {
    const auto found = parsed.options.find(name);
    return found == parsed.options.end() ? nullptr : &found->second;
  };
  const std::string* frame = option("--frame");
  const std::string* action = option("--action");
  const std::string* time = option("--time");
  if ((frame != nullptr) == (action != nullptr) || (frame != nullptr && time != nullptr) ||
      (action != nullptr && time == nullptr)) {
    error = "give either --frame N or --action A --time T";
    return false;
  }
  request.pos = default_pos;
  if (const std::string* pos = option("--pos")) {
    const std::optional<UPoint> point = ParsePoint(*pos);
    if (!point) {
      error = "--pos takes X,Y, not '" + *pos + "'";
      return false;
    }
    request.pos = *point;
  }
  request.by_frame = frame != nullptr;
  if (request.by_frame) {
    const std::optional<int> index = ParseInt(*frame);
    if (!index || !actor.frames.IsValidIndex(*index)) {
      error = "no frame '" + *frame + "' (the document has " + std::to_string(actor.frames.Num()) +
              " frames)";
      return false;
    }
    request.frame = *index;
    return true;
  }
  const std::optional<int> index = ParseInt(*action);
  if (!index || !actor.actions.IsValidIndex(*index)) {
    error = "no action '" + *action + "' (the document has " + std::to_string(actor.actions.Num()) +
            " actions)";
    return false;
  }
  const std::optional<float> ticks = ParseFloat(*time);
  if (!ticks || std::isnan(*ticks)) {
    error = "--time takes a number of ticks, not '" + *time + "'";
    return false;
  }
  request.action = *index;
  request.time = *ticks;
  return true;
}

void DrawPicture(UObjActor& actor, const PictureRequest& request, UCanvas* canvas,
                 UArray<USurface*>* surfaces) {
  if (request.by_frame) {
    actor.RenderFrame(canvas, surfaces, request.pos, request.frame);
  } else {
    actor.Render(canvas, surfaces, request.pos, request.action, request.time);
  }
}
