#include "preview/CardTexts.h"

#include "data/TextServices.h"

namespace morvind {

CardTexts ChooseCardTexts(const CardTextsInput& input) {
  CardTexts texts;
  const PublisherTable* table = input.table;
  // Without a table or with an index outside it there is nothing to take the
  // texts from; the boxes keep their plain state (no long name, no gender).
  if (table == nullptr || !table->IsValidIndex(input.publisher)) return texts;

  bool longNameAvailable = input.hasExtendedRecord && !input.longName.empty();
  texts.showLongNameBox = longNameAvailable;
  // The name order means nothing while the long name is printed, so its box
  // goes away then.
  bool takeLongName = longNameAvailable && input.useLongName;
  texts.showLastNameFirstBox = !takeLongName;
  texts.cardName =
      takeLongName ? input.longName : PublisherName(*table, input.publisher, input.lastNameFirst);
  texts.cardMobile = table->Text(input.publisher, record::kMobilePhone);

  // The male/female tick can only be printed for someone who has a gender
  // bit; a complete card always carries it.
  std::uint8_t flags = table->RoleFlags(input.publisher);
  texts.showGenderBox = (flags & (record::kMale | record::kFemale)) != 0;
  texts.checkGenderBox = texts.showGenderBox && input.completeCard;
  return texts;
}

}  // namespace morvind
