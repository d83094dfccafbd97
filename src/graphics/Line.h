// Ostrel-Vane Studio - a straight line of a drawing, hit within a tolerance.
#pragma once

#include "graphics/DrawingObject.h"
#include "graphics/ObjectPool.h"

namespace HalvrennInc {

class Line : public DrawingObject {
public:
    Line(double x1, double y1, double x2, double y2, std::uint8_t uStyle, TColor color, double dThickness,
         double dTolerance, std::uint32_t uObjectID);
    OVS_POOLED_CLASS(Line)

    int Type() const override { return dtLine; }
    double XMin() const override;
    double YMin() const override;
    double XMax() const override;
    double YMax() const override;
    void Transform(double a, double b, double c, double d) override;
    void Draw(Canvas& canvas, double a, double b, double c, double d, TColor background) const override;
    const DrawingObject* HitTest(double x, double y) const override;

    double X1() const { return m_x1; }
    double Y1() const { return m_y1; }
    double X2() const { return m_x2; }
    double Y2() const { return m_y2; }
    std::uint8_t Style() const { return m_stroke.uStyle; }
    TColor Color() const { return m_stroke.color; }
    double ThicknessX() const { return m_stroke.dThicknessX; }
    double Tolerance() const { return m_dTolerance; }

private:
    double m_x1, m_y1, m_x2, m_y2;
    Stroke m_stroke;
    double m_dTolerance;  //!< distance within which a point hits the line
};

}  // namespace HalvrennInc
