// Known answers: MD5, the 40-bit key cut from it, RC4 (RFC 6229) and a block
// encrypted under the program's pass phrase.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/clsCrypto.h"

namespace vorrendal {
namespace {

constexpr const char* kPassPhrase = "C4E19B2-9D07A3F1-26B8E05C-7F3A91D4";

template <typename Bytes>
std::string Hex(const Bytes& bytes) {
  std::string out;
  for (const auto c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out += "0123456789abcdef"[b >> 4];
    out += "0123456789abcdef"[b & 0xF];
  }
  return out;
}

std::vector<std::uint8_t> FromHex(const std::string& hex) {
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

TEST(Crypto, DigestAndKeyKnownAnswers) {
  EXPECT_EQ(Hex(clsCrypto::Md5("")), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Hex(clsCrypto::Md5("abc")), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Hex(clsCrypto::Md5(kPassPhrase)), "0c67b7f524a4c9b82a478a7f77536c26");
  // Forty bits of the digest, then eleven zero salt bytes.
  EXPECT_EQ(Hex(clsCrypto::DeriveKey(kPassPhrase)), "0c67b7f5240000000000000000000000");
}

TEST(Crypto, Rc4MatchesRfc6229AndRefusesBadKeys) {
  const struct {
    const char* key;
    const char* stream;
  } rows[] = {
      {"0102030405", "b2396305f03dc027ccc3524a0a1118a86982944f18fc82d589c403a47a0d0919"},
      {"0102030405060708090a0b0c0d0e0f10",
       "9ac7cc9a609d1ef7b2932899cde41b975248c4959014126a6e8a84f11d1a9e1c"},
  };
  for (const auto& r : rows)
    EXPECT_EQ(Hex(clsCrypto::Rc4(FromHex(r.key), std::string(32, '\0'))), r.stream);
  EXPECT_EQ(clsCrypto::Rc4({}, "abc"), "");
  EXPECT_EQ(clsCrypto::Rc4(std::vector<std::uint8_t>(257, 1), "abc"), "");
}

TEST(Crypto, EncryptDecryptStatusAndPassPhrase) {
  clsCrypto crypto;
  EXPECT_EQ(crypto.Status(), 0);
  crypto.SetPassword(kPassPhrase);
  crypto.SetInBuffer("Hello, plate!\r\n");
  crypto.Encrypt();
  EXPECT_EQ(Hex(crypto.OutBuffer()), "e28ec1ce099860a7c6e86fa44ef999");
  EXPECT_EQ(crypto.Status(), 1);
  crypto.Encrypt();  // the key stream starts afresh
  EXPECT_EQ(Hex(crypto.OutBuffer()), "e28ec1ce099860a7c6e86fa44ef999");

  const std::string plain(std::string("a\0b\x80\xD8\xFF", 6) + std::string(100000, 'x'));
  crypto.SetInBuffer(plain);
  crypto.Encrypt();
  crypto.SetInBuffer(crypto.OutBuffer());
  crypto.Decrypt();
  EXPECT_EQ(crypto.OutBuffer(), plain);
  crypto.SetPassword("c4e19b2-9d07a3f1-26b8e05c-7f3a91d4");  // letter case matters
  crypto.Decrypt();
  EXPECT_NE(crypto.OutBuffer(), plain);
  crypto.SetInBuffer("");
  crypto.Decrypt();  // clears the previous output
  EXPECT_EQ(crypto.OutBuffer(), "");
  EXPECT_EQ(crypto.Status(), 1);
}

}  // namespace
}  // namespace vorrendal
