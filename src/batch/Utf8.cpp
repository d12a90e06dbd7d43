#include "Utf8.h"

#include <rapidjson/encodings.h>

namespace vorrendal::batch {
namespace {

// The byte stream rapidjson's decoder reads: the text, then NULs, which no
// character continues with.
class Bytes {
 public:
  using Ch = char;
  Bytes(std::string_view text, std::size_t at) : text_(text), at_(at) {}
  Ch Peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
  Ch Take() { return at_ < text_.size() ? text_[at_++] : '\0'; }
  std::size_t Tell() const { return at_; }

 private:
  std::string_view text_;
  std::size_t at_;
};

}  // namespace

std::size_t Utf8CharAt(std::string_view text, std::size_t at, char32_t& codePoint) {
  if (at >= text.size()) return 0;
  Bytes bytes(text, at);
  unsigned decoded = 0;
  if (!rapidjson::UTF8<>::Decode(bytes, &decoded) || bytes.Tell() > text.size()) return 0;
  codePoint = decoded;
  return bytes.Tell() - at;
}

}  // namespace vorrendal::batch
