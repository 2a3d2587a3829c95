#pragma once

#include <QString>

#include "printing/CardRequest.h"

class QAction;

namespace morvind {

// The texts the window's print commands share, each written once.
inline constexpr const char* kEmptyListMessage = "Die Liste ist leer.";
inline constexpr const char* kSaveListPdfEntry = "Liste als PDF speichern…";
inline constexpr const char* kFileFormsEntry = "Formulare in Ordner ablegen…";
inline constexpr const char* kSaveTwoYearsEntry = "Übergabe als PDF speichern…";
inline constexpr const char* kPrintAnswer = "Drucken";
inline constexpr const char* kSaveAnswer = "Speichern";
inline constexpr const char* kCancelAnswer = "Abbrechen";
inline constexpr const char* kTestPrintTip =
    "Die Karte auf Normalpapier, über einem Raster mit den Positionen aus „Layout "
    "Einzelheiten“: zum Abgleich mit einer vorgedruckten Karte";
inline constexpr const char* kGridTip =
    "Das Raster des Probedrucks unter den Daten zeigen, mit einem Kreuz an jeder Position aus "
    "„Layout Einzelheiten“ (nur in der Ansicht: gedruckt wird ohne Raster)";

// The test print's menu entry and the preview's grid are on, with `tip`,
// exactly when the card takes the test sheet; otherwise the tip says why not.
void ShowTestSheetState(QAction& action, const CardRequest& card, const char* tip);

// The title of a file dialog: the command without its ellipsis.
QString DialogTitle(const std::string& command);

}  // namespace morvind
