#include "core/foundation/message.h"

#include <cstdio>
#include <utility>

namespace {

UMessageAnswer WriteToStandardError(const UMessageRequest& request) {
  if (request.caption.empty()) {
    std::fprintf(stderr, "%s\n", request.text.c_str());
  } else {
    std::fprintf(stderr, "%s: %s\n", request.caption.c_str(), request.text.c_str());
  }
  return SafeAnswer(request.buttons);
}

UMessageHook& InstalledHook() {
  static UMessageHook hook = WriteToStandardError;
  return hook;
}

}  // namespace

UMessageHook SetMessageHook(UMessageHook hook) {
  if (!hook) {
    hook = WriteToStandardError;
  }
  return std::exchange(InstalledHook(), std::move(hook));
}

UMessageAnswer ShowMessage(const UMessageRequest& request) {
  return InstalledHook()(request);
}

UMessageAnswer SafeAnswer(UMessageButtons buttons) {
  switch (buttons) {
    case UMessageButtons::Ok:
      return UMessageAnswer::Ok;
    case UMessageButtons::YesNo:
      return UMessageAnswer::No;
    case UMessageButtons::OkCancel:
    case UMessageButtons::YesNoCancel:
      break;
  }
  return UMessageAnswer::Cancel;
}
