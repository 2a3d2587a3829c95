#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvind {

// A text field's default appearance string (/DA), such as
// "/Helv 9 Tf 0 g": the operators that set the font, its size and the
// colour its text is drawn in.

// The font resource a default appearance names: the name operand of its
// last "Tf" operator (as a PDF reader applies them in order), without the
// slash; nothing when it sets no font.
std::optional<std::string> DefaultAppearanceFont(std::string_view appearance);

// The default appearance with its font set to `fontKey` and everything else
// (the size, the colour, other operators) kept: the name operand of the
// last "Tf" replaced, or "/fontKey 0 Tf " (size chosen by the reader) put
// in front where it sets no font.
std::string WithDefaultAppearanceFont(std::string_view appearance, std::string_view fontKey);

}  // namespace morvind
