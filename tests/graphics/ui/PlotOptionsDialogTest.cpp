// The plot options dialog as the user sees it: its pages and controls, size fields that
// are rewritten when left, the coupled line fields, the tab strips, the clickable
// samples, OK that stays open on an error, and the owner-drawn style lists.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>
#include <vector>

#include "ViewTestSupport.h"
#include "graphics/Plot.h"
#include "graphics/ui/StyleSampleComboBox.h"
#include "graphics/ui/TDrawingControl.h"
#include "graphics/ui/TPlotControl.h"
#include "graphics/ui/TPlotOptionsDialogBox.h"
#include "platform/qt/QtCanvas.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;
using Field = PlotOptionsField;

namespace {

// A chart with text labels and three lines, shown by a view the dialog belongs to.
struct ChartView {
    ChartView()
    {
        for (int k = 0; k < 12; ++k) {
            labels.emplace_back(std::string_view("Month " + std::to_string(k + 1)));
            x.emplace_back(static_cast<double>(k));
            y.emplace_back(static_cast<double>((k * 7) % 5));
        }
        auto pPlot = std::make_unique<Plot>();
        pPlot->SetMainTitle("Sales");
        pPlot->SetMainTitleColor(0x123456);  // not in the colour list
        pPlot->SetXAxisTextLabels(12, labels.data(), x.data());
        pPlot->SetYMaximum(Real(5.0));
        pPlot->AddDataLine(12, x.data(), y.data(), "Sales", "", 0.25, 0, 1, true, 5, 0.6);
        pPlot->AddDataLine(12, x.data(), y.data(), "UCL", "", 0.1, 0x0000FF, 1, true, 0, 0.6);
        pPlot->AddDataLine(12, x.data(), y.data(), "LCL", "", 0.1, 0x0000FF, 1, true, 0, 0.6);
        view.vdSetPlot(std::move(pPlot));
    }
    Plot& plot() { return *view.GetPlot(); }
    std::vector<String> labels;
    std::vector<Real> x, y;
    ScriptedServices s;
    TPlotControl view{s.services};
};

template <class T>
T* control(TPlotOptionsDialogBox& dialog, Field field)
{
    auto* pControl = qobject_cast<T*>(dialog.Control(field));
    EXPECT_NE(pControl, nullptr);
    return pControl;
}

// Leaving a control, as moving the focus elsewhere does.
void leave(QWidget* pControl)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(pControl, &out);
}

int pageShown(const TPlotOptionsDialogBox& dialog)
{
    return dialog.PageControl()->currentIndex();
}

}  // namespace

TEST(PlotOptionsDialog, ThePagesAndControlsShowThePlot)
{
    ChartView chart;
    TPlotOptionsDialogBox dialog(chart.view, chart.plot(), poLineBase + 3);
    EXPECT_EQ(dialog.windowTitle(), "Plot Options");
    QTabWidget& pages = *dialog.PageControl();
    ASSERT_EQ(pages.count(), 9);
    const char* captions[] = {"&Title", "&Axis Style", "&Y-Axis",   "&X-Axis", "&Key",
                              "&Lines", "O&ff-Axis",   "&Comments", "&Other"};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(pages.tabText(i), captions[i]);
    EXPECT_FALSE(pages.isTabVisible(static_cast<int>(PlotOptionsPage::OffAxis)));
    EXPECT_FALSE(pages.isTabVisible(static_cast<int>(PlotOptionsPage::Comments)));
    EXPECT_TRUE(pages.isTabVisible(static_cast<int>(PlotOptionsPage::Lines)));

    // Opened on the third line's tab.
    EXPECT_EQ(pageShown(dialog), static_cast<int>(PlotOptionsPage::Lines));
    QTabBar* pLines = dialog.TabControl(PlotOptionsStrip::Lines);
    ASSERT_EQ(pLines->count(), 3);
    EXPECT_EQ(pLines->tabText(2), "&3");
    EXPECT_EQ(pLines->currentIndex(), 2);
    EXPECT_EQ(control<QLineEdit>(dialog, Field::LineLabelEdit)->text(), "LCL");
    EXPECT_EQ(control<QComboBox>(dialog, Field::LineColorComboBox)->currentText(), "Red");
    EXPECT_TRUE(dialog.findChild<QGroupBox*>("LineValueGroupBox")->isHidden());
    EXPECT_FALSE(dialog.findChild<QGroupBox*>("LinePointGroupBox")->isHidden());
    EXPECT_EQ(control<QCheckBox>(dialog, Field::LinePointConnectPointsCheckBox)->text(), "Connect Points &With Lines");

    // The title colour is not in the list: it shows as Black.
    EXPECT_EQ(control<QComboBox>(dialog, Field::MainTitleColorComboBox)->currentText(), "Black");
    EXPECT_EQ(control<QComboBox>(dialog, Field::MainTitleSizeComboBox)->currentText(), "2 x");
    EXPECT_TRUE(control<QComboBox>(dialog, Field::MainTitleSizeComboBox)->isEditable());

    // Text labels: the label fields of the x axis instead of the numeric ones.
    EXPECT_FALSE(dialog.findChild<QGroupBox*>("XAxisScaleLabelGroupBox")->isHidden());
    EXPECT_TRUE(dialog.findChild<QGroupBox*>("XAxisScaleValueGroupBox")->isHidden());
    auto* pLast = control<QComboBox>(dialog, Field::XAxisScaleMaximumLabelComboBox);
    EXPECT_EQ(pLast->currentText(), "12:  Month 12");
    EXPECT_TRUE(dialog.findChild<QGroupBox*>("NumberLinesGroupBox")->isHidden());

    auto* pAxes = control<QGroupBox>(dialog, Field::StyleAxisRadioGroup);
    const auto buttons = pAxes->findChildren<QRadioButton*>();
    ASSERT_EQ(buttons.size(), 4);
    EXPECT_TRUE(buttons[1]->isChecked());
    EXPECT_EQ(control<QCheckBox>(dialog, Field::AutoScaleCheckBox)->text(),
              "Auto &scale plots whenever axis scale changes.");
    EXPECT_EQ(control<QComboBox>(dialog, Field::ResolutionComboBox)->itemText(3), "Extra High           (1000 points)");
}

TEST(PlotOptionsDialog, SizesAreRewrittenWhenLeftAndABadOneKeepsTheDialogOpen)
{
    ChartView chart;
    TPlotOptionsDialogBox dialog(chart.view, chart.plot(), 0);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    auto* pSize = control<QComboBox>(dialog, Field::SubTitleSizeComboBox);
    auto typeAndLeave = [pSize](const char* sTyped) {
        pSize->setEditText(QString::fromLatin1(sTyped));
        leave(pSize);
        return pSize->currentText().toStdString();
    };
    EXPECT_EQ(typeAndLeave("2.5x"), "2.5 x");
    EXPECT_EQ(typeAndLeave("1"), "Normal");
    EXPECT_EQ(typeAndLeave("big"), "big");

    control<QLineEdit>(dialog, Field::MainTitleEditControl)->setText("Typed");
    dialog.PageControl()->setCurrentIndex(static_cast<int>(PlotOptionsPage::Key));
    dialog.findChild<QPushButton*>("OkButton")->click();
    EXPECT_EQ(chart.s.messages.texts(),
              std::vector<std::string>{"Illegal size for sub title.  Must be number greater than 0.  Please correct."});
    EXPECT_EQ(chart.s.messages.shown()[0].sCaption, "ERROR");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(pageShown(dialog), static_cast<int>(PlotOptionsPage::Title));
    EXPECT_EQ(QApplication::focusWidget(), pSize);
    EXPECT_EQ(control<QLineEdit>(dialog, Field::MainTitleEditControl)->text(), "Typed");  // nothing lost
    EXPECT_EQ(chart.plot().MainTitle(), "Sales");                                         // nothing applied

    typeAndLeave("0.8 x");
    dialog.findChild<QPushButton*>("OkButton")->click();
    EXPECT_EQ(chart.s.messages.texts().size(), 1u);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(chart.plot().MainTitle(), "Typed");
    EXPECT_DOUBLE_EQ(chart.plot().SubTitleSize(), 0.8);
    EXPECT_EQ(chart.plot().MainTitleColor(), 0u);  // the colour shown became the colour
    EXPECT_FALSE(chart.plot().Changed());          // the owner has redrawn it
}

TEST(PlotOptionsDialog, CancelLeavesThePlotAsItWas)
{
    ChartView chart;
    TPlotOptionsDialogBox dialog(chart.view, chart.plot(), 2);
    EXPECT_EQ(pageShown(dialog), static_cast<int>(PlotOptionsPage::YAxis));
    control<QLineEdit>(dialog, Field::YAxisLabelTextEdit)->setText("Amount");
    dialog.findChild<QPushButton*>("CancelButton")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(chart.plot().YAxisLabel(), "Y-Axis");
}

TEST(PlotOptionsDialog, TheUsersChoicesCoupleTheLineFields)
{
    ChartView chart;
    TPlotOptionsDialogBox dialog(chart.view, chart.plot(), poLineBase + 1);
    auto* pStyle = control<QComboBox>(dialog, Field::LineInfoStyleComboBox);
    auto* pThickness = control<QComboBox>(dialog, Field::LineThicknessComboBox);
    auto* pPointStyle = control<QComboBox>(dialog, Field::LinePointStyleComboBox);
    auto* pConnect = control<QCheckBox>(dialog, Field::LinePointConnectPointsCheckBox);
    EXPECT_NE(qobject_cast<StyleSampleComboBox*>(pStyle), nullptr);
    EXPECT_NE(qobject_cast<StyleSampleComboBox*>(pPointStyle), nullptr);
    auto choose = [](QComboBox* pBox, int iEntry) {
        pBox->setCurrentIndex(iEntry);
        emit pBox->activated(iEntry);
    };

    EXPECT_EQ(pThickness->currentText(), "0.2");  // 0.25 in whole tenths
    choose(pStyle, 2);                            // "Dash"
    EXPECT_EQ(pThickness->currentText(), "Hairline");
    choose(pThickness, 3);
    EXPECT_EQ(pStyle->currentText(), "Solid");
    EXPECT_EQ(pThickness->currentText(), "0.3");

    choose(pPointStyle, 0);  // "None"
    EXPECT_TRUE(pConnect->isChecked());
    pConnect->click();  // unchecked while there are no symbols
    EXPECT_EQ(pPointStyle->currentText(), "Solid Circle");
    EXPECT_FALSE(pConnect->isChecked());

    // Setting a control is not choosing: loading another tab couples nothing.
    dialog.TabControl(PlotOptionsStrip::Lines)->setCurrentIndex(1);
    EXPECT_EQ(pPointStyle->currentText(), "None");
    EXPECT_TRUE(pConnect->isChecked());
    dialog.TabControl(PlotOptionsStrip::Lines)->setCurrentIndex(0);
    EXPECT_EQ(pPointStyle->currentText(), "Solid Circle");
    EXPECT_EQ(pThickness->currentText(), "0.3");

    dialog.OkButtonClick();
    const LineInfo& line = *chart.plot().Line(1);
    EXPECT_EQ(line.Style, 1);
    EXPECT_DOUBLE_EQ(line.Thickness, 0.3);
    EXPECT_EQ(line.PointStyle, 5);
    EXPECT_FALSE(line.ConnectPoints);
    EXPECT_DOUBLE_EQ(chart.plot().Line(2)->Thickness, 0.1);
}

TEST(PlotOptionsDialog, TheTabStripsKeepWhatWasTypedOnEachTab)
{
    ChartView chart;
    TPlotOptionsDialogBox dialog(chart.view, chart.plot(), 0);
    QTabBar* pTabs = dialog.TabControl(PlotOptionsStrip::Lines);
    auto* pLabel = control<QLineEdit>(dialog, Field::LineLabelEdit);
    EXPECT_EQ(pLabel->text(), "Sales");
    pLabel->setText("Revenue");
    pTabs->setCurrentIndex(1);
    EXPECT_EQ(pLabel->text(), "UCL");
    pLabel->clear();
    pTabs->setCurrentIndex(0);
    EXPECT_EQ(pLabel->text(), "Revenue");

    // OK stops on the empty label and shows its tab.
    dialog.OkButtonClick();
    EXPECT_EQ(chart.s.messages.texts(), std::vector<std::string>{"Must enter label for line.  Please correct."});
    EXPECT_EQ(pageShown(dialog), static_cast<int>(PlotOptionsPage::Lines));
    EXPECT_EQ(pTabs->currentIndex(), 1);
    EXPECT_EQ(pLabel->text(), "");
    pLabel->setText("Upper");
    dialog.OkButtonClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(chart.plot().Line(1)->Label, "Revenue");
    EXPECT_EQ(chart.plot().Line(2)->Label, "Upper");
}

TEST(PlotOptionsDialog, TheSamplesChooseTheAxisAndTicStyles)
{
    ChartView chart;
    TPlotOptionsDialogBox dialog(chart.view, chart.plot(), 4);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    EXPECT_EQ(pageShown(dialog), static_cast<int>(PlotOptionsPage::AxisStyle));
    TDrawingControl* pAxes = dialog.AxisStyleDrawingControl();
    TDrawingControl* pTics = dialog.TicStyleDrawingControl();
    ASSERT_NE(pAxes->GetDrawing(), nullptr);
    const std::optional<QPoint> fourth = pointOf(*pAxes->GetDrawing(), *pAxes, 0, 4);
    const std::optional<QPoint> inside = pointOf(*pTics->GetDrawing(), *pTics, 0, 6);
    ASSERT_TRUE(fourth && inside);

    QTest::mouseClick(pAxes, Qt::LeftButton, {}, *fourth);
    const auto pAxisButtons = control<QGroupBox>(dialog, Field::StyleAxisRadioGroup)->findChildren<QRadioButton*>();
    EXPECT_TRUE(pAxisButtons[3]->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), pAxisButtons[3]);
    QTest::mouseClick(pTics, Qt::LeftButton, {}, *inside);
    const auto pTicButtons = control<QGroupBox>(dialog, Field::StyleTicRadioGroup)->findChildren<QRadioButton*>();
    EXPECT_TRUE(pTicButtons[1]->isChecked());

    dialog.OkButtonClick();
    EXPECT_EQ(chart.plot().AxisStyle(), 3);
    EXPECT_EQ(chart.plot().TicStyle(), 1);
}

TEST(PlotOptionsDialog, StyleListsShowTheirSamples)
{
    auto paint = [](StyleSampleKind kind, int iEntry, bool bFocused) {
        QImage image(60, 16, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter painter(&image);
        PaintStyleSample(painter, image.rect(), kind, iEntry, bFocused);
        return image;
    };
    const QColor black(Qt::black), white(Qt::white), darkBlue = toQColor(0x800000), yellow = toQColor(0x00FFFF);

    // A solid line across the middle, 3 pixels short of both ends.
    QImage solid = paint(StyleSampleKind::LineStyle, 1, false);
    const int y = solid.rect().center().y();
    EXPECT_EQ(solid.pixelColor(4, y), black);
    EXPECT_EQ(solid.pixelColor(56, y), black);
    EXPECT_EQ(solid.pixelColor(2, y), white);
    EXPECT_EQ(solid.pixelColor(58, y), white);
    EXPECT_EQ(solid.pixelColor(30, 2), white);
    // A dotted line has gaps; the focused entry is white on dark blue in a yellow frame.
    QImage dotted = paint(StyleSampleKind::LineStyle, 3, true);
    int iInk = 0, iGaps = 0;
    for (int x = 3; x < 57; ++x) (dotted.pixelColor(x, y) == white ? iInk : iGaps) += 1;
    EXPECT_GT(iInk, 10);
    EXPECT_GT(iGaps, 10);
    EXPECT_EQ(dotted.pixelColor(30, 3), darkBlue);
    EXPECT_EQ(dotted.pixelColor(0, 0), yellow);
    // Entry 0 is a word; the symbols are drawn filled or hollow.
    QImage none = paint(StyleSampleKind::PointStyle, 0, false);
    bool bText = false;
    for (int x = 0; x < 60; ++x)
        for (int yy = 0; yy < 16; ++yy) bText = bText || none.pixelColor(x, yy) != white;
    EXPECT_TRUE(bText);
    EXPECT_EQ(paint(StyleSampleKind::PointStyle, 5, false).pixelColor(30, y), black);  // solid circle
    EXPECT_EQ(paint(StyleSampleKind::PointStyle, 1, false).pixelColor(30, y), white);  // hollow circle
    EXPECT_EQ(paint(StyleSampleKind::PointStyle, 6, true).pixelColor(30, y), white);   // focused solid square
}

// Pictures of the dialog's pages and of a plot view, for a person to look at: written
// when OVS_SCREENSHOT_DIR names a folder.
TEST(PlotOptionsDialog, PicturesForAPersonToLookAt)
{
    const char* sFolder = std::getenv("OVS_SCREENSHOT_DIR");
    if (!sFolder) GTEST_SKIP() << "OVS_SCREENSHOT_DIR not set";
    ChartView chart;
    chart.plot().SetSubTitle("Monthly sales and control limits");
    chart.plot().SetKeyTitle("Key");
    chart.view.vdRedraw();
    chart.view.resize(640, 400);
    chart.view.grab().save(QDir(QString::fromLocal8Bit(sFolder)).filePath("plot-view.png"));
    TPlotOptionsDialogBox dialog(chart.view, chart.plot(), 0);
    dialog.show();
    for (int i = 0; i < dialog.PageControl()->count(); ++i) {
        if (!dialog.PageControl()->isTabVisible(i)) continue;
        dialog.PageControl()->setCurrentIndex(i);
        dialog.grab().save(
            QDir(QString::fromLocal8Bit(sFolder)).filePath(QStringLiteral("plot-options-%1.png").arg(i)));
    }
    auto* pStyle = control<QComboBox>(dialog, Field::LineInfoStyleComboBox);
    dialog.PageControl()->setCurrentIndex(static_cast<int>(PlotOptionsPage::Lines));
    pStyle->showPopup();
    QApplication::processEvents();
    if (QWidget* pPopup = pStyle->view()->window())
        pPopup->grab().save(QDir(QString::fromLocal8Bit(sFolder)).filePath("line-style-list.png"));
    pStyle->hidePopup();
}
