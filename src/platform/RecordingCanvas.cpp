// Ostrel-Vane Studio - a canvas that remembers what was painted on it.
#include "platform/RecordingCanvas.h"

#include <utility>

#include "foundation/String.h"

namespace HalvrennInc {

RecordingCanvas::RecordingCanvas(int iPixelsPerInchX, int iPixelsPerInchY)
    : m_iPixelsPerInchX(iPixelsPerInchX > 0 ? iPixelsPerInchX : 96),
      m_iPixelsPerInchY(iPixelsPerInchY > 0 ? iPixelsPerInchY : 96)
{
}

void RecordingCanvas::setPen(TColor color, int iStyle, int iWidth)
{
    m_state.penColor = color;
    m_state.iPenStyle = iStyle;
    m_state.iPenWidth = iWidth;
}

void RecordingCanvas::setBrush(TColor color)
{
    m_state.bClearBrush = false;
    m_state.brushColor = color;
}

void RecordingCanvas::setClearBrush()
{
    m_state.bClearBrush = true;
}

void RecordingCanvas::setFont(std::string_view sFace, int iHeight, bool bBold, bool bItalic, int iEscapement,
                              TColor color)
{
    m_state.sFontFace = std::string(sFace);
    m_state.iFontHeight = iHeight;
    m_state.bBold = bBold;
    m_state.bItalic = bItalic;
    m_state.iEscapement = iEscapement;
    m_state.fontColor = color;
}

void RecordingCanvas::moveTo(int x, int y)
{
    m_position = {x, y};
}

void RecordingCanvas::lineTo(int x, int y)
{
    record(CanvasCallKind::Line, {m_position, {x, y}});
    m_position = {x, y};
}

void RecordingCanvas::rectangle(int x1, int y1, int x2, int y2)
{
    record(CanvasCallKind::Rectangle, {{x1, y1}, {x2, y2}});
}

void RecordingCanvas::ellipse(int x1, int y1, int x2, int y2)
{
    record(CanvasCallKind::Ellipse, {{x1, y1}, {x2, y2}});
}

void RecordingCanvas::polygon(const CanvasPoint* pPoints, std::uint32_t uCount)
{
    record(CanvasCallKind::Polygon, std::vector<CanvasPoint>(pPoints, pPoints + uCount));
}

void RecordingCanvas::polyline(const CanvasPoint* pPoints, std::uint32_t uCount)
{
    record(CanvasCallKind::Polyline, std::vector<CanvasPoint>(pPoints, pPoints + uCount));
}

void RecordingCanvas::textOut(int x, int y, std::string_view sText)
{
    record(CanvasCallKind::Text, {{x, y}}, std::string(sText));
}

int RecordingCanvas::textWidth(std::string_view sText)
{
    return static_cast<int>(HalvrennInc::textWidth(sText) * m_state.iFontHeight);
}

std::vector<CanvasCall> RecordingCanvas::callsOf(CanvasCallKind kind) const
{
    std::vector<CanvasCall> selected;
    for (const CanvasCall& call : m_calls)
        if (call.kind == kind) selected.push_back(call);
    return selected;
}

void RecordingCanvas::record(CanvasCallKind kind, std::vector<CanvasPoint> points, std::string sText)
{
    m_calls.push_back(CanvasCall{kind, std::move(points), std::move(sText), m_state});
}

}  // namespace HalvrennInc
