#include "pdf/Sha256.h"

#include <qpdf/QPDFCryptoProvider.hh>

namespace morvind {

std::string Sha256Hex(std::string_view bytes) {
  // qpdf's crypto provider (the one it decrypts PDF files with) keeps the
  // core free of a second crypto library.
  std::shared_ptr<QPDFCryptoImpl> sha = QPDFCryptoProvider::getImpl();
  sha->SHA2_init(256);
  if (!bytes.empty())
    sha->SHA2_update(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  sha->SHA2_finalize();
  const std::string digest = sha->SHA2_digest();
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(digest.size() * 2);
  for (unsigned char c : digest) {
    hex += kHex[c >> 4];
    hex += kHex[c & 0xF];
  }
  return hex;
}

}  // namespace morvind
