#include "pdf/RecordSeal.h"

#include "pdf/DecodeBudget.h"
#include "pdf/QpdfDocument.h"
#include "pdf/RecordInfoOf.h"
#include "pdf/Sha256.h"

namespace morvind {
namespace {

constexpr std::size_t kDigestLength = 64;

// A text as Poppler writes an entry of the information dictionary: UTF-16
// with its byte order mark, in lower-case hexadecimal, "<feff0061…>".
// Only ASCII texts are sealed, so each character is "00" and its byte.
std::string PopplerHexText(std::string_view ascii) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "<feff";
  for (unsigned char c : ascii) {
    out += "00";
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
  }
  return out + ">";
}

bool IsDigest(std::string_view text) {
  if (text.size() != kDigestLength) return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

std::string InfoText(QPDFObjectHandle info, std::string_view key) {
  QPDFObjectHandle value = info.getKey("/" + std::string(key));
  return value.isString() ? value.getUTF8Value() : std::string();
}

}  // namespace

std::string FileDigestPlaceholder() {
  // As long as a digest, and never one: it tells whoever looks at the
  // file's properties that the file was saved but not sealed.
  std::string placeholder = "unsealed";
  placeholder.resize(kDigestLength, '.');
  return placeholder;
}

bool SealRecordFile(std::string& bytes) {
  // The newest information dictionary is the last one written: Poppler
  // appends it with the filled fields.
  const std::string placeholder = PopplerHexText(FileDigestPlaceholder());
  const std::size_t at = bytes.rfind(placeholder);
  if (at == std::string::npos) return false;
  const std::string digest = PopplerHexText(Sha256Hex(bytes));
  bytes.replace(at, digest.size(), digest);
  return true;
}

RecordFileFacts RecordInfoOf(QPDF& pdf, std::string_view bytes) {
  RecordFileFacts read;
  read.kind = RecordFileKind::kPdf;
  const bool ok = CatchingQpdf([&] {
    // qpdf's trailer is that of the file's last update: the cross-reference
    // sections are read from the end, and the first trailer read stays.
    QPDFObjectHandle info = pdf.getTrailer().getKey("/Info");
    if (!info.isDictionary()) return;
    read.recordKey = InfoText(info, kRecordKeyEntry);
    read.valuesDigest = InfoText(info, kValuesDigestEntry);
    read.formDigest = InfoText(info, kFormDigestEntry);
    read.fileDigest = InfoText(info, kFileDigestEntry);
  });
  if (!ok) {
    read = RecordFileFacts();
    read.kind = RecordFileKind::kPdf;
    return read;
  }
  const std::string& digest = read.fileDigest;
  if (!IsDigest(digest)) return read;
  // The file as it was hashed: the placeholder where the seal is now.
  const std::string sealed = PopplerHexText(digest);
  const std::size_t at = bytes.rfind(sealed);
  if (at == std::string_view::npos) return read;
  std::string unsealed(bytes);
  unsealed.replace(at, sealed.size(), PopplerHexText(FileDigestPlaceholder()));
  read.sealIntact = Sha256Hex(unsealed) == digest;
  return read;
}

RecordFileFacts ReadRecordInfo(std::string_view bytes) {
  DecodeBudgetScope budget;
  QpdfDocument document = OpenPdf(bytes);
  if (!document.gate.Ok()) {
    RecordFileFacts refused;
    refused.kind = RecordFileKind::kUnreadable;
    return refused;
  }
  return RecordInfoOf(*document.pdf, bytes);
}

}  // namespace morvind
