#pragma once

#include <string>

// A recovery copy offered at start: what the user is shown of it.
struct CRecoveryOffer {
  std::string title;         // the document's title (UTF-8)
  std::string documentPath;  // where the document was opened from or saved; empty for none
  std::string time;          // when the copy was written, UTC "YYYY-MM-DDTHH:MM:SSZ"; may be empty
  // Why the copy cannot be read ("" when it can): such a copy is never opened, only deleted or
  // kept.
  std::string problem;
};

// What to do with an offered copy.
enum class CRecoveryChoice {
  Restore,  // open it as the document (at most one)
  Delete,   // remove it for good
  Keep,     // leave it for a later start
};
