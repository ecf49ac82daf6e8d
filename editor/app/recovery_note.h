#pragma once

#include <string>
#include <string_view>
#include <vector>

// The note kept beside a recovery copy: what the copy belongs to and where its textures were
// found, so that a document never saved still finds them. A UTF-8 text file:
//
//   quillet-recovery 1
//   document=/home/ann/hero.an1
//   title=hero.an1
//   time=2026-12-07T16:20:05Z
//   texture=/home/ann/hero.png
//   texture=
//   end
//
// One "texture=" line per texture of the actor, in order, empty for a texture not found. In
// values a backslash is written "\\", a line feed "\n" and a carriage return "\r", so that any
// path fits on its line. "end" closes the note: a note cut short is refused.
struct CRecoveryNote {
  std::string documentPath;  // empty for a document never saved
  std::string title;
  std::string time;  // UTC, "YYYY-MM-DDTHH:MM:SSZ"
  std::vector<std::string> texturePaths;
};

// The largest note the reader takes; a real one is a few hundred bytes per texture.
inline constexpr size_t kMaxRecoveryNoteSize = 1 << 20;

std::string WriteRecoveryNote(const CRecoveryNote& note);

// Reads the text of a note into `note`. Returns "" when it is whole and valid, else the reason
// it is refused (`note` is then unspecified).
std::string ReadRecoveryNote(std::string_view text, CRecoveryNote* note);
