// Ostrel-Vane Studio - the "Custom Analysis" dialog: where the series lies on the active
// sheet, its names and labels, and how a violation of the assumptions is handled. Every
// control is bound to a field of the data selection, which proposes the fields from the
// grid selection, keeps the dependent ones in step and extracts the series on OK.
#pragma once

#include <QDialog>
#include <QPointer>

#include "analysis/ui/TAdvancedOptionsDialogBoxForm.h"
#include "selection/DataSelection.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace HalvrennInc {

class Sheet;
struct PlatformServices;

class TSelectDataDialogBoxForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = SelectionCaption::kHelpContext;

    explicit TSelectDataDialogBoxForm(PlatformServices& services, QWidget* pParent = nullptr);
    ~TSelectDataDialogBoxForm() override;

    //! The model: the fields, and the series of the last extraction.
    DataSelection& Selection() { return m_selection; }
    PlatformServices& Services() const { return m_services; }

    //! The sheet whose selection and cells the dialog works on: the data window's active
    //! sheet, set before the dialog is shown. Without one the dialog changes nothing.
    void SetSheet(const Sheet* pSheet) { m_pSheet = pSheet; }
    //! The advanced options dialog "Advanc&ed" opens; without one the dialog makes its own.
    void SetOptionsDialog(TAdvancedOptionsDialogBoxForm* pDialog) { m_pOptionsDialog = pDialog; }

    //! Fast analysis: the settings derived from the sheet's selection and the series
    //! extracted without showing the dialog. Returns the extraction's code (0: the series
    //! is ready in Selection()).
    int FastAnalysisButtonClick(const Sheet& sheet);
    //! Custom analysis: the orientation from the selection's shape, then the dialog,
    //! modally. True when it closed with OK (the series is ready in Selection()).
    bool CustomAnalysisButtonClick(const Sheet& sheet);

    QTabWidget* AnalysisPageControl() const { return m_pPages; }
    QGroupBox* TimeRadioGroup() const { return m_pTimeRadioGroup; }
    QRadioButton* OrientationButton(Orientation orientation) const;
    QComboBox* ValueComboBox() const { return m_pValueComboBox; }
    QComboBox* NumberValuesComboBox() const { return m_pNumberValuesComboBox; }
    QComboBox* StartComboBox() const { return m_pStartComboBox; }
    QComboBox* EndComboBox() const { return m_pEndComboBox; }
    QLineEdit* ValueNameEditBox() const { return m_pValueNameEditBox; }
    QComboBox* LabelsComboBox() const { return m_pLabelsComboBox; }
    QLineEdit* LabelNameEdit() const { return m_pLabelNameEdit; }
    QCheckBox* RanksCheckBox() const { return m_pRanksCheckBox; }
    QGroupBox* SerialCorrelationRadioGroup() const { return m_pSerialCorrelationRadioGroup; }
    QRadioButton* GroupingButton(GroupingMode mode) const;
    QComboBox* NumberGroupsComboBox() const { return m_pNumberGroupsComboBox; }
    QLabel* StartLabel() const { return m_pStartLabel; }
    QLabel* EndLabel() const { return m_pEndLabel; }
    QLabel* ValuesLabel() const { return m_pValuesLabel; }
    QLabel* LabelsComboBoxLabel() const { return m_pLabelsComboBoxLabel; }
    QLabel* NoteLabel3() const { return m_pNoteLabel3; }
    QPushButton* OKButton() const { return m_pOkButton; }
    QPushButton* CancelButton() const { return m_pCancelButton; }
    QPushButton* OptionsButton() const { return m_pOptionsButton; }
    QPushButton* HelpButton() const { return m_pHelpButton; }

public slots:
    //! The orientation changed: captions, lists and the proposed fields follow.
    void TimeRadioGroupClick();
    //! The start or the number of values changed: the range and the series name follow.
    void ValueComboBoxChange();
    //! The labels field or the group size changed: the label name follows.
    void LabelsComboBoxChange();
    //! Extracts the series; closes on success, else shows the field at fault.
    void OkButtonClick();
    //! The advanced options, modally.
    void OptionsButtonClick();

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    QWidget* buildDataPage();
    QWidget* buildLabelsPage();
    QWidget* buildAssumptionsPage();
    //! The controls into the model's fields.
    void storeControls();
    //! The model's fields, captions and lists into the controls.
    void loadControls();
    //! A handler of the model after the fields were stored; the controls then show the result.
    template <class Handler>
    void follow(Handler handler);
    QWidget* control(SelectionControl control) const;

    PlatformServices& m_services;
    DataSelection m_selection;
    const Sheet* m_pSheet = nullptr;
    QPointer<TAdvancedOptionsDialogBoxForm> m_pOptionsDialog;
    int m_iLoading = 0;                                        //!< >0 while the controls are set from the model
    const std::vector<std::string>* m_pListedItems = nullptr;  //!< the start items the lists were filled with

    QTabWidget* m_pPages = nullptr;
    QGroupBox* m_pTimeRadioGroup = nullptr;
    QButtonGroup* m_pTimeButtons = nullptr;
    QComboBox* m_pValueComboBox = nullptr;
    QComboBox* m_pNumberValuesComboBox = nullptr;
    QComboBox* m_pStartComboBox = nullptr;
    QComboBox* m_pEndComboBox = nullptr;
    QLineEdit* m_pValueNameEditBox = nullptr;
    QComboBox* m_pLabelsComboBox = nullptr;
    QLineEdit* m_pLabelNameEdit = nullptr;
    QCheckBox* m_pRanksCheckBox = nullptr;
    QGroupBox* m_pSerialCorrelationRadioGroup = nullptr;
    QButtonGroup* m_pGroupingButtons = nullptr;
    QComboBox* m_pNumberGroupsComboBox = nullptr;
    QLabel* m_pStartLabel = nullptr;
    QLabel* m_pEndLabel = nullptr;
    QLabel* m_pValuesLabel = nullptr;
    QLabel* m_pLabelsComboBoxLabel = nullptr;
    QLabel* m_pNoteLabel3 = nullptr;
    QPushButton* m_pOkButton = nullptr;
    QPushButton* m_pCancelButton = nullptr;
    QPushButton* m_pOptionsButton = nullptr;
    QPushButton* m_pHelpButton = nullptr;
};

}  // namespace HalvrennInc
