// Ostrel-Vane Studio - the splash window of the start: the product's banner in a window
// without frame or caption, centred on the screen and above the others, which closes
// itself after two seconds.
#pragma once

#include <QWidget>

namespace HalvrennInc {

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLifetimeMs = 2000;

    //! Shown at once and painted before the caller goes on: the event loop may not run
    //! until the main window is made. The window deletes itself when it closes.
    explicit TSplashForm(int iLifetimeMs = kLifetimeMs);
};

//! Moves a top-level window to the centre of the screen it is on (the primary screen
//! when it is on none yet).
void CentreOnScreen(QWidget& window);

}  // namespace HalvrennInc
