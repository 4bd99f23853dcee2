#include "app/project/treeicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace {

constexpr int width = 18;
constexpr int height = 20;

void drawProject(QPainter &p)
{
    // A stack of pages: the project holding its feeds.
    p.setPen(QColor(0x30, 0x4a, 0x7a));
    for (int i = 2; i >= 0; --i) {
        p.setBrush(i == 0 ? QColor(0xe8, 0xf0, 0xff) : QColor(0xb8, 0xcc, 0xee));
        p.drawRect(2 + i * 2, 4 + i * 2 - 2, 10, 12);
    }
    p.drawLine(5, 7, 10, 7);
    p.drawLine(5, 10, 10, 10);
}

void drawFolder(QPainter &p)
{
    p.setPen(QColor(0x9a, 0x70, 0x10));
    p.setBrush(QColor(0xf6, 0xd3, 0x6b));
    QPainterPath tab;
    tab.moveTo(1, 6);
    tab.lineTo(1, 4);
    tab.lineTo(6, 4);
    tab.lineTo(8, 6);
    p.drawPath(tab);
    p.drawRect(1, 6, 15, 10);
}

void drawFeed(QPainter &p)
{
    // The usual feed mark: an orange square with a dot and two arcs.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf2, 0x84, 0x1b));
    p.drawRoundedRect(1, 3, 15, 15, 3, 3);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(4.5, 14.5), 1.6, 1.6);
    p.setPen(QPen(Qt::white, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-3.5, 6.5, 15, 15), 0, 90 * 16);
    p.drawArc(QRectF(-8.5, 1.5, 25, 25), 0, 90 * 16);
}

void drawUploading(QPainter &p)
{
    drawFeed(p);
    // An arrow going up: the files are on their way to the server.
    p.setPen(QPen(QColor(0x10, 0x70, 0x20), 1));
    p.setBrush(QColor(0x40, 0xc0, 0x50));
    const QPointF arrow[] = {{12, 1}, {17, 7}, {14, 7}, {14, 12}, {10, 12}, {10, 7}, {7, 7}};
    p.drawPolygon(arrow, 7);
}

QIcon makeIcon(void (*draw)(QPainter &))
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return QIcon(pixmap);
}

} // namespace

QIcon TreeIcon(int index)
{
    static const std::array<QIcon, 4> icons = {makeIcon(drawProject), makeIcon(drawFolder),
                                               makeIcon(drawFeed), makeIcon(drawUploading)};
    return index >= 0 && index < int(icons.size()) ? icons[size_t(index)] : QIcon();
}
