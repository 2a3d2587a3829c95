#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/PublisherList.h"
#include "printing/CardRequest.h"

namespace morvind {

// A folder of records: one filled official form per publisher and service
// year, kept for years, copied between machines and corrected by hand. The
// rules here decide, from what a file holds, whether Morvind may write it.

// What a file of the folder holds, as far as the rules need it. Morvind
// records in each file it writes (in the file's metadata) whose record it
// is, a digest of the field values it wrote and a digest of the form file
// it filled.
struct RecordFileFacts {
  bool exists = false;
  bool readable = false;      // a PDF form whose fields could be read
  std::string recordKey;      // whose record Morvind wrote there; empty: none
  std::string writtenDigest;  // of the values Morvind wrote
  std::string formDigest;     // of the form file Morvind filled
  std::string currentDigest;  // of the values the file's fields hold now
};

enum class RecordAction {
  kWriteNew,        // no such file yet
  kLeaveUnchanged,  // it holds the new values on the same form: not touched
  kReplace,         // Morvind's file of this record, not changed since
  kKeep,            // changed by hand, not Morvind's, or another record's: never replaced
};

// The action for one file of `recordKey` whose new values have the digest
// `newDigest`, filled into the form file with the digest `formDigest`.
RecordAction DecideRecordFile(const RecordFileFacts& file, std::string_view recordKey,
                              std::string_view newDigest, std::string_view formDigest);

// The key Morvind records for a publisher (by publisherId, which stays
// when the name changes) and for a record of the congregation's totals.
std::string PublisherRecordKey(std::uint16_t publisherId);
std::string CongregationRecordKey(int category);

// The key of the request's record: its publisher's, or its totals record's.
std::string RecordKeyOf(const CardRequest& request);

// One record of the list, for its file name.
struct RecordEntry {
  std::string name;         // as the list shows it (UTF-8)
  std::uint32_t order = 0;  // homonyms are numbered in this order (the publisherId)
};

// The file names of the records, in the list's order: "S-21 2025 " + the
// name + ".pdf", the name with / \ : * ? " < > | made "-" and trailing dots
// and blanks dropped. Names that are equal regardless of case (the folder
// may be copied to a system that ignores it) get " (2)", " (3)" … in
// `order` (the first keeps the plain name), so that a file always holds
// the same publisher; a number is skipped where it would meet another
// name.
std::vector<std::string> RecordFileNames(const std::vector<RecordEntry>& entries, int serviceYear);

// The file names (RecordFileNames) of the requests' records, each named as
// its line of `lines` (the list the requests were planned from) shows it,
// homonyms numbered by publisherId; the totals records after every
// publisher.
std::vector<std::string> RecordFileNamesOf(const std::vector<CardRequest>& requests,
                                           const std::vector<PublisherListLine>& lines);

// What a run over the folder did.
struct RecordsFolderTally {
  int listed = 0;  // every record of the list
  int written = 0;
  int replaced = 0;
  int unchanged = 0;
  std::vector<std::string> kept;  // the file names not replaced
  bool cancelled = false;
  bool operator==(const RecordsFolderTally&) const = default;
};

// The message at the end of a run: "%1 Formulare in „%2“: %3 neu, %4
// geändert, %5 unverändert." and, with files kept, a line naming them;
// "Abgebrochen. " before it after a cancel.
std::string RecordsFolderSummary(const RecordsFolderTally& tally, std::string_view folder);

}  // namespace morvind
