#include "app/PrintNotes.h"

#include <filesystem>

#include "app/RecordWords.h"

namespace morvind {
namespace {

std::string Quoted(std::string_view text) {
  return "„" + std::string(text) + "“";
}

bool IsFile(const PrintTarget& target) {
  return target.kind == PrintTarget::Kind::kFile;
}

}  // namespace

std::string RecordTitle(int serviceYear, std::string_view name) {
  return "S-21 " + std::to_string(serviceYear) + " " + std::string(name);
}

std::string TwoYearsTitle(int serviceYear, std::string_view name) {
  return "S-21 " + std::to_string(serviceYear - 1) + "-" + std::to_string(serviceYear) + " " +
         std::string(name);
}

std::string ListPrintQuestion(RecordForm form, std::size_t count, const PrintTarget& target) {
  // A question has little room: the file's name says enough there.
  const std::string where =
      IsFile(target) ? "in " + Quoted(std::filesystem::path(target.name).filename().string())
                     : "auf " + Quoted(target.name);
  return RecordCount(form, count) + " " + where + " drucken?";
}

std::string PrintedNote(const PrintTarget& target, std::string_view title) {
  if (IsFile(target)) return "In " + Quoted(target.name) + " gedruckt";
  return "An " + Quoted(target.name) + " gesendet: " + std::string(title);
}

std::string PrintedListNote(RecordForm form, std::size_t count, const PrintTarget& target) {
  if (IsFile(target)) return RecordCount(form, count) + " in " + Quoted(target.name) + " gedruckt";
  return RecordCount(form, count) + " an " + Quoted(target.name) + " gesendet";
}

}  // namespace morvind
