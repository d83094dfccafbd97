// Ostrel-Vane Studio - the hint of the data window's bottom panel: on one line where the
// window is wide enough, wrapped between words where it is not, and never cut off. Lines
// break only at spaces, so that the arrow "-->" at its end stays whole.
#pragma once

#include <QLabel>
#include <QStringList>

namespace HalvrennInc {

class PanelHintLabel : public QLabel {
    Q_OBJECT
public:
    explicit PanelHintLabel(const QString& sText, QWidget* pParent = nullptr);

    //! The whole text on one line: the width the label asks of the panel's layout.
    QSize sizeHint() const override;
    //! The widest word, one line high.
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int iWidth) const override;

    //! The lines the label shows at its present width.
    QStringList lines() const { return linesFor(contentsRect().width()); }

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    //! As many words on each line as fit in iWidth pixels; a word wider than that has a
    //! line of its own.
    QStringList linesFor(int iWidth) const;
    int marginsWidth() const;
    int marginsHeight() const;
};

}  // namespace HalvrennInc
