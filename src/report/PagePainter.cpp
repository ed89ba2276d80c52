#include "report/PagePainter.h"

#include "report/FontMetrics.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPen>

namespace report {

void PagePainter::paint(QPainter &painter, const Page &page)
{
    const double sx = painter.device()->logicalDpiX() / 25.4;
    const double sy = painter.device()->logicalDpiY() / 25.4;
    const double ptPx = painter.device()->logicalDpiY() / 72.0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::black);
    FontSpec current;
    bool haveFont = false;
    for (const Primitive &primitive : page.primitives) {
        if (const auto *t = std::get_if<TextPrimitive>(&primitive)) {
            if (!haveFont || !(current == t->font)) {
                painter.setFont(FontMetrics::qtFont(t->font));
                current = t->font;
                haveFont = true;
            }
            const QRectF r(t->rect.x() * sx, t->rect.y() * sy, t->rect.width() * sx, t->rect.height() * sy);
            int flags = Qt::AlignTop | Qt::TextDontClip;
            flags |= t->align == Align::Right ? Qt::AlignRight : t->align == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft;
            if (t->wordWrap)
                flags |= Qt::TextWordWrap;
            painter.drawText(r, flags, t->text);
        } else {
            const auto &l = std::get<LinePrimitive>(primitive);
            painter.setPen(QPen(Qt::black, l.weightPt * ptPx, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(l.from.x() * sx, l.from.y() * sy), QPointF(l.to.x() * sx, l.to.y() * sy));
            painter.setPen(Qt::black);
        }
    }
    painter.restore();
}

} // namespace report
