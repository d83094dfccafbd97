// The plot options model: the fields filled from a plot, the coupled fields, the tab
// strips with their working copies, the checks of OK in their order with their messages,
// and the transfer that reaches the plot only when every check passed.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "graphics/Plot.h"
#include "graphics/PlotKinds.h"
#include "graphics/PlotOptionsModel.h"
#include "platform/ScriptedUserMessages.h"

using namespace HalvrennInc;
using Field = PlotOptionsField;
using Page = PlotOptionsPage;
using Strip = PlotOptionsStrip;

namespace {

// A chart like the results charts: twelve text labels and three lines with points.
struct Chart {
    explicit Chart(std::uint32_t uLabels = 12)
    {
        for (std::uint32_t k = 0; k < uLabels; ++k) {
            labels.emplace_back(std::string_view("P" + std::to_string(k + 1)));
            positions.emplace_back(static_cast<double>(k));
            values.emplace_back(static_cast<double>(k % 5));
        }
        plot.SetXAxisTextLabels(uLabels, labels.data(), positions.data());
        plot.AddDataLine(uLabels, positions.data(), values.data(), "Values", "", 0.25, 0x000000, 1, true, 5, 0.5);
        plot.AddDataLine(uLabels, positions.data(), values.data(), "Upper", "", 0.1, 0x0000FF, 1, true, 0, 0.5);
        plot.AddDataLine(uLabels, positions.data(), values.data(), "Lower", "", 0.1, 0xFF0000, 3, true, 0, 0.5);
        plot.BuildDrawing();
        plot.ClearModified();
    }
    std::vector<String> labels;
    std::vector<Real> positions;
    std::vector<Real> values;
    Plot plot;
};

std::string messageOf(const std::optional<PlotOptionsError>& error)
{
    return error ? std::string(error->sMessage) : std::string("(passed)");
}

}  // namespace

TEST(PlotOptionsModel, FieldsShowThePlotAsItIs)
{
    Plot plot;
    plot.SetMainTitle("Sales");
    plot.SetRatio(2.5);
    plot.SetYMaximum(Real(2e9));
    PlotOptionsModel model(plot, 0);
    EXPECT_EQ(model.Text(Field::MainTitleEditControl), "Sales");
    EXPECT_EQ(model.Text(Field::MainTitleSizeComboBox), "2 x");
    EXPECT_EQ(model.Text(Field::SubTitleSizeComboBox), "1.5 x");
    EXPECT_EQ(model.Index(Field::MainTitleColorComboBox), 1);  // "Blue"
    EXPECT_EQ(model.Index(Field::SubTitleColorComboBox), 0);   // "Black"
    EXPECT_EQ(model.Index(Field::StyleAxisRadioGroup), 1);
    EXPECT_EQ(model.Index(Field::StyleTicRadioGroup), 2);
    EXPECT_EQ(model.Text(Field::StyleTicSizeNumberComboBox), "0.4 x");
    EXPECT_EQ(model.Text(Field::StyleRatioEdit), "2.5");
    EXPECT_EQ(model.Text(Field::YAxisScaleMinimumValueEdit), "0");
    EXPECT_EQ(model.Text(Field::YAxisScaleMaximumValueEdit), Real(2e9).toText(0, true).str());
    EXPECT_EQ(model.Text(Field::YAxisLayoutNumberValuesEdit), "3");
    EXPECT_EQ(model.Text(Field::XAxisScaleMaximumValueEdit), "1");
    // An ordinary plot without lines, variables or comments.
    EXPECT_FALSE(model.TextLabels());
    EXPECT_FALSE(model.PageVisible(Page::Lines));
    EXPECT_FALSE(model.PageVisible(Page::OffAxis));
    EXPECT_FALSE(model.PageVisible(Page::Comments));
    EXPECT_FALSE(model.NumberLinesVisible());
    EXPECT_EQ(model.Page(), Page::Title);

    // The lists are the dialog's own.
    EXPECT_EQ(PlotOptionsModel::ColorList().size(), 17u);
    EXPECT_EQ(PlotOptionsModel::ColorList()[10].sName, "Orange");
    EXPECT_EQ(PlotOptionsModel::ColorList()[10].color, 0x0040FFu);
    EXPECT_EQ(model.Choices(Field::ResolutionComboBox)[1], "Medium               (100 points)");
    EXPECT_EQ(model.Choices(Field::LinePointStyleComboBox)[5], "Solid Circle");
    EXPECT_EQ(model.Choices(Field::KeySizeComboBox).size(), 11u);
}

TEST(PlotOptionsModel, AColourOutsideTheListShowsAsBlackAndBecomesBlack)
{
    Plot plot;
    plot.SetMainTitleColor(0x123456);
    plot.SetKeyTitleColor(0x0000FF);
    PlotOptionsModel model(plot, 0);
    EXPECT_EQ(model.Index(Field::MainTitleColorComboBox), 0);
    EXPECT_EQ(model.Index(Field::KeyColorComboBox), 13);  // "Red"
    ScriptedUserMessages messages;
    EXPECT_FALSE(model.Ok(messages));
    EXPECT_EQ(plot.MainTitleColor(), 0u);
    EXPECT_EQ(plot.KeyTitleColor(), 0x0000FFu);
}

TEST(PlotOptionsModel, SizeFieldsAreWrittenAsSizesWhenLeft)
{
    Plot plot;
    PlotOptionsModel model(plot, 0);
    auto leave = [&model](std::string_view sTyped) {
        model.SetText(Field::MainTitleSizeComboBox, sTyped);
        model.LeaveSizeField(Field::MainTitleSizeComboBox);
        return model.Text(Field::MainTitleSizeComboBox);
    };
    EXPECT_EQ(leave("2.5x"), "2.5 x");
    EXPECT_EQ(leave("1"), "Normal");
    EXPECT_EQ(leave("  3 x "), "3 x");
    EXPECT_EQ(leave("0"), "0");
    EXPECT_EQ(leave("-2"), "-2");
    EXPECT_EQ(leave("big"), "big");

    // OK then reports that box, and nothing reaches the plot.
    model.SetText(Field::MainTitleEditControl, "Changed");
    ScriptedUserMessages messages;
    const auto error = model.Ok(messages);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->iCheck, 1);
    EXPECT_EQ(error->field, Field::MainTitleSizeComboBox);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].sCaption, "ERROR");
    EXPECT_EQ(messages.shown()[0].sText,
              "Illegal size for main title.  Must be number greater than 0.  Please correct.");
    EXPECT_EQ(messages.shown()[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(plot.MainTitle(), "");
    EXPECT_FALSE(plot.Modified());
}

TEST(PlotOptionsModel, TheRatioMayBeAHalfButNotLess)
{
    Plot plot;
    PlotOptionsModel model(plot, 0);
    ScriptedUserMessages messages;
    model.SetText(Field::StyleRatioEdit, "0.49");
    auto error = model.Ok(messages);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->iCheck, 5);
    EXPECT_EQ(error->sMessage, "Illegal value for ratio.  Must be real number greater than 0.5.  Please correct.");
    EXPECT_EQ(error->field, Field::StyleRatioEdit);
    EXPECT_EQ(model.Page(), Page::AxisStyle);
    EXPECT_DOUBLE_EQ(plot.Ratio(), 1.0);

    model.SetText(Field::StyleRatioEdit, "0.5");
    EXPECT_FALSE(model.Ok(messages));
    EXPECT_DOUBLE_EQ(plot.Ratio(), 0.5);
}

TEST(PlotOptionsModel, EqualYLimitsAreRefused)
{
    Plot plot;
    PlotOptionsModel model(plot, 0);
    model.SetText(Field::YAxisScaleMinimumValueEdit, "1");
    model.SetText(Field::YAxisScaleMaximumValueEdit, "1.0");
    model.SetPage(Page::Key);
    ScriptedUserMessages messages;
    const auto error = model.Ok(messages);
    EXPECT_EQ(messageOf(error), "Y-axis minimum must be less than maximum.  Please correct.");
    EXPECT_EQ(error->field, Field::YAxisScaleMinimumValueEdit);
    EXPECT_EQ(model.Page(), Page::YAxis);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Y-axis minimum must be less than maximum.  Please correct."});
}

TEST(PlotOptionsModel, TextLabelsAreChosenByNumberAndTheirCountIsHeldToTheLabels)
{
    Chart chart;
    PlotOptionsModel model(chart.plot, 3);
    EXPECT_EQ(model.Page(), Page::XAxis);
    ASSERT_TRUE(model.TextLabels());
    const auto entries = model.Choices(Field::XAxisScaleMinimumLabelComboBox);
    ASSERT_EQ(entries.size(), 12u);
    EXPECT_EQ(entries[0], "1:  P1");
    EXPECT_EQ(entries[11], "12:  P12");
    EXPECT_EQ(model.Index(Field::XAxisScaleMinimumLabelComboBox), 0);
    EXPECT_EQ(model.Index(Field::XAxisScaleMaximumLabelComboBox), 11);
    EXPECT_EQ(model.Text(Field::XAxisLayoutNumberLabelsEdit), "4");
    EXPECT_EQ(model.Text(Field::XAxisScaleLabelSizeComboBox), "Normal");

    // 20 labels wanted on an axis of 12: accepted, and the field reads 12.
    model.SetText(Field::XAxisLayoutNumberLabelsEdit, "20");
    model.SetIndex(Field::XAxisScaleMinimumLabelComboBox, 2);
    ScriptedUserMessages messages;
    EXPECT_FALSE(model.Ok(messages));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(model.Text(Field::XAxisLayoutNumberLabelsEdit), "12");
    EXPECT_EQ(chart.plot.XAxisNumberLabels(), 12u);
    EXPECT_EQ(chart.plot.FirstXLabel(), 2u);
    EXPECT_EQ(chart.plot.XMinimum(), Real(2.0));

    // The first label must come before the last.
    model.SetIndex(Field::XAxisScaleMinimumLabelComboBox, 11);
    const auto error = model.Ok(messages);
    EXPECT_EQ(messageOf(error), "X-axis minimum label must be before maximum label.  Please correct.");
    EXPECT_EQ(error->field, Field::XAxisScaleMinimumLabelComboBox);
}

TEST(PlotOptionsModel, BrokenStylesAreHairlinesAndEveryLineKeepsLinesOrPoints)
{
    Chart chart;
    PlotOptionsModel model(chart.plot, 1001);
    EXPECT_EQ(model.Index(Field::LineInfoStyleComboBox), 1);
    EXPECT_EQ(model.Index(Field::LineThicknessComboBox), 2);

    model.ChooseLineStyle(2);  // "Dash"
    EXPECT_EQ(model.Index(Field::LineThicknessComboBox), 0);
    model.ChooseLineThickness(3);  // "0.3"
    EXPECT_EQ(model.Index(Field::LineInfoStyleComboBox), 1);
    model.ChooseLineStyle(0);  // "Not Displayed" keeps the thickness
    EXPECT_EQ(model.Index(Field::LineThicknessComboBox), 3);
    model.ChooseLineThickness(0);  // a hairline keeps the style
    EXPECT_EQ(model.Index(Field::LineInfoStyleComboBox), 0);

    model.ChoosePointStyle(0);  // "None": the points are connected
    EXPECT_TRUE(model.Checked(Field::LinePointConnectPointsCheckBox));
    model.ClickConnectPoints(false);  // nor lines nor points: solid circles
    EXPECT_EQ(model.Index(Field::LinePointStyleComboBox), 5);
    EXPECT_FALSE(model.Checked(Field::LinePointConnectPointsCheckBox));
    model.ChoosePointStyle(2);
    model.ClickConnectPoints(true);
    model.ClickConnectPoints(false);  // with symbols the points may stand alone
    EXPECT_EQ(model.Index(Field::LinePointStyleComboBox), 2);

    ScriptedUserMessages messages;
    EXPECT_FALSE(model.Ok(messages));
    const LineInfo& line = *chart.plot.Line(1);
    EXPECT_EQ(line.Style, 0);
    EXPECT_EQ(line.Thickness, 0.0);
    EXPECT_EQ(line.PointStyle, 2);
    EXPECT_FALSE(line.ConnectPoints);
}

TEST(PlotOptionsModel, ThicknessesAreShownAndKeptInWholeTenths)
{
    Chart chart;
    PlotOptionsModel model(chart.plot, 0);
    model.SelectTab(Strip::Lines, 0);
    EXPECT_EQ(model.Choices(Field::LineThicknessComboBox)[model.Index(Field::LineThicknessComboBox)], "0.2");
    ScriptedUserMessages messages;
    EXPECT_FALSE(model.Ok(messages));
    EXPECT_DOUBLE_EQ(chart.plot.Line(1)->Thickness, 0.2);
    EXPECT_DOUBLE_EQ(chart.plot.Line(2)->Thickness, 0.1);
}

TEST(PlotOptionsModel, TheObjectClickedChoosesThePageAndTab)
{
    Chart chart;
    chart.plot.SetLineLabel(3, "Third");
    auto pageOf = [&chart](std::uint32_t uObjectID) { return PlotOptionsModel(chart.plot, uObjectID).Page(); };
    EXPECT_EQ(pageOf(0), Page::Title);
    EXPECT_EQ(pageOf(1), Page::Title);
    EXPECT_EQ(pageOf(2), Page::YAxis);
    EXPECT_EQ(pageOf(3), Page::XAxis);
    EXPECT_EQ(pageOf(4), Page::AxisStyle);
    EXPECT_EQ(pageOf(5), Page::Key);
    EXPECT_EQ(pageOf(2001), Page::Title);  // the plot has no off-axis variables
    EXPECT_EQ(pageOf(1004), Page::Title);  // nor a fourth line

    // The key row of line 3 carries the ID 1003.
    PlotOptionsModel model(chart.plot, poLineBase + 3);
    EXPECT_EQ(model.Page(), Page::Lines);
    EXPECT_EQ(model.Tab(Strip::Lines), 2);
    EXPECT_EQ(model.Text(Field::LineLabelEdit), "Third");
    EXPECT_EQ(model.Index(Field::LineColorComboBox), 1);  // "Blue"
    EXPECT_EQ(model.Index(Field::LineInfoStyleComboBox), 3);
}

TEST(PlotOptionsModel, TabsKeepWorkingCopiesUntilOk)
{
    Chart chart;
    PlotOptionsModel model(chart.plot, 0);
    ASSERT_EQ(model.TabCount(Strip::Lines), 3);
    EXPECT_TRUE(model.LinePointsVisible());
    EXPECT_FALSE(model.LineValueVisible());
    model.SetText(Field::LineLabelEdit, "First");
    model.SetIndex(Field::LineColorComboBox, 7);  // "Green"
    model.SelectTab(Strip::Lines, 1);
    EXPECT_EQ(model.Text(Field::LineLabelEdit), "Upper");
    EXPECT_EQ(model.Index(Field::LineColorComboBox), 13);  // "Red"
    model.SetText(Field::LineLabelEdit, "Second");
    model.SelectTab(Strip::Lines, 0);
    EXPECT_EQ(model.Text(Field::LineLabelEdit), "First");
    EXPECT_EQ(model.Index(Field::LineColorComboBox), 7);
    model.SelectTab(Strip::Lines, 7);  // no such tab
    EXPECT_EQ(model.Tab(Strip::Lines), 0);
    EXPECT_EQ(chart.plot.Line(1)->Label, "Values");  // nothing before OK

    ScriptedUserMessages messages;
    EXPECT_FALSE(model.Ok(messages));
    EXPECT_EQ(chart.plot.Line(1)->Label, "First");
    EXPECT_EQ(chart.plot.Line(1)->Color, 0x00FF00u);
    EXPECT_EQ(chart.plot.Line(2)->Label, "Second");
    EXPECT_EQ(chart.plot.Line(3)->Label, "Lower");
}

TEST(PlotOptionsModel, LinesAreCheckedOneAfterTheOtherOnTheirOwnTabs)
{
    Chart chart;
    chart.plot.SetKeyValues(true);
    chart.plot.SetLineValueText(1, "1.5");
    chart.plot.SetLineValueText(2, "2");
    chart.plot.SetLineValueText(3, "3");
    chart.plot.AddValueLine("Target", "4", 0, 0, 1);
    PlotOptionsModel model(chart.plot, 0);
    EXPECT_TRUE(model.LineValueVisible());
    EXPECT_EQ(model.Text(Field::LineValueEdit), "1.5");
    model.SelectTab(Strip::Lines, 1);
    model.SetText(Field::LineLabelEdit, "   ");
    model.SelectTab(Strip::Lines, 2);
    model.SetText(Field::LinePointSizeComboBox, "tiny");
    model.SelectTab(Strip::Lines, 3);
    EXPECT_FALSE(model.LinePointsVisible());          // a value line has no points
    model.SetText(Field::LinePointSizeComboBox, "");  // and no point size to check
    model.SelectTab(Strip::Lines, 0);
    model.SetText(Field::LineValueEdit, "abc");

    ScriptedUserMessages messages;
    auto error = model.Ok(messages);
    EXPECT_EQ(messageOf(error), "Illegal input for value.  Must be real number.  Please correct.");
    EXPECT_EQ(model.Tab(Strip::Lines), 0);
    model.SetText(Field::LineValueEdit, " 7 ");
    error = model.Ok(messages);
    EXPECT_EQ(messageOf(error), "Must enter label for line.  Please correct.");
    EXPECT_EQ(error->field, Field::LineLabelEdit);
    EXPECT_EQ(model.Tab(Strip::Lines), 1);
    EXPECT_EQ(model.Page(), Page::Lines);
    model.SetText(Field::LineLabelEdit, "Upper");
    error = model.Ok(messages);
    EXPECT_EQ(messageOf(error), "Illegal size for point.  Must be number greater than 0.  Please correct.");
    EXPECT_EQ(model.Tab(Strip::Lines), 2);
    model.SetText(Field::LinePointSizeComboBox, "0.8 x");
    EXPECT_FALSE(model.Ok(messages));
    EXPECT_EQ(chart.plot.Line(1)->ValueText, "7");
    EXPECT_DOUBLE_EQ(chart.plot.Line(3)->PointSize, 0.8);
    EXPECT_EQ(chart.plot.Line(4)->PointSize, 0.0);
}

TEST(PlotOptionsModel, EveryCheckHasItsMessageAndField)
{
    struct Case {
        int iCheck;
        bool bTextLabels;
        std::function<void(PlotOptionsModel&)> spoil;
        Field field;
        std::string sMessage;
    };
    auto text = [](Field field, std::string sText) {
        return [field, sText](PlotOptionsModel& m) { m.SetText(field, sText); };
    };
    const std::vector<Case> cases = {
        {1, false, text(Field::MainTitleSizeComboBox, ""), Field::MainTitleSizeComboBox,
         "Illegal size for main title.  Must be number greater than 0.  Please correct."},
        {2, false, text(Field::SubTitleSizeComboBox, "x"), Field::SubTitleSizeComboBox,
         "Illegal size for sub title.  Must be number greater than 0.  Please correct."},
        {3, false, text(Field::StyleTicSizeNumberComboBox, "0 x"), Field::StyleTicSizeNumberComboBox,
         "Illegal size for tics next to numbers or labels.  Must be number greater than 0.  Please correct."},
        {4, false, text(Field::StyleTicSizeBetweenComboBox, "-1"), Field::StyleTicSizeBetweenComboBox,
         "Illegal size for tics between numbers or labels.  Must be number greater than 0.  Please correct."},
        {5, false, text(Field::StyleRatioEdit, "wide"), Field::StyleRatioEdit,
         "Illegal value for ratio.  Must be real number greater than 0.5.  Please correct."},
        {6, false, text(Field::YAxisLabelSizeComboBox, "Big"), Field::YAxisLabelSizeComboBox,
         "Illegal size for y-axis label.  Must be number greater than 0.  Please correct."},
        {7, false, text(Field::YAxisScaleMinimumValueEdit, "1,5"), Field::YAxisScaleMinimumValueEdit,
         "Illegal value for y-axis minimum value.  Must be real number.  Please correct."},
        {8, false, text(Field::YAxisScaleMaximumValueEdit, ""), Field::YAxisScaleMaximumValueEdit,
         "Illegal value for y-axis maximum value.  Must be real number.  Please correct."},
        {9, false, text(Field::YAxisScaleMinimumValueEdit, "5"), Field::YAxisScaleMinimumValueEdit,
         "Y-axis minimum must be less than maximum.  Please correct."},
        {10, false, text(Field::YAxisScaleSizeComboBox, "0"), Field::YAxisScaleSizeComboBox,
         "Illegal size for y-axis scale.  Must be number greater than 0.  Please correct."},
        {11, false, text(Field::YAxisLayoutNumberValuesEdit, "2.5"), Field::YAxisLayoutNumberValuesEdit,
         "Illegal value for y-axis number of values.  Must be integer of at least 2.  Please correct."},
        {12, false, text(Field::YAxisLayoutNumberTicsEdit, "-1"), Field::YAxisLayoutNumberTicsEdit,
         "Illegal value for y-axis number of tics.  Must be integer of at least 0.  Please correct."},
        {13, false, text(Field::XAxisLabelSizeComboBox, "none"), Field::XAxisLabelSizeComboBox,
         "Illegal size for x-axis label.  Must be number greater than 0.  Please correct."},
        {14, true, [](PlotOptionsModel& m) { m.SetIndex(Field::XAxisScaleMaximumLabelComboBox, 0); },
         Field::XAxisScaleMinimumLabelComboBox, "X-axis minimum label must be before maximum label.  Please correct."},
        {15, true, text(Field::XAxisScaleLabelSizeComboBox, ""), Field::XAxisScaleLabelSizeComboBox,
         "Illegal size for x-axis scale.  Must be number greater than 0.  Please correct."},
        {16, true, text(Field::XAxisLayoutNumberLabelsEdit, "1"), Field::XAxisLayoutNumberLabelsEdit,
         "Illegal value for x-axis number of labels.  Must be integer of at least 2.  Please correct."},
        {14, false, text(Field::XAxisScaleMinimumValueEdit, "a"), Field::XAxisScaleMinimumValueEdit,
         "Illegal value for x-axis minimum value.  Must be real number.  Please correct."},
        {15, false, text(Field::XAxisScaleMaximumValueEdit, "b"), Field::XAxisScaleMaximumValueEdit,
         "Illegal value for x-axis maximum value.  Must be real number.  Please correct."},
        {16, false, text(Field::XAxisScaleMaximumValueEdit, "-3"), Field::XAxisScaleMinimumValueEdit,
         "X-axis minimum must be less than maximum.  Please correct."},
        {17, false, text(Field::XAxisScaleValueSizeComboBox, "?"), Field::XAxisScaleValueSizeComboBox,
         "Illegal size for x-axis scale.  Must be number greater than 0.  Please correct."},
        {18, false, text(Field::XAxisLayoutNumberValuesEdit, "1"), Field::XAxisLayoutNumberValuesEdit,
         "Illegal value for x-axis number of values.  Must be integer of at least 2.  Please correct."},
        {19, false, text(Field::XAxisLayoutNumberTicsEdit, "many"), Field::XAxisLayoutNumberTicsEdit,
         "Illegal value for x-axis number of tics.  Must be integer of at least 0.  Please correct."},
        {20, false, text(Field::KeySizeComboBox, ""), Field::KeySizeComboBox,
         "Illegal size for key title.  Must be number greater than 0.  Please correct."},
        {21, false, text(Field::LineSizeComboBox, "0.0"), Field::LineSizeComboBox,
         "Illegal size for lines in key.  Must be number greater than 0.  Please correct."},
    };
    for (const Case& c : cases) {
        Chart chart(c.bTextLabels ? 12 : 0);
        PlotOptionsModel model(chart.plot, 0);
        ASSERT_EQ(model.TextLabels(), c.bTextLabels);
        c.spoil(model);
        ScriptedUserMessages messages;
        const auto error = model.Ok(messages);
        ASSERT_TRUE(error) << "check " << c.iCheck;
        EXPECT_EQ(error->iCheck, c.iCheck);
        EXPECT_EQ(error->sMessage, c.sMessage) << "check " << c.iCheck;
        EXPECT_EQ(error->field, c.field) << "check " << c.iCheck;
        EXPECT_EQ(model.Page(), PlotOptionsModel::PageOf(c.field));
        EXPECT_EQ(messages.texts(), std::vector<std::string>{c.sMessage});
        EXPECT_FALSE(chart.plot.Modified()) << "check " << c.iCheck;
    }

    // The first failure in the order wins.
    Chart chart;
    PlotOptionsModel model(chart.plot, 0);
    model.SetText(Field::LineSizeComboBox, "");
    model.SetText(Field::YAxisLayoutNumberTicsEdit, "");
    model.SetText(Field::SubTitleSizeComboBox, "");
    ScriptedUserMessages messages;
    EXPECT_EQ(model.Ok(messages)->iCheck, 2);
}

TEST(PlotOptionsModel, OffAxisVariablesAndCommentsAreEditedTabByTab)
{
    Plot plot;
    plot.AddOffAxisVariable("Temperature", "20");
    plot.AddOffAxisVariable("Pressure", "1.5");
    plot.AddComment("First run");
    plot.AddComment("Second run");
    plot.ClearModified();
    PlotOptionsModel model(plot, poCommentBase + 2);
    EXPECT_EQ(model.Page(), Page::Comments);
    EXPECT_EQ(model.Tab(Strip::Comments), 1);
    EXPECT_EQ(model.Text(Field::CommentsTextEdit), "Second run");
    EXPECT_TRUE(model.PageVisible(Page::OffAxis));
    EXPECT_EQ(PlotOptionsModel(plot, poOffAxisBase + 2).Text(Field::OffAxisNameEdit), "Pressure");

    model.SetText(Field::CommentsTextEdit, "  Second run, cooled  ");
    model.SelectTab(Strip::OffAxis, 1);
    model.SetText(Field::OffAxisValueEdit, "high");
    ScriptedUserMessages messages;
    auto error = model.Ok(messages);
    EXPECT_EQ(messageOf(error), "Illegal value for off-axis variable.  Must be real number.  Please correct.");
    EXPECT_EQ(model.Tab(Strip::OffAxis), 1);
    model.SetText(Field::OffAxisValueEdit, "2.5");
    model.SelectTab(Strip::OffAxis, 0);
    model.SetText(Field::OffAxisNameEdit, " ");
    error = model.Ok(messages);
    EXPECT_EQ(messageOf(error), "Must enter name for off-axis variable.  Please correct.");
    model.SetText(Field::OffAxisNameEdit, "Heat");
    model.SetText(Field::OffAxisSizeComboBox, "");
    EXPECT_EQ(messageOf(model.Ok(messages)),
              "Illegal size for off-axis variables.  Must be number greater than 0.  Please correct.");
    model.SetText(Field::OffAxisSizeComboBox, "2x");
    model.SetText(Field::CommentsSizeComboBox, "0");
    EXPECT_EQ(messageOf(model.Ok(messages)),
              "Illegal size for comments.  Must be number greater than 0.  Please correct.");
    model.SetText(Field::CommentsSizeComboBox, "0.8 x");
    model.SetChecked(Field::CommentsDisplayCheckBox, false);

    EXPECT_FALSE(model.Ok(messages));
    EXPECT_EQ(plot.OffAxisVariable(1)->Name, "Heat");
    EXPECT_EQ(plot.OffAxisVariable(2)->ValueText, "2.5");
    EXPECT_DOUBLE_EQ(plot.OffAxisSize(), 2.0);
    EXPECT_EQ(*plot.Comment(2), "Second run, cooled");
    EXPECT_DOUBLE_EQ(plot.CommentsSize(), 0.8);
    EXPECT_FALSE(plot.CommentsDisplay());
}

TEST(PlotOptionsModel, InteractionAndContourPlotsTakeTheirNumberOfLines)
{
    InteractionPlot interaction;
    interaction.AddValueLine("A", "1", 0.2, 0, 1);
    interaction.AddValueLine("B", "2", 0.2, 0, 1);
    PlotOptionsModel model(interaction, 0);
    EXPECT_TRUE(model.NumberLinesVisible());
    EXPECT_EQ(model.NumberLinesCaption(), "Number of Lines");
    EXPECT_EQ(model.NumberLinesLabel(), "&Number of Lines:");
    EXPECT_EQ(model.Text(Field::NumberLinesEdit), "2");
    model.SetText(Field::NumberLinesEdit, "1");
    ScriptedUserMessages messages;
    const auto error = model.Ok(messages);
    EXPECT_EQ(messageOf(error),
              "On other tab, number of lines must be integer greater than or equal to 2.  Please correct.");
    EXPECT_EQ(model.Page(), Page::Other);
    model.SetText(Field::NumberLinesEdit, "4");
    EXPECT_FALSE(model.Ok(messages));
    EXPECT_EQ(interaction.NumberOfLines(), 4u);

    ContourPlot contour;
    contour.AddValueLine("", "1", 0.1, 0, 1);
    contour.AddValueLine("", "2", 0.1, 0, 1);
    PlotOptionsModel contours(contour, 0);
    EXPECT_EQ(contours.NumberLinesCaption(), "Number of Contours");
    EXPECT_EQ(contours.NumberLinesLabel(), "&Number of Contours:");
    // Contour lines have no labels of their own; the label check stops OK.
    contours.SetText(Field::NumberLinesEdit, "3");
    EXPECT_EQ(messageOf(contours.Ok(messages)), "Must enter label for line.  Please correct.");
}

TEST(PlotOptionsModel, OkWritesEveryFieldAndNothingElse)
{
    // Unchanged fields write nothing the plot does not already hold (once the first line
    // has its thickness in whole tenths).
    Chart untouched;
    {
        PlotOptionsModel model(untouched.plot, 0);
        ScriptedUserMessages messages;
        ASSERT_FALSE(model.Ok(messages));
    }
    untouched.plot.ClearModified();
    {
        PlotOptionsModel model(untouched.plot, 0);
        ScriptedUserMessages messages;
        ASSERT_FALSE(model.Ok(messages));
        EXPECT_FALSE(untouched.plot.Modified());
    }

    Plot plot;
    PlotOptionsModel model(plot, 0);
    model.SetText(Field::MainTitleEditControl, "  Main  ");
    model.SetText(Field::SubTitleEditControl, "Sub");
    model.SetText(Field::MainTitleSizeComboBox, "3 x");
    model.SetIndex(Field::SubTitleColorComboBox, 8);  // "Green - Dark"
    model.SetIndex(Field::StyleAxisRadioGroup, 3);
    model.SetIndex(Field::StyleTicRadioGroup, 0);
    model.SetText(Field::StyleTicSizeBetweenComboBox, "0.6 x");
    model.SetText(Field::StyleRatioEdit, "1.6");
    model.SetText(Field::YAxisLabelTextEdit, "Level");
    model.SetChecked(Field::YAxisLabelVerticalCheckBox, false);
    model.SetText(Field::YAxisScaleMinimumValueEdit, "-2.5");
    model.SetText(Field::YAxisScaleMaximumValueEdit, "1e3");
    model.SetText(Field::YAxisLayoutNumberValuesEdit, "6");
    model.SetText(Field::YAxisLayoutNumberTicsEdit, "0");
    model.SetText(Field::XAxisScaleMinimumValueEdit, "10");
    model.SetText(Field::XAxisScaleMaximumValueEdit, "20");
    model.SetText(Field::XAxisLayoutNumberValuesEdit, "5000");  // more than an axis takes
    model.SetText(Field::KeyTitleEdit, "Key");
    model.SetText(Field::KeySizeComboBox, "1.2 x");
    model.SetText(Field::LineSizeComboBox, "0.8");
    model.SetIndex(Field::KeyColorComboBox, 3);
    model.SetChecked(Field::KeyDisplayCheckBox, false);
    model.SetChecked(Field::AutoScaleCheckBox, true);
    model.SetIndex(Field::ResolutionComboBox, 3);
    ScriptedUserMessages messages;
    ASSERT_FALSE(model.Ok(messages));
    EXPECT_EQ(model.Text(Field::XAxisLayoutNumberValuesEdit), "1000");
    EXPECT_EQ(plot.MainTitle(), "Main");
    EXPECT_EQ(plot.SubTitle(), "Sub");
    EXPECT_DOUBLE_EQ(plot.MainTitleSize(), 3.0);
    EXPECT_EQ(plot.SubTitleColor(), 0x008000u);
    EXPECT_EQ(plot.AxisStyle(), 3);
    EXPECT_EQ(plot.TicStyle(), 0);
    EXPECT_DOUBLE_EQ(plot.TicSizeBetween(), 0.6);
    EXPECT_DOUBLE_EQ(plot.Ratio(), 1.6);
    EXPECT_EQ(plot.YAxisLabel(), "Level");
    EXPECT_FALSE(plot.YAxisLabelVertical());
    EXPECT_EQ(plot.YMinimum(), Real(-2.5));
    EXPECT_EQ(plot.YMaximum(), Real(1000.0));
    EXPECT_EQ(plot.YAxisNumberValues(), 6u);
    EXPECT_EQ(plot.YAxisNumberTics(), 0u);
    EXPECT_EQ(plot.XMinimum(), Real(10.0));
    EXPECT_EQ(plot.XMaximum(), Real(20.0));
    EXPECT_EQ(plot.XAxisNumberValues(), Plot::kMostAxisNumbers);
    EXPECT_EQ(plot.KeyTitle(), "Key");
    EXPECT_DOUBLE_EQ(plot.KeyTitleSize(), 1.2);
    EXPECT_DOUBLE_EQ(plot.KeySize(), 0.8);
    EXPECT_EQ(plot.KeyTitleColor(), 0xFFFF00u);
    EXPECT_FALSE(plot.KeyDisplay());
    EXPECT_TRUE(plot.YAutoScale());
    EXPECT_EQ(plot.Resolution(), 3u);
    EXPECT_TRUE(plot.Changed());
    EXPECT_TRUE(plot.Modified());
}

TEST(PlotOptionsModel, SamplesChooseStylesAndHelpFollowsThePage)
{
    Plot plot;
    PlotOptionsModel model(plot, 0);
    model.ClickAxisStyleSample(4);
    EXPECT_EQ(model.Index(Field::StyleAxisRadioGroup), 3);
    model.ClickAxisStyleSample(5);  // not an axis-style sample
    EXPECT_EQ(model.Index(Field::StyleAxisRadioGroup), 3);
    model.ClickTicStyleSample(6);
    EXPECT_EQ(model.Index(Field::StyleTicRadioGroup), 1);
    model.ClickTicStyleSample(4);
    EXPECT_EQ(model.Index(Field::StyleTicRadioGroup), 1);

    EXPECT_FALSE(model.HelpTopic(0));
    EXPECT_EQ(model.HelpTopic(300), 301);
    model.SetPage(Page::Key);
    EXPECT_EQ(model.HelpTopic(300), 305);
    model.SetPage(Page::Other);
    EXPECT_EQ(model.HelpTopic(300), 309);
}
