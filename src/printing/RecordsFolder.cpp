#include "printing/RecordsFolder.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <unordered_set>

#include "data/CaseFolding.h"
#include "data/TextServices.h"
#include "printing/CardDocument.h"
#include "printing/SheetContent.h"
#include "printing/TotalsCategory.h"

namespace morvind {
namespace {

// The characters that some systems refuse in file names.
constexpr std::string_view kUnsafeCharacters = "/\\:*?\"<>|";

std::string SafeName(std::string_view name) {
  std::string safe;
  for (char c : name) {
    // Control characters can't be typed into a name either.
    const bool unsafe =
        kUnsafeCharacters.find(c) != std::string_view::npos || static_cast<unsigned char>(c) < 0x20;
    safe += unsafe ? '-' : c;
  }
  while (!safe.empty() && (safe.back() == '.' || safe.back() == ' ')) safe.pop_back();
  return safe.empty() ? "-" : safe;
}

struct FoldedHash {
  std::size_t operator()(const std::u32string& key) const {
    return std::hash<std::u32string>()(key);
  }
};

// A publisher id is 16 bits: the totals records come after every one of them.
std::uint32_t TotalsOrder(TotalsCategory category) {
  return 0x10000u + static_cast<std::uint32_t>(category);
}

}  // namespace

std::string PublisherRecordKey(std::uint16_t publisherId) {
  return "publisher " + std::to_string(publisherId);
}

std::string CongregationRecordKey(int category) {
  return "congregation " + std::to_string(category);
}

std::string RecordKeyOf(const CardRequest& request) {
  if (request.totalsRecord) return CongregationRecordKey(static_cast<int>(*request.totalsRecord));
  return PublisherRecordKey(request.table->PublisherId(request.publisher));
}

RecordDecision DecideRecordFile(const RecordFileFacts& file, std::string_view recordKey,
                                std::string_view valuesDigest, std::string_view formDigest) {
  auto keep = [](KeepReason reason) { return RecordDecision{RecordAction::kKeep, reason}; };
  switch (file.kind) {
    case RecordFileKind::kMissing:
      return {RecordAction::kWriteNew};
    case RecordFileKind::kLink:
      return keep(KeepReason::kLink);
    case RecordFileKind::kNotRegular:
      return keep(KeepReason::kNotRegular);
    case RecordFileKind::kUnreadable:
      return keep(KeepReason::kUnreadable);
    case RecordFileKind::kPdf:
      break;
  }
  const RecordFileFacts& info = file;
  if (info.recordKey.empty()) return keep(KeepReason::kNotMorvinds);
  if (info.fileDigest.empty()) return keep(KeepReason::kOlderMorvind);
  if (info.recordKey != recordKey) return keep(KeepReason::kOtherRecord);
  if (!file.sealIntact) return keep(KeepReason::kChangedByHand);
  if (info.valuesDigest == valuesDigest && info.formDigest == formDigest)
    return {RecordAction::kLeaveUnchanged};
  if (file.writeProtected) return keep(KeepReason::kWriteProtected);
  return {RecordAction::kReplace};
}

std::vector<std::string> RecordFileNames(const std::vector<RecordEntry>& entries, int serviceYear) {
  const std::string prefix = "S-21 " + std::to_string(serviceYear) + " ";
  std::vector<std::string> bases;
  bases.reserve(entries.size());
  std::unordered_set<std::u32string, FoldedHash> baseKeys;
  for (const RecordEntry& entry : entries) {
    bases.push_back(SafeName(entry.name));
    baseKeys.insert(FoldedKey(bases.back()));
  }

  // Namesakes are numbered in `order`, whatever the list's order; equal
  // orders keep the list's.
  std::vector<std::size_t> byOrder(entries.size());
  std::iota(byOrder.begin(), byOrder.end(), 0);
  std::stable_sort(byOrder.begin(), byOrder.end(), [&](std::size_t a, std::size_t b) {
    return entries[a].order < entries[b].order;
  });
  std::vector<std::string> names(entries.size());
  std::unordered_set<std::u32string, FoldedHash> taken;
  // The plain names first, so that a numbered namesake never takes the
  // plain name of a later publisher ("Meier (2)" beside a second "Meier").
  for (std::size_t i : byOrder) {
    if (!taken.insert(FoldedKey(bases[i])).second) continue;
    names[i] = bases[i];
  }
  for (std::size_t i : byOrder) {
    if (!names[i].empty()) continue;
    for (int n = 2;; ++n) {
      std::string numbered = bases[i] + " (" + std::to_string(n) + ")";
      const std::u32string key = FoldedKey(numbered);
      if (!baseKeys.count(key) && taken.insert(key).second) {
        names[i] = std::move(numbered);
        break;
      }
    }
  }
  for (std::string& name : names) name = prefix + name + ".pdf";
  return names;
}

const std::string& FolderNames::Of(const CardRequest& request) const {
  if (request.totalsRecord) return totals[static_cast<std::size_t>(*request.totalsRecord)];
  return publishers[static_cast<std::size_t>(request.publisher)];
}

FolderNames RecordFolderNames(const PublisherTable& table, bool firstNameSort, int serviceYear) {
  std::vector<RecordEntry> entries;
  const int count = std::max(table.Count(), 1);
  for (int j = 1; j < count; ++j)
    entries.push_back({PublisherName(table, j, !firstNameSort), table.PublisherId(j)});
  for (TotalsCategory category : kTotalsCategories)
    entries.push_back({std::string(TotalsRecordName(category)), TotalsOrder(category)});
  std::vector<std::string> names = RecordFileNames(entries, serviceYear);
  FolderNames folder;
  folder.publishers.emplace_back();  // record 0, the table's header
  folder.publishers.insert(folder.publishers.end(), std::make_move_iterator(names.begin()),
                           std::make_move_iterator(names.end() - kTotalsCategoryCount));
  folder.totals.assign(std::make_move_iterator(names.end() - kTotalsCategoryCount),
                       std::make_move_iterator(names.end()));
  return folder;
}

namespace {

FolderRecord RecordNamed(const CardRequest& request, const FolderNames& names) {
  return FolderRecord{names.Of(request), RecordKeyOf(request),
                      OfficialFormValues(MakeSheetContent(request))};
}

}  // namespace

std::vector<FolderRecord> PlanRecords(const std::vector<CardRequest>& requests,
                                      bool firstNameSort) {
  std::vector<FolderRecord> records;
  records.reserve(requests.size());
  std::map<int, FolderNames> names;  // by service year
  for (const CardRequest& request : requests) {
    const int year = PrintedServiceYear(request);
    auto found = names.find(year);
    if (found == names.end())
      found = names.emplace(year, RecordFolderNames(*request.table, firstNameSort, year)).first;
    records.push_back(RecordNamed(request, found->second));
  }
  return records;
}

std::string RecordFileTitle(std::string_view fileName) {
  constexpr std::string_view kPdf = ".pdf";
  if (fileName.size() >= kPdf.size() && fileName.substr(fileName.size() - kPdf.size()) == kPdf)
    fileName.remove_suffix(kPdf.size());
  return std::string(fileName);
}

RecordsFolderJob PlanRecordsFolder(const std::vector<CardRequest>& requests, bool firstNameSort,
                                   const std::filesystem::path& folder,
                                   const std::filesystem::path& formFile) {
  RecordsFolderJob job{folder, formFile, {}, {}, {}};
  if (requests.empty()) return job;
  const int serviceYear = PrintedServiceYear(requests.front());
  FolderNames names = RecordFolderNames(*requests.front().table, firstNameSort, serviceYear);
  job.records.reserve(requests.size());
  for (const CardRequest& request : requests) job.records.push_back(RecordNamed(request, names));
  job.tableNames = std::move(names.publishers);
  job.tableNames.insert(job.tableNames.end(), names.totals.begin(), names.totals.end());
  job.namePrefix = "S-21 " + std::to_string(serviceYear) + " ";
  return job;
}

bool IsFolderFault(const WriteResult& result) {
  return result.problem == WriteProblem::kSystem || result.problem == WriteProblem::kIncomplete;
}

KeepReason KeepReasonOf(const WriteResult& result) {
  switch (result.problem) {
    case WriteProblem::kNotAFile:
      return KeepReason::kNotRegular;
    case WriteProblem::kDanglingLink:
      return KeepReason::kLink;
    case WriteProblem::kWriteProtected:
      return KeepReason::kWriteProtected;
    default:
      return KeepReason::kChangedDuringRun;
  }
}

std::string KeepReasonText(const KeptRecord& kept) {
  const char* reason = "";
  switch (kept.reason) {
    case KeepReason::kFormFile:
      reason = "die Formulardatei";
      break;
    case KeepReason::kLink:
      reason = "eine Verknüpfung";
      break;
    case KeepReason::kNotRegular:
      reason = "keine gewöhnliche Datei";
      break;
    case KeepReason::kUnreadable:
      reason = "nicht lesbar";
      break;
    case KeepReason::kNotMorvinds:
      reason = "nicht von Morvind geschrieben";
      break;
    case KeepReason::kOlderMorvind:
      reason = "von einer älteren Version von Morvind geschrieben";
      break;
    case KeepReason::kOtherRecord:
      reason = "Akte eines anderen Verkündigers";
      break;
    case KeepReason::kChangedByHand:
      reason = "von Hand geändert";
      break;
    case KeepReason::kWriteProtected:
      reason = "schreibgeschützt";
      break;
    case KeepReason::kChangedDuringRun:
      reason = "während des Laufs geändert";
      break;
  }
  return (kept.oldName ? "unter dem alten Namen, " : "") + std::string(reason);
}

std::string RecordsFolderSummary(const RecordsFolderTally& tally, std::string_view folder) {
  std::string text;
  if (tally.busy)
    return "In den Ordner „" + std::string(folder) +
           "“ schreibt gerade ein anderer Lauf von Morvind.";
  if (tally.Stopped()) {
    std::string reason = WriteFailureReason(tally.stop);
    if (!reason.empty() && reason.back() == '.') reason.pop_back();
    text = "„" + tally.stopFile + "“ konnte nicht geschrieben werden: " + reason +
           ". Angehalten nach " + std::to_string(tally.done) + " von " +
           std::to_string(tally.listed) + " Formularen.";
  } else {
    text = tally.cancelled ? "Abgebrochen. " : "";
    text += tally.listed == 1 ? "1 Formular" : std::to_string(tally.listed) + " Formulare";
    text += " in „" + std::string(folder) + "“: " + std::to_string(tally.written) + " neu, " +
            std::to_string(tally.replaced) + " geändert, " + std::to_string(tally.unchanged) +
            " unverändert, " + std::to_string(tally.kept.size()) + " nicht ersetzt.";
  }
  if (tally.kept.empty()) return text;
  for (const KeptRecord& kept : tally.kept)
    text += "\n„" + kept.fileName + "“: " + KeepReasonText(kept);
  return text + "\nZum Neuschreiben verschieben oder löschen.";
}

}  // namespace morvind
