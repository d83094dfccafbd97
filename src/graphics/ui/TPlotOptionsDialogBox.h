// Ostrel-Vane Studio - the "Plot Options" dialog: one control for each field of the
// plot options model, the clickable axis-style and tic-style samples, and OK, Cancel and
// Help. What the fields mean, how they depend on each other and what OK checks and
// writes are the model's; the dialog copies the controls into the model before it acts
// and shows the model again afterwards.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

#include "graphics/PlotOptionsModel.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QTabBar;
class QTabWidget;

namespace HalvrennInc {

class Plot;
class TDrawingControl;
class TPlotControl;

class TPlotOptionsDialogBox : public QDialog {
    Q_OBJECT
public:
    //! The dialog for a plot shown by the owner, which is redrawn on OK; uObjectID, the
    //! object clicked, chooses the first page.
    TPlotOptionsDialogBox(TPlotControl& owner, Plot& plot, std::uint32_t uObjectID);
    ~TPlotOptionsDialogBox() override;

    PlotOptionsModel& Model() { return m_model; }
    //! The control of a field: an edit, a list, a check box, or the group of radio buttons.
    QWidget* Control(PlotOptionsField field) const { return m_controls[static_cast<int>(field)]; }
    QTabWidget* PageControl() const { return m_pPages; }
    QTabBar* TabControl(PlotOptionsStrip strip) const { return m_tabBars[static_cast<int>(strip)]; }
    TDrawingControl* AxisStyleDrawingControl() const { return m_pAxisStyleDrawingControl; }
    TDrawingControl* TicStyleDrawingControl() const { return m_pTicStyleDrawingControl; }

public slots:
    //! Checks every field; on the first failure shows its message and its field, else
    //! writes the fields into the plot, redraws the owner and closes.
    void OkButtonClick();
    //! The help topic of the page shown.
    void HelpButtonClick();

protected:
    //! Leaving a size field writes a size the way the plot writes it.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    QWidget* makeControl(PlotOptionsField field);
    QWidget* field(PlotOptionsField field) const { return Control(field); }
    QWidget* buildTitlePage();
    QWidget* buildAxisStylePage();
    QWidget* buildYAxisPage();
    QWidget* buildXAxisPage();
    QWidget* buildKeyPage();
    QWidget* buildLinesPage();
    QWidget* buildOffAxisPage();
    QWidget* buildCommentsPage();
    QWidget* buildOtherPage();
    QTabBar* makeTabBar(PlotOptionsStrip strip, const char* sName);
    TDrawingControl* makePreview(const char* sName, int iWidth);

    void storeField(PlotOptionsField field);
    void loadField(PlotOptionsField field);
    //! Every control into the model.
    void storeControls();
    //! The model into every control, with the pages, tabs and groups it shows.
    void loadControls();
    //! Runs a step of the model on the fields as the user left them, then shows its result.
    template <class Step>
    void act(Step step);
    void focusField(PlotOptionsField field);

    TPlotControl& m_owner;
    PlotOptionsModel m_model;
    bool m_bLoading = false;  //!< the controls are being set from the model
    std::array<QWidget*, kPlotOptionsFieldCount> m_controls{};
    std::array<QButtonGroup*, kPlotOptionsFieldCount> m_radioButtons{};
    std::array<QTabBar*, 3> m_tabBars{};
    QTabWidget* m_pPages = nullptr;
    TDrawingControl* m_pAxisStyleDrawingControl = nullptr;
    TDrawingControl* m_pTicStyleDrawingControl = nullptr;
    QGroupBox* m_pXAxisValueScaleGroupBox = nullptr;
    QGroupBox* m_pXAxisValueLayoutGroupBox = nullptr;
    QGroupBox* m_pXAxisLabelScaleGroupBox = nullptr;
    QGroupBox* m_pXAxisLabelLayoutGroupBox = nullptr;
    QGroupBox* m_pLineValueGroupBox = nullptr;
    QGroupBox* m_pLinePointGroupBox = nullptr;
    QGroupBox* m_pNumberLinesGroupBox = nullptr;
};

}  // namespace HalvrennInc
