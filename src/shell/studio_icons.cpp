// Icons drawn with QPainter on a 16 x 16 grid and rendered at the sizes a toolbar asks for.
#include "shell/studio_icons.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>

namespace shell {
namespace {

using Painter = std::function<void(QPainter&)>;

const QColor kInk(0x33, 0x3d, 0x4a);
const QColor kBlue(0x2f, 0x6f, 0xc9);
const QColor kGreen(0x2e, 0x9b, 0x3a);
const QColor kRed(0xc8, 0x2b, 0x2b);
const QColor kYellow(0xf2, 0xb6, 0x1d);
const QColor kPaper(0xfd, 0xfd, 0xfb);

void page(QPainter& p)
{
    QPainterPath path;
    path.moveTo(3, 1.5);
    path.lineTo(10, 1.5);
    path.lineTo(13.5, 5);
    path.lineTo(13.5, 14.5);
    path.lineTo(3, 14.5);
    path.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(10, 1.5), QPointF(10, 5));
    p.drawLine(QPointF(10, 5), QPointF(13.5, 5));
}

void lines(QPainter& p, double x0, double x1, std::initializer_list<double> ys, QColor c = kInk)
{
    p.setPen(QPen(c, 1));
    for (double y : ys)
        p.drawLine(QPointF(x0, y), QPointF(x1, y));
}

void folder(QPainter& p)
{
    p.setPen(QPen(QColor(0x9a, 0x6a, 0x10), 1));
    p.setBrush(QColor(0xf6, 0xc8, 0x5f));
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(13.5, 5);
    back.lineTo(13.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(0xfb, 0xdc, 0x8a));
    QPainterPath front;
    front.moveTo(1.5, 13.5);
    front.lineTo(3.5, 7.5);
    front.lineTo(15, 7.5);
    front.lineTo(13.5, 13.5);
    front.closeSubpath();
    p.drawPath(front);
}

void disk(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(0xd8, 0xdd, 0xe4));
    p.drawRect(QRectF(3.5, 9, 9, 5.5));
    p.fillRect(QRectF(9, 2.5, 2, 3), kInk);
}

void play(QPainter& p, QColor color)
{
    QPainterPath tri;
    tri.moveTo(4, 2);
    tri.lineTo(13.5, 8);
    tri.lineTo(4, 14);
    tri.closeSubpath();
    p.setPen(QPen(color.darker(140), 1));
    p.setBrush(color);
    p.drawPath(tri);
}

void gear(QPainter& p, QPointF c, double r, QColor color)
{
    p.setPen(QPen(color.darker(150), 1));
    p.setBrush(color);
    QPainterPath path;
    for (int i = 0; i < 16; ++i) {
        const double a = i * 3.14159265 / 8;
        const double rr = (i % 2 == 0) ? r : r * 0.72;
        const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    p.drawPath(path);
    p.setBrush(kPaper);
    p.drawEllipse(c, r * 0.3, r * 0.3);
}

void window(QPainter& p, QColor title)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.fillRect(QRectF(2, 3, 12, 3), title);
}

void circleMark(QPainter& p, QColor color, const QString& glyph)
{
    p.setPen(QPen(color.darker(140), 1));
    p.setBrush(color);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, glyph);
}

void check(QPainter& p, QColor color)
{
    p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(3, 8.5);
    path.lineTo(6.5, 12);
    path.lineTo(13, 4);
    p.drawPath(path);
}

void cross(QPainter& p, QColor color)
{
    p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void triangleMark(QPainter& p)
{
    QPainterPath tri;
    tri.moveTo(8, 1.5);
    tri.lineTo(15, 14.5);
    tri.lineTo(1, 14.5);
    tri.closeSubpath();
    p.setPen(QPen(QColor(0x9a, 0x70, 0x00), 1));
    p.setBrush(kYellow);
    p.drawPath(tri);
    p.setPen(QPen(kInk, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 5.5), QPointF(8, 10));
    p.drawPoint(QPointF(8, 12.5));
}

const QHash<QString, Painter>& painters()
{
    static const QHash<QString, Painter> table = {
        {"new", [](QPainter& p) { page(p); }},
        {"template",
         [](QPainter& p) {
             page(p);
             p.fillRect(QRectF(5, 7, 6, 2), kBlue);
             p.fillRect(QRectF(5, 10, 6, 2), kGreen);
         }},
        {"open", [](QPainter& p) { folder(p); }},
        {"save", [](QPainter& p) { disk(p); }},
        {"saveas",
         [](QPainter& p) {
             disk(p);
             p.setPen(QPen(kYellow.darker(120), 1));
             p.setBrush(kYellow);
             p.drawEllipse(QRectF(9.5, 9.5, 6, 6));
         }},
        {"print",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kPaper);
             p.drawRect(QRectF(4.5, 1.5, 7, 5));
             p.setBrush(QColor(0xb8, 0xc0, 0xcc));
             p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
             p.setBrush(kPaper);
             p.drawRect(QRectF(4.5, 10.5, 7, 4));
         }},
        {"export",
         [](QPainter& p) {
             page(p);
             p.setPen(QPen(kGreen, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.drawLine(QPointF(5, 10), QPointF(11, 10));
             p.drawLine(QPointF(8.5, 7.5), QPointF(11, 10));
             p.drawLine(QPointF(8.5, 12.5), QPointF(11, 10));
         }},
        {"mail",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kPaper);
             p.drawRect(QRectF(1.5, 3.5, 13, 9));
             p.drawLine(QPointF(1.5, 3.5), QPointF(8, 9));
             p.drawLine(QPointF(14.5, 3.5), QPointF(8, 9));
         }},
        {"inspector",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kPaper);
             p.drawRect(QRectF(2.5, 1.5, 11, 13));
             p.drawLine(QPointF(7, 1.5), QPointF(7, 14.5));
             lines(p, 3, 13, {4.5, 7.5, 10.5});
             p.fillRect(QRectF(3, 5, 4, 2), kBlue);
         }},
        {"toolbox",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(0xd6, 0x4b, 0x3a));
             p.drawRect(QRectF(1.5, 5.5, 13, 8));
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(5.5, 3.5, 5, 2));
             p.fillRect(QRectF(2, 8, 12, 1), kInk);
         }},
        {"messages",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kPaper);
             p.drawRect(QRectF(1.5, 2.5, 13, 11));
             p.fillRect(QRectF(3, 4, 2, 2), kGreen);
             p.fillRect(QRectF(3, 7, 2, 2), kYellow);
             p.fillRect(QRectF(3, 10, 2, 2), kRed);
             lines(p, 6, 13, {5, 8, 11});
         }},
        {"form",
         [](QPainter& p) {
             window(p, kBlue);
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(0xe4, 0xe7, 0xeb));
             p.drawRect(QRectF(8.5, 9.5, 4, 2.5));
             lines(p, 3.5, 8, {8.5});
         }},
        {"settings",
         [](QPainter& p) {
             window(p, kGreen);
             gear(p, QPointF(9.5, 9.5), 4, QColor(0x8a, 0x93, 0xa0));
         }},
        {"help", [](QPainter& p) { circleMark(p, kBlue, "?"); }},
        {"tip",
         [](QPainter& p) {
             p.setPen(QPen(QColor(0x9a, 0x70, 0x00), 1));
             p.setBrush(kYellow);
             p.drawEllipse(QRectF(3.5, 1.5, 9, 9));
             p.setBrush(QColor(0xa0, 0xa8, 0xb4));
             p.drawRect(QRectF(5.5, 10.5, 5, 3.5));
         }},
        {"about", [](QPainter& p) { circleMark(p, kBlue, "i"); }},
        {"compile",
         [](QPainter& p) {
             page(p);
             check(p, kGreen);
         }},
        {"run", [](QPainter& p) { play(p, kGreen); }},
        {"stop",
         [](QPainter& p) {
             p.setPen(QPen(kRed.darker(140), 1));
             p.setBrush(kRed);
             p.drawRoundedRect(QRectF(3, 3, 10, 10), 1.5, 1.5);
         }},
        {"cut",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1.2));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(2.5, 10, 4, 4));
             p.drawEllipse(QRectF(9.5, 10, 4, 4));
             p.drawLine(QPointF(5.5, 10.5), QPointF(11, 2));
             p.drawLine(QPointF(10.5, 10.5), QPointF(5, 2));
         }},
        {"copy",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kPaper);
             p.drawRect(QRectF(1.5, 1.5, 8, 10));
             p.drawRect(QRectF(6.5, 4.5, 8, 10));
             lines(p, 8, 13, {7.5, 9.5, 11.5});
         }},
        {"paste",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(0xc9, 0x9a, 0x5b));
             p.drawRect(QRectF(2.5, 2.5, 9, 12));
             p.setBrush(kPaper);
             p.drawRect(QRectF(6.5, 6.5, 8, 8));
             p.fillRect(QRectF(5, 1.5, 4, 2), kInk);
         }},
        {"undo",
         [](QPainter& p) {
             p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.setBrush(Qt::NoBrush);
             QPainterPath path;
             path.moveTo(4, 6);
             path.cubicTo(7, 2.5, 14, 4, 12.5, 11);
             p.drawPath(path);
             p.drawLine(QPointF(4, 6), QPointF(4, 2.5));
             p.drawLine(QPointF(4, 6), QPointF(7.5, 6.5));
         }},
        {"redo",
         [](QPainter& p) {
             p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.setBrush(Qt::NoBrush);
             QPainterPath path;
             path.moveTo(12, 6);
             path.cubicTo(9, 2.5, 2, 4, 3.5, 11);
             p.drawPath(path);
             p.drawLine(QPointF(12, 6), QPointF(12, 2.5));
             p.drawLine(QPointF(12, 6), QPointF(8.5, 6.5));
         }},
        {"find",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1.5));
             p.setBrush(QColor(0xdd, 0xea, 0xf8));
             p.drawEllipse(QRectF(2, 2, 8, 8));
             p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(9.5, 9.5), QPointF(13.5, 13.5));
         }},
        {"password",
         [](QPainter& p) {
             p.setPen(QPen(QColor(0x9a, 0x70, 0x00), 1.5));
             p.setBrush(Qt::NoBrush);
             p.drawRoundedRect(QRectF(4.5, 1.5, 7, 8), 3, 3);
             p.setPen(QPen(QColor(0x9a, 0x70, 0x00), 1));
             p.setBrush(kYellow);
             p.drawRect(QRectF(2.5, 6.5, 11, 8));
             p.fillRect(QRectF(7.5, 9, 1, 3), kInk);
         }},
        {"embedded",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(0xc7, 0x9a, 0x5a));
             p.drawRect(QRectF(1.5, 5.5, 13, 9));
             p.setBrush(QColor(0xdb, 0xb5, 0x7c));
             p.drawRect(QRectF(1.5, 3.5, 13, 2));
             p.fillRect(QRectF(6, 7.5, 4, 2), kPaper);
         }},
        {"tools", [](QPainter& p) { gear(p, QPointF(8, 8), 6.5, QColor(0x8a, 0x93, 0xa0)); }},
        {"exe",
         [](QPainter& p) {
             window(p, QColor(0x6b, 0x4f, 0xa8));
             p.setPen(QPen(kGreen, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.drawLine(QPointF(5, 10), QPointF(11, 10));
             p.drawLine(QPointF(5, 10), QPointF(7.5, 7.5));
             p.drawLine(QPointF(5, 10), QPointF(7.5, 12.5));
         }},
    };
    return table;
}

QPixmap render(const Painter& paint, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    paint(p);
    return pm;
}

QIcon iconFrom(const Painter& paint)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(render(paint, size));
    return icon;
}

} // namespace

QIcon studioIcon(const QString& name)
{
    static QHash<QString, QIcon> cache;
    auto it = cache.find(name);
    if (it != cache.end())
        return *it;
    const auto& table = painters();
    auto p = table.find(name);
    QIcon icon = p == table.end() ? QIcon() : iconFrom(*p);
    cache.insert(name, icon);
    return icon;
}

QIcon statusIcon(int index)
{
    static QHash<int, QIcon> cache;
    auto it = cache.find(index);
    if (it != cache.end())
        return *it;
    Painter paint;
    switch (index) {
    case 1:
        paint = [](QPainter& p) { circleMark(p, kGreen, QString()), check(p, Qt::white); };
        break;
    case 2:
        paint = [](QPainter& p) { triangleMark(p); };
        break;
    case 3:
        paint = [](QPainter& p) { circleMark(p, kRed, QString()), cross(p, Qt::white); };
        break;
    case 45:
        paint = [](QPainter& p) { gear(p, QPointF(8, 8), 6.5, kBlue); };
        break;
    default:
        return {};
    }
    QIcon icon = iconFrom(paint);
    cache.insert(index, icon);
    return icon;
}

QPixmap noFlagPixmap()
{
    QPixmap pm(20, 14);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    p.setBrush(QColor(0xe8, 0xe8, 0xe8));
    p.drawRect(QRectF(0.5, 0.5, 19, 13));
    p.setPen(QPen(QColor(0xb0, 0xb0, 0xb0), 1));
    p.drawLine(QPointF(1, 1), QPointF(19, 13));
    p.drawLine(QPointF(19, 1), QPointF(1, 13));
    return pm;
}

QPixmap logoPixmap(const QString& version)
{
    const QSize size(460, 260);
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x1d, 0x3d, 0x6e));
    sky.setColorAt(1, QColor(0x0b, 0x16, 0x2a));
    p.fillRect(pm.rect(), sky);

    // A disc, for the media the studio's projects end up on.
    const QPointF c(372, 112);
    QRadialGradient disc(c, 74);
    disc.setColorAt(0.0, QColor(0xf0, 0xf4, 0xff));
    disc.setColorAt(0.55, QColor(0x9f, 0xc0, 0xe8));
    disc.setColorAt(0.8, QColor(0xd9, 0xb8, 0xf0));
    disc.setColorAt(1.0, QColor(0x7a, 0x9c, 0xd0));
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(c, 72, 72);
    p.setBrush(QColor(0x1d, 0x3d, 0x6e));
    p.drawEllipse(c, 12, 12);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.drawEllipse(c, 26, 26);

    QFont title = p.font();
    title.setPixelSize(38);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(28, 60, 300, 48), Qt::AlignLeft | Qt::AlignVCenter, "Lumeni");
    p.drawText(QRectF(28, 104, 300, 48), Qt::AlignLeft | Qt::AlignVCenter, "Zarerud");
    QFont sub = p.font();
    sub.setPixelSize(14);
    sub.setBold(false);
    p.setFont(sub);
    p.setPen(QColor(0xc8, 0xd6, 0xee));
    p.drawText(QRectF(30, 200, 400, 22), Qt::AlignLeft | Qt::AlignVCenter,
               "Autorun menus and multimedia for CDs");
    p.drawText(QRectF(30, 156, 260, 22), Qt::AlignLeft | Qt::AlignVCenter, "version " + version);
    return pm;
}

} // namespace shell
