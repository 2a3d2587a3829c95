#include "app/RecordsFolder.h"

#include <algorithm>
#include <numeric>

#include "app/PublisherList.h"
#include "printing/CardDocument.h"

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

bool SameName(std::string_view a, std::string_view b) {
  return CompareIgnoringCase(a, b) == 0;
}

}  // namespace

RecordAction DecideRecordFile(const RecordFileFacts& file, std::string_view recordKey,
                              std::string_view newDigest, std::string_view formDigest) {
  if (!file.exists) return RecordAction::kWriteNew;
  // A file that can't be read as a form is nobody's to overwrite.
  if (!file.readable) return RecordAction::kKeep;
  if (file.currentDigest == newDigest && file.formDigest == formDigest)
    return RecordAction::kLeaveUnchanged;
  const bool ours = !file.recordKey.empty() && file.recordKey == recordKey;
  if (ours && !file.writtenDigest.empty() && file.currentDigest == file.writtenDigest)
    return RecordAction::kReplace;
  return RecordAction::kKeep;
}

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

std::vector<std::string> RecordFileNamesOf(const std::vector<CardRequest>& requests,
                                           const std::vector<PublisherListLine>& lines) {
  std::vector<RecordEntry> entries;
  entries.reserve(requests.size());
  for (const CardRequest& request : requests) {
    auto line = std::find_if(lines.begin(), lines.end(), [&](const PublisherListLine& l) {
      return l.totals == request.totalsRecord &&
             (request.totalsRecord || l.recordIndex == request.publisher);
    });
    // A publisher id is 16 bits: the totals come after every one of them.
    const std::uint32_t order = request.totalsRecord
                                    ? 0x10000u + static_cast<std::uint32_t>(*request.totalsRecord)
                                    : request.table->PublisherId(request.publisher);
    entries.push_back(RecordEntry{line != lines.end() ? line->text : request.cardName, order});
  }
  return RecordFileNames(entries, requests.empty() ? 0 : PrintedServiceYear(requests.front()));
}

std::vector<std::string> RecordFileNames(const std::vector<RecordEntry>& entries, int serviceYear) {
  const std::string prefix = "S-21 " + std::to_string(serviceYear) + " ";
  std::vector<std::string> bases;
  bases.reserve(entries.size());
  for (const RecordEntry& entry : entries) bases.push_back(SafeName(entry.name));

  // Homonyms are numbered in `order`, whatever the list's order; equal
  // orders keep the list's.
  std::vector<std::size_t> byOrder(entries.size());
  std::iota(byOrder.begin(), byOrder.end(), 0);
  std::stable_sort(byOrder.begin(), byOrder.end(), [&](std::size_t a, std::size_t b) {
    return entries[a].order < entries[b].order;
  });
  std::vector<std::string> names(entries.size());
  std::vector<std::string> taken;
  auto isTaken = [&](const std::string& name) {
    return std::any_of(taken.begin(), taken.end(),
                       [&](const std::string& other) { return SameName(other, name); });
  };
  // The plain names first, so that a numbered homonym never takes the
  // plain name of a later publisher ("Meier (2)" beside a second "Meier").
  for (std::size_t i : byOrder) {
    if (isTaken(bases[i])) continue;
    names[i] = bases[i];
    taken.push_back(bases[i]);
  }
  for (std::size_t i : byOrder) {
    if (!names[i].empty()) continue;
    for (int n = 2;; ++n) {
      std::string numbered = bases[i] + " (" + std::to_string(n) + ")";
      if (std::none_of(bases.begin(), bases.end(),
                       [&](const std::string& base) { return SameName(base, numbered); }) &&
          !isTaken(numbered)) {
        names[i] = numbered;
        taken.push_back(numbered);
        break;
      }
    }
  }
  for (std::string& name : names) name = prefix + name + ".pdf";
  return names;
}

std::string RecordsFolderSummary(const RecordsFolderTally& tally, std::string_view folder) {
  std::string text = tally.cancelled ? "Abgebrochen. " : "";
  text += tally.listed == 1 ? "1 Formular" : std::to_string(tally.listed) + " Formulare";
  text += " in „" + std::string(folder) + "“: " + std::to_string(tally.written) + " neu, " +
          std::to_string(tally.replaced) + " geändert, " + std::to_string(tally.unchanged) +
          " unverändert.";
  if (!tally.kept.empty()) {
    text +=
        "\nNicht ersetzt, weil von Hand geändert oder nicht von Morvind (zum Neuschreiben "
        "verschieben oder löschen): ";
    for (std::size_t i = 0; i < tally.kept.size(); ++i) {
      if (i > 0) text += ", ";
      text += tally.kept[i];
    }
  }
  return text;
}

}  // namespace morvind
