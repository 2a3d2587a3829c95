#pragma once

#include <string>

#include "resources/FileIdentity.h"

namespace morvind {

// What Morvind records in each file of a folder of records, in the PDF's
// information dictionary, so that it travels with the file when the folder
// is copied to another machine or restored from a backup.
struct RecordInfo {
  std::string recordKey;     // whose record: PublisherRecordKey, CongregationRecordKey
  std::string valuesDigest;  // of the values Morvind filled in (ValuesDigest)
  std::string formDigest;    // of the form file it filled
  // Of the file's own bytes, all but this entry's text: a file changed in
  // any byte since Morvind wrote it no longer matches. Empty in the files
  // of older versions of Morvind, which did not write it.
  std::string fileDigest;
  bool operator==(const RecordInfo&) const = default;
};

// What a file of the folder is, as far as the folder's rules need it.
enum class RecordFileKind {
  kMissing,     // no such file
  kLink,        // a symbolic link, whatever it leads to: never followed in a folder of records
  kNotRegular,  // a folder, FIFO, device node or socket: never opened
  kUnreadable,  // no permission, too large, not a PDF, refused by the gate
  kPdf,         // a PDF that passed the gate
};

struct RecordFileFacts {
  RecordFileKind kind = RecordFileKind::kMissing;
  RecordInfo info;              // as recorded in the file (kPdf); recordKey empty: none
  bool sealIntact = false;      // info.fileDigest is there and matches the file's bytes
  bool writeProtected = false;  // the user may not write it
  FileIdentity identity;        // of what was read or met
  bool operator==(const RecordFileFacts&) const = default;
};

}  // namespace morvind
