#include "data/clsCrypto.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorrendal {
namespace {

constexpr const char* kPassPhrase = "C4E19B2-9D07A3F1-26B8E05C-7F3A91D4";

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out += kDigits[b >> 4];
    out += kDigits[b & 0xF];
  }
  return out;
}

template <typename Bytes>
std::string Hex(const Bytes& bytes) {
  return Hex(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string FromHex(std::string_view hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
  }
  return out;
}

// The digest is what the key is cut from, so the bytes hashed must be exactly
// the pass phrase's.
struct DigestCase {
  const char* name;
  std::string input;
  const char* md5;
};

class CryptoDigest : public ::testing::TestWithParam<DigestCase> {};

TEST_P(CryptoDigest, MatchesKnownAnswer) {
  EXPECT_EQ(Hex(clsCrypto::Md5(GetParam().input)), GetParam().md5);
}

INSTANTIATE_TEST_SUITE_P(
    Md5, CryptoDigest,
    ::testing::Values(DigestCase{"Empty", "", "d41d8cd98f00b204e9800998ecf8427e"},
                      DigestCase{"Abc", "abc", "900150983cd24fb0d6963f7d28e17f72"},
                      DigestCase{"PassPhrase", kPassPhrase, "0c67b7f524a4c9b82a478a7f77536c26"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(CryptoKey, IsFortyBitsOfTheDigestAndElevenZeroSaltBytes) {
  EXPECT_EQ(Hex(clsCrypto::DeriveKey(kPassPhrase)), "0c67b7f5240000000000000000000000");
  EXPECT_EQ(Hex(clsCrypto::DeriveKey("abc")), "900150983c0000000000000000000000");
}

// RC4 itself, from the published test vectors for the cipher (RFC 6229):
// key stream bytes 0-31 from encrypting zero bytes.
struct StreamCase {
  const char* name;
  std::string key;
  const char* stream;
};

class CryptoRc4Stream : public ::testing::TestWithParam<StreamCase> {};

TEST_P(CryptoRc4Stream, MatchesPublishedKeyStream) {
  const std::string key = FromHex(GetParam().key);
  const std::vector<std::uint8_t> keyBytes(key.begin(), key.end());
  EXPECT_EQ(Hex(clsCrypto::Rc4(keyBytes, std::string(32, '\0'))), GetParam().stream);
}

INSTANTIATE_TEST_SUITE_P(
    Rfc6229, CryptoRc4Stream,
    ::testing::Values(
        StreamCase{"Key40", "0102030405",
                   "b2396305f03dc027ccc3524a0a1118a86982944f18fc82d589c403a47a0d0919"},
        StreamCase{"Key128", "0102030405060708090a0b0c0d0e0f10",
                   "9ac7cc9a609d1ef7b2932899cde41b975248c4959014126a6e8a84f11d1a9e1c"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(CryptoRc4Stream, RefusesKeysTheCipherCannotTake) {
  EXPECT_EQ(clsCrypto::Rc4({}, "abc"), "");
  const std::vector<std::uint8_t> tooLong(257, 1);
  EXPECT_EQ(clsCrypto::Rc4(tooLong, "abc"), "");
}

TEST(CryptoEncrypt, MatchesTheKnownAnswerForThePassPhrase) {
  clsCrypto crypto;
  crypto.SetPassword(kPassPhrase);
  crypto.SetInBuffer("Hello, plate!\r\n");
  crypto.Encrypt();
  EXPECT_EQ(Hex(crypto.OutBuffer()), "e28ec1ce099860a7c6e86fa44ef999");
  EXPECT_EQ(crypto.Status(), 1);

  crypto.SetInBuffer(FromHex("e28ec1ce099860a7c6e86fa44ef999"));
  crypto.Decrypt();
  EXPECT_EQ(crypto.OutBuffer(), "Hello, plate!\r\n");
  EXPECT_EQ(crypto.Status(), 1);
}

TEST(CryptoStatus, IsZeroBeforeAndOneAfterEachOperation) {
  clsCrypto crypto;
  EXPECT_EQ(crypto.Status(), 0);
  crypto.Decrypt();
  EXPECT_EQ(crypto.Status(), 1);
  EXPECT_EQ(crypto.OutBuffer(), "");
}

TEST(CryptoDecrypt, ClearsTheOutputOfThePreviousOperation) {
  clsCrypto crypto;
  crypto.SetPassword(kPassPhrase);
  crypto.SetInBuffer("something");
  crypto.Encrypt();
  ASSERT_FALSE(crypto.OutBuffer().empty());
  crypto.SetInBuffer("");
  crypto.Decrypt();
  EXPECT_EQ(crypto.OutBuffer(), "");
  EXPECT_EQ(crypto.Status(), 1);
}

TEST(CryptoEncrypt, StartsTheKeyStreamAfreshEachTime) {
  clsCrypto crypto;
  crypto.SetPassword(kPassPhrase);
  crypto.SetInBuffer("same bytes");
  crypto.Encrypt();
  const std::string first = crypto.OutBuffer();
  crypto.Encrypt();
  EXPECT_EQ(crypto.OutBuffer(), first);
}

// Encrypt then Decrypt gives the bytes back under the same pass phrase and
// something else under another one.
struct RoundTripCase {
  const char* name;
  std::string plain;
};

class CryptoRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(CryptoRoundTrip, SamePassPhraseOnly) {
  const std::string& plain = GetParam().plain;
  clsCrypto crypto;
  crypto.SetPassword(kPassPhrase);
  crypto.SetInBuffer(plain);
  crypto.Encrypt();
  const std::string cipher = crypto.OutBuffer();
  ASSERT_EQ(cipher.size(), plain.size());
  EXPECT_NE(cipher, plain);

  crypto.SetInBuffer(cipher);
  crypto.Decrypt();
  EXPECT_EQ(crypto.OutBuffer(), plain);

  crypto.SetPassword("c4e19b2-9d07a3f1-26b8e05c-7f3a91d4");  // letter case matters
  crypto.Decrypt();
  EXPECT_NE(crypto.OutBuffer(), plain);
}

INSTANTIATE_TEST_SUITE_P(
    Buffers, CryptoRoundTrip,
    ::testing::Values(RoundTripCase{"Text", "p62-A Avondale"},
                      RoundTripCase{"NulBytes", std::string("a\0b\0\0c", 6)},
                      RoundTripCase{"HighBytes", "\x80\xD8\xFF\xA0\x9F"},
                      RoundTripCase{"Long", std::string(100000, 'x')}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace vorrendal
