#include "app/qt/PreviewToolBar.h"

#include <QAction>
#include <QBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <functional>

namespace morvind {
namespace {

// The desktop theme's icon, else the one Qt's own preview uses.
QIcon PreviewIcon(const char* themeName, const char* qtName) {
  const QString qt = QStringLiteral(":/qt-project.org/dialogs/qprintpreviewdialog/images/") +
                     QLatin1String(qtName);
  QIcon fallback;
  fallback.addFile(qt + QStringLiteral("-24.png"));
  fallback.addFile(qt + QStringLiteral("-32.png"));
  return QIcon::fromTheme(QLatin1String(themeName), fallback);
}

QAction* AddAction(QToolBar& bar, const char* name, const QString& text, const QIcon& icon,
                   const std::function<void()>& run) {
  QAction* action = bar.addAction(icon, text);
  action->setObjectName(QLatin1String(name));
  action->setToolTip(text);
  QObject::connect(action, &QAction::triggered, &bar, run);
  return action;
}

}  // namespace

QToolBar* ReplacePreviewToolBar(QPrintPreviewDialog& preview) {
  auto* pages = preview.findChild<QPrintPreviewWidget*>();
  if (!pages) return nullptr;
  for (QToolBar* qtBar : preview.findChildren<QToolBar*>()) qtBar->hide();

  auto* bar = new QToolBar(&preview);
  bar->setObjectName(QStringLiteral("morvindPreviewBar"));
  if (auto* layout = qobject_cast<QBoxLayout*>(preview.layout())) {
    layout->insertWidget(0, bar);
  } else {
    bar->move(0, 0);
  }

  auto* position = new QLabel(bar);
  position->setObjectName(QStringLiteral("pagePosition"));
  position->setContentsMargins(6, 0, 6, 0);
  auto showPosition = [pages, position] {
    position->setText(
        QStringLiteral("Seite %1 von %2").arg(pages->currentPage()).arg(pages->pageCount()));
  };
  // The preview tells of new pages and of the page scrolling brings into
  // view, but not of a page it is sent to.
  QObject::connect(pages, &QPrintPreviewWidget::previewChanged, position, showPosition);
  auto goTo = [pages, showPosition](const std::function<int()>& page) {
    return [pages, showPosition, page] {
      pages->setCurrentPage(page());
      showPosition();
    };
  };

  AddAction(*bar, "print", QStringLiteral("Drucken"), PreviewIcon("document-print", "printer"),
            [] {});
  bar->addSeparator();
  AddAction(*bar, "firstPage", QStringLiteral("Erste Seite"), PreviewIcon("go-first", "go-first"),
            goTo([] { return 1; }));
  AddAction(*bar, "previousPage", QStringLiteral("Vorige Seite"),
            PreviewIcon("go-previous", "go-previous"),
            goTo([pages] { return pages->currentPage() - 1; }));
  bar->addWidget(position);
  AddAction(*bar, "nextPage", QStringLiteral("Nächste Seite"), PreviewIcon("go-next", "go-next"),
            goTo([pages] { return pages->currentPage() + 1; }));
  AddAction(*bar, "lastPage", QStringLiteral("Letzte Seite"), PreviewIcon("go-last", "go-last"),
            goTo([pages] { return pages->pageCount(); }));
  bar->addSeparator();
  AddAction(*bar, "zoomOut", QStringLiteral("Verkleinern"), PreviewIcon("zoom-out", "zoom-out"),
            [pages] { pages->zoomOut(); });
  AddAction(*bar, "zoomIn", QStringLiteral("Vergrößern"), PreviewIcon("zoom-in", "zoom-in"),
            [pages] { pages->zoomIn(); });
  AddAction(*bar, "fitWidth", QStringLiteral("Seitenbreite"),
            PreviewIcon("zoom-fit-width", "zoom-fit-width"), [pages] { pages->fitToWidth(); });
  AddAction(*bar, "fitPage", QStringLiteral("Ganze Seite"),
            PreviewIcon("zoom-fit-best", "zoom-fit-page"), [pages] { pages->fitInView(); });
  showPosition();
  return bar;
}

QAction* PreviewPrintAction(QToolBar& bar) {
  return bar.findChild<QAction*>(QStringLiteral("print"));
}

}  // namespace morvind
