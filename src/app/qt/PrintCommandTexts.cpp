#include "app/qt/PrintCommandTexts.h"

#include <QAction>

#include "printing/CardDocument.h"
#include "printing/TestSheet.h"
#include "toolkit/QtText.h"

namespace morvind {
namespace {

// Why the test sheet can't be drawn for `card`; empty when it can.
QString NoTestSheetReason(const CardRequest& card) {
  if (TakesTestSheet(card)) return QString();
  if (!IsForPrePrintedCards(card)) return QStringLiteral("Nur für vorgedruckte Karten S-21 10/15");
  return QStringLiteral(
      "Nicht mit „Komplette Karte drucken“: die komplette Karte setzt ihre Angaben an eigene "
      "Stellen");
}

}  // namespace

void ShowTestSheetState(QAction& action, const CardRequest& card, const char* tip) {
  const QString reason = NoTestSheetReason(card);
  action.setEnabled(reason.isEmpty());
  action.setToolTip(reason.isEmpty() ? QString::fromUtf8(tip) : reason);
}

QString DialogTitle(const std::string& command) {
  return ToQt(command).remove(QChar(0x2026));
}

}  // namespace morvind
