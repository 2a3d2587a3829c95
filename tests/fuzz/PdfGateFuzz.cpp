// Any bytes as a PDF file a user hands Morvind: through the gate, as the
// official form (a small character set beyond most fonts, so that the
// fields' own fonts, embedded ones too, are read and a subset of Liberation
// Sans is added where they lack one) and as a file of a folder of records. Nothing may crash or
// hang, and a working copy is a form Morvind takes again as it took the file it came from.

#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzTargets.h"
#include "pdf/FormFonts.h"
#include "pdf/OfficialFormFile.h"
#include "pdf/PdfGate.h"
#include "pdf/RecordSeal.h"

namespace morvind::fuzz {
namespace {

constexpr std::string_view kTarget = "pdf_gate";

}  // namespace

int FuzzPdfGate(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const PdfGateResult gate = CheckPdfBytes(bytes);
  static const WorkingCopyOptions options{U"aäöüßŁж0123",
                                          WorkingCopyOptionsFor(CodePage::kWindows1252).fontFile};
  const PreparedForm form = PrepareOfficialFormBytes(bytes, options);
  FUZZ_CHECK(form.Ok() != form.workingCopy.empty(), kTarget,
             "a working copy without a passed check, or none with it");
  FUZZ_CHECK(gate.Ok() || !form.Ok(), kTarget, "a form the gate refused passed the check");
  if (form.Ok()) {
    FUZZ_CHECK(CheckPdfBytes(form.workingCopy).Ok(), kTarget,
               "the working copy does not pass the gate");
    const PreparedForm again = PrepareOfficialFormBytes(form.workingCopy, options);
    FUZZ_CHECK(again.check == form.check && again.hasRemarksTotal == form.hasRemarksTotal, kTarget,
               "the working copy prepares to another check: " +
                   FormFileMessage(again.check, "working copy"));
  }
  RecordFileFacts refused;
  refused.kind = RecordFileKind::kUnreadable;
  FUZZ_CHECK(gate.Ok() || ReadRecordInfo(bytes) == refused, kTarget,
             "record info read from a file the gate refused");
  return 0;
}

}  // namespace morvind::fuzz
