#include "pdf/ValuesDigest.h"

#include "pdf/Sha256.h"

namespace morvind {

std::string ValuesDigest(const std::vector<FormFieldValue>& values) {
  return Sha256Hex(CanonicalFormValues(values));
}

}  // namespace morvind
