#include "core/foundation/text_codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

bool IsGbkLeadByte(unsigned char byte) {
  return byte >= 0x81 && byte <= 0xFE;
}

// Length of the UTF-8 sequence a lead byte starts, or 1 for a byte that starts none.
size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) {
    return 4;
  }
  if (lead >= 0xE0) {
    return lead <= 0xEF ? 3 : 1;
  }
  if (lead >= 0xC2) {
    return 2;
  }
  return 1;
}

// Runs iconv over the whole input; at every byte it cannot convert, `on_bad_input` appends its
// stand-in to the output and returns how many input bytes to skip.
template <typename OnBadInput>
std::string Convert(const char* to, const char* from, std::string_view input,
                    OnBadInput on_bad_input) {
  std::string output;
  iconv_t cd = iconv_open(to, from);
  // iconv_open reports failure with the all-ones handle.
  if (cd == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr)
    return output;
  }
  output.reserve(input.size() * 2);
  char* in = const_cast<char*>(input.data());  // iconv's signature; it does not write there
  size_t in_left = input.size();
  char buffer[256];
  while (in_left > 0) {
    char* out = buffer;
    size_t out_left = sizeof(buffer);
    const size_t result = iconv(cd, &in, &in_left, &out, &out_left);
    const int error = errno;
    output.append(buffer, sizeof(buffer) - out_left);
    if (result != static_cast<size_t>(-1) || error == E2BIG) {
      continue;
    }
    // EILSEQ (invalid or unconvertible) or EINVAL (cut off at the end).
    const size_t skip = std::min(in_left, on_bad_input(output, std::string_view(in, in_left)));
    in += skip;
    in_left -= skip;
  }
  iconv_close(cd);
  return output;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  return Convert("UTF-8", "GBK", gbk, [](std::string& output, std::string_view) -> size_t {
    output.append(kReplacementUtf8);
    return 1;
  });
}

std::string Utf8ToGbk(std::string_view utf8, size_t max_bytes) {
  std::string gbk =
      Convert("GBK", "UTF-8", utf8, [](std::string& output, std::string_view rest) -> size_t {
        output.push_back('?');
        return Utf8SequenceLength(static_cast<unsigned char>(rest.front()));
      });
  gbk.resize(GbkFitLength(gbk, max_bytes));
  return gbk;
}

bool Utf8ToGbkExact(std::string_view utf8, std::string* gbk) {
  bool exact = true;
  std::string converted =
      Convert("GBK", "UTF-8", utf8, [&exact](std::string& output, std::string_view rest) {
        exact = false;
        output.push_back('?');
        return Utf8SequenceLength(static_cast<unsigned char>(rest.front()));
      });
  if (gbk != nullptr) {
    *gbk = std::move(converted);
  }
  return exact;
}

size_t GbkFitLength(std::string_view gbk, size_t max_bytes) {
  size_t fitted = 0;
  while (fitted < gbk.size()) {
    const bool double_byte =
        IsGbkLeadByte(static_cast<unsigned char>(gbk[fitted])) && fitted + 1 < gbk.size();
    const size_t next = fitted + (double_byte ? 2 : 1);
    if (next > max_bytes) {
      break;
    }
    fitted = next;
  }
  return fitted;
}
