#pragma once

#include <string>
#include <vector>

#include "printing/OfficialFormFields.h"

namespace morvind {

// The SHA-256 digest (hex) of CanonicalFormValues(values): what a record
// file records of the values Morvind filled in, so that a later run with
// the same values on the same form leaves the file as it is.
std::string ValuesDigest(const std::vector<FormFieldValue>& values);

}  // namespace morvind
