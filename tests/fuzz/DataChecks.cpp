#include "fuzz/DataChecks.h"

#include "app/CardPlan.h"
#include "app/PublisherList.h"
#include "data/CodePage.h"
#include "data/ExtendedInfo.h"
#include "data/TextServices.h"
#include "fuzz/FuzzSupport.h"
#include "resources/StringIds.h"

namespace morvind::fuzz {
namespace {

constexpr RecordText kTextFields[] = {
    record::kFirstName,   record::kLastName,  record::kAddress,      record::kHomePhone,
    record::kMobilePhone, record::kSpareText, record::kImmersedDate, record::kBirthDate};

bool HasPlainLetter(std::string_view utf8) {
  if (!IsValidUtf8(utf8)) return false;
  for (char32_t c : CodePoints(utf8))
    if (IsPlainLetter(c)) return true;
  return false;
}

}  // namespace

void CheckPublisherTexts(const PublisherTable& table, const StringTable& strings,
                         std::initializer_list<std::string_view> dateLanguages,
                         std::string_view target) {
  const int count = table.Count();
  FUZZ_CHECK(count >= 1 && count <= PublisherTable::kCapacity, target,
             "record count " + std::to_string(count) + " outside 1..910");

  std::string_view password = table.RawText(0, record::kFirstName);
  const PasswordAnswer answer =
      CheckGivenPassword(table, DecodeToUtf8(password, table.GetCodePage()));
  FUZZ_CHECK(answer == (password == " " ? PasswordAnswer::kNotNeeded : PasswordAnswer::kGranted),
             target, "the stored password, typed in, is not accepted");

  for (int j = 1; j < count; ++j) {
    const std::string at = " of record " + std::to_string(j);
    for (bool lastNameFirst : {false, true}) {
      FUZZ_CHECK(IsValidUtf8(PublisherName(table, j, lastNameFirst)), target,
                 "display name" + at + " is not valid UTF-8");
      FUZZ_CHECK(IsValidUtf8(ListDisplayName(table, j, lastNameFirst)), target,
                 "list name" + at + " is not valid UTF-8");
    }
    for (RecordText field : kTextFields)
      FUZZ_CHECK(IsValidUtf8(table.Text(j, field)), target,
                 "text field" + at + " is not valid UTF-8");
    for (std::string_view language : dateLanguages) {
      for (int format = 0; format < kDateFormatCount; ++format) {
        for (bool birth : {true, false}) {
          const std::string date = CardDate(table, j, birth, format, language, strings);
          FUZZ_CHECK(IsValidUtf8(date), target,
                     std::string(birth ? "date of birth" : "date immersed") + at + " in format " +
                         std::to_string(format) + " (" + std::string(language) +
                         ") is not valid UTF-8");
        }
      }
    }
    const std::string hope =
        strings.Get(table.Hope(j) == 'A' ? str::kHopeAnointed : str::kHopeOtherSheep);
    FUZZ_CHECK(!hope.empty() && IsValidUtf8(hope), target, "hope mark" + at);

    for (int month = 0; month < 12; ++month) {
      for (int slot = 0; slot < 3; ++slot) {
        const int quarters = table.HourQuarters(j, month, slot);
        FUZZ_CHECK(quarters >= 0 && quarters <= 15, target, "hour quarters" + at);
        for (bool zeroPrefix : {false, true}) {
          const std::string sign = QuarterText(quarters, zeroPrefix, strings);
          FUZZ_CHECK(IsValidUtf8(sign) && (sign.empty() == (quarters < 1 || quarters > 3)), target,
                     "quarter text" + at);
        }
        FUZZ_CHECK(table.ReportFigure(j, month, kBibleStudies, slot) <= 0x0FFF, target,
                   "Bible studies carry the quarter bits" + at);
        const int status = table.MonthStatus(j, month, slot);
        FUZZ_CHECK(status >= 0 && status <= 3, target, "month status" + at);
      }
    }
  }
}

void CheckRemarks(const PublisherTable& table, const RemarkTable& remarks,
                  std::string_view target) {
  FUZZ_CHECK(remarks.RemarkCount() >= 1 && remarks.RemarkCount() <= RemarkTable::kEntries - 1,
             target, "remark count " + std::to_string(remarks.RemarkCount()) + " outside 1..899");
  std::string text;
  for (int j = 1; j < table.Count(); ++j) {
    for (int month = 0; month < 12; ++month) {
      for (int slot = 0; slot < 3; ++slot) {
        const int entry = table.RemarkIndex(j, month, slot);
        FUZZ_CHECK(entry < remarks.RemarkCount(), target,
                   "remark link " + std::to_string(entry) + " of record " + std::to_string(j) +
                       " beyond the " + std::to_string(remarks.RemarkCount() - 1) +
                       " remarks loaded");
        if (slot == 2) {
          FUZZ_CHECK(entry == 0, target, "a remark linked to the third year slot");
          continue;
        }
        const bool has = HasRemark(table, remarks, j, month, slot, text);
        FUZZ_CHECK(IsValidUtf8(text), target, "remark text is not valid UTF-8");
        FUZZ_CHECK(has == !text.empty(), target, "a remark reported without its text");
        FUZZ_CHECK(Trimmed(text) == text, target, "remark text keeps white space around it");
      }
    }
  }
}

void CheckExtendedRecords(CongregationData& data, const DataFolder& folder,
                          std::string_view target) {
  const int extendedCount = data.extendedCount;
  FUZZ_CHECK(extendedCount >= 0 && extendedCount <= ExtendedInfo::kMaxRecords, target,
             "extended record count " + std::to_string(extendedCount) + " outside 0..601");
  PublisherTable& table = data.table;
  ExtendedInfo info;
  for (int j = 1; j < table.Count(); ++j) {
    const std::string at = " of record " + std::to_string(j);
    const int bits = ReadExtendedInfo(table, j, extendedCount, info, folder);
    FUZZ_CHECK(bits >= 0 && bits <= 3, target, "letter bits" + at);
    const int link = table.ExtendedIndex(j);
    FUZZ_CHECK(link <= extendedCount, target, "extended link beyond the file" + at);
    if (bits == 0) {
      // Nothing found (or no letter): a second look gives the same answer.
      FUZZ_CHECK(ReadExtendedInfo(table, j, extendedCount, info, folder) == 0, target,
                 "a second lookup found what the first did not" + at);
    } else {
      FUZZ_CHECK(info.OwnerId() == table.PublisherId(j), target,
                 "an extended record of another publisher" + at);
    }
    const std::string longName = info.LongName(table.GetCodePage());
    FUZZ_CHECK(IsValidUtf8(longName), target, "long name" + at + " is not valid UTF-8");
    if (link != 0 && HasPlainLetter(longName))
      FUZZ_CHECK(
          (bits & kLongNameHasLetter) != 0, target,
          "long name \"" + longName + "\"" + at + " has letters but is not counted as a name");

    for (bool useLongName : {true, false}) {
      const CardTexts texts =
          CardTextsFor(data, j, useLongName, /*lastNameFirst=*/!useLongName, false, folder, info);
      FUZZ_CHECK(IsValidUtf8(texts.cardName) && IsValidUtf8(texts.cardMobile), target,
                 "printed name or mobile telephone" + at + " is not valid UTF-8");
    }
  }
}

}  // namespace morvind::fuzz
