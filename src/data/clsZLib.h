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

  // Inflates a text made by compressData. Returns zlib's status (0 = success);
  // decompressed receives the bytes zlib reports as written. A text shorter
  // than 4 bytes or a negative length prefix gives Z_DATA_ERROR. A length
  // prefix larger than the real length is harmless, and costs no more memory
  // than the stream could ever expand to.
  std::int32_t decompressData(std::string compressed, std::string& decompressed) const;

  // The integer whose bytes, most significant first, are the four bytes of
  // bString; 0 unless bString is exactly 4 bytes long.
  static std::int32_t stringToLong(std::string_view bString);

  // The four bytes of nLong, most significant first.
  static std::string longToString(std::int32_t nLong);

  // The output buffer compressData gives zlib for n input bytes:
  // n * 0.01 + n + 12, rounded to the nearest integer, halves to even.
  static std::size_t CompressBufferSize(std::size_t n);

  // The most bytes a zlib stream of streamSize bytes can inflate to. Deflate
  // cannot expand beyond 1032:1 (a 258-byte match in two bits).
  static std::size_t MaxInflatedSize(std::size_t streamSize);
};

}  // namespace vorrendal
