#include "app/AboutPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace app {

QPixmap drawMakerMark(const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(QColor(34, 85, 51));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(230, 220, 170), 2));
    p.drawRect(QRectF(2, 2, size.width() - 4, size.height() - 4));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(size.height() / 3);
    p.setFont(f);
    p.drawText(QRect(0, 0, size.width(), size.height()), Qt::AlignCenter, QStringLiteral("Forstsoftware\nMuster"));
    return pixmap;
}

QPixmap drawTreePicture(const QSize &size)
{
    const qreal w = size.width();
    const qreal h = size.height();
    QPixmap pixmap(size);
    pixmap.fill(QColor(189, 190, 189));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // The tree: three green triangles on a brown trunk.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 70, 40));
    p.drawRect(QRectF(w * 0.46, h * 0.55, w * 0.08, h * 0.2));
    p.setBrush(QColor(30, 110, 50));
    for (int i = 0; i < 3; ++i) {
        const qreal top = h * (0.05 + 0.15 * i);
        const qreal half = w * (0.18 + 0.07 * i);
        QPainterPath tier;
        tier.moveTo(w / 2, top);
        tier.lineTo(w / 2 + half, top + h * 0.25);
        tier.lineTo(w / 2 - half, top + h * 0.25);
        tier.closeSubpath();
        p.drawPath(tier);
    }

    // The logs: a stack of circles seen from their cut ends.
    p.setPen(QPen(QColor(110, 70, 40), 1.5));
    p.setBrush(QColor(222, 184, 135));
    const qreal r = w * 0.07;
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(w * 0.29 + i * 2 * r, h - r - 2), r, r);
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(w * 0.29 + r + i * 2 * r, h - 3 * r - 2), r, r);
    return pixmap;
}

} // namespace app
