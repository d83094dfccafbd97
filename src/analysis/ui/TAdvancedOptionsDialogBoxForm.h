// Ostrel-Vane Studio - the "Advanced Options" dialog: the bootstrap trials, the two
// confidence levels and the sampling method of every later analysis. OK checks the
// entries (stopping at the first fault, with its message, in the field at fault) and
// stores them in the settings; nothing changes otherwise.
#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;
class QRadioButton;
class QGroupBox;

namespace HalvrennInc {

struct PlatformServices;

class TAdvancedOptionsDialogBoxForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 50;

    explicit TAdvancedOptionsDialogBoxForm(PlatformServices& services, QWidget* pParent = nullptr);

    QComboBox* ConfidenceLevelComboBox() const { return m_pLevel; }
    QComboBox* ConfidenceIntervalComboBox() const { return m_pInterval; }
    QComboBox* NumberTrialsComboBox() const { return m_pTrials; }
    QGroupBox* SamplingMethodRadioGroup() const { return m_pSampling; }
    //! 0 with replacement, 1 without.
    int samplingIndex() const;
    void setSamplingIndex(int iIndex);
    QPushButton* OKButton() const { return m_pOkButton; }
    QPushButton* CancelButton() const { return m_pCancelButton; }
    QPushButton* DefaultsButton() const { return m_pDefaultsButton; }
    QPushButton* HelpButton() const { return m_pHelpButton; }

public slots:
    void accept() override;
    //! The default entries; nothing is stored until OK.
    void DefaultsButtonClick();

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    //! The combo box whose entry the checks refuse first.
    QComboBox* fieldAtFault() const;

    PlatformServices& m_services;
    QComboBox* m_pLevel;
    QComboBox* m_pInterval;
    QComboBox* m_pTrials;
    QGroupBox* m_pSampling;
    QRadioButton* m_pWithReplacement;
    QRadioButton* m_pWithoutReplacement;
    QPushButton* m_pOkButton;
    QPushButton* m_pCancelButton;
    QPushButton* m_pDefaultsButton;
    QPushButton* m_pHelpButton;
};

}  // namespace HalvrennInc
