#pragma once

#include <string>
#include <string_view>

namespace morvind {

// Appends `text` (UTF-8) as a JSON string, quotes included: the quote, the
// backslash and the control characters escaped, everything else as it is.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace morvind
