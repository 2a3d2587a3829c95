#pragma once

#include <string>

#include "resources/FileIdentity.h"

namespace morvind {

// What a file of the folder is, as far as the folder's rules need it.
enum class RecordFileKind {
  kMissing,     // no such file
  kLink,        // a symbolic link, whatever it leads to: never followed in a folder of records
  kNotRegular,  // a folder, FIFO, device node or socket: never opened
  kUnreadable,  // no permission, too large, not a PDF, refused by the gate
  kPdf,         // a PDF that passed the gate
};

// A file of a folder of records as Morvind finds it: what lies there, and
// what Morvind recorded in it. The record part is kept in the PDF's
// information dictionary, so that it travels with the file when the folder
// is copied to another machine or restored from a backup; a record file is
// saved with its key and digests (the file digest sealed in afterwards).
struct RecordFileFacts {
  RecordFileKind kind = RecordFileKind::kMissing;
  // As recorded in the file (kPdf); all empty in a file Morvind did not write.
  std::string recordKey;     // whose record: PublisherRecordKey, CongregationRecordKey
  std::string valuesDigest;  // of the values Morvind filled in (ValuesDigest)
  std::string formDigest;    // of the form file it filled
  // Of the file's own bytes, all but this entry's text: a file changed in
  // any byte since Morvind wrote it no longer matches. Empty in the files
  // of older versions of Morvind, which did not write it.
  std::string fileDigest;
  bool sealIntact = false;      // fileDigest is there and matches the file's bytes
  bool writeProtected = false;  // the user may not write it
  FileIdentity identity;        // of what was read or met
  bool operator==(const RecordFileFacts&) const = default;
};

}  // namespace morvind
