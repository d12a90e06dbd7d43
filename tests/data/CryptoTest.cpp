// A block encrypted under the program's pass phrase: a known answer, and the way back.
#include <gtest/gtest.h>

#include "data/clsCrypto.h"

namespace vorrendal {
namespace {

constexpr const char* kPassPhrase = "C4E19B2-9D07A3F1-26B8E05C-7F3A91D4";

std::string Hex(const std::string& bytes) {
  std::string out;
  for (const unsigned char b : bytes)
    out += {"0123456789abcdef"[b >> 4], "0123456789abcdef"[b & 15]};
  return out;
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
