// Ostrel-Vane Studio - polygons and polylines: shapes through a copied list of points,
// with bounds computed once.
#pragma once

#include <memory>

#include "graphics/DrawingObject.h"
#include "graphics/ObjectPool.h"

namespace HalvrennInc {

//! The points and their cached bounds, shared by the polygon and the polyline.
class PointList {
public:
    PointList(const WorldPoint* pPoints, std::uint32_t uCount);

    std::uint32_t Count() const { return m_uCount; }
    const WorldPoint& Point(std::uint32_t k) const { return m_pPoints[k]; }
    void Transform(double a, double b, double c, double d);
    //! The points mapped to the device, in order.
    std::unique_ptr<CanvasPoint[]> toDevice(double a, double b, double c, double d) const;
    double XMin() const { return m_xMin; }
    double YMin() const { return m_yMin; }
    double XMax() const { return m_xMax; }
    double YMax() const { return m_yMax; }

private:
    double m_xMin = 0, m_yMin = 0, m_xMax = 0, m_yMax = 0;  //!< 0 for no points
    std::unique_ptr<WorldPoint[]> m_pPoints;
    std::uint32_t m_uCount;
};

//! A closed polygon, outlined and optionally filled.
class Poly : public DrawingObject {
public:
    Poly(const WorldPoint* pPoints, std::uint32_t uCount, std::uint8_t uStyle, TColor color, double dThickness,
         bool bFilled, TColor fillColor, std::uint32_t uObjectID);
    OVS_POOLED_CLASS(Poly)

    int Type() const override { return dtPoly; }
    double XMin() const override { return m_points.XMin(); }
    double YMin() const override { return m_points.YMin(); }
    double XMax() const override { return m_points.XMax(); }
    double YMax() const override { return m_points.YMax(); }
    void Transform(double a, double b, double c, double d) override;
    void Draw(Canvas& canvas, double a, double b, double c, double d, TColor background) const override;

    const PointList& Points() const { return m_points; }
    bool Filled() const { return m_fill.bFilled; }
    TColor FillColor() const { return m_fill.color; }
    TColor Color() const { return m_stroke.color; }

private:
    PointList m_points;
    Stroke m_stroke;
    FillStyle m_fill;
};

//! An open line through the points, hit within a tolerance of any of its segments.
class PolyLine : public DrawingObject {
public:
    //! Devices take polylines of limited length; longer ones are stroked in pieces of
    //! this many points that share their end points.
    static constexpr std::uint32_t kChunkPoints = 500;

    PolyLine(const WorldPoint* pPoints, std::uint32_t uCount, std::uint8_t uStyle, TColor color, double dThickness,
             double dTolerance, std::uint32_t uObjectID);
    OVS_POOLED_CLASS(PolyLine)

    int Type() const override { return dtPolyLine; }
    double XMin() const override { return m_points.XMin(); }
    double YMin() const override { return m_points.YMin(); }
    double XMax() const override { return m_points.XMax(); }
    double YMax() const override { return m_points.YMax(); }
    void Transform(double a, double b, double c, double d) override;
    void Draw(Canvas& canvas, double a, double b, double c, double d, TColor background) const override;
    const DrawingObject* HitTest(double x, double y) const override;

    const PointList& Points() const { return m_points; }
    std::uint8_t Style() const { return m_stroke.uStyle; }
    TColor Color() const { return m_stroke.color; }
    double ThicknessX() const { return m_stroke.dThicknessX; }
    double Tolerance() const { return m_dTolerance; }

private:
    PointList m_points;
    Stroke m_stroke;
    double m_dTolerance;
};

}  // namespace HalvrennInc
