#include "art.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

namespace art {

namespace {
QString g_fontFamily = QStringLiteral("Sans");
}

QString fontFamily() { return g_fontFamily; }
void setFontFamily(const QString &family) { g_fontFamily = family; }

QColor mix(const QColor &a, const QColor &b, double t)
{
    t = qBound(0.0, t, 1.0);
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t,
                            a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QColor alpha(const QColor &c, double a)
{
    QColor r = c;
    r.setAlphaF(qBound(0.0, a, 1.0));
    return r;
}

void shadedFill(QPainter &p, const QPainterPath &path, const QColor &base, double outline,
                const QColor &outlineColor, double light, double dark)
{
    const QRectF b = path.boundingRect();
    QLinearGradient g(b.topLeft(), b.bottomLeft());
    g.setColorAt(0, mix(base, Qt::white, light));
    g.setColorAt(0.55, base);
    g.setColorAt(1, mix(base, Qt::black, dark));
    p.setBrush(g);
    if (outline > 0)
        p.setPen(QPen(outlineColor, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        p.setPen(Qt::NoPen);
    p.drawPath(path);
}

void roundFill(QPainter &p, const QPainterPath &path, const QColor &base, double outline,
               const QColor &outlineColor)
{
    const QRectF b = path.boundingRect();
    const double r = qMax(b.width(), b.height()) * 0.85;
    QRadialGradient g(b.center() + QPointF(-b.width() * 0.2, -b.height() * 0.25), r);
    g.setColorAt(0, mix(base, Qt::white, 0.45));
    g.setColorAt(0.45, base);
    g.setColorAt(1, mix(base, Qt::black, 0.45));
    p.setBrush(g);
    if (outline > 0)
        p.setPen(QPen(outlineColor, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        p.setPen(Qt::NoPen);
    p.drawPath(path);
}

void glow(QPainter &p, QPointF c, double radius, const QColor &color)
{
    QRadialGradient g(c, radius);
    g.setColorAt(0, color);
    g.setColorAt(0.4, alpha(color, color.alphaF() * 0.45));
    g.setColorAt(1, alpha(color, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, radius, radius);
}

QPainterPath ellipse(QPointF c, double rx, double ry)
{
    QPainterPath path;
    path.addEllipse(c, rx, ry);
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> pts)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF &pt : pts) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    path.closeSubpath();
    return path;
}

QPainterPath star(QPointF c, double outer, double inner, int points, double rotation)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double a = qDegreesToRadians(rotation + i * 180.0 / points);
        const double r = (i % 2) ? inner : outer;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

QPainterPath heartPath(QPointF c, double s)
{
    // s is the full width; the heart is about 0.9 s high.
    QPainterPath path;
    const double x = c.x(), y = c.y();
    path.moveTo(x, y + 0.45 * s);
    path.cubicTo(x - 0.15 * s, y + 0.3 * s, x - 0.5 * s, y + 0.1 * s, x - 0.5 * s, y - 0.15 * s);
    path.cubicTo(x - 0.5 * s, y - 0.38 * s, x - 0.3 * s, y - 0.47 * s, x - 0.24 * s, y - 0.47 * s);
    path.cubicTo(x - 0.1 * s, y - 0.47 * s, x - 0.02 * s, y - 0.38 * s, x, y - 0.28 * s);
    path.cubicTo(x + 0.02 * s, y - 0.38 * s, x + 0.1 * s, y - 0.47 * s, x + 0.24 * s, y - 0.47 * s);
    path.cubicTo(x + 0.3 * s, y - 0.47 * s, x + 0.5 * s, y - 0.38 * s, x + 0.5 * s, y - 0.15 * s);
    path.cubicTo(x + 0.5 * s, y + 0.1 * s, x + 0.15 * s, y + 0.3 * s, x, y + 0.45 * s);
    path.closeSubpath();
    return path;
}

QPainterPath roundedRect(const QRectF &r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

void outlinedText(QPainter &p, const QString &text, const QFont &font, QPointF baselineCenter,
                  const QColor &fill, const QColor &outline, double outlineWidth)
{
    QPainterPath path;
    const QFontMetricsF fm(font);
    path.addText(baselineCenter.x() - fm.horizontalAdvance(text) / 2, baselineCenter.y(), font, text);
    p.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

double ridgeY(double x, double width, double base, const QVector<Wave> &waves)
{
    double y = base;
    for (const Wave &w : waves)
        y += w.amp * std::sin(2 * kPi * w.cycles * x / width + w.phase);
    return y;
}

QPainterPath ridgePath(double width, double base, const QVector<Wave> &waves, double bottom, double step)
{
    QPainterPath path;
    // Overshoot the tile well past both edges: the closing sides (and their
    // outlines) must stay outside it, also when a caller shifts the path a little.
    const double over = 40;
    path.moveTo(-over, bottom);
    for (double x = -over; x <= width + over + 0.001; x += step)
        path.lineTo(x, ridgeY(x, width, base, waves));
    path.lineTo(width + over, bottom);
    path.closeSubpath();
    return path;
}

void wrapped(double x, double halfExtent, double tile, const std::function<void(double)> &f)
{
    f(x);
    if (x - halfExtent < 0)
        f(x + tile);
    if (x + halfExtent > tile)
        f(x - tile);
}

} // namespace art
