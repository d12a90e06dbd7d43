// Compressed text with its length in front: what a damaged or mis-sized input gives.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <optional>

#include "data/clsZLib.h"

namespace vorrendal {
namespace {

std::string Compress(const std::string& text) {
  std::string compressed;
  EXPECT_EQ(clsZLib().compressData(text, compressed), Z_OK);
  return compressed;
}

const std::string kText = "Standard V8, 352 cubic inches, two-barrel carburettor\r\n";
const std::string kSample = Compress(kText);
std::string Prefixed(std::int32_t n) { return clsZLib::longToString(n) + kSample.substr(4); }
std::string Flipped() {
  std::string flipped = kSample;
  flipped[flipped.size() / 2] ^= 0x55;
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
    ::testing::Values(Inflate{"prefix too small", Prefixed(10), Z_BUF_ERROR, 10, 0},
                      Inflate{"flipped byte", Flipped(), Z_DATA_ERROR, std::nullopt, 0},
                      Inflate{"truncated", kSample.substr(0, 20), Z_DATA_ERROR, std::nullopt, 0},
                      Inflate{"huge prefix, harmless", Prefixed(0x7FFFFFFF), Z_OK, kText.size(), 0},
                      Inflate{"junk after the stream", kSample + "junk", Z_OK, kText.size(), 4}));

}  // namespace
}  // namespace vorrendal
