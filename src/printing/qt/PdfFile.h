#pragma once

#include <QPageLayout>
#include <filesystem>
#include <optional>
#include <vector>

#include "printing/CardDocument.h"
#include "printing/CardRequest.h"
#include "printing/qt/PrintJob.h"

namespace morvind {

// The page of a PDF file made without a printer: A4 with no page margins,
// so that what is drawn stands at the paper's corner plus the margins from
// "Optionen" (Qt's PDF output would add margins of its own).
QPageLayout PlainPdfPage();

// Prints the cards into the PDF file `target`, one page a card, in one
// document titled as the options say (DocumentName), on `pageLayout` (PlainPdfPage when empty),
// with the program's file writer (PrintCards): a failure or a stop through the options' callback
// leaves no new file and an older target exactly as it was. kNotWritten says why. Needs a Qt
// application object.
PrintResult WritePdfFile(const std::vector<CardRequest>& cards, const std::filesystem::path& target,
                         const std::optional<QPageLayout>& pageLayout,
                         const CardDocumentOptions& options = {});

}  // namespace morvind
