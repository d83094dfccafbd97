// The pictures of a complete example analysis: all seven are written, and the values
// plot shows the data line over yellow and cyan bands with red control limits.
// Set OVS_PICTURES_DIR to keep the pictures for a look.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "ResultsTestSupport.h"
#include "platform/qt/PictureFile.h"
#include "platform/qt/QtCanvas.h"
#include "results/AnalysisResults.h"
#include "results/ResultsColors.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

// Where a data value of a plot lands in its picture: plot units (W = 10 x ratio wide,
// 10 high, y downward), then 20 pixels per unit from the drawing's corner, then into the
// picture's rectangle.
struct PictureMap {
    const Plot& plot;
    const Drawing& drawing;
    QRect picture;
    QPoint pixel(double x, double y) const
    {
        const double W = 10 * plot.Ratio();
        const double xp = W * (x - plot.XMinimum().value()) / (plot.XMaximum().value() - plot.XMinimum().value());
        const double yp = 10 - 10 * (y - plot.YMinimum().value()) / (plot.YMaximum().value() - plot.YMinimum().value());
        return QPoint(int(20 * (xp - drawing.XMin())), int(20 * (yp - drawing.YMin()))) - picture.topLeft();
    }
};

}  // namespace

TEST(ResultsPictures, AnExampleAnalysisDrawsItsBandsLimitsAndLine)
{
    SeedUniformRandom(11);
    AnalysisResults results(
        std::make_unique<ChangePointAnalysis>(SeriesOf(ShiftedValues()), AnalysisOptions(), nullptr, nullptr));
    ASSERT_TRUE(results.Built());
    const ChangePointAnalysis& analysis = results.Analysis();

    QTemporaryDir temporary;
    const char* psKeep = std::getenv("OVS_PICTURES_DIR");
    const QDir dir(psKeep ? QString::fromUtf8(psKeep) : temporary.path());
    ASSERT_TRUE(dir.exists());
    auto write = [&](const Drawing& drawing, const char* psName) {
        const QString sPath = dir.filePath(QString(psName) + ".png");
        const auto message = WritePicture(drawing, sPath.toStdString(), PictureFormat::Png);
        EXPECT_EQ(message, std::nullopt) << psName;
        return QImage(sPath);
    };
    const auto pValues = results.ValuesPlot()->BuildDrawing();
    const QImage values = write(*pValues, "values-plot");
    write(*results.ValuesCusumChart()->BuildDrawing(), "values-cusum");
    write(*results.VariationPlot()->BuildDrawing(), "variation-plot");
    write(*results.VariationCusumChart()->BuildDrawing(), "variation-cusum");
    for (const auto& [pTable, psName] :
         {std::pair{&results.ValuesTable(), "values-table"}, std::pair{&results.VariationTable(), "variation-table"},
          std::pair{&results.AssumptionsReport(), "assumptions"}}) {
        const QImage table = write(*pTable, psName);
        EXPECT_EQ(table.size(), PictureRect(*pTable).size()) << psName;
    }
    const QRect picture = PictureRect(*pValues);
    ASSERT_EQ(values.size(), picture.size());

    // At the first point: the black line on the point, red at the UCL, cyan inside the
    // band away from the line, yellow between the top of the band and the UCL.
    const PictureMap map{*results.ValuesPlot(), *pValues, picture};
    const double x = 2, dValue = analysis.prPointValues[2].value();
    const double dUpper = analysis.prValuesUpper[2].value(), dLower = analysis.prValuesLower[2].value();
    const double dUCL = analysis.prValuesUCL[2].value();
    ASSERT_GT(dUCL, dUpper);  // the low first level keeps its band below the overall limit
    EXPECT_EQ(values.pixelColor(map.pixel(x, dValue)), toQColor(kResultsBlack));
    EXPECT_EQ(values.pixelColor(map.pixel(x + 0.5, dUCL)), toQColor(kResultsRed));
    EXPECT_EQ(values.pixelColor(map.pixel(x + 0.5, (dUpper + dUCL) / 2)), toQColor(kResultsYellow));
    const double dInBand =
        dValue > (dUpper + dLower) / 2 ? dLower + 0.2 * (dUpper - dLower) : dUpper - 0.2 * (dUpper - dLower);
    EXPECT_EQ(values.pixelColor(map.pixel(x, dInBand)), toQColor(kResultsCyan));
    // Left of the plot area, between the scale numbers: white.
    EXPECT_EQ(values.pixelColor(map.pixel(analysis.prPointPeriods[0].value() - 0.5, dUpper).x(), 2), QColor(Qt::white));
}
