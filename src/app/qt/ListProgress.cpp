#include "app/qt/ListProgress.h"

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QStyle>
#include <algorithm>

#include "app/RecordWords.h"
#include "app/qt/MainDialog.h"
#include "app/qt/PrintCommandTexts.h"
#include "app/qt/PrintDialogs.h"
#include "toolkit/QtText.h"

namespace morvind {
namespace {

constexpr int kProgressIntervalMs = 40;
// The progress dialog's width: room for "Karte 123 von 909: " and a name
// of some 40 characters.
constexpr int kProgressWidthInCharacters = 60;

}  // namespace

void WithListProgress(MainDialog& window, PrintDialogs& dialogs,
                      const std::vector<CardRequest>& cards,
                      const std::function<void(const RecordDone& recordDone)>& job) {
  const int count = static_cast<int>(cards.size());
  const RecordForm form = window.PrintState().form;
  QProgressDialog progress(&window);
  progress.setWindowTitle(QStringLiteral("Morvind"));
  progress.setCancelButtonText(QString::fromUtf8(kCancelAnswer));
  progress.setRange(0, count);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  // One width for the whole run, and a long name shortened in its middle: a
  // dialog that followed each name would jump, and cut the longest off.
  const QFontMetrics metrics = progress.fontMetrics();
  const int width = metrics.averageCharWidth() * kProgressWidthInCharacters;
  progress.setFixedWidth(width);
  const int margin = progress.style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, &progress);
  const int room = width - 2 * std::min(width / 10, margin);  // as the dialog lays out its label
  auto label = [&](int k) {
    const QString counted =
        ToQt(RecordProgress(form, static_cast<std::size_t>(k) + 1, cards.size()) + ": ");
    progress.setLabelText(
        counted + metrics.elidedText(ToQt(cards[static_cast<std::size_t>(k)].cardName),
                                     Qt::ElideMiddle, room - metrics.horizontalAdvance(counted)));
  };
  label(0);
  progress.setValue(0);
  dialogs.KeepResponsive(progress);
  // The dialog moves and "Abbrechen" is looked at every few hundredths of
  // a second, not after every card: a card takes about half a millisecond,
  // and redrawing the dialog for each would cost more than the cards.
  QElapsedTimer sinceUpdate;
  sinceUpdate.start();
  job([&](int done) {
    if (done < count && sinceUpdate.elapsed() < kProgressIntervalMs) return !progress.wasCanceled();
    sinceUpdate.restart();
    progress.setValue(done);
    if (done < count) label(done);
    dialogs.KeepResponsive(progress);
    return !progress.wasCanceled();
  });
  progress.close();
}

}  // namespace morvind
