// Ostrel-Vane Studio - a canvas that remembers what was painted on it, for tests of the
// drawing code. Text widths come from the character width table, so results do not
// depend on the fonts of the machine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace HalvrennInc {

//! Pen, brush and font in force when a primitive was painted.
struct CanvasState {
    TColor penColor = 0;
    int iPenStyle = psSolid;
    int iPenWidth = 0;
    bool bClearBrush = false;
    TColor brushColor = 0xFFFFFF;
    std::string sFontFace;
    int iFontHeight = 0;
    bool bBold = false;
    bool bItalic = false;
    int iEscapement = 0;
    TColor fontColor = 0;
};

enum class CanvasCallKind { Line, Rectangle, Ellipse, Polygon, Polyline, Text };

struct CanvasCall {
    CanvasCallKind kind = CanvasCallKind::Line;
    std::vector<CanvasPoint> points;  //!< end points, corners, vertices or the text position
    std::string sText;
    CanvasState state;
};

class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(int iPixelsPerInchX = 96, int iPixelsPerInchY = 96);

    void setPen(TColor color, int iStyle, int iWidth) override;
    void setBrush(TColor color) override;
    void setClearBrush() override;
    void setFont(std::string_view sFace, int iHeight, bool bBold, bool bItalic, int iEscapement, TColor color) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void polygon(const CanvasPoint* pPoints, std::uint32_t uCount) override;
    void polyline(const CanvasPoint* pPoints, std::uint32_t uCount) override;
    void textOut(int x, int y, std::string_view sText) override;
    //! trunc(width estimate of the text x font height).
    int textWidth(std::string_view sText) override;
    int pixelsPerInchX() const override { return m_iPixelsPerInchX; }
    int pixelsPerInchY() const override { return m_iPixelsPerInchY; }

    const std::vector<CanvasCall>& calls() const { return m_calls; }
    //! The calls of one kind, in painting order.
    std::vector<CanvasCall> callsOf(CanvasCallKind kind) const;
    const CanvasState& state() const { return m_state; }
    void clear() { m_calls.clear(); }

private:
    void record(CanvasCallKind kind, std::vector<CanvasPoint> points, std::string sText = {});

    int m_iPixelsPerInchX;
    int m_iPixelsPerInchY;
    CanvasState m_state;
    CanvasPoint m_position;
    std::vector<CanvasCall> m_calls;
};

}  // namespace HalvrennInc
