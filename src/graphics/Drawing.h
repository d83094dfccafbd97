// Ostrel-Vane Studio - a retained picture: an ordered list of drawing objects in world
// coordinates, painted and hit-tested by fitting its extent into a device rectangle.
#pragma once

#include <string_view>

#include "foundation/ListPointers.h"
#include "graphics/DrawingObject.h"
#include "graphics/ObjectPool.h"

namespace HalvrennInc {

//! The first object added is painted first (at the bottom) and hit last. The drawing
//! owns its objects. A drawing whose extent has no width or no height has no mapping
//! onto a device: it is neither painted nor hit-tested.
class Drawing : public DrawingObject {
public:
    Drawing();
    ~Drawing() override;
    OVS_POOLED_CLASS(Drawing)

    int Type() const override { return dtDrawing; }
    //! The union of the objects' bounds; 0 for all four when the drawing is empty.
    double XMin() const override;
    double YMin() const override;
    double XMax() const override;
    double YMax() const override;
    void Transform(double a, double b, double c, double d) override;
    void Draw(Canvas& canvas, double a, double b, double c, double d, TColor background) const override;
    //! The topmost object hit, or null.
    const DrawingObject* HitTest(double x, double y) const override;

    //! Deletes every object, the last one first; the drawing stays usable.
    void Clear();
    std::uint32_t Count() const { return m_objects.count(); }
    //! The object at a 1-based position in painting order, or null.
    const DrawingObject* Object(std::uint32_t uPosition) const { return m_objects.itemAs<DrawingObject>(uPosition); }

    void AddLine(double x1, double y1, double x2, double y2, std::uint8_t uStyle, TColor color, double dThickness,
                 double dTolerance, std::uint32_t uObjectID);
    void AddRect(double x1, double y1, double x2, double y2, std::uint8_t uStyle, TColor color, double dThickness,
                 bool bFilled, TColor fillColor, std::uint32_t uObjectID);
    void AddEllip(double x1, double y1, double x2, double y2, std::uint8_t uStyle, TColor color, double dThickness,
                  bool bFilled, TColor fillColor, std::uint32_t uObjectID);
    void AddPoly(const WorldPoint* pPoints, std::uint32_t uCount, std::uint8_t uStyle, TColor color, double dThickness,
                 bool bFilled, TColor fillColor, std::uint32_t uObjectID);
    void AddPolyLine(const WorldPoint* pPoints, std::uint32_t uCount, std::uint8_t uStyle, TColor color,
                     double dThickness, double dTolerance, std::uint32_t uObjectID);
    void AddText(std::string_view sText, double x, double y, double dHeight, std::uint8_t uAlignment, TColor color,
                 bool bBold, bool bItalic, std::uint32_t uObjectID);
    void AddBoxText(std::string_view sText, double x1, double y1, double x2, double y2, std::uint8_t uAlignment,
                    TColor color, bool bBold, bool bItalic, std::uint32_t uObjectID);
    void AddVerticalText(std::string_view sText, double x, double y, double dHeight, std::uint8_t uAlignment,
                         TColor color, bool bBold, bool bItalic, std::uint32_t uObjectID);

    //! Whether the extent has a width and a height, so that it can be mapped to a device.
    bool HasExtent() const;
    //! Maps the extent onto the device rectangle (x1, y1)-(x2, y2) and paints.
    void DrawStretched(Canvas& canvas, double x1, double y1, double x2, double y2, TColor background) const;
    //! Paints into the largest centred part of the rectangle that keeps the drawing's
    //! proportions in inches on the canvas.
    void DrawFitted(Canvas& canvas, double x1, double y1, double x2, double y2, TColor background) const;
    //! The object under the device point (px, py) as painted by DrawStretched; the world
    //! point goes to (wx, wy). Null, with (wx, wy) untouched, when nothing can be mapped.
    const DrawingObject* ObjectAtStretched(double x1, double y1, double x2, double y2, double px, double py, double& wx,
                                           double& wy) const;
    //! The same for DrawFitted; null at once for a rectangle without width or height.
    const DrawingObject* ObjectAtFitted(const Canvas& canvas, double x1, double y1, double x2, double y2, double px,
                                        double py, double& wx, double& wy) const;

private:
    void add(DrawingObject* pObject) { m_objects.append(pObject); }
    //! The device mapping (a, b, c, d) of the extent onto a rectangle; false when the
    //! extent has no width or height.
    bool mapping(double x1, double y1, double x2, double y2, double& a, double& b, double& c, double& d) const;
    //! Narrows the rectangle as DrawFitted does; false when it cannot be fitted.
    bool fit(const Canvas& canvas, double& x1, double& y1, double& x2, double& y2) const;

    ListPointers m_objects;
};

}  // namespace HalvrennInc
