#include "clsZLib.h"

#include <zlib.h>

#include <cmath>
#include <limits>
#include <utility>

namespace vorrendal {

std::int32_t clsZLib::stringToLong(std::string_view bString) {
  if (bString.size() != 4) return 0;
  std::uint32_t value = 0;
  for (char c : bString) value = (value << 8) | static_cast<unsigned char>(c);
  return static_cast<std::int32_t>(value);
}

std::string clsZLib::longToString(std::int32_t nLong) {
  const auto value = static_cast<std::uint32_t>(nLong);
  std::string out(4, '\0');
  for (int i = 0; i < 4; ++i)
    out[static_cast<std::size_t>(i)] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
  return out;
}

std::size_t clsZLib::CompressBufferSize(std::size_t n) {
  // nearbyint rounds in the current mode, which is to-nearest-even.
  const double size = static_cast<double>(n) * 0.01 + static_cast<double>(n) + 12.0;
  return static_cast<std::size_t>(std::nearbyint(size));
}

std::size_t clsZLib::MaxInflatedSize(std::size_t streamSize) {
  // 1032 bytes per stream byte, plus room for the one literal or match that a
  // stream shorter than its own header could still be claimed to hold.
  return streamSize * 1032 + 258;
}

std::int32_t clsZLib::compressData(std::string uncompressed, std::string& compressed) const {
  const std::size_t n = uncompressed.size();
  if (n > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    compressed.clear();
    return Z_MEM_ERROR;  // the length prefix cannot hold it
  }
  std::string buffer(CompressBufferSize(n), '\0');
  uLongf destLen = buffer.size();
  const int status = compress(reinterpret_cast<Bytef*>(buffer.data()), &destLen,
                              reinterpret_cast<const Bytef*>(uncompressed.data()), n);
  buffer.resize(destLen);
  compressed = longToString(static_cast<std::int32_t>(n)) + buffer;
  return status;
}

std::int32_t clsZLib::decompressData(std::string compressed, std::string& decompressed) const {
  if (compressed.size() < 4) return Z_DATA_ERROR;
  const std::int32_t expected = stringToLong(std::string_view(compressed).substr(0, 4));
  if (expected < 0) return Z_DATA_ERROR;
  const std::size_t streamSize = compressed.size() - 4;

  std::size_t size = static_cast<std::size_t>(expected);
  if (size > MaxInflatedSize(streamSize)) size = MaxInflatedSize(streamSize);
  std::string buffer(size, '\0');
  uLongf destLen = size;
  const int status = uncompress(reinterpret_cast<Bytef*>(buffer.data()), &destLen,
                                reinterpret_cast<const Bytef*>(compressed.data() + 4), streamSize);
  buffer.resize(destLen);
  decompressed = std::move(buffer);
  return status;
}

}  // namespace vorrendal
