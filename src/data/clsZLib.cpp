#include "clsZLib.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <climits>
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

std::int32_t clsZLib::decompressData(std::string compressed, std::string& decompressed,
                                     std::size_t* trailingBytes) const {
  if (trailingBytes) *trailingBytes = 0;
  if (compressed.size() < 4) return Z_DATA_ERROR;
  const std::int32_t expected = stringToLong(std::string_view(compressed).substr(0, 4));
  if (expected < 0) return Z_DATA_ERROR;
  // The text may be no longer than its prefix says, nor than the bound; it is
  // inflated a piece at a time and stops there, whatever the stream holds.
  const std::size_t limit = std::min(static_cast<std::size_t>(expected), kMaxTextSize);

  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return Z_MEM_ERROR;
  auto* next = reinterpret_cast<Bytef*>(compressed.data() + 4);
  std::size_t unread = compressed.size() - 4;  // not handed to zlib yet
  std::array<Bytef, 16384> piece;
  std::string text;
  int status = Z_OK;
  for (;;) {
    if (stream.avail_in == 0 && unread > 0) {
      stream.avail_in = static_cast<uInt>(std::min<std::size_t>(unread, UINT_MAX));
      stream.next_in = next;
      next += stream.avail_in;
      unread -= stream.avail_in;
    }
    stream.next_out = piece.data();
    stream.avail_out = static_cast<uInt>(piece.size());
    status = inflate(&stream, Z_NO_FLUSH);
    const std::size_t produced = piece.size() - stream.avail_out;
    const std::size_t room = limit - text.size();
    text.append(reinterpret_cast<const char*>(piece.data()), std::min(produced, room));
    if (produced > room) {
      status = Z_BUF_ERROR;  // as uncompress says of a buffer the text does not fit
      break;
    }
    if (status == Z_STREAM_END) {
      status = Z_OK;
      if (trailingBytes) *trailingBytes = stream.avail_in + unread;
      break;
    }
    // No progress with room to write: the stream ended early. A preset
    // dictionary is nothing compressData makes.
    if (status == Z_BUF_ERROR || status == Z_NEED_DICT) status = Z_DATA_ERROR;
    if (status != Z_OK) break;
  }
  inflateEnd(&stream);
  decompressed = std::move(text);
  return status;
}

}  // namespace vorrendal
