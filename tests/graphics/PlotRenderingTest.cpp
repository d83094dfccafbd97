// A plot drawn through the Qt canvas: its bands, limit line, data line and title land
// where the layout puts them.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <vector>

#include "PlotTestSupport.h"
#include "graphics/Plot.h"
#include "platform/qt/QtCanvas.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
constexpr TColor kYellow = 0x00FFFF;
constexpr TColor kCyan = 0xFFFF00;
constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlack = 0;

// The device pixel of a world point, mapped as DrawFitted maps it on a canvas whose
// pixels are square.
QPoint devicePixel(const Drawing& drawing, const QSize& size, double wx, double wy)
{
    const double w = drawing.XMax() - drawing.XMin(), h = drawing.YMax() - drawing.YMin();
    double x1 = 0, y1 = 0, x2 = size.width(), y2 = size.height();
    if ((x2 - x1) / (y2 - y1) >= w / h) {
        const double m = ((x2 - x1) - w / h * (y2 - y1)) / 2;
        x1 += m;
        x2 -= m;
    } else {
        const double m = ((y2 - y1) - (x2 - x1) * h / w) / 2;
        y1 += m;
        y2 -= m;
    }
    const double a = (x2 - x1) / w, c = (y2 - y1) / h;
    return QPoint(static_cast<int>(a * wx + x2 - drawing.XMax() * a),
                  static_cast<int>(c * wy + y2 - drawing.YMax() * c));
}
}  // namespace

TEST(PlotRendering, BandsLinesAndTitlesAppearWhereTheLayoutPutsThem)
{
    const std::vector<Real> x = reals({0, 10});
    const std::vector<Real> level = reals({5, 5});
    const std::vector<Real> limit = reals({8, 8});
    Real edge;
    edge.setMessage("Overflow");
    Plot plot;
    plot.SetMainTitle("Plot of Sales");
    plot.SetXMaximum(Real(10.0));
    plot.SetYMaximum(Real(10.0));
    plot.SetRatio(2.5);
    plot.SetKeyDisplay(false);
    plot.AddDataLine(2, x.data(), limit.data(), "UCL", "", 0.25, kRed, 1, true, 0, 1.0);
    plot.AddDataLine(2, x.data(), level.data(), "Sales", "", 0.25, kBlack, 1, true, 0, 0.25);
    plot.AddShadedRegion(edge, Real(4.0), edge, edge, kYellow);
    plot.AddShadedRegion(Real(4.0), edge, edge, edge, kCyan);
    const auto pDrawing = plot.BuildDrawing();

    QImage image(1000, 500, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        pDrawing->DrawFitted(canvas, 0, 0, image.width(), image.height(), 0xFFFFFF);
    }
    // Plot units: W = 25 wide, data y 0..10 upside down.
    auto colorAt = [&](double dataX, double dataY) {
        return image.pixelColor(devicePixel(*pDrawing, image.size(), 2.5 * dataX, 10 - dataY));
    };
    EXPECT_EQ(colorAt(2, 2), toQColor(kYellow));
    EXPECT_EQ(colorAt(7, 2), toQColor(kCyan));
    EXPECT_EQ(colorAt(7, 9.5), toQColor(kCyan));
    EXPECT_EQ(colorAt(3, 8), toQColor(kRed));
    EXPECT_EQ(colorAt(6, 5), toQColor(kBlack));
    EXPECT_EQ(colorAt(-0.3, 7.5), QColor(Qt::white));  // left of the frame, between tics, numbers and label

    // The title: blue ink above the plot area, around its middle.
    const QPoint top = devicePixel(*pDrawing, image.size(), 12.5, 0);
    int iBlue = 0;
    for (int y = 0; y < top.y(); ++y)
        for (int dx = -100; dx <= 100; ++dx) iBlue += image.pixelColor(top.x() + dx, y) == QColor(Qt::blue);
    EXPECT_GT(iBlue, 50);
}
