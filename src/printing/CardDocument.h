#pragma once

#include <vector>

#include "printing/CardRequest.h"
#include "printing/DrawingSurface.h"

namespace morvind {

// The name of every printed document.
inline constexpr const char* kDocumentName = "Card Header";

// Draws the cards as one document "Card Header" on `surface`, a page of
// its own for each card: the card header, then the monthly body.
void DrawCardDocument(DrawingSurface& surface, const std::vector<CardRequest>& cards);

}  // namespace morvind
