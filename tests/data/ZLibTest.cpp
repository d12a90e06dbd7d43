// Compressed text with its length in front: the prefix, the round trip, and
// what a damaged or mis-sized input gives.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>

#include "data/clsZLib.h"

namespace vorrendal {
namespace {

using namespace std::string_literals;

TEST(ZLib, LengthPrefixIsFourBytesMostSignificantFirst) {
  const struct {
    std::int32_t value;
    std::string bytes;
  } rows[] = {
      {0, "\0\0\0\0"s},         {0x01020304, "\x01\x02\x03\x04"}, {0x7FFFFFFF, "\x7F\xFF\xFF\xFF"},
      {-1, "\xFF\xFF\xFF\xFF"}, {INT32_MIN, "\x80\0\0\0"s},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(clsZLib::longToString(r.value), r.bytes);
    EXPECT_EQ(clsZLib::stringToLong(r.bytes), r.value);
  }
  EXPECT_EQ(clsZLib::stringToLong("\x01\x02\x03"), 0);
  EXPECT_EQ(clsZLib::stringToLong("\x01\x02\x03\x04\x05"), 0);
}

std::string Compress(const std::string& text) {
  std::string compressed;
  EXPECT_EQ(clsZLib().compressData(text, compressed), Z_OK);
  return compressed;
}

TEST(ZLib, AnyBytesComeBackWithTheirExactLength) {
  std::string noise;  // does not shrink: the output buffer must still hold it
  for (std::uint32_t x = 2463534242u; noise.size() < 70000;) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    noise += static_cast<char>(x & 0xFF);
  }
  for (const std::string& text :
       {""s, "Avondale, Ohio\0p62-A\r\n\xD8\xFF"s, noise, std::string(200000, 'a')}) {
    const std::string compressed = Compress(text);
    EXPECT_EQ(clsZLib::stringToLong(compressed.substr(0, 4)),
              static_cast<std::int32_t>(text.size()));
    std::string back = "stale";
    EXPECT_EQ(clsZLib().decompressData(compressed, back), Z_OK);
    EXPECT_EQ(back, text);
  }
}

TEST(ZLib, DamagedOrMisSizedInput) {
  const std::string sample = Compress("Standard V8, 352 cubic inches, two-barrel carburettor\r\n");
  const auto prefixed = [&](std::int32_t n) { return clsZLib::longToString(n) + sample.substr(4); };
  std::string flipped = sample;
  flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x55);
  const struct {
    const char* name;
    std::string compressed;
    int status;
  } rows[] = {
      {"empty", "", Z_DATA_ERROR},
      {"three bytes", "abc", Z_DATA_ERROR},
      {"negative prefix", prefixed(-5), Z_DATA_ERROR},
      {"prefix too small", prefixed(10), Z_BUF_ERROR},
      {"prefix zero", prefixed(0), Z_DATA_ERROR},
      {"flipped byte", flipped, Z_DATA_ERROR},
      {"truncated", sample.substr(0, 20), Z_DATA_ERROR},
      {"huge prefix", prefixed(0x7FFFFFFF),
       Z_OK},  // harmless: no more memory than the stream can need
  };
  for (const auto& r : rows) {
    std::string out;
    EXPECT_EQ(clsZLib().decompressData(r.compressed, out), r.status) << r.name;
  }
  // The cap on a huge prefix still fits the most compressible text.
  const std::string zeros(1 << 20, '\0');
  std::string out;
  EXPECT_EQ(
      clsZLib().decompressData(clsZLib::longToString(0x7FFFFFFF) + Compress(zeros).substr(4), out),
      Z_OK);
  EXPECT_EQ(out, zeros);
}

}  // namespace
}  // namespace vorrendal
