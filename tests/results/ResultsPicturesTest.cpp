// The pictures of a complete example analysis: all seven are written, and the values
// plot shows the data line over yellow and cyan bands with red control limits.
// Set OVS_PICTURES_DIR to keep the pictures for a look.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

#include "ResultsTestSupport.h"
#include "platform/qt/PictureFile.h"
#include "platform/qt/QtCanvas.h"
#include "results/AnalysisResults.h"
#include "results/ResultsColors.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

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
    auto write = [&](const Drawing& drawing, const char* psName) {
        const QString sPath = dir.filePath(QString(psName) + ".png");
        EXPECT_EQ(WritePicture(drawing, sPath.toStdString(), PictureFormat::Png), std::nullopt) << psName;
        const QImage image(sPath);
        EXPECT_EQ(image.size(), PictureRect(drawing).size()) << psName;
        return image;
    };
    const auto pValues = results.ValuesPlot()->BuildDrawing();
    const QImage values = write(*pValues, "values-plot");
    write(*results.ValuesCusumChart()->BuildDrawing(), "values-cusum");
    write(*results.VariationPlot()->BuildDrawing(), "variation-plot");
    write(*results.VariationCusumChart()->BuildDrawing(), "variation-cusum");
    write(results.ValuesTable(), "values-table");
    write(results.VariationTable(), "variation-table");
    write(results.AssumptionsReport(), "assumptions");

    // Where a data value lands: plot units (W = 10 x ratio wide, 10 high, y downward),
    // 20 pixels per unit from the drawing's corner, then into the picture's rectangle.
    const Plot& plot = *results.ValuesPlot();
    const QRect picture = PictureRect(*pValues);
    auto colorAt = [&](double x, double y) {
        const double xp =
            10 * plot.Ratio() * (x - plot.XMinimum().value()) / (plot.XMaximum().value() - plot.XMinimum().value());
        const double yp = 10 - 10 * (y - plot.YMinimum().value()) / (plot.YMaximum().value() - plot.YMinimum().value());
        const QPoint pixel(int(20 * (xp - pValues->XMin())), int(20 * (yp - pValues->YMin())));
        return values.pixelColor(pixel - picture.topLeft());
    };
    // At point 2 of the low first level: black on the point, red at the UCL, yellow
    // between the top of the band and the UCL, cyan inside the band away from the line.
    const double dValue = analysis.prPointValues[2].value();
    const double dUpper = analysis.prValuesUpper[2].value(), dLower = analysis.prValuesLower[2].value();
    const double dUCL = analysis.prValuesUCL[2].value();
    ASSERT_GT(dUCL, dUpper);
    EXPECT_EQ(colorAt(2, dValue), toQColor(kResultsBlack));
    EXPECT_EQ(colorAt(2.5, dUCL), toQColor(kResultsRed));
    EXPECT_EQ(colorAt(2.5, (dUpper + dUCL) / 2), toQColor(kResultsYellow));
    const double dInBand =
        dValue > (dUpper + dLower) / 2 ? dLower + 0.2 * (dUpper - dLower) : dUpper - 0.2 * (dUpper - dLower);
    EXPECT_EQ(colorAt(2, dInBand), toQColor(kResultsCyan));
    EXPECT_EQ(colorAt(-0.5, dUpper), QColor(Qt::white));  // left of the plot area
}
