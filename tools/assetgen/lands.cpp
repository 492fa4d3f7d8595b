// The six lands of the game, each in five parallax layers (0 far sky ... 4 the
// ground under the runner's feet), and the backdrop behind them.
//
// A layer is drawn 1500 units wide: the game scrolls three copies side by side
// and jumps back by exactly 1500 units, so every layer has to continue its own
// left edge at its right edge. Everything here is therefore either periodic
// over the tile (ridges are sums of sines with whole cycles per tile) or drawn
// through wrapped(), which repeats an element that crosses a tile edge on the
// other side. The height is the scene height (1280): a land layer fills the
// window's anchor item and keeps its aspect, so at the game's 3:2 it is drawn
// 1500 x 1280 and the loop length equals the drawn width.
//
// Lands: 0 meadow, 1 desert, 2 ice, 3 volcano, 4 forest, 5 candy moon (the
// starting land before the first portal).

#include "art.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

namespace art {
namespace {

constexpr double W = 1500;
constexpr double H = 1280;
constexpr double kGround = 852; // the runner's feet are at 860
// From this row down the ground hides everything behind it. The game draws that
// part from a picture of its own without an alpha channel (img/bkg/ground-N.png),
// which the renderer can draw without blending; qml/items/landbands.js holds the
// same row.
constexpr int kGroundSolidFrom = 856;

const QColor kInk(36, 24, 40);

// ---- sky props -------------------------------------------------------------

void cloud(QPainter &p, double x, double y, double w, const QColor &c, double a = 1.0)
{
    QPainterPath path;
    path.addEllipse(QPointF(x, y), w * 0.32, w * 0.2);
    path.addEllipse(QPointF(x - w * 0.28, y + w * 0.06), w * 0.22, w * 0.14);
    path.addEllipse(QPointF(x + w * 0.3, y + w * 0.05), w * 0.24, w * 0.15);
    path.addEllipse(QPointF(x + w * 0.08, y - w * 0.1), w * 0.2, w * 0.16);
    path.addRect(QRectF(x - w * 0.45, y + w * 0.02, w * 0.92, w * 0.17));
    path.setFillRule(Qt::WindingFill);
    const QPainterPath simple = path.simplified();
    QLinearGradient g(0, y - w * 0.26, 0, y + w * 0.2);
    g.setColorAt(0, alpha(mix(c, Qt::white, 0.5), a));
    g.setColorAt(1, alpha(mix(c, QColor(120, 130, 170), 0.25), a));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(simple);
}

void stars(QPainter &p, Rng &rng, int count, double maxY, const QColor &c)
{
    for (int i = 0; i < count; ++i) {
        const double x = rng.range(0, W), y = rng.range(10, maxY);
        const double r = rng.range(0.8, 2.6) * (rng.next() < 0.08 ? 1.8 : 1.0);
        const double a = rng.range(0.4, 1.0) * (1.0 - 0.6 * y / maxY);
        wrapped(x, r * 6, W, [&](double xx) {
            if (r > 3.5) {
                glow(p, QPointF(xx, y), r * 5, alpha(c, a * 0.5));
                p.setBrush(alpha(c, a));
                p.drawPath(star(QPointF(xx, y), r * 2.4, r * 0.5, 4, 0));
            } else {
                p.setPen(Qt::NoPen);
                p.setBrush(alpha(c, a));
                p.drawEllipse(QPointF(xx, y), r, r);
            }
        });
    }
}

void sun(QPainter &p, QPointF c, double r, const QColor &core, const QColor &halo)
{
    glow(p, c, r * 3.2, alpha(halo, 0.55));
    QRadialGradient g(c - QPointF(r * 0.25, r * 0.25), r * 1.2);
    g.setColorAt(0, mix(core, Qt::white, 0.7));
    g.setColorAt(1, core);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void skyGradient(QPainter &p, const QColor &top, const QColor &mid, const QColor &horizon)
{
    QLinearGradient g(0, 0, 0, H);
    g.setColorAt(0, top);
    g.setColorAt(0.45, mid);
    g.setColorAt(0.68, horizon);
    g.setColorAt(1, horizon);
    p.fillRect(QRectF(-4, -4, W + 8, H + 8), g);
}

// A translucent ribbon between two periodic curves (aurora, haze bands).
void ribbon(QPainter &p, double base, const QVector<Wave> &waves, double thickness, const QColor &c, double a)
{
    QPainterPath path;
    const double step = 6;
    path.moveTo(-step, ridgeY(-step, W, base, waves));
    for (double x = -step; x <= W + step; x += step)
        path.lineTo(x, ridgeY(x, W, base, waves));
    for (double x = W + step; x >= -step; x -= step)
        path.lineTo(x, ridgeY(x, W, base, waves) + thickness * (0.7 + 0.3 * std::sin(2 * kPi * 3 * x / W)));
    path.closeSubpath();
    QLinearGradient g(0, base - 80, 0, base + thickness + 60);
    g.setColorAt(0, alpha(c, 0));
    g.setColorAt(0.35, alpha(c, a));
    g.setColorAt(1, alpha(c, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
}

void drawSky(QPainter &p, int land)
{
    Rng rng(1000 + land);
    switch (land) {
    case 0: // meadow, bright day
        skyGradient(p, QColor(58, 140, 226), QColor(128, 196, 245), QColor(218, 242, 255));
        sun(p, QPointF(1010, 300), 82, QColor(255, 214, 64), QColor(255, 240, 170));
        for (int i = 0; i < 7; ++i) {
            const double x = rng.range(0, W), y = rng.range(120, 560), w = rng.range(160, 320);
            wrapped(x, w * 0.7, W, [&](double xx) { cloud(p, xx, y, w, Qt::white, 0.95); });
        }
        break;
    case 1: // desert, hot afternoon
        skyGradient(p, QColor(236, 112, 58), QColor(250, 170, 92), QColor(255, 226, 164));
        sun(p, QPointF(1040, 420), 128, QColor(255, 236, 150), QColor(255, 200, 110));
        for (int i = 0; i < 5; ++i)
            ribbon(p, 620 + i * 42, {{8, 2, i * 1.3}, {4, 5, i * 0.7}}, 14, QColor(255, 240, 200), 0.25);
        for (int i = 0; i < 4; ++i) {
            const double x = rng.range(0, W), y = rng.range(150, 330), w = rng.range(260, 420);
            wrapped(x, w * 0.7, W, [&](double xx) {
                p.setPen(Qt::NoPen);
                p.setBrush(alpha(QColor(255, 220, 180), 0.45));
                p.drawEllipse(QPointF(xx, y), w * 0.5, w * 0.05);
            });
        }
        break;
    case 2: { // ice, polar night
        skyGradient(p, QColor(6, 16, 46), QColor(22, 58, 108), QColor(74, 132, 178));
        stars(p, rng, 260, 720, QColor(235, 245, 255));
        ribbon(p, 210, {{60, 2, 0.4}, {25, 5, 1.2}}, 150, QColor(80, 255, 170), 0.45);
        ribbon(p, 300, {{50, 3, 2.4}, {20, 7, 0.2}}, 110, QColor(90, 200, 255), 0.35);
        ribbon(p, 150, {{40, 1, 1.9}, {18, 4, 2.9}}, 90, QColor(200, 120, 255), 0.25);
        const QPointF c(1060, 250);
        glow(p, c, 220, QColor(190, 220, 255, 110));
        QPainterPath moon = ellipse(c, 66, 66).subtracted(ellipse(c + QPointF(28, -14), 58, 58));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(246, 250, 255));
        p.drawPath(moon);
        break;
    }
    case 3: // volcano, smoky red
        skyGradient(p, QColor(26, 6, 8), QColor(92, 20, 14), QColor(228, 88, 32));
        sun(p, QPointF(1000, 360), 96, QColor(255, 120, 60), QColor(255, 70, 20));
        for (int i = 0; i < 8; ++i) {
            const double x = rng.range(0, W), y = rng.range(80, 520), w = rng.range(240, 420);
            wrapped(x, w * 0.7, W, [&](double xx) { cloud(p, xx, y, w, QColor(70, 50, 52), 0.55); });
        }
        for (int i = 0; i < 90; ++i) {
            const double x = rng.range(0, W), y = rng.range(200, 800), r = rng.range(1.5, 4.5);
            wrapped(x, r * 4, W, [&](double xx) { glow(p, QPointF(xx, y), r * 3, QColor(255, 170, 60, 200)); });
        }
        break;
    case 4: { // forest, golden morning haze
        skyGradient(p, QColor(120, 196, 170), QColor(206, 236, 190), QColor(255, 244, 206));
        const QPointF c(1000, 170);
        // the rays reach past the tile's right edge: repeat them one tile to the left
        wrapped(c.x(), 1300, W, [&](double cx) {
            const QPointF o(cx, c.y());
            for (int i = 0; i < 9; ++i) {
                const double a = qDegreesToRadians(40.0 + i * 12.5);
                const double spread = qDegreesToRadians(3.0 + (i % 3) * 1.5);
                const double len = 1300;
                QPainterPath ray = polygon({o, o + QPointF(std::cos(a - spread), std::sin(a - spread)) * len,
                                            o + QPointF(std::cos(a + spread), std::sin(a + spread)) * len});
                QRadialGradient g(o, len);
                g.setColorAt(0, QColor(255, 255, 230, 110));
                g.setColorAt(1, QColor(255, 255, 230, 0));
                p.setPen(Qt::NoPen);
                p.setBrush(g);
                p.drawPath(ray);
            }
        });
        sun(p, c, 70, QColor(255, 246, 190), QColor(255, 250, 210));
        for (int i = 0; i < 5; ++i) {
            const double x = rng.range(0, W), y = rng.range(260, 520), w = rng.range(220, 340);
            wrapped(x, w * 0.7, W, [&](double xx) { cloud(p, xx, y, w, QColor(255, 252, 235), 0.7); });
        }
        break;
    }
    default: { // candy moon, alien dusk
        skyGradient(p, QColor(70, 30, 130), QColor(178, 82, 182), QColor(255, 176, 214));
        stars(p, rng, 160, 650, QColor(255, 240, 255));
        const QPointF c(1010, 300);
        glow(p, c, 260, QColor(255, 200, 255, 90));
        // ring behind, planet, ring in front
        QPainterPath ringOuter = ellipse(c, 210, 46), ringInner = ellipse(c, 160, 30);
        QPainterPath ring = ringOuter.subtracted(ringInner);
        QPainterPath backHalf, frontHalf;
        backHalf.addRect(QRectF(c.x() - 300, c.y() - 100, 600, 100));
        frontHalf.addRect(QRectF(c.x() - 300, c.y(), 600, 100));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 226, 150, 210));
        p.drawPath(ring.intersected(backHalf));
        QRadialGradient g(c + QPointF(-40, -40), 150);
        g.setColorAt(0, QColor(255, 200, 120));
        g.setColorAt(1, QColor(222, 92, 120));
        p.setBrush(g);
        p.drawEllipse(c, 110, 110);
        p.save();
        p.setClipPath(ellipse(c, 110, 110), Qt::IntersectClip);
        for (int i = -3; i <= 3; ++i) {
            p.setBrush(QColor(255, 240, 200, 50));
            p.drawEllipse(QPointF(c.x(), c.y() + i * 32), 130, 9);
        }
        p.restore();
        p.setBrush(QColor(255, 226, 150, 230));
        p.drawPath(ring.intersected(frontHalf).subtracted(ellipse(c, 110, 110).intersected(backHalf)));
        const QPointF m(1350, 170);
        glow(p, m, 80, QColor(200, 255, 255, 90));
        roundFill(p, ellipse(m, 34, 34), QColor(170, 240, 240));
        break;
    }
    }
}

// ---- land props ------------------------------------------------------------

void roundTree(QPainter &p, Rng &rng, double x, double base, double h, const QColor &leaf, const QColor &trunk,
               double outline)
{
    const double tw = h * 0.1;
    QPainterPath t;
    t.moveTo(x - tw * 0.7, base);
    t.quadTo(x - tw * 0.4, base - h * 0.4, x - tw * 0.45, base - h * 0.6);
    t.lineTo(x + tw * 0.45, base - h * 0.6);
    t.quadTo(x + tw * 0.4, base - h * 0.4, x + tw * 0.7, base);
    t.closeSubpath();
    shadedFill(p, t, trunk, outline, kInk);
    QPainterPath crown;
    const double cy = base - h * 0.68, r = h * 0.3;
    crown.addEllipse(QPointF(x, cy - r * 0.3), r, r);
    for (int i = 0; i < 5; ++i) {
        const double a = rng.range(0, 2 * kPi);
        crown.addEllipse(QPointF(x + std::cos(a) * r * 0.65, cy + std::sin(a) * r * 0.4),
                         r * rng.range(0.55, 0.75), r * rng.range(0.5, 0.7));
    }
    crown.setFillRule(Qt::WindingFill);
    roundFill(p, crown.simplified(), leaf, outline, kInk);
    // a few leaf highlights
    p.setPen(Qt::NoPen);
    p.setBrush(alpha(mix(leaf, Qt::white, 0.5), 0.5));
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(x + rng.range(-r * 0.7, r * 0.2), cy + rng.range(-r * 1.0, -r * 0.2)), r * 0.14,
                      r * 0.09);
}

void pine(QPainter &p, double x, double base, double h, const QColor &c, bool snow, double outline)
{
    const double w = h * 0.42;
    shadedFill(p, QPainterPath(roundedRect(QRectF(x - h * 0.035, base - h * 0.2, h * 0.07, h * 0.2), 2)),
               QColor(100, 66, 44), outline, kInk);
    for (int tier = 0; tier < 3; ++tier) {
        const double top = base - h + tier * h * 0.22;
        const double bottom = base - h * 0.15 - (2 - tier) * h * 0.2;
        const double half = w * (0.55 + 0.22 * tier);
        QPainterPath t;
        t.moveTo(x, top);
        t.quadTo(x - half * 0.4, bottom - (bottom - top) * 0.35, x - half, bottom);
        t.quadTo(x, bottom - h * 0.05, x + half, bottom);
        t.quadTo(x + half * 0.4, bottom - (bottom - top) * 0.35, x, top);
        shadedFill(p, t, c, outline, kInk, 0.2, 0.35);
        if (snow) {
            QPainterPath cap;
            cap.moveTo(x, top);
            cap.quadTo(x - half * 0.3, top + (bottom - top) * 0.35, x - half * 0.55, top + (bottom - top) * 0.55);
            cap.quadTo(x - half * 0.2, top + (bottom - top) * 0.42, x, top + (bottom - top) * 0.5);
            cap.quadTo(x + half * 0.2, top + (bottom - top) * 0.42, x + half * 0.55, top + (bottom - top) * 0.55);
            cap.quadTo(x + half * 0.3, top + (bottom - top) * 0.35, x, top);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(250, 253, 255));
            p.drawPath(cap);
        }
    }
}

void cactus(QPainter &p, double x, double base, double h, const QColor &c, double outline)
{
    const double w = h * 0.2;
    QPainterPath body = roundedRect(QRectF(x - w / 2, base - h, w, h + 10), w / 2);
    QPainterPath armL, armR;
    armL.addRoundedRect(QRectF(x - w * 1.6, base - h * 0.72, w * 0.62, h * 0.34), w * 0.31, w * 0.31);
    armL.addRect(QRectF(x - w * 1.6, base - h * 0.5, w * 1.2, w * 0.55));
    armR.addRoundedRect(QRectF(x + w * 0.98, base - h * 0.86, w * 0.62, h * 0.36), w * 0.31, w * 0.31);
    armR.addRect(QRectF(x + w * 0.4, base - h * 0.6, w * 1.2, w * 0.55));
    QPainterPath all = body.united(armL.simplified()).united(armR.simplified());
    shadedFill(p, all, c, outline, kInk, 0.25, 0.35);
    p.save();
    p.setClipPath(all, Qt::IntersectClip);
    p.setPen(QPen(mix(c, Qt::black, 0.35), w * 0.07));
    for (int i = -1; i <= 1; ++i)
        p.drawLine(QPointF(x + i * w * 0.25, base - h + w * 0.3), QPointF(x + i * w * 0.25, base));
    p.restore();
    // flower on top
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 80, 140));
    p.drawPath(star(QPointF(x, base - h - 2), w * 0.3, w * 0.14, 5));
}

void rock(QPainter &p, Rng &rng, double x, double base, double w, double h, const QColor &c, double outline)
{
    QPainterPath r;
    r.moveTo(x - w / 2, base + 6);
    r.lineTo(x - w * 0.46, base - h * rng.range(0.4, 0.6));
    r.lineTo(x - w * rng.range(0.15, 0.3), base - h);
    r.lineTo(x + w * rng.range(0.1, 0.25), base - h * rng.range(0.85, 1.0));
    r.lineTo(x + w * 0.48, base - h * rng.range(0.3, 0.5));
    r.lineTo(x + w / 2, base + 6);
    r.closeSubpath();
    shadedFill(p, r, c, outline, kInk, 0.3, 0.4);
    p.setPen(QPen(alpha(mix(c, Qt::white, 0.5), 0.6), qMax(2.0, outline * 0.6), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x - w * 0.3, base - h * 0.55), QPointF(x - w * 0.12, base - h * 0.85));
}

void mushroom(QPainter &p, double x, double base, double h, const QColor &cap, double outline)
{
    QPainterPath stem;
    stem.moveTo(x - h * 0.12, base);
    stem.quadTo(x - h * 0.08, base - h * 0.4, x - h * 0.1, base - h * 0.7);
    stem.lineTo(x + h * 0.1, base - h * 0.7);
    stem.quadTo(x + h * 0.08, base - h * 0.4, x + h * 0.12, base);
    stem.closeSubpath();
    shadedFill(p, stem, QColor(246, 236, 214), outline, kInk);
    QPainterPath c;
    c.moveTo(x - h * 0.45, base - h * 0.62);
    c.cubicTo(x - h * 0.45, base - h * 1.05, x + h * 0.45, base - h * 1.05, x + h * 0.45, base - h * 0.62);
    c.quadTo(x, base - h * 0.7, x - h * 0.45, base - h * 0.62);
    roundFill(p, c, cap, outline, kInk);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 250, 240));
    p.drawEllipse(QPointF(x - h * 0.2, base - h * 0.78), h * 0.07, h * 0.05);
    p.drawEllipse(QPointF(x + h * 0.08, base - h * 0.88), h * 0.09, h * 0.06);
    p.drawEllipse(QPointF(x + h * 0.28, base - h * 0.72), h * 0.05, h * 0.04);
}

void crystal(QPainter &p, double x, double base, double h, double lean, const QColor &c, double outline)
{
    const double w = h * 0.22;
    const QPointF tip(x + lean * h, base - h);
    QPainterPath body = polygon({QPointF(x - w / 2, base + 4), QPointF(x - w / 2 + lean * h * 0.8, base - h * 0.8),
                                 tip, QPointF(x + w / 2 + lean * h * 0.8, base - h * 0.8),
                                 QPointF(x + w / 2, base + 4)});
    QLinearGradient g(x - w / 2, 0, x + w / 2, 0);
    g.setColorAt(0, mix(c, Qt::white, 0.55));
    g.setColorAt(0.5, c);
    g.setColorAt(1, mix(c, Qt::black, 0.25));
    p.setBrush(g);
    p.setPen(outline > 0 ? QPen(mix(c, kInk, 0.7), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : Qt::NoPen);
    p.drawPath(body);
    p.setPen(QPen(alpha(Qt::white, 0.7), qMax(1.5, outline * 0.5)));
    p.drawLine(QPointF(x + lean * h * 0.1, base - h * 0.05), QPointF(tip.x() - lean * 2, tip.y() + h * 0.12));
}

void deadTree(QPainter &p, double x, double base, double h, const QColor &c)
{
    std::function<void(QPointF, double, double, int)> branch = [&](QPointF from, double angle, double len,
                                                                   int depth) {
        const QPointF to = from + QPointF(std::cos(angle), std::sin(angle)) * len;
        p.setPen(QPen(c, qMax(2.0, len * 0.16), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(from, to);
        if (depth == 0)
            return;
        branch(to, angle - 0.5, len * 0.65, depth - 1);
        branch(to, angle + 0.42, len * 0.6, depth - 1);
    };
    branch(QPointF(x, base), -kPi / 2, h * 0.45, 3);
}

void candyCane(QPainter &p, double x, double base, double h, double outline)
{
    const double w = h * 0.09;
    QPainterPath path;
    path.moveTo(x, base + 10);
    path.lineTo(x, base - h * 0.78);
    path.arcTo(QRectF(x, base - h, h * 0.3, h * 0.3), 180, -180);
    path.lineTo(x + h * 0.3, base - h * 0.78);
    QPainterPathStroker stroker;
    stroker.setWidth(w);
    stroker.setCapStyle(Qt::RoundCap);
    const QPainterPath shape = stroker.createStroke(path).simplified();
    p.setPen(QPen(kInk, outline));
    p.setBrush(QColor(255, 252, 250));
    p.drawPath(shape);
    p.save();
    p.setClipPath(shape, Qt::IntersectClip);
    p.setPen(QPen(QColor(230, 40, 70), w * 0.6));
    for (double y = base + 20; y > base - h - h * 0.5; y -= w * 1.6)
        p.drawLine(QPointF(x - h * 0.2, y), QPointF(x + h * 0.6, y - h * 0.25));
    p.restore();
    p.setPen(QPen(kInk, outline));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

void lollipop(QPainter &p, double x, double base, double h, const QColor &c, double outline)
{
    p.setPen(QPen(kInk, outline));
    p.setBrush(QColor(250, 246, 240));
    p.drawRect(QRectF(x - h * 0.025, base - h * 0.7, h * 0.05, h * 0.7 + 10));
    const QPointF cc(x, base - h * 0.78);
    const double r = h * 0.22;
    roundFill(p, ellipse(cc, r, r), c, outline, kInk);
    QPainterPath spiral;
    spiral.moveTo(cc);
    for (double t = 0; t < 4 * kPi; t += 0.2)
        spiral.lineTo(cc + QPointF(std::cos(t), std::sin(t)) * (r * t / (4 * kPi)));
    p.setPen(QPen(alpha(Qt::white, 0.85), r * 0.14, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(spiral);
}

void pyramid(QPainter &p, double x, double base, double w, const QColor &c)
{
    const double h = w * 0.62;
    p.setPen(Qt::NoPen);
    p.setBrush(mix(c, Qt::white, 0.2));
    p.drawPath(polygon({QPointF(x - w / 2, base), QPointF(x, base - h), QPointF(x + w * 0.1, base)}));
    p.setBrush(mix(c, Qt::black, 0.2));
    p.drawPath(polygon({QPointF(x + w * 0.1, base), QPointF(x, base - h), QPointF(x + w / 2, base)}));
    p.setPen(QPen(alpha(mix(c, Qt::black, 0.3), 0.6), 1.5));
    for (int i = 1; i < 6; ++i) {
        const double y = base - h * i / 6.0, half = w / 2 * (1 - i / 6.0);
        p.drawLine(QPointF(x - half, y), QPointF(x + half, y));
    }
}

void flower(QPainter &p, double x, double y, double r, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * kPi / 5;
        p.drawEllipse(QPointF(x + std::cos(a) * r, y + std::sin(a) * r), r * 0.75, r * 0.75);
    }
    p.setBrush(QColor(255, 220, 60));
    p.drawEllipse(QPointF(x, y), r * 0.6, r * 0.6);
}

void grassTuft(QPainter &p, double x, double y, double h, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (int i = -2; i <= 2; ++i) {
        QPainterPath blade;
        blade.moveTo(x + i * h * 0.12 - h * 0.05, y);
        blade.quadTo(x + i * h * 0.2, y - h * 0.6, x + i * h * 0.35, y - h * (1 - std::abs(i) * 0.15));
        blade.quadTo(x + i * h * 0.15, y - h * 0.4, x + i * h * 0.12 + h * 0.05, y);
        p.drawPath(blade);
    }
}

// Mountain range with sharp peaks: 1 - |sin| has its cusps at the tops.
QPainterPath peaks(double base, double height, const QVector<Wave> &waves, double step = 3)
{
    auto y = [&](double x) {
        double v = 0, total = 0;
        for (const Wave &w : waves) {
            v += w.amp * (1 - std::abs(std::sin(kPi * w.cycles * x / W + w.phase)));
            total += w.amp;
        }
        return base - height * v / total;
    };
    QPainterPath path;
    const double over = 40; // keep the closing sides well outside the tile
    path.moveTo(-over, H + 10);
    for (double x = -over; x <= W + over + 0.001; x += step)
        path.lineTo(x, y(x));
    path.lineTo(W + over, H + 10);
    path.closeSubpath();
    return path;
}

void fillVertical(QPainter &p, const QPainterPath &path, double y0, const QColor &top, double y1,
                  const QColor &bottom, double outline = 0, const QColor &outlineColor = kInk)
{
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.setPen(outline > 0 ? QPen(outlineColor, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : Qt::NoPen);
    p.drawPath(path);
}

// ---- layer 1: the far range ------------------------------------------------

void drawFar(QPainter &p, int land)
{
    Rng rng(2000 + land);
    switch (land) {
    case 0: {
        QPainterPath m = peaks(700, 360, {{1.0, 3, 0.2}, {0.55, 5, 1.0}, {0.3, 8, 0.4}});
        fillVertical(p, m, 340, QColor(112, 148, 196), 700, QColor(160, 196, 222));
        // snow caps: everything of the range above a wavy line
        QPainterPath above;
        above.moveTo(-4, 0);
        for (double x = -4; x <= W + 4; x += 4)
            above.lineTo(x, ridgeY(x, W, 468, {{16, 9, 0.3}, {9, 17, 1.0}}));
        above.lineTo(W + 4, 0);
        above.closeSubpath();
        p.setBrush(QColor(250, 252, 255, 240));
        p.drawPath(m.intersected(above));
        QPainterPath front = ridgePath(W, 760, {{36, 2, 0.5}, {18, 5, 2.0}}, H + 10);
        fillVertical(p, front, 700, QColor(112, 176, 168), 860, QColor(140, 196, 180));
        break;
    }
    case 1: {
        QPainterPath mesa;
        mesa.moveTo(-40, H + 10);
        for (double x = -40; x <= W + 40.001; x += 3)
            mesa.lineTo(x, qMax(470.0, ridgeY(x, W, 640, {{200, 2, 0.9}, {90, 5, 0.3}, {30, 11, 1.7}})));
        mesa.lineTo(W + 40, H + 10);
        mesa.closeSubpath();
        fillVertical(p, mesa, 470, QColor(200, 104, 84), 760, QColor(232, 150, 110));
        p.save();
        p.setClipPath(mesa, Qt::IntersectClip);
        for (int i = 0; i < 7; ++i) {
            p.setPen(QPen(QColor(150, 70, 60, 90), 6));
            const double y = 500 + i * 38;
            p.drawLine(QPointF(-10, y), QPointF(W + 10, y));
        }
        p.restore();
        QPainterPath dunes = ridgePath(W, 770, {{30, 3, 0.2}, {14, 7, 1.4}}, H + 10);
        fillVertical(p, dunes, 720, QColor(236, 178, 120), 860, QColor(244, 198, 140));
        break;
    }
    case 2: {
        QPainterPath m = peaks(760, 470, {{1.0, 4, 0.6}, {0.6, 7, 0.1}, {0.25, 13, 0.9}});
        fillVertical(p, m, 290, QColor(196, 222, 244), 760, QColor(104, 150, 196));
        // lit faces: a lighter copy shifted, clipped to the range
        p.save();
        p.setClipPath(m, Qt::IntersectClip);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 120));
        p.drawPath(m.translated(-14, 10).subtracted(m.translated(10, 0)));
        p.restore();
        QPainterPath front = peaks(820, 180, {{1.0, 6, 0.3}, {0.4, 11, 0.8}});
        fillVertical(p, front, 640, QColor(150, 186, 220), 860, QColor(170, 200, 226));
        break;
    }
    case 3: {
        QPainterPath base = ridgePath(W, 760, {{22, 3, 0.4}, {12, 8, 1.2}}, H + 10);
        for (const QPointF &v : {QPointF(420, 330), QPointF(1160, 440)}) {
            const double top = v.y(), x = v.x(), half = (760 - top) * 1.25;
            wrapped(x, half + 20, W, [&](double xx) {
                QPainterPath cone;
                cone.moveTo(xx - half, 800);
                cone.quadTo(xx - half * 0.45, 760 - (760 - top) * 0.55, xx - half * 0.14, top);
                cone.lineTo(xx + half * 0.14, top);
                cone.quadTo(xx + half * 0.45, 760 - (760 - top) * 0.55, xx + half, 800);
                cone.closeSubpath();
                fillVertical(p, cone, top, QColor(86, 36, 30), 800, QColor(60, 22, 22));
                // lava running down from the crater
                p.save();
                p.setClipPath(cone, Qt::IntersectClip);
                for (int i = -1; i <= 1; ++i) {
                    QPainterPath lava;
                    lava.moveTo(xx + i * half * 0.06, top);
                    lava.cubicTo(xx + i * half * 0.2, top + 80, xx + i * half * 0.1, top + 160,
                                 xx + i * half * 0.35, top + 260);
                    p.setPen(QPen(QColor(255, 120, 30, 220), 10 - std::abs(i) * 3, Qt::SolidLine, Qt::RoundCap));
                    p.setBrush(Qt::NoBrush);
                    p.drawPath(lava);
                }
                p.restore();
                glow(p, QPointF(xx, top + 4), half * 0.3, QColor(255, 140, 40, 200));
                for (int i = 0; i < 5; ++i)
                    cloud(p, xx + i * 24 - 30, top - 60 - i * 70, 120 + i * 40, QColor(60, 50, 55), 0.5);
            });
        }
        fillVertical(p, base, 700, QColor(70, 28, 26), 860, QColor(96, 40, 32));
        break;
    }
    case 4: {
        QPainterPath hill = ridgePath(W, 700, {{40, 2, 0.3}, {20, 5, 1.1}}, H + 10);
        const QColor c(104, 166, 150);
        fillVertical(p, hill, 640, c, 860, QColor(150, 196, 170));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        for (int i = 0; i < 70; ++i) {
            const double x = i * W / 70 + rng.range(-6, 6);
            const double y = ridgeY(x, W, 700, {{40, 2, 0.3}, {20, 5, 1.1}});
            const double h = rng.range(70, 140);
            wrapped(x, h * 0.3, W, [&](double xx) {
                p.drawPath(polygon({QPointF(xx - h * 0.2, y + 20), QPointF(xx, y - h), QPointF(xx + h * 0.2, y + 20)}));
            });
        }
        break;
    }
    default: {
        for (int i = 0; i < 26; ++i) {
            const double x = rng.range(0, W), h = rng.range(200, 460), lean = rng.range(-0.08, 0.08);
            const QColor c = i % 2 ? QColor(240, 150, 220, 200) : QColor(160, 140, 250, 200);
            wrapped(x, h * 0.3, W, [&](double xx) { crystal(p, xx, 780, h, lean, c, 0); });
        }
        QPainterPath hill = ridgePath(W, 760, {{30, 3, 0.8}, {15, 7, 0.1}}, H + 10);
        fillVertical(p, hill, 700, QColor(200, 130, 210), 860, QColor(230, 160, 220));
        break;
    }
    }
}

// ---- layer 2: hills in the middle distance ---------------------------------

void drawMid(QPainter &p, int land)
{
    Rng rng(3000 + land);
    const QVector<Wave> back = {{34, 2, 1.4}, {16, 5, 0.2}};
    const QVector<Wave> front = {{30, 3, 0.1}, {14, 7, 2.2}};
    switch (land) {
    case 0: {
        fillVertical(p, ridgePath(W, 740, back, H + 10), 700, QColor(126, 204, 98), 900, QColor(92, 170, 74), 2.5,
                     QColor(60, 110, 60));
        for (int i = 0; i < 14; ++i) {
            const double x = rng.range(0, W), y = ridgeY(x, W, 740, back) + 8, h = rng.range(50, 90);
            wrapped(x, h, W, [&](double xx) {
                Rng local(quint64(i) * 77);
                roundTree(p, local, xx, y, h, QColor(66, 150, 70), QColor(120, 84, 54), 2);
            });
        }
        fillVertical(p, ridgePath(W, 800, front, H + 10), 760, QColor(104, 196, 80), 900, QColor(80, 160, 62), 3,
                     QColor(50, 100, 50));
        // stripes of a field on the front hill
        p.save();
        p.setClipPath(ridgePath(W, 800, front, H + 10), Qt::IntersectClip);
        p.setPen(QPen(QColor(150, 220, 110, 120), 8));
        for (int i = 0; i < 6; ++i) {
            QPainterPath line;
            line.moveTo(-4, ridgeY(-4, W, 826 + i * 16, front));
            for (double x = -4; x <= W + 4; x += 8)
                line.lineTo(x, ridgeY(x, W, 826 + i * 16, front));
            p.drawPath(line);
        }
        p.restore();
        break;
    }
    case 1: {
        for (const QPointF &pp : {QPointF(330, 330), QPointF(560, 200), QPointF(1180, 260)}) {
            const double x = pp.x(), w = pp.y();
            wrapped(x, w / 2, W, [&](double xx) { pyramid(p, xx, ridgeY(xx, W, 770, back) + 30, w, QColor(226, 170, 100)); });
        }
        QPainterPath d1 = ridgePath(W, 770, back, H + 10);
        fillVertical(p, d1, 720, QColor(246, 194, 112), 900, QColor(222, 150, 80), 2.5, QColor(150, 90, 50));
        QPainterPath d2 = ridgePath(W, 815, front, H + 10);
        fillVertical(p, d2, 770, QColor(250, 206, 124), 900, QColor(232, 164, 90), 3, QColor(150, 90, 50));
        p.save();
        p.setClipPath(d2, Qt::IntersectClip);
        p.setPen(QPen(QColor(255, 236, 180, 150), 5, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 16; ++i) {
            const double x = rng.range(0, W), y = ridgeY(x, W, 815, front) + rng.range(20, 80);
            wrapped(x, 60, W, [&](double xx) {
                QPainterPath r;
                r.moveTo(xx - 50, y);
                r.quadTo(xx, y - 12, xx + 50, y);
                p.drawPath(r);
            });
        }
        p.restore();
        break;
    }
    case 2: {
        QPainterPath s1 = ridgePath(W, 750, back, H + 10);
        fillVertical(p, s1, 700, QColor(236, 246, 255), 900, QColor(180, 210, 236), 2.5, QColor(90, 120, 160));
        for (int i = 0; i < 22; ++i) {
            const double x = rng.range(0, W), y = ridgeY(x, W, 750, back) + 10, h = rng.range(70, 130);
            wrapped(x, h * 0.4, W, [&](double xx) { pine(p, xx, y, h, QColor(40, 90, 100), true, 1.5); });
        }
        QPainterPath s2 = ridgePath(W, 810, front, H + 10);
        fillVertical(p, s2, 760, QColor(246, 251, 255), 900, QColor(196, 222, 244), 3, QColor(90, 120, 160));
        break;
    }
    case 3: {
        QPainterPath r1 = ridgePath(W, 740, back, H + 10);
        fillVertical(p, r1, 700, QColor(78, 40, 36), 900, QColor(48, 22, 22), 2.5, QColor(20, 8, 8));
        QPainterPath r2 = ridgePath(W, 805, front, H + 10);
        fillVertical(p, r2, 760, QColor(66, 32, 30), 900, QColor(40, 18, 18), 3, QColor(20, 8, 8));
        p.save();
        p.setClipPath(r2, Qt::IntersectClip);
        for (int i = 0; i < 4; ++i) {
            const double x = 120 + i * 375 + rng.range(-40, 40);
            wrapped(x, 260, W, [&](double xx) {
                QPainterPath lava;
                const double y0 = ridgeY(xx, W, 805, front);
                lava.moveTo(xx, y0 - 10);
                lava.cubicTo(xx + 60, y0 + 40, xx - 40, y0 + 90, xx + 120, y0 + 160);
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(QColor(255, 90, 20, 120), 26, Qt::SolidLine, Qt::RoundCap));
                p.drawPath(lava);
                p.setPen(QPen(QColor(255, 190, 60), 10, Qt::SolidLine, Qt::RoundCap));
                p.drawPath(lava);
            });
        }
        p.restore();
        break;
    }
    case 4: {
        // a dense line of canopies with dark trunks under them
        QPainterPath under = ridgePath(W, 760, back, H + 10);
        fillVertical(p, under, 700, QColor(40, 96, 62), 900, QColor(30, 70, 46));
        for (int row = 0; row < 2; ++row) {
            const QColor leaf = row == 0 ? QColor(56, 128, 76) : QColor(72, 150, 86);
            for (int i = 0; i < 18; ++i) {
                const double x = i * W / 18 + rng.range(-20, 20) + row * 40;
                const double y = ridgeY(x, W, 700 + row * 60, back) - rng.range(20, 60);
                const double r = rng.range(60, 90);
                wrapped(x, r * 1.4, W, [&](double xx) {
                    p.setPen(QPen(QColor(40, 28, 24), 2));
                    p.setBrush(QColor(70, 50, 40));
                    p.drawRect(QRectF(xx - r * 0.1, y, r * 0.2, 300));
                    QPainterPath crown;
                    crown.addEllipse(QPointF(xx, y), r, r * 0.8);
                    crown.addEllipse(QPointF(xx - r * 0.6, y + r * 0.3), r * 0.6, r * 0.5);
                    crown.addEllipse(QPointF(xx + r * 0.6, y + r * 0.25), r * 0.65, r * 0.5);
                    crown.setFillRule(Qt::WindingFill);
                    roundFill(p, crown.simplified(), leaf, 2.5, QColor(20, 50, 30));
                });
            }
        }
        break;
    }
    default: {
        QPainterPath h1 = ridgePath(W, 750, back, H + 10);
        fillVertical(p, h1, 700, QColor(160, 236, 206), 900, QColor(110, 200, 180), 2.5, QColor(90, 60, 120));
        p.save();
        p.setClipPath(h1, Qt::IntersectClip);
        p.setPen(QPen(QColor(255, 255, 255, 110), 14));
        for (int i = 0; i < 18; ++i) {
            const double x = i * W / 18;
            p.drawLine(QPointF(x, 600), QPointF(x + 200, 1000));
        }
        p.restore();
        for (int i = 0; i < 9; ++i) {
            const double x = rng.range(0, W), y = ridgeY(x, W, 750, back) + 20, r = rng.range(30, 55);
            const QColor c = QColor::fromHsv(rng.integer(0, 359), 140, 250);
            wrapped(x, r, W, [&](double xx) {
                QPainterPath g;
                g.moveTo(xx - r, y);
                g.cubicTo(xx - r, y - r * 1.6, xx + r, y - r * 1.6, xx + r, y);
                g.closeSubpath();
                roundFill(p, g, c, 2.5, QColor(90, 60, 120));
            });
        }
        QPainterPath h2 = ridgePath(W, 812, front, H + 10);
        fillVertical(p, h2, 760, QColor(255, 190, 220), 900, QColor(236, 140, 190), 3, QColor(90, 60, 120));
        break;
    }
    }
}

// ---- layer 3: the props close behind the runner ----------------------------

void drawNear(QPainter &p, int land)
{
    Rng rng(4000 + land);
    const double ow = 4;
    const double base = 880; // hidden behind the ground's lip
    switch (land) {
    case 0:
        for (int i = 0; i < 10; ++i) {
            const double x = rng.range(0, W), h = rng.range(30, 60);
            wrapped(x, h * 1.2, W, [&](double xx) {
                QPainterPath bush;
                bush.addEllipse(QPointF(xx, base - h * 0.5), h * 1.1, h * 0.7);
                bush.addEllipse(QPointF(xx - h * 0.6, base - h * 0.3), h * 0.6, h * 0.5);
                bush.addEllipse(QPointF(xx + h * 0.6, base - h * 0.35), h * 0.6, h * 0.55);
                bush.setFillRule(Qt::WindingFill);
                roundFill(p, bush.simplified(), QColor(80, 170, 70), ow * 0.8, kInk);
                flower(p, xx - h * 0.3, base - h * 0.8, h * 0.09, QColor(255, 110, 150));
                flower(p, xx + h * 0.4, base - h * 0.6, h * 0.08, QColor(255, 255, 255));
            });
        }
        for (const QPointF &t : {QPointF(260, 420), QPointF(800, 340), QPointF(1250, 460)}) {
            const double x = t.x(), h = t.y();
            wrapped(x, h * 0.5, W, [&](double xx) {
                Rng local{quint64(x)};
                roundTree(p, local, xx, base, h, QColor(80, 178, 64), QColor(140, 96, 60), ow);
            });
        }
        break;
    case 1:
        for (int i = 0; i < 6; ++i) {
            const double x = rng.range(0, W), w = rng.range(80, 160);
            wrapped(x, w, W, [&](double xx) {
                Rng local(quint64(i) + 9);
                rock(p, local, xx, base, w, w * 0.6, QColor(196, 120, 80), ow);
            });
        }
        for (const QPointF &c : {QPointF(180, 300), QPointF(640, 230), QPointF(1010, 360), QPointF(1340, 200)})
            wrapped(c.x(), c.y() * 0.5, W, [&](double xx) { cactus(p, xx, base, c.y(), QColor(86, 160, 86), ow); });
        break;
    case 2:
        for (int i = 0; i < 5; ++i) {
            const double x = rng.range(0, W);
            wrapped(x, 90, W, [&](double xx) {
                for (int k = -1; k <= 1; ++k)
                    crystal(p, xx + k * 36, base, 140 - std::abs(k) * 50, k * 0.12, QColor(150, 220, 250), 3);
            });
        }
        for (const QPointF &t : {QPointF(120, 380), QPointF(520, 300), QPointF(900, 460), QPointF(1290, 340)})
            wrapped(t.x(), t.y() * 0.4, W, [&](double xx) { pine(p, xx, base, t.y(), QColor(34, 102, 96), true, ow); });
        break;
    case 3:
        for (int i = 0; i < 3; ++i) {
            const double x = 200 + i * 500 + rng.range(-60, 60);
            wrapped(x, 120, W, [&](double xx) { deadTree(p, xx, base, 380, QColor(36, 20, 20)); });
        }
        for (int i = 0; i < 7; ++i) {
            const double x = rng.range(0, W), w = rng.range(90, 200), h = rng.range(90, 260);
            wrapped(x, w, W, [&](double xx) {
                Rng local(quint64(i) + 31);
                rock(p, local, xx, base, w, h, QColor(70, 40, 40), ow);
                p.setPen(QPen(QColor(255, 140, 40), 3, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(xx - w * 0.1, base - h * 0.2), QPointF(xx + w * 0.05, base - h * 0.5));
                p.drawLine(QPointF(xx + w * 0.05, base - h * 0.5), QPointF(xx + w * 0.2, base - h * 0.55));
            });
        }
        break;
    case 4:
        for (const double x : {150.0, 700.0, 1180.0}) {
            wrapped(x, 140, W, [&](double xx) {
                QPainterPath trunk;
                trunk.moveTo(xx - 90, base + 10);
                trunk.cubicTo(xx - 40, base - 60, xx - 52, base - 400, xx - 48, -20);
                trunk.lineTo(xx + 48, -20);
                trunk.cubicTo(xx + 52, base - 400, xx + 40, base - 60, xx + 90, base + 10);
                trunk.closeSubpath();
                QLinearGradient g(xx - 60, 0, xx + 60, 0);
                g.setColorAt(0, QColor(120, 84, 60));
                g.setColorAt(0.4, QColor(96, 64, 46));
                g.setColorAt(1, QColor(54, 36, 28));
                p.setBrush(g);
                p.setPen(QPen(kInk, ow));
                p.drawPath(trunk);
                p.setPen(QPen(QColor(50, 32, 26, 150), 4, Qt::SolidLine, Qt::RoundCap));
                for (int k = 0; k < 7; ++k)
                    p.drawLine(QPointF(xx - 20 + (k % 3) * 18, 80 + k * 110), QPointF(xx - 24 + (k % 3) * 18, 150 + k * 110));
                // moss at the roots
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(90, 160, 70));
                p.drawEllipse(QPointF(xx - 60, base - 10), 40, 18);
                p.drawEllipse(QPointF(xx + 64, base - 6), 34, 14);
            });
        }
        for (int i = 0; i < 6; ++i) {
            const double x = rng.range(0, W), h = rng.range(60, 150);
            const QColor cap = i % 3 == 0 ? QColor(230, 140, 40) : QColor(220, 50, 50);
            wrapped(x, h * 0.5, W, [&](double xx) { mushroom(p, xx, base, h, cap, ow * 0.8); });
        }
        break;
    default:
        for (const double x : {200.0, 930.0})
            wrapped(x, 120, W, [&](double xx) { candyCane(p, xx, base, 380, ow); });
        for (int i = 0; i < 4; ++i) {
            const double x = 450 + i * 300 + rng.range(-50, 50), h = rng.range(240, 380);
            const QColor c = QColor::fromHsv((i * 70 + 300) % 360, 150, 250);
            wrapped(x, h * 0.3, W, [&](double xx) { lollipop(p, xx, base, h, c, ow); });
        }
        for (int i = 0; i < 6; ++i) {
            const double x = rng.range(0, W), r = rng.range(40, 70);
            const QColor c = QColor::fromHsv(rng.integer(0, 359), 160, 245);
            wrapped(x, r, W, [&](double xx) {
                QPainterPath g;
                g.moveTo(xx - r, base);
                g.cubicTo(xx - r, base - r * 1.7, xx + r, base - r * 1.7, xx + r, base);
                g.closeSubpath();
                roundFill(p, g, c, ow * 0.8, kInk);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(255, 255, 255, 200));
                for (int k = 0; k < 5; ++k)
                    p.drawEllipse(QPointF(xx - r * 0.5 + k * r * 0.25, base - r * 0.7 - (k % 2) * r * 0.3), 3, 3);
            });
        }
        break;
    }
}

// ---- layer 4: the ground strip ---------------------------------------------

void drawGround(QPainter &p, int land)
{
    Rng rng(5000 + land);
    const QVector<Wave> edge = {{4, 7, 0.5}, {2.5, 13, 1.3}};
    const QPainterPath body = ridgePath(W, kGround, edge, H + 10, 3);
    struct Style { QColor lip, top, bottom, speck; };
    const Style styles[] = {
        {QColor(110, 206, 64), QColor(140, 96, 58), QColor(92, 60, 38), QColor(176, 140, 100)},
        {QColor(252, 222, 140), QColor(238, 190, 110), QColor(206, 150, 80), QColor(255, 236, 190)},
        {QColor(250, 253, 255), QColor(170, 214, 240), QColor(110, 160, 210), QColor(230, 246, 255)},
        {QColor(90, 70, 66), QColor(52, 32, 30), QColor(30, 16, 16), QColor(255, 120, 40)},
        {QColor(86, 156, 64), QColor(84, 60, 42), QColor(50, 34, 26), QColor(120, 170, 80)},
        {QColor(255, 150, 206), QColor(255, 236, 206), QColor(246, 200, 160), QColor(255, 255, 255)},
    };
    const Style &s = styles[land];
    fillVertical(p, body, kGround, s.top, H, s.bottom, 4, kInk);

    p.save();
    p.setClipPath(body, Qt::IntersectClip);
    // texture: stones, ripples, cracks or sprinkles depending on the land
    for (int i = 0; i < 70; ++i) {
        const double x = rng.range(0, W), y = rng.range(kGround + 50, H - 10), r = rng.range(5, 16);
        wrapped(x, 40, W, [&](double xx) {
            switch (land) {
            case 1: {
                QPainterPath ripple;
                ripple.moveTo(xx - r * 4, y);
                ripple.quadTo(xx, y - r * 0.8, xx + r * 4, y);
                p.setPen(QPen(alpha(s.speck, 0.7), 3, Qt::SolidLine, Qt::RoundCap));
                p.setBrush(Qt::NoBrush);
                p.drawPath(ripple);
                break;
            }
            case 2:
            case 3: {
                QPainterPath crack;
                crack.moveTo(xx, y);
                crack.lineTo(xx + r * 1.5, y + r * 0.6);
                crack.lineTo(xx + r * 2.2, y + r * 0.2);
                crack.lineTo(xx + r * 3.4, y + r * 1.1);
                if (land == 3)
                    p.setPen(QPen(QColor(255, 100, 20, 120), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                else
                    p.setPen(QPen(QColor(255, 255, 255, 150), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.setBrush(Qt::NoBrush);
                p.drawPath(crack);
                p.setPen(QPen(land == 3 ? QColor(255, 200, 80) : QColor(90, 140, 200), 2.5, Qt::SolidLine,
                              Qt::RoundCap, Qt::RoundJoin));
                p.drawPath(crack);
                break;
            }
            case 5: {
                p.setPen(QPen(QColor::fromHsv(int(x * 7) % 360, 170, 250), 5, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(xx, y), QPointF(xx + r * 0.8, y + r * 0.4));
                break;
            }
            default:
                roundFill(p, ellipse(QPointF(xx, y), r, r * 0.65), s.speck, 2, alpha(kInk, 0.6));
                break;
            }
        });
    }
    p.restore();

    // the lip along the top edge
    QPainterPath lip;
    lip.moveTo(-21, ridgeY(-21, W, kGround, edge) - 6);
    for (double x = -21; x <= W + 21.001; x += 3)
        lip.lineTo(x, ridgeY(x, W, kGround, edge) - 6);
    for (double x = W + 21; x >= -21.001; x -= 3) {
        double depth = 30 + 8 * std::sin(2 * kPi * 10 * x / W);
        if (land == 5) // frosting drips
            depth = 28 + 22 * qMax(0.0, std::sin(2 * kPi * 15 * x / W)) * qMax(0.0, std::sin(2 * kPi * 15 * x / W));
        lip.lineTo(x, ridgeY(x, W, kGround, edge) + depth);
    }
    lip.closeSubpath();
    fillVertical(p, lip, kGround - 10, mix(s.lip, Qt::white, 0.25), kGround + 40, s.lip, 3.5, kInk);

    if (land == 0 || land == 4) {
        for (int i = 0; i < 60; ++i) {
            const double x = rng.range(0, W), h = rng.range(16, 34);
            wrapped(x, h, W, [&](double xx) {
                grassTuft(p, xx, ridgeY(xx, W, kGround, edge) - 2, h, mix(s.lip, Qt::black, 0.15));
            });
        }
        for (int i = 0; i < 18; ++i) {
            const double x = rng.range(0, W);
            const QColor c = land == 0 ? QColor::fromHsv(rng.integer(0, 6) * 50, 150, 255) : QColor(250, 240, 200);
            wrapped(x, 20, W, [&](double xx) { flower(p, xx, ridgeY(xx, W, kGround, edge) + 12, 5, c); });
        }
    } else if (land == 2) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 220));
        for (int i = 0; i < 40; ++i) {
            const double x = rng.range(0, W);
            wrapped(x, 10, W, [&](double xx) { p.drawPath(star(QPointF(xx, ridgeY(xx, W, kGround, edge) + 14), 5, 1.6, 4, 0)); });
        }
    } else if (land == 3) {
        for (int i = 0; i < 24; ++i) {
            const double x = rng.range(0, W);
            wrapped(x, 20, W, [&](double xx) { glow(p, QPointF(xx, ridgeY(xx, W, kGround, edge) + 14), 12, QColor(255, 140, 40, 200)); });
        }
    }
}

void drawBackdrop(QPainter &p, double w, double h)
{
    QRadialGradient g(QPointF(w / 2, h * 0.45), w * 0.7);
    g.setColorAt(0, QColor(60, 40, 110));
    g.setColorAt(0.6, QColor(28, 18, 56));
    g.setColorAt(1, QColor(10, 6, 22));
    p.fillRect(QRectF(0, 0, w, h), g);
    Rng rng(99);
    for (int i = 0; i < 220; ++i) {
        const double r = rng.range(0.8, 2.4);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 240, rng.integer(80, 230)));
        p.drawEllipse(QPointF(rng.range(0, w), rng.range(0, h)), r, r);
    }
}

} // namespace

void drawLand(QPainter &p, int land)
{
    drawSky(p, land);
    drawFar(p, land);
    drawMid(p, land);
    drawNear(p, land);
    drawGround(p, land);
}

void addLandImages(QVector<ImageSpec> &out)
{
    // The backdrop is seen only where the lands do not reach (windows taller than 3:2).
    out.append({QStringLiteral("img/bkg/bkg.png"), 1920, 1440, 1, [](QPainter &p, int) { drawBackdrop(p, 1920, 1440); }});
    for (int land = 0; land < 6; ++land) {
        for (int layer = 0; layer < 5; ++layer) {
            ImageSpec spec;
            spec.path = QStringLiteral("img/bkg/bkg-%1-%2.png").arg(land).arg(layer);
            spec.frameWidth = int(W);
            spec.frameHeight = int(H);
            spec.draw = [land, layer](QPainter &p, int) {
                switch (layer) {
                case 0: drawSky(p, land); break;
                case 1: drawFar(p, land); break;
                case 2: drawMid(p, land); break;
                case 3: drawNear(p, land); break;
                default: drawGround(p, land); break;
                }
            };
            out.append(spec);
        }
        ImageSpec solid;
        solid.path = QStringLiteral("img/bkg/ground-%1.png").arg(land);
        solid.frameWidth = int(W);
        solid.frameHeight = int(H) - kGroundSolidFrom;
        solid.draw = [land](QPainter &p, int) {
            p.translate(0, -kGroundSolidFrom);
            drawGround(p, land);
        };
        out.append(solid);
    }
}

} // namespace art
