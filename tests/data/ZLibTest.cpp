// Compressed text with its length in front: the prefix, the round trip, and
// what a damaged or mis-sized input gives.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <optional>
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

const std::string kText = "Standard V8, 352 cubic inches, two-barrel carburettor\r\n";
const std::string kSample = Compress(kText);
std::string Prefixed(std::int32_t n, const std::string& compressed = kSample) {
  return clsZLib::longToString(n) + compressed.substr(4);
}
std::string Flipped() {
  std::string flipped = kSample;
  flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x55);
  return flipped;
}

struct Inflate {
  const char* name;
  std::string compressed;
  int status;
  std::optional<std::size_t> size;  // of what comes out (nullopt: whatever zlib got to)
  std::size_t trailing;             // bytes after the stream
};
void PrintTo(const Inflate& r, std::ostream* os) { *os << r.name; }

class ZLibInflate : public ::testing::TestWithParam<Inflate> {};

TEST_P(ZLibInflate, StatusSizeAndTrailingBytes) {
  std::string out;
  std::size_t trailing = 99;
  EXPECT_EQ(clsZLib().decompressData(GetParam().compressed, out, &trailing), GetParam().status);
  if (GetParam().size) {
    EXPECT_EQ(out.size(), *GetParam().size);
  }
  EXPECT_EQ(trailing, GetParam().trailing);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ZLibInflate,
    ::testing::Values(Inflate{"empty", "", Z_DATA_ERROR, 0, 0},
                      Inflate{"three bytes", "abc", Z_DATA_ERROR, 0, 0},
                      Inflate{"negative prefix", Prefixed(-5), Z_DATA_ERROR, 0, 0},
                      Inflate{"prefix too small", Prefixed(10), Z_BUF_ERROR, 10, 0},
                      Inflate{"prefix zero", Prefixed(0), Z_BUF_ERROR, 0, 0},
                      Inflate{"flipped byte", Flipped(), Z_DATA_ERROR, std::nullopt, 0},
                      Inflate{"truncated", kSample.substr(0, 20), Z_DATA_ERROR, std::nullopt, 0},
                      Inflate{"huge prefix", Prefixed(0x7FFFFFFF), Z_OK, kText.size(),
                              0},  // harmless
                      Inflate{"junk after the stream", kSample + "junk", Z_OK, kText.size(), 4}));

}  // namespace
}  // namespace vorrendal
