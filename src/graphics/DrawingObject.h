// Ostrel-Vane Studio - the base of every object of a drawing: bounds in world
// coordinates, transformation, painting through a device mapping and hit testing.
//
// World coordinates are doubles; x grows to the right and y downward, as on a device.
// A device mapping (a, b, c, d) puts the world point (x, y) at device
// (trunc(a*x + b), trunc(c*y + d)).
#pragma once

#include <cstdint>

#include "platform/Canvas.h"

namespace HalvrennInc {

//! Type codes of the drawing classes. Codes 6 to 9 name function-curve kinds that the
//! program never creates.
enum DrawingObjectType : int {
    dtLine = 1,
    dtRect = 2,
    dtEllip = 3,
    dtPoly = 4,
    dtPolyLine = 5,
    dtCurve = 6,
    dtDensity = 7,
    dtNormalCurve = 8,
    dtNormalCurveBar = 9,
    dtText = 10,
    dtBoxText = 11,
    dtVerticalText = 12,
    dtDrawing = 13,
};

//! Text alignment codes of the text objects.
enum TextAlignment : std::uint8_t { taLeft = 0, taCentre = 1, taRight = 2 };

struct WorldPoint {
    double x = 0;
    double y = 0;
};

class DrawingObject {
public:
    explicit DrawingObject(std::uint32_t uObjectID) : m_uObjectID(uObjectID) {}
    virtual ~DrawingObject() = default;
    DrawingObject(const DrawingObject&) = delete;
    DrawingObject& operator=(const DrawingObject&) = delete;

    virtual int Type() const = 0;
    virtual double XMin() const = 0;
    virtual double YMin() const = 0;
    virtual double XMax() const = 0;
    virtual double YMax() const = 0;
    //! x <- a*x + b and y <- c*y + d for every stored coordinate; sizes scale with it.
    virtual void Transform(double a, double b, double c, double d) = 0;
    virtual void Draw(Canvas& canvas, double a, double b, double c, double d, TColor background) const = 0;
    //! This object when the world point hits it, else null. The base test is the
    //! inclusive bounding box.
    virtual const DrawingObject* HitTest(double x, double y) const;

    //! What a click on the object means to the owner of the drawing; 0: not clickable.
    std::uint32_t ObjectID() const { return m_uObjectID; }
    void SetObjectID(std::uint32_t uObjectID) { m_uObjectID = uObjectID; }

private:
    std::uint32_t m_uObjectID;
};

//! A device coordinate: a*x + b truncated toward zero. Values beyond the range a device
//! can address (and NaN) are pinned, so that no mapping can overflow an int.
int toDevice(double dValue);

//! The pen of a stroked primitive: its style code, colour, and thickness, kept per axis
//! so that a transform scales it like the coordinates.
struct Stroke {
    Stroke(std::uint8_t uStyleCode, TColor penColor, double dThickness)
        : uStyle(uStyleCode), color(penColor), dThicknessX(dThickness), dThicknessY(dThickness)
    {
    }
    void Scale(double a, double c)
    {
        dThicknessX *= a;
        dThicknessY *= c;
    }
    //! Sets the canvas pen: width trunc(min(thicknessX*a, thicknessY*c*dpiX/dpiY)) device
    //! pixels, 0 (the thinnest pen) at the least.
    void Apply(Canvas& canvas, double a, double c) const;

    std::uint8_t uStyle;
    TColor color;
    double dThicknessX;
    double dThicknessY;
};

//! The inside of a closed primitive: a solid brush of the fill colour, or none.
struct FillStyle {
    bool bFilled;
    TColor color;
    void Apply(Canvas& canvas) const;
};

//! The hit test of a straight segment with tolerance t: a vertical or horizontal segment
//! is hit within t across it and between its ends along it; a sloped one when the foot
//! of the perpendicular lies between the ends in x and the point is within t of it.
bool segmentHit(double x1, double y1, double x2, double y2, double t, double x, double y);

}  // namespace HalvrennInc
