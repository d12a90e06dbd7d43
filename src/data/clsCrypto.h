#pragma once
// The cipher that Data.dat's packed blocks are encrypted with: RC4 under a
// key derived from the MD5 hash of a pass phrase.
//
// The key is the one the Windows base cryptographic provider derives from an
// MD5 hash with flags 0 (a 40-bit key with 11 zero salt bytes): the 16-byte
// RC4 key is the first 5 bytes of the digest followed by 11 zero bytes. Files
// packed there therefore open here, and the other way round.
//
// Like the rest of the program the class keeps its inputs and results in
// fields: set InBuffer and Password, run Encrypt or Decrypt, read OutBuffer.
// Status is 0 while an operation runs and 1 once it has finished, whether or
// not it succeeded. Buffers carry arbitrary bytes.
//
// Signing and verifying with a user key pair are not offered: they need a
// platform key store and nothing in the program uses them.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace vorrendal {

class clsCrypto {
 public:
  static constexpr std::size_t kKeySize = 16;        // RC4 key handed to the cipher
  static constexpr std::size_t kEffectiveBytes = 5;  // 40 bits taken from the digest

  const std::string& InBuffer() const { return inBuffer_; }
  void SetInBuffer(std::string bytes) { inBuffer_ = std::move(bytes); }

  const std::string& OutBuffer() const { return outBuffer_; }

  const std::string& Password() const { return password_; }
  void SetPassword(std::string passPhrase) { password_ = std::move(passPhrase); }

  std::int32_t Status() const { return status_; }

  // Encrypts InBuffer into OutBuffer.
  void Encrypt();
  // Clears OutBuffer, then decrypts InBuffer into it.
  void Decrypt();

  using Digest = std::array<std::uint8_t, 16>;

  // MD5 of the bytes.
  static Digest Md5(std::string_view bytes);
  // The RC4 key derived from a pass phrase's bytes.
  static std::array<std::uint8_t, kKeySize> DeriveKey(std::string_view passPhrase);
  // data run through RC4 under key, the key stream started afresh. A key
  // outside 1 to 256 bytes gives an empty result.
  static std::string Rc4(std::span<const std::uint8_t> key, std::string_view data);

 private:
  void Run();

  std::string inBuffer_;
  std::string outBuffer_;
  std::string password_;
  std::int32_t status_ = 0;
};

}  // namespace vorrendal
