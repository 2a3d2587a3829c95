#pragma once

#include <string>
#include <string_view>

namespace morvind {

// The SHA-256 digest of `bytes` in lower-case hexadecimal (64 characters):
// the one digest of the form file, of a record's values and of a record
// file's bytes, wherever Morvind takes it.
std::string Sha256Hex(std::string_view bytes);

}  // namespace morvind
