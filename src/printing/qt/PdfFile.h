#pragma once

#include <QPageLayout>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "printing/CardDocument.h"
#include "printing/CardRequest.h"

namespace morvind {

enum class PdfOutcome { kWritten, kFailed, kCancelled };

// Prints the cards into the PDF file `target`, one page a card, in one
// document "Card Header", on `pageLayout` (Qt's default page, A4, when
// empty). The file is written beside the target under a temporary name and
// renamed over it only when the whole document is done, so a failure or a
// stop through the options' callback leaves no new file and an older
// target exactly as it was. On kFailed `reason` says why when the system
// told (it may stay empty). Needs a Qt application object.
PdfOutcome WritePdfFile(const std::vector<CardRequest>& cards, const std::filesystem::path& target,
                        const std::optional<QPageLayout>& pageLayout,
                        const CardDocumentOptions& options, std::string& reason);

}  // namespace morvind
