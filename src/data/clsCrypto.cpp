#include "clsCrypto.h"

#include <nettle/arcfour.h>
#include <nettle/md5.h>

namespace vorrendal {

clsCrypto::Digest clsCrypto::Md5(std::string_view bytes) {
  md5_ctx md5;
  md5_init(&md5);
  md5_update(&md5, bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data()));
  Digest digest{};
  md5_digest(&md5, digest.size(), digest.data());
  return digest;
}

std::array<std::uint8_t, clsCrypto::kKeySize> clsCrypto::DeriveKey(std::string_view passPhrase) {
  const Digest digest = Md5(passPhrase);
  std::array<std::uint8_t, kKeySize> key{};  // the salt bytes stay zero
  for (std::size_t i = 0; i < kEffectiveBytes; ++i) key[i] = digest[i];
  return key;
}

std::string clsCrypto::Rc4(std::span<const std::uint8_t> key, std::string_view data) {
  if (key.empty() || key.size() > ARCFOUR_MAX_KEY_SIZE) return {};
  arcfour_ctx rc4;
  arcfour_set_key(&rc4, key.size(), key.data());
  std::string out(data.size(), '\0');
  arcfour_crypt(&rc4, data.size(), reinterpret_cast<std::uint8_t*>(out.data()),
                reinterpret_cast<const std::uint8_t*>(data.data()));
  return out;
}

// RC4 is a stream cipher: encrypting and decrypting are the same operation,
// and every operation starts the key stream afresh.
void clsCrypto::Run() {
  const auto key = DeriveKey(password_);
  outBuffer_ = Rc4(key, inBuffer_);
}

void clsCrypto::Encrypt() {
  status_ = 0;
  Run();
  status_ = 1;
}

void clsCrypto::Decrypt() {
  status_ = 0;
  outBuffer_.clear();
  Run();
  status_ = 1;
}

}  // namespace vorrendal
