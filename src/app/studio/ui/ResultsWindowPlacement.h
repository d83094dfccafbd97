// Ostrel-Vane Studio - a new results window in the main window's work area: its place in
// the cascade beside the data window, and a caption told apart from the other windows'.
#pragma once

class QMdiArea;
class QMdiSubWindow;
class QPushButton;

namespace HalvrennInc {

//! Places a results window that has just joined the area (before it is shown): beside
//! the data window or over it below its title bar, its buttons left uncovered, one title
//! bar's height down and right of every results window open. pDataButton is one of the
//! buttons at the data window's bottom.
void PlaceResultsWindow(QMdiArea& area, const QMdiSubWindow& dataFrame, const QPushButton& dataButton,
                        QMdiSubWindow& frame);

//! Adds " (2)", " (3)", ... to the window's caption when another open window shows the
//! same caption.
void GiveDistinctCaption(QMdiArea& area, QMdiSubWindow& frame);

}  // namespace HalvrennInc
