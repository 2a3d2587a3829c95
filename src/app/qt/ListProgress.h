#pragma once

#include <functional>
#include <vector>

#include "printing/CardRequest.h"

namespace morvind {

class MainDialog;
class PrintDialogs;

// Called after each record of a list with the number done; false when
// "Abbrechen" was pressed: the job stops after the current record.
using RecordDone = std::function<bool(int recordsDone)>;

// Runs `job` over the list's `cards` with the progress of a list, "Karte 3
// von 39: Müller, Jürgen" in the words of the window's form, at one width
// throughout (a long name is shortened in its middle). `job` calls the
// callback it gets after each record. A cancel before the first record
// still lets that record be done.
void WithListProgress(MainDialog& window, PrintDialogs& dialogs,
                      const std::vector<CardRequest>& cards,
                      const std::function<void(const RecordDone& recordDone)>& job);

}  // namespace morvind
