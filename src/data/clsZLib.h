#pragma once
// Compressed text with its own length in front: 4 bytes holding the length of
// the uncompressed text (32-bit signed, most significant byte first), then the
// zlib stream of the text. Texts are byte strings. The object has no state.

#include <cstdint>
#include <string>
#include <string_view>

namespace vorrendal {

class clsZLib {
 public:
  // Compresses uncompressed into compressed (length prefix and zlib stream,
  // written whatever the outcome) and returns zlib's status (0 = success).
  std::int32_t compressData(std::string uncompressed, std::string& compressed) const;

  // The longest text decompressData inflates: a model year's text is 4 to 7 KB,
  // so this leaves a margin of over a hundred times while a crafted stream
  // that expands a thousandfold costs no more than this.
  static constexpr std::size_t kMaxTextSize = std::size_t{1} << 20;

  // Inflates a text made by compressData. Returns zlib's status (0 = success);
  // decompressed receives the bytes inflated. A text shorter than 4 bytes, a
  // negative length prefix or a stream that ends early gives Z_DATA_ERROR. A
  // text longer than its length prefix or than kMaxTextSize gives Z_BUF_ERROR,
  // inflating no further than that; a length prefix larger than the real
  // length is harmless. Bytes after the end of the zlib stream are ignored;
  // trailingBytes (if given) receives their number.
  std::int32_t decompressData(std::string compressed, std::string& decompressed,
                              std::size_t* trailingBytes = nullptr) const;

  // The integer whose bytes, most significant first, are the four bytes of
  // bString; 0 unless bString is exactly 4 bytes long.
  static std::int32_t stringToLong(std::string_view bString);

  // The four bytes of nLong, most significant first.
  static std::string longToString(std::int32_t nLong);

  // The output buffer compressData gives zlib for n input bytes:
  // n * 0.01 + n + 12, rounded to the nearest integer, halves to even.
  static std::size_t CompressBufferSize(std::size_t n);
};

}  // namespace vorrendal
