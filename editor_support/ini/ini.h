#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <vector>

#include "editor_support/pindle_api.h"

class UAtomicFile;

// A small reader and writer of "key = value" lines under bracketed section headers.
//
// Reading keeps the whole text in memory and finds a key by the first word of each line, ignoring
// sections: the first line in the file whose first word is the key wins. The value is what follows
// the line's first '=', leading blanks, tabs and commas skipped, up to the line break (CR LF or LF)
// or the end of the text. Writing appends lines to a new file, each ended with CR LF; the new file
// replaces the one at its path only once every line was written, so a failure never leaves half
// a file behind.
class PINDLE_API UIni {
 public:
  // The longest value Read, Scan and Write handle. Read's destination must hold
  // kValueBufferSize bytes; longer values are refused, never cut.
  static constexpr size_t kMaxValueLength = 1023;
  static constexpr size_t kValueBufferSize = kMaxValueLength + 1;
  // The longest token Scan splits off a value; a "%s" destination must hold kTokenBufferSize
  // bytes.
  static constexpr size_t kMaxTokenLength = 127;
  static constexpr size_t kTokenBufferSize = kMaxTokenLength + 1;
  // Files larger than this are refused by LoadFile: an INI file is a few kilobytes.
  static constexpr size_t kMaxFileSize = size_t{16} << 20;

  UIni();
  // A copy holds its own copy of the loaded text and no file being written.
  UIni(const UIni& other);
  UIni& operator=(const UIni& other);
  virtual ~UIni();

  // Loads the whole file at `path` for Read and Scan, replacing any text loaded before. Returns
  // false, keeping the previous text, when the file cannot be opened or read, is not a regular
  // file (a FIFO is refused without waiting for a writer) or is larger than kMaxFileSize.
  bool LoadFile(const char* path);
  // Loads `size` bytes of text from memory, as LoadFile does from a file. The text ends at its
  // first zero byte. Returns false when `size` exceeds kMaxFileSize.
  bool LoadText(const char* bytes, size_t size);

  // Copies the value of the first line whose first word is `key` (case-sensitive) into `value`,
  // zero-terminated; `value` holds kValueBufferSize bytes. A line with a key but no '=' has the
  // empty value. Returns false, leaving `value` untouched, when no line has the key, nothing is
  // loaded, or the value is longer than kMaxValueLength.
  bool Read(const char* key, char* value) const;
  // The same with a destination of `capacity` bytes: a value that does not fit is refused.
  bool Read(const char* key, char* value, size_t capacity) const;

  // Reads `key` and converts the value's tokens (separated by blanks, tabs, commas and line
  // breaks), one per '%' of `format`, through the following pointer arguments: %d %D %u %U to
  // int*, %f %F %g %G to float*, %s %S to char* (kTokenBufferSize bytes), %x %X hexadecimal to
  // int*. Other characters of `format` are ignored; a '%' with another letter skips a token and
  // takes no argument. Returns the number of tokens consumed: it stops when the value runs out of
  // tokens or at a token longer than kMaxTokenLength, and is 0 when the key is missing or
  // `format` is empty.
  int Scan(const char* key, const char* format, ...) const;

  // Starts a new file for `path`, first finishing any file being written as EndWrite does. The
  // file at `path` stays as it was until EndWrite. Returns false when the new file cannot be
  // created beside `path` (a missing or read-only folder) or `path` is a folder.
  bool BeginWrite(const char* path);
  // Writes the section header "[section]". Returns false when no file is being written or the
  // name holds a line break.
  bool SetWriteField(const char* section);
  // Formats the arguments with `format` and writes "key = value". Returns false, writing
  // nothing, when no file is being written, when key or value holds a line break, or when the
  // value is longer than kMaxValueLength (it could not be read back).
  bool Write(const char* key, const char* format, ...) __attribute__((format(printf, 3, 4)));
  // Makes the lines written the content of the file at the path given to BeginWrite, replacing
  // what was there, and frees the loaded text. Returns false, leaving the file at the path as it
  // was, when a line could not be written or the file could not be replaced; otherwise true (also
  // when no file was being written).
  bool EndWrite();
  // Finishes the file being written as EndWrite does and frees the loaded text.
  void Destroy();

 private:
  // Commits the file being written unless a line failed; true when nothing was being written.
  bool FinishWrite();
  bool WriteLine(const char* text, size_t length);

  // The file being written until EndWrite, and its stream (owned by the writer).
  std::unique_ptr<UAtomicFile> m_Writer;
  std::FILE* m_File = nullptr;
  bool m_WriteFailed = false;
  // The loaded text with a terminating zero; empty when nothing is loaded.
  std::vector<char> m_Text;
};
