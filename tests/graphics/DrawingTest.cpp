// Behaviour of drawings: bounds, hit tests, fitting into a device rectangle, and what
// the primitives paint on a canvas.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/Drawing.h"
#include "graphics/Line.h"
#include "graphics/Poly.h"
#include "graphics/Rect.h"
#include "graphics/Text.h"
#include "platform/RecordingCanvas.h"

using namespace HalvrennInc;

namespace {
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;
}  // namespace

TEST(Drawing, BoundsAreTheUnionOfTheObjectsAndZeroWhenEmpty)
{
    Drawing drawing;
    EXPECT_EQ(drawing.Type(), dtDrawing);
    EXPECT_EQ(drawing.ObjectID(), 0u);
    EXPECT_EQ(drawing.XMin(), 0);
    EXPECT_EQ(drawing.YMin(), 0);
    EXPECT_EQ(drawing.XMax(), 0);
    EXPECT_EQ(drawing.YMax(), 0);
    EXPECT_FALSE(drawing.HasExtent());
    EXPECT_EQ(drawing.HitTest(0, 0), nullptr);

    drawing.AddLine(5, 2, 1, 4, 1, 0, 0, 0, 0);
    drawing.AddRect(2, -3, 3, 1, 1, 0, 0, false, 0, 0);
    EXPECT_EQ(drawing.XMin(), 1);
    EXPECT_EQ(drawing.YMin(), -3);
    EXPECT_EQ(drawing.XMax(), 5);
    EXPECT_EQ(drawing.YMax(), 4);

    drawing.Clear();
    EXPECT_EQ(drawing.Count(), 0u);
    EXPECT_EQ(drawing.XMax(), 0);
    drawing.AddEllip(0, 0, 1, 1, 1, 0, 0, false, 0, 9);  // still usable after Clear
    EXPECT_EQ(drawing.Object(1)->Type(), dtEllip);
    EXPECT_EQ(drawing.Object(1)->ObjectID(), 9u);
}

TEST(Drawing, TheObjectAddedLastWinsAHitTest)
{
    Drawing drawing;
    drawing.AddRect(0, 0, 10, 10, 1, 0, 0, true, kRed, 1);
    drawing.AddRect(4, 4, 6, 6, 1, 0, 0, true, kBlue, 2);
    drawing.AddText("Top", 0, 0, 1, taLeft, 0, false, false, 3);
    const DrawingObject* pHit = drawing.HitTest(5, 5);
    ASSERT_NE(pHit, nullptr);
    EXPECT_EQ(pHit->ObjectID(), 2u);
    EXPECT_EQ(drawing.HitTest(1, 9)->ObjectID(), 1u);
    EXPECT_EQ(drawing.HitTest(0.5, 0.5)->ObjectID(), 3u);
    EXPECT_EQ(drawing.HitTest(10, 10)->ObjectID(), 1u);  // the bounding box is inclusive
    EXPECT_EQ(drawing.HitTest(10.01, 5), nullptr);
}

TEST(Drawing, LinesAndPolylinesAreHitWithinTheirTolerance)
{
    const Line vertical(2, 0, 2, 10, 1, 0, 0, 0.5, 1);
    EXPECT_NE(vertical.HitTest(2.5, 5), nullptr);
    EXPECT_EQ(vertical.HitTest(2.6, 5), nullptr);
    EXPECT_EQ(vertical.HitTest(2, 10.1), nullptr);  // no tolerance along the line

    const Line horizontal(0, 3, 10, 3, 1, 0, 0, 0.5, 1);
    EXPECT_NE(horizontal.HitTest(10, 2.5), nullptr);
    EXPECT_EQ(horizontal.HitTest(-0.1, 3), nullptr);

    const Line sloped(0, 0, 10, 10, 1, 0, 0, 1, 1);
    EXPECT_NE(sloped.HitTest(5, 5), nullptr);
    EXPECT_NE(sloped.HitTest(5.7, 5), nullptr);  // 0.49 from the line
    EXPECT_EQ(sloped.HitTest(6.5, 5), nullptr);  // 1.06 from the line
    EXPECT_EQ(sloped.HitTest(11, 11), nullptr);  // beyond the end

    const std::vector<WorldPoint> points = {{0, 0}, {4, 0}, {4, 4}, {8, 0}};
    const PolyLine polyline(points.data(), 4, 1, 0, 0, 0.2, 7);
    EXPECT_NE(polyline.HitTest(2, 0.1), nullptr);  // first segment
    EXPECT_NE(polyline.HitTest(4.1, 2), nullptr);  // second segment
    EXPECT_NE(polyline.HitTest(6, 2.1), nullptr);  // third, sloped
    EXPECT_EQ(polyline.HitTest(2, 2), nullptr);    // inside the bounds, near no segment
    EXPECT_EQ(polyline.HitTest(8.3, 0), nullptr);  // more than the tolerance outside
    EXPECT_NE(polyline.HitTest(7.9, 0.2), nullptr);
    EXPECT_EQ(polyline.HitTest(8.1, -0.1), nullptr);  // near the end, but its foot lies beyond it
}

TEST(Drawing, ATextTooSmallToPaintStillCountsInTheExtent)
{
    Drawing drawing;
    drawing.AddLine(0, 0, 100, 100, 1, 0, 0, 0, 0);
    drawing.AddText("tiny", 200, 200, 1, taLeft, 0, false, false, 0);
    EXPECT_DOUBLE_EQ(drawing.XMax(), 200 + textWidth("tiny"));
    EXPECT_DOUBLE_EQ(drawing.YMax(), 201);

    RecordingCanvas canvas;
    drawing.DrawStretched(canvas, 0, 0, 201, 201, kWhite);  // about one pixel per unit, so height < 1
    EXPECT_EQ(canvas.callsOf(CanvasCallKind::Line).size(), 1u);
    EXPECT_TRUE(canvas.callsOf(CanvasCallKind::Text).empty());
}

TEST(Drawing, TextsAreAlignedOnTheirDeviceWidth)
{
    RecordingCanvas canvas;
    const std::string_view kWord = "Width";
    const Text left(kWord, 10, 5, 2, taLeft, kRed, true, false, 0);
    const Text centre(kWord, 10, 5, 2, taCentre, kRed, false, true, 0);
    const Text right(kWord, 10, 5, 2, taRight, kRed, false, false, 0);
    left.Draw(canvas, 10, 0.7, 10, -0.7, kWhite);  // x = 100.7, y = 49.3
    centre.Draw(canvas, 10, 0, 10, 0, kWhite);
    right.Draw(canvas, 10, 0, 10, 0, kWhite);
    const auto texts = canvas.callsOf(CanvasCallKind::Text);
    ASSERT_EQ(texts.size(), 3u);
    const int w = static_cast<int>(textWidth(kWord) * 20);
    EXPECT_EQ(texts[0].points[0], (CanvasPoint{100, 49}));
    EXPECT_EQ(texts[1].points[0], (CanvasPoint{100 - w / 2, 50}));
    EXPECT_EQ(texts[2].points[0], (CanvasPoint{100 - w, 50}));
    EXPECT_EQ(texts[0].state.sFontFace, "Arial");
    EXPECT_EQ(texts[0].state.iFontHeight, 20);
    EXPECT_TRUE(texts[0].state.bBold);
    EXPECT_TRUE(texts[1].state.bItalic);
    EXPECT_EQ(texts[0].state.fontColor, kRed);
    EXPECT_TRUE(texts[0].state.bClearBrush);
    EXPECT_EQ(texts[0].state.iEscapement, 0);

    // Bounds use the width table: centred text spans half its width each side.
    EXPECT_DOUBLE_EQ(centre.XMin(), 10 - textWidth(kWord));
    EXPECT_DOUBLE_EQ(right.XMax(), 10);
    EXPECT_DOUBLE_EQ(right.YMax(), 7);
}

TEST(Drawing, VerticalTextReadsUpwardFromItsAnchor)
{
    const std::string_view kWord = "Label";
    const double W = 2 * textWidth(kWord);
    const VerticalText start(kWord, 1, 20, 2, taLeft, 0, true, false, 2);
    const VerticalText middle(kWord, 1, 20, 2, taCentre, 0, true, false, 2);
    const VerticalText end(kWord, 1, 20, 2, taRight, 0, true, false, 2);
    EXPECT_DOUBLE_EQ(start.XMin(), 1);
    EXPECT_DOUBLE_EQ(start.XMax(), 3);
    EXPECT_DOUBLE_EQ(start.YMin(), 20 - W);
    EXPECT_DOUBLE_EQ(start.YMax(), 20);
    EXPECT_DOUBLE_EQ(middle.YMin(), 20 - W / 2);
    EXPECT_DOUBLE_EQ(end.YMax(), 20 + W);

    RecordingCanvas canvas;
    start.Draw(canvas, 10, 0, 10, 0, kWhite);
    middle.Draw(canvas, 10, 0, 10, 0, kWhite);
    end.Draw(canvas, 10, 0, 10, 0, kWhite);
    const auto texts = canvas.callsOf(CanvasCallKind::Text);
    ASSERT_EQ(texts.size(), 3u);
    const int w = static_cast<int>(textWidth(kWord) * 20);
    EXPECT_EQ(texts[0].state.iEscapement, 900);
    EXPECT_EQ(texts[0].points[0], (CanvasPoint{10, 200}));
    EXPECT_EQ(texts[1].points[0], (CanvasPoint{10, 200 + w / 2}));
    EXPECT_EQ(texts[2].points[0], (CanvasPoint{10, 200 + w}));
}

TEST(Drawing, BoxTextIsCutAtTheEndUntilItFits)
{
    RecordingCanvas canvas;
    // Box 1 unit high and 2 wide, drawn at 10 pixels per unit: height 10, 20 pixels.
    const BoxText box("Changes in level", 0, 0, 2, 1, taLeft, 0, false, false, 0);
    box.Draw(canvas, 10, 0, 10, 0, kWhite);
    auto texts = canvas.callsOf(CanvasCallKind::Text);
    ASSERT_EQ(texts.size(), 1u);
    std::string sExpected = "Changes in level";
    while (static_cast<int>(textWidth(sExpected) * 10) > 20) sExpected.pop_back();
    EXPECT_EQ(texts[0].sText, sExpected);
    EXPECT_LT(texts[0].sText.size(), std::string("Changes in level").size());
    EXPECT_FALSE(texts[0].sText.empty());

    // Right alignment puts the shortened text's end on the box's right edge.
    canvas.clear();
    const BoxText right("Wide text", 0, 0, 3, 1, taRight, 0, false, false, 0);
    right.Draw(canvas, 10, 0, 10, 0, kWhite);
    texts = canvas.callsOf(CanvasCallKind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0].x + static_cast<int>(textWidth(texts[0].sText) * 10), 30);

    // A box narrower than any character shows nothing, and fits text needs no cut.
    canvas.clear();
    const BoxText narrow("W", 0, 0, 0.05, 1, taCentre, 0, false, false, 0);
    narrow.Draw(canvas, 10, 0, 10, 0, kWhite);
    EXPECT_TRUE(canvas.callsOf(CanvasCallKind::Text).empty());
    const BoxText fits("ok", 0, 0, 10, 1, taCentre, 0, false, false, 0);
    fits.Draw(canvas, 10, 0, 10, 0, kWhite);
    texts = canvas.callsOf(CanvasCallKind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].sText, "ok");
    EXPECT_EQ(texts[0].points[0].x, 50 - static_cast<int>(textWidth("ok") * 10) / 2);
}

TEST(Drawing, ALongPolylineIsStrokedInChunksThatShareTheirEnds)
{
    std::vector<WorldPoint> points;
    for (int k = 0; k < 1000; ++k) points.push_back({static_cast<double>(k), static_cast<double>(k % 7)});
    const PolyLine polyline(points.data(), 1000, 2, kRed, 0, 0.2, 1);
    RecordingCanvas canvas;
    polyline.Draw(canvas, 1, 0, 1, 0, 0x00FFFF);
    const auto chunks = canvas.callsOf(CanvasCallKind::Polyline);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].points.size(), 500u);
    EXPECT_EQ(chunks[1].points.size(), 500u);
    EXPECT_EQ(chunks[2].points.size(), 2u);
    EXPECT_EQ(chunks[0].points.back(), chunks[1].points.front());
    EXPECT_EQ(chunks[1].points.back(), chunks[2].points.front());
    EXPECT_EQ(chunks[2].points.back(), (CanvasPoint{999, 999 % 7}));
    // The gaps of a broken style are painted in the background colour.
    EXPECT_EQ(chunks[0].state.iPenStyle, psDash);
    EXPECT_FALSE(chunks[0].state.bClearBrush);
    EXPECT_EQ(chunks[0].state.brushColor, 0x00FFFFu);

    canvas.clear();
    const PolyLine exact(points.data(), 500, 1, 0, 0, 0, 0);
    exact.Draw(canvas, 1, 0, 1, 0, kWhite);
    EXPECT_EQ(canvas.callsOf(CanvasCallKind::Polyline).size(), 1u);
}

TEST(Drawing, ARectangleGivenUpsideDownIsPaintedButReportsItsCornersAsGiven)
{
    Rect rect(1, 8, 5, 2, 1, kBlue, 0, true, kRed, 4);
    EXPECT_EQ(rect.YMin(), 8);
    EXPECT_EQ(rect.YMax(), 2);
    EXPECT_EQ(rect.HitTest(3, 5), nullptr);  // the box test sees no height

    RecordingCanvas canvas;
    rect.Draw(canvas, 10, 0, 10, 0, kWhite);
    const auto rects = canvas.callsOf(CanvasCallKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].points[0], (CanvasPoint{10, 80}));
    EXPECT_EQ(rects[0].points[1], (CanvasPoint{50, 20}));
    EXPECT_EQ(rects[0].state.penColor, kBlue);
    EXPECT_EQ(rects[0].state.iPenStyle, psInsideFrame);
    EXPECT_EQ(rects[0].state.brushColor, kRed);
    EXPECT_FALSE(rects[0].state.bClearBrush);

    canvas.clear();
    const Ellip hollow(0, 0, 1, 1, 3, 0, 0, false, kRed, 0);
    hollow.Draw(canvas, 10, 0, 10, 0, kWhite);
    ASSERT_EQ(canvas.callsOf(CanvasCallKind::Ellipse).size(), 1u);
    EXPECT_TRUE(canvas.calls()[0].state.bClearBrush);
}

TEST(Drawing, DeviceCoordinatesAndPenWidthsTruncateTowardZero)
{
    RecordingCanvas canvas(96, 192);
    const Line line(-0.07, 0.09, 0.39, -0.19, 1, 0, 0.1, 0, 0);
    line.Draw(canvas, 10, 0, 10, 0, kWhite);
    auto lines = canvas.callsOf(CanvasCallKind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points[0], (CanvasPoint{0, 0}));   // -0.7 and 0.9
    EXPECT_EQ(lines[0].points[1], (CanvasPoint{3, -1}));  // 3.9 and -1.9

    // Width = trunc(min(0.1 * 40, 0.1 * 80 * 96 / 192)) = 4; hairlines stay 0.
    canvas.clear();
    line.Draw(canvas, 40, 0, 80, 0, kWhite);
    EXPECT_EQ(canvas.calls()[0].state.iPenWidth, 4);
    canvas.clear();
    const Line hairline(0, 0, 1, 1, 1, 0, 0, 0, 0);
    hairline.Draw(canvas, 1000, 0, 1000, 0, kWhite);
    EXPECT_EQ(canvas.calls()[0].state.iPenWidth, 0);

    // A mapping far beyond any device is pinned instead of overflowing.
    canvas.clear();
    const Line huge(0, 0, 1e300, -1e300, 1, 0, 0, 0, 0);
    huge.Draw(canvas, 1e10, 0, 1e10, 0, kWhite);
    lines = canvas.callsOf(CanvasCallKind::Line);
    EXPECT_GT(lines[0].points[1].x, 0);
    EXPECT_LT(lines[0].points[1].y, 0);
}

TEST(Drawing, TransformMovesPointsAndScalesSizes)
{
    Drawing drawing;
    drawing.AddLine(0, 0, 1, 1, 1, 0, 0.5, 0.2, 1);
    const std::vector<WorldPoint> points = {{0, 0}, {1, 2}};
    drawing.AddPolyLine(points.data(), 2, 1, 0, 0, 0.2, 2);
    drawing.AddText("a", 1, 1, 1, taLeft, 0, false, false, 3);
    drawing.Transform(2, 1, 3, -1);  // x -> 2x + 1, y -> 3y - 1

    const auto* pLine = static_cast<const Line*>(drawing.Object(1));
    EXPECT_EQ(pLine->X2(), 3);
    EXPECT_EQ(pLine->Y2(), 2);
    EXPECT_DOUBLE_EQ(pLine->ThicknessX(), 1.0);
    EXPECT_DOUBLE_EQ(pLine->Tolerance(), 0.6);  // scaled by the larger factor
    const auto* pPolyLine = static_cast<const PolyLine*>(drawing.Object(2));
    EXPECT_EQ(pPolyLine->YMax(), 5);  // the cached bounds move with the points
    EXPECT_EQ(pPolyLine->Points().Point(1).x, 3);
    const auto* pText = static_cast<const Text*>(drawing.Object(3));
    EXPECT_EQ(pText->X(), 3);
    EXPECT_EQ(pText->Y(), 2);
    EXPECT_DOUBLE_EQ(pText->Height(), 2);  // min(1 * 2, 1 * 3)
}

TEST(Drawing, FittingKeepsTheProportionsInInchesAndCentres)
{
    Drawing drawing;
    drawing.AddRect(0, 0, 40, 20, 1, 0, 0, false, 0, 7);
    RecordingCanvas canvas;
    drawing.DrawFitted(canvas, 0, 0, 800, 800, kWhite);  // too tall: 400 high, centred
    auto rects = canvas.callsOf(CanvasCallKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].points[0], (CanvasPoint{0, 200}));
    EXPECT_EQ(rects[0].points[1], (CanvasPoint{800, 600}));

    // Pixels twice as dense in x: 1000 x 1000 pixels are 5 x 10 inches, and the
    // drawing gets 5 x 2.5 inches, 250 pixels high.
    RecordingCanvas dense(200, 100);
    drawing.DrawFitted(dense, 0, 0, 1000, 1000, kWhite);
    rects = dense.callsOf(CanvasCallKind::Rectangle);
    EXPECT_EQ(rects[0].points[0], (CanvasPoint{0, 375}));
    EXPECT_EQ(rects[0].points[1], (CanvasPoint{1000, 625}));

    // Hit testing inverts the same mapping.
    double wx = -1, wy = -1;
    const DrawingObject* pHit = drawing.ObjectAtFitted(canvas, 0, 0, 800, 800, 400, 300, wx, wy);
    ASSERT_NE(pHit, nullptr);
    EXPECT_EQ(pHit->ObjectID(), 7u);
    EXPECT_DOUBLE_EQ(wx, 20);
    EXPECT_DOUBLE_EQ(wy, 5);
    EXPECT_EQ(drawing.ObjectAtFitted(canvas, 0, 0, 800, 800, 400, 100, wx, wy), nullptr);  // in the margin
    EXPECT_DOUBLE_EQ(wy, -5);
}

TEST(Drawing, DegenerateRectanglesAndExtentsAreNeitherFittedNorHit)
{
    Drawing drawing;
    drawing.AddRect(0, 0, 40, 20, 1, 0, 0, false, 0, 7);
    RecordingCanvas canvas;
    double wx = 123, wy = 456;
    EXPECT_EQ(drawing.ObjectAtFitted(canvas, 10, 0, 10, 100, 10, 50, wx, wy), nullptr);
    EXPECT_EQ(drawing.ObjectAtFitted(canvas, 0, 5, 100, 5, 10, 5, wx, wy), nullptr);
    EXPECT_EQ(wx, 123);
    EXPECT_EQ(wy, 456);
    drawing.DrawFitted(canvas, 0, 5, 100, 5, kWhite);
    EXPECT_TRUE(canvas.calls().empty());

    // A drawing without height (one horizontal line) or an empty one: nothing happens.
    Drawing flat;
    flat.AddLine(0, 3, 10, 3, 1, 0, 0, 1, 3);
    Drawing empty;
    for (const Drawing* pDrawing : {&flat, &empty}) {
        pDrawing->DrawFitted(canvas, 0, 0, 100, 100, kWhite);
        pDrawing->DrawStretched(canvas, 0, 0, 100, 100, kWhite);
        EXPECT_EQ(pDrawing->ObjectAtFitted(canvas, 0, 0, 100, 100, 50, 50, wx, wy), nullptr);
        EXPECT_EQ(pDrawing->ObjectAtStretched(0, 0, 100, 100, 50, 50, wx, wy), nullptr);
    }
    EXPECT_TRUE(canvas.calls().empty());
    EXPECT_EQ(wx, 123);
    EXPECT_NE(flat.HitTest(5, 3.5), nullptr);  // world hit tests need no mapping
}

TEST(Drawing, EveryClassAllocatesFromAPoolOfItsOwn)
{
    const std::uint32_t uLineBlocks = poolOf<Line>().blockCount();
    const std::uint32_t uTextBlocks = poolOf<VerticalText>().blockCount();
    {
        Drawing drawing;
        for (int k = 0; k < 250; ++k) drawing.AddLine(k, 0, k, 1, 1, 0, 0, 0, 0);
        drawing.AddVerticalText("v", 0, 0, 1, 0, 0, false, false, 0);
        EXPECT_EQ(poolOf<Line>().blockCount(), uLineBlocks + 3);  // 100 lines per block
        EXPECT_EQ(poolOf<VerticalText>().blockCount(), uTextBlocks + 1);
        auto* pNested = new Drawing;
        pNested->AddEllip(0, 0, 1, 1, 1, 0, 0, true, 0, 0);
        EXPECT_GE(poolOf<Drawing>().blockCount(), 1u);
        EXPECT_GE(poolOf<Ellip>().blockCount(), 1u);
        delete pNested;
    }
    EXPECT_EQ(poolOf<Line>().blockCount(), uLineBlocks);  // emptied blocks go back
    EXPECT_EQ(poolOf<VerticalText>().blockCount(), uTextBlocks);
}
