#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "printing/RecordFile.h"

namespace morvind {

// The keys of the PDF's information dictionary under which Morvind keeps
// what it records in a record file (RecordFileFacts).
inline constexpr std::string_view kRecordKeyEntry = "MorvindRecord";
inline constexpr std::string_view kValuesDigestEntry = "MorvindValuesDigest";
inline constexpr std::string_view kFormDigestEntry = "MorvindFormDigest";
inline constexpr std::string_view kFileDigestEntry = "MorvindFileDigest";

// What a record file is saved with as its file digest: a text
// of the digest's length, replaced by the digest once the file's bytes are
// known (SealRecordFile), the way a PDF signature covers its own file.
std::string FileDigestPlaceholder();

// Seals a saved record file: finds the placeholder where the information
// dictionary holds it (Poppler writes these entries as UTF-16 with its
// byte order mark in lower-case hexadecimal, "<feff0075006e…>"; the last
// such text in the file, as Poppler appends the dictionary), takes the
// SHA-256 digest of every byte of the file with the placeholder in place,
// and writes the digest over the placeholder in the same encoding and
// length, so that no offset moves. No parse: cheap enough for every file of
// a folder. False, `bytes` unchanged, when the placeholder is not there.
bool SealRecordFile(std::string& bytes);

// What Morvind recorded in a record file's bytes (kind kPdf), from the
// information dictionary of the file's last trailer (a form made from a
// filled record carries an older one), and whether its file digest matches
// the bytes: the last occurrence of the digest's encoded text put back to
// the placeholder's, the digest of the whole is the one recorded. Any other
// change since the seal (a byte anywhere, an update appended by any
// program, a file saved anew) breaks it. Nothing is read from bytes the
// gate (CheckPdfBytes) refuses: kind kUnreadable. The identity and the
// write protection are the file's, not its bytes': left empty.
RecordFileFacts ReadRecordInfo(std::string_view bytes);

// The facts of a file of a folder of records: a link is not followed, only
// a regular file is read (ReadPdfFile) and checked (CheckPdfBytes), then its
// record info read; within a second or two whatever lies there.
RecordFileFacts ReadRecordFile(const std::filesystem::path& file);

}  // namespace morvind
