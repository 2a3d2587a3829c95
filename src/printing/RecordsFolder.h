#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "data/PublisherTable.h"
#include "printing/CardRequest.h"
#include "printing/OfficialFormFields.h"
#include "printing/RecordFile.h"
#include "resources/FileWriter.h"

namespace morvind {

// A folder of records: one filled official form per publisher and service
// year, kept for years, copied between machines and corrected by hand. The
// rules here decide, from what a file is and holds, whether Morvind may
// write it, and name the files.

// The key Morvind records for a publisher (by publisherId, which stays
// when the name changes) and for a record of the congregation's totals.
std::string PublisherRecordKey(std::uint16_t publisherId);
std::string CongregationRecordKey(int category);

// The key of the request's record: its publisher's, or its totals record's.
std::string RecordKeyOf(const CardRequest& request);

// Why a file is kept rather than written, in the order the rules try them:
// the first that applies is the one given.
enum class KeepReason {
  kFormFile,          // the official form's own file, whatever its name
  kLink,              // a symbolic link: never written through in a folder of records
  kNotRegular,        // a folder, FIFO, device node or socket: never opened
  kUnreadable,        // no permission, too large, or not a PDF the gate lets through
  kNotMorvinds,       // no record info
  kOlderMorvind,      // record info without the file digest
  kOtherRecord,       // another publisher's (or totals record's) file
  kChangedByHand,     // the file digest no longer matches its bytes
  kWriteProtected,    // the user may not write it
  kChangedDuringRun,  // not the file read any more when it was to be replaced
};

enum class RecordAction {
  kWriteNew,        // no such file yet
  kLeaveUnchanged,  // Morvind's file with the new values on the same form: not touched
  kReplace,         // Morvind's file of this record, byte for byte as written
  kKeep,            // see `reason`
};

struct RecordDecision {
  RecordAction action = RecordAction::kWriteNew;
  KeepReason reason = KeepReason::kNotMorvinds;  // kKeep only
  bool operator==(const RecordDecision&) const = default;
};

// The decision for the file of the record `recordKey` whose new values have
// the digest `valuesDigest`, filled into the form file with the digest
// `formDigest`: a file is replaced only when it is byte for byte a file
// Morvind wrote for this record; when that can't be established it is kept.
RecordDecision DecideRecordFile(const RecordFileFacts& file, std::string_view recordKey,
                                std::string_view valuesDigest, std::string_view formDigest);

// One record for the folder, in the list's order.
struct FolderRecord {
  std::string fileName;                // RecordFileNames
  std::string recordKey;               // PublisherRecordKey, CongregationRecordKey
  std::vector<FormFieldValue> values;  // OfficialFormValues
};

// One record's name, for RecordFileNames.
struct RecordEntry {
  std::string name;         // as the list shows it (UTF-8)
  std::uint32_t order = 0;  // namesakes are numbered in this order (the publisherId)
};

// The file names of the entries, in their order: "S-21 2025 " + the name +
// ".pdf", the name with / \ : * ? " < > | and control characters made "-"
// and trailing dots and blanks dropped. Names that are equal regardless of
// case (the folder may be copied to a system that ignores it) get " (2)",
// " (3)" … in `order` (the first keeps the plain name), so that a file
// always holds the same record; a number is skipped where it would meet
// another name.
std::vector<std::string> RecordFileNames(const std::vector<RecordEntry>& entries, int serviceYear);

// Every file name a folder of records of `serviceYear` gives: the file of
// each publisher of the table (by record index; record 0 has none), named
// as the list shows the name (`firstNameSort`), namesakes numbered by
// publisherId among every record of the table, inactive ones included;
// then the congregation's totals records, after every publisher. Never
// depends on the list's filter or order.
struct FolderNames {
  std::vector<std::string> publishers;  // by record index
  std::vector<std::string> totals;      // by TotalsCategory
  const std::string& Of(const CardRequest& request) const;
};
FolderNames RecordFolderNames(const PublisherTable& table, bool firstNameSort, int serviceYear);

// The records of the requests, in their order: each named by its place in
// the whole table in its service year (RecordFolderNames), with its
// key and the values the sheet gives it. Every output of the official form
// (the folder, a saved or printed form, a PDF of records) names and fills
// its records so.
std::vector<FolderRecord> PlanRecords(const std::vector<CardRequest>& requests, bool firstNameSort);

// The title of a record's file: its name without ".pdf" ("S-21 2025
// Müller, Jürgen"), as a print job names the form.
std::string RecordFileTitle(std::string_view fileName);

// A run over a folder of records, as the window and morvind-print start it.
struct RecordsFolderJob {
  std::filesystem::path folder;
  std::filesystem::path formFile;     // never written, whatever its name
  std::vector<FolderRecord> records;  // the records of the list, in its order
  // Every file name a folder of this service year gives (the whole table's
  // and the totals records'): a file of the year by another name may be a
  // publisher's under his former name.
  std::vector<std::string> tableNames;
  std::string namePrefix;  // "S-21 2025 ": the files of this service year
};

// The job for the requests (all of one service year): their records
// (PlanRecords) and the names of the whole table.
RecordsFolderJob PlanRecordsFolder(const std::vector<CardRequest>& requests, bool firstNameSort,
                                   const std::filesystem::path& folder,
                                   const std::filesystem::path& formFile);

// A file kept, and why.
struct KeptRecord {
  std::string fileName;
  KeepReason reason = KeepReason::kNotMorvinds;
  bool oldName = false;  // the record's file under the publisher's former name
  bool operator==(const KeptRecord&) const = default;
};

// What a run over the folder did.
struct RecordsFolderTally {
  bool busy = false;  // another run held the folder: nothing was done
  int listed = 0;     // every record of the list
  int written = 0;
  int replaced = 0;
  int unchanged = 0;
  std::vector<KeptRecord> kept{};
  bool cancelled = false;
  // A fault of the folder itself (a full disk, a read-only or vanished
  // folder, an I/O error) that stopped the run at `stopFile`, after
  // `done` of the listed records.
  std::string stopFile{};
  WriteResult stop{};
  int done = 0;
  bool Stopped() const { return !stopFile.empty(); }
  bool operator==(const RecordsFolderTally&) const = default;
};

// Whether a failed write is a fault of the folder itself, which stops a
// run, rather than of one file, which is kept and listed.
bool IsFolderFault(const WriteResult& result);
// The reason a file that could not be written is kept for.
KeepReason KeepReasonOf(const WriteResult& result);

// The reason as the window names it: "von Hand geändert" …; for a file
// under the former name "unter dem alten Namen, von Hand geändert".
std::string KeepReasonText(const KeptRecord& kept);

// The message at the end of a run: "In den Ordner „%1“ schreibt gerade ein
// anderer Lauf von Morvind." when another run held the folder; else "%1
// Formulare in „%2“: %3 neu, %4
// geändert, %5 unverändert, %6 nicht ersetzt." ("Abgebrochen. " before it
// after a cancel), and with files kept a line for each ("„S-21 2027 Meier,
// Anna.pdf“: von Hand geändert") and "Zum Neuschreiben verschieben oder
// löschen."; after a stop instead: "„%1“ konnte nicht geschrieben werden:
// %2. Angehalten nach %3 von %4 Formularen."
std::string RecordsFolderSummary(const RecordsFolderTally& tally, std::string_view folder);

}  // namespace morvind
