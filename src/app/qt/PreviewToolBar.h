#pragma once

class QAction;
class QPrintPreviewDialog;
class QToolBar;

namespace morvind {

// The print preview's tool bar, built by the program in its own language
// in place of Qt's: Qt's offers the page set-up and the orientation, which
// would change the program's printer behind the options dialog's back, and
// its print button runs Qt's print dialog. This one holds a print button
// (objectName "print", which the caller connects), the page navigation
// ("Seite 3 von 39"), zoom, and fitting the page's width or the whole
// page; the caller adds its own choices after them. Qt's tool bar is
// hidden. Null when the dialog has no preview widget.
QToolBar* ReplacePreviewToolBar(QPrintPreviewDialog& preview);

// The print button of a tool bar that ReplacePreviewToolBar built.
QAction* PreviewPrintAction(QToolBar& bar);

}  // namespace morvind
