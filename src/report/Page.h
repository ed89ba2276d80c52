#pragma once

#include <QRectF>
#include <QString>

#include <variant>
#include <vector>

namespace report {

// A font as the template names it: "Arial" stays, "MS Sans Serif" and "Symbol" are already
// turned into an empty family (the program's default font) by the template loader.
struct FontSpec
{
    QString family;
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const FontSpec &) const = default;
};

enum class Align { Left, Center, Right };

// Text in a rectangle, measures in mm from the top left paper corner. A width of 0 means the
// text takes the room it needs (it is never clipped); a height of 0 means one line.
struct TextPrimitive
{
    QRectF rect;
    QString text;
    FontSpec font;
    Align align = Align::Left;
    bool wordWrap = false;
};

struct LinePrimitive
{
    QPointF from;
    QPointF to;
    double weightPt = 0.75;
};

using Primitive = std::variant<TextPrimitive, LinePrimitive>;

struct Page
{
    double widthMm = 210;
    double heightMm = 297;
    std::vector<Primitive> primitives;
};

} // namespace report
