#include "data/clsZLib.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <limits>
#include <string>

namespace vorrendal {
namespace {

// longToString and stringToLong: four bytes, most significant first.
struct LengthCase {
  const char* name;
  std::int32_t value;
  std::string bytes;
};

class ZLibLength : public ::testing::TestWithParam<LengthCase> {};

TEST_P(ZLibLength, BothWays) {
  EXPECT_EQ(clsZLib::longToString(GetParam().value), GetParam().bytes);
  EXPECT_EQ(clsZLib::stringToLong(GetParam().bytes), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ZLibLength,
    ::testing::Values(
        LengthCase{"Zero", 0, std::string(4, '\0')},
        LengthCase{"TwoFiftyEight", 258, std::string("\0\0\x01\x02", 4)},
        LengthCase{"HighByteOrder", 0x01020304, "\x01\x02\x03\x04"},
        LengthCase{"Max", std::numeric_limits<std::int32_t>::max(), "\x7F\xFF\xFF\xFF"},
        LengthCase{"MinusOne", -1, "\xFF\xFF\xFF\xFF"},
        LengthCase{"FirstByteHigh", std::numeric_limits<std::int32_t>::min(), std::string("\x80\0\0\0", 4)}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ZLibLength, OnlyExactlyFourBytesGiveAValue) {
  EXPECT_EQ(clsZLib::stringToLong(""), 0);
  EXPECT_EQ(clsZLib::stringToLong("\x01\x02\x03"), 0);
  EXPECT_EQ(clsZLib::stringToLong("\x01\x02\x03\x04\x05"), 0);
}

// The output buffer: n * 0.01 + n + 12, rounded to nearest, halves to even.
struct BufferCase {
  std::size_t n;
  std::size_t size;
};

class ZLibBuffer : public ::testing::TestWithParam<BufferCase> {};

TEST_P(ZLibBuffer, Size) { EXPECT_EQ(clsZLib::CompressBufferSize(GetParam().n), GetParam().size); }

INSTANTIATE_TEST_SUITE_P(Sizes, ZLibBuffer,
                         ::testing::Values(BufferCase{0, 12}, BufferCase{1, 13}, BufferCase{50, 62},
                                           BufferCase{100, 113}, BufferCase{150, 164},
                                           BufferCase{250, 264}, BufferCase{12345, 12480}));

// compressData then decompressData gives the text back, status 0, for any
// bytes; the prefix holds the exact length.
struct TextCase {
  const char* name;
  std::string text;
};

class ZLibRoundTrip : public ::testing::TestWithParam<TextCase> {};

TEST_P(ZLibRoundTrip, GivesTheTextBack) {
  const clsZLib zlib;
  std::string compressed;
  ASSERT_EQ(zlib.compressData(GetParam().text, compressed), Z_OK);
  EXPECT_EQ(clsZLib::stringToLong(compressed.substr(0, 4)), static_cast<std::int32_t>(GetParam().text.size()));
  std::string back = "stale";
  EXPECT_EQ(zlib.decompressData(compressed, back), Z_OK);
  EXPECT_EQ(back, GetParam().text);
}

std::string Incompressible(std::size_t n) {
  std::string out;
  std::uint32_t x = 2463534242u;
  for (std::size_t i = 0; i < n; ++i) {
    x ^= x << 13; x ^= x >> 17; x ^= x << 5;
    out += static_cast<char>(x & 0xFF);
  }
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ZLibRoundTrip,
    ::testing::Values(TextCase{"Empty", ""}, TextCase{"OneByte", "x"},
                      TextCase{"Record", std::string("Avondale, Ohio\0p62-A\r\n", 22)},
                      TextCase{"HighBytes", "\xD8\xFF\x80\x9F\xA0"},
                      // Random bytes do not shrink: the buffer must still hold them.
                      TextCase{"Incompressible", Incompressible(70000)},
                      TextCase{"Repetitive", std::string(200000, 'a')}),
    [](const auto& p) { return std::string(p.param.name); });

std::string Compress(const std::string& text) {
  std::string compressed;
  clsZLib().compressData(text, compressed);
  return compressed;
}

std::string WithPrefix(const std::string& compressed, std::int32_t length) {
  return clsZLib::longToString(length) + compressed.substr(4);
}

// What decompressData does with a damaged or mis-sized input.
struct BadCase {
  const char* name;
  std::string compressed;
  int status;
};

class ZLibDamaged : public ::testing::TestWithParam<BadCase> {};

TEST_P(ZLibDamaged, FailsWithStatus) {
  std::string out;
  EXPECT_EQ(clsZLib().decompressData(GetParam().compressed, out), GetParam().status);
}

std::string FlipStreamByte(std::string compressed) {
  compressed[compressed.size() / 2] = static_cast<char>(compressed[compressed.size() / 2] ^ 0x55);
  return compressed;
}

const std::string kSample = "Standard V8, 352 cubic inches, two-barrel carburettor\r\n";

INSTANTIATE_TEST_SUITE_P(
    Inputs, ZLibDamaged,
    ::testing::Values(BadCase{"Empty", "", Z_DATA_ERROR}, BadCase{"ThreeBytes", "abc", Z_DATA_ERROR},
                      BadCase{"NegativePrefix", WithPrefix(Compress(kSample), -5), Z_DATA_ERROR},
                      BadCase{"PrefixTooSmall", WithPrefix(Compress(kSample), 10), Z_BUF_ERROR},
                      BadCase{"PrefixZeroForText", WithPrefix(Compress(kSample), 0), Z_DATA_ERROR},
                      BadCase{"FlippedByte", FlipStreamByte(Compress(kSample)), Z_DATA_ERROR},
                      BadCase{"NotAStream", "\0\0\0\x10garbage-garbage", Z_DATA_ERROR},
                      BadCase{"TruncatedStream", Compress(kSample).substr(0, 20), Z_DATA_ERROR}),
    [](const auto& p) { return std::string(p.param.name); });

// A length prefix larger than the text is harmless: the real length is used,
// and the buffer never exceeds what the stream could expand to.
TEST(ZLibLargePrefix, IsHarmless) {
  std::string out;
  EXPECT_EQ(clsZLib().decompressData(WithPrefix(Compress(kSample), 0x7FFFFFFF), out), Z_OK);
  EXPECT_EQ(out, kSample);
}

TEST(ZLibLargePrefix, StillFitsTheMostCompressibleText) {
  // A megabyte of one byte is about as compressible as deflate gets.
  const std::string text(1 << 20, '\0');
  const std::string compressed = Compress(text);
  ASSERT_LT(compressed.size(), text.size() / 500);
  std::string out;
  EXPECT_EQ(clsZLib().decompressData(WithPrefix(compressed, 0x7FFFFFFF), out), Z_OK);
  EXPECT_EQ(out.size(), text.size());
}

}  // namespace
}  // namespace vorrendal
