#pragma once

#include <QPageLayout>
#include <filesystem>
#include <optional>
#include <vector>

#include "printing/CardDocument.h"
#include "printing/CardRequest.h"
#include "printing/qt/PrintJob.h"

namespace morvind {

// Prints the cards into the PDF file `target`, one page a card, in one
// document "Card Header", on `pageLayout` (Qt's default page, A4, when
// empty), with the program's file writer (PrintCards): a failure or a stop
// through the options' callback leaves no new file and an older target
// exactly as it was. kNotWritten says why. Needs a Qt application object.
PrintResult WritePdfFile(const std::vector<CardRequest>& cards, const std::filesystem::path& target,
                         const std::optional<QPageLayout>& pageLayout,
                         const CardDocumentOptions& options = {});

}  // namespace morvind
