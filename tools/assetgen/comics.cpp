// The title screen (comix.png) and the comic page (background.png), both
// 1920 x 1280 like the scene. The title shows the hero running at a portal
// that opens onto another land; the comic page tells the premise in six
// panels: running, a portal coming, through it, the roulette spins, the
// creature changes and feels the new land, and the run is won. The game puts
// "Play!" over the middle of both, so the middle is kept calm and bright.

#include "art.h"

#include <QFont>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

namespace art {
namespace {

const QColor kInk(34, 22, 38);
constexpr double kW = 1920;
constexpr double kH = 1280;

// Draws the part of a land tile between source rows y0..y1 scaled into `r`
// (repeating the tile sideways as the game does).
void landInRect(QPainter &p, int land, const QRectF &r, double y0, double y1, double xShift = 0)
{
    const double s = r.height() / (y1 - y0);
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    p.translate(r.left(), r.top());
    p.scale(s, s);
    p.translate(-xShift, -y0);
    for (double x = 0; x < xShift + r.width() / s; x += 1500) {
        p.save();
        p.translate(x, 0);
        // one tile's worth: the layer outlines reach a little beyond the tile
        p.setClipRect(QRectF(0, -1, 1500, 1282), Qt::IntersectClip);
        drawLand(p, land);
        p.restore();
    }
    p.restore();
}

void speedLines(QPainter &p, QPointF from, int n, double len, double spread)
{
    p.setPen(QPen(QColor(255, 255, 255, 200), 6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < n; ++i) {
        const double y = from.y() + (i - n / 2.0) * spread;
        p.drawLine(QPointF(from.x() - (i % 2) * 20, y), QPointF(from.x() - len - (i % 2) * 20, y));
    }
}

void burst(QPainter &p, QPointF c, double outer, double inner, const QColor &col, int points = 16)
{
    shadedFill(p, star(c, outer, inner, points, -90), col, 8, kInk, 0.4, 0.15);
}

void title(QPainter &p)
{
    // the meadow, the hero's start, filling the screen
    landInRect(p, 0, QRectF(0, 0, kW, kH), 0, 1280);
    // the portal opens onto the candy moon
    const QPointF c(1010, 600);
    const double R = 330;
    glow(p, c, R * 1.5, QColor(150, 220, 255, 170));
    p.save();
    p.setClipPath(ellipse(c, R * 0.86, R * 0.86), Qt::IntersectClip);
    landInRect(p, 5, QRectF(c.x() - R, c.y() - R, 2 * R, 2 * R), 200, 1000, 300);
    p.restore();
    p.save();
    p.setOpacity(0.55);
    drawPortal(p, c, R, 0.08);
    p.restore();
    // the rim stones at full strength over the swirl
    for (int i = 0; i < 16; ++i) {
        const double a = 2 * kPi * i / 16;
        const QPointF s = c + QPointF(std::cos(a), std::sin(a)) * R * 0.92;
        roundFill(p, ellipse(s, R * 0.08, R * 0.065), QColor(150, 130, 200), 4, kInk);
    }
    // creatures: the hero dashing in, two already changed ones tumbling out
    speedLines(p, QPointF(280, 1000), 5, 240, 34);
    drawCreature(p, 6, QPointF(450, 1150), 1.9, 0.25, true);
    drawCreature(p, 1, QPointF(1500, 1120), 1.25, 0.6, true);
    drawCreature(p, 3, QPointF(1750, 1180), 1.15, 0.1, true);
    drawCreature(p, 2, QPointF(1230, 1180), 0.95, 0.45, true);
    // logo
    QFont f(fontFamily());
    f.setPixelSize(230);
    f.setWeight(QFont::Black);
    p.save();
    p.translate(960, 250);
    p.rotate(-3);
    outlinedText(p, QStringLiteral("Quillox"), f, QPointF(8, 16), QColor(0, 0, 0, 0), QColor(40, 10, 60, 160), 44);
    QPainterPath text;
    const QFontMetricsF fm(f);
    text.addText(-fm.horizontalAdvance(QStringLiteral("Quillox")) / 2, 0, f, QStringLiteral("Quillox"));
    p.setPen(QPen(kInk, 26, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(text);
    QLinearGradient g(0, -170, 0, 10);
    g.setColorAt(0, QColor(255, 250, 170));
    g.setColorAt(0.5, QColor(255, 190, 40));
    g.setColorAt(1, QColor(240, 100, 30));
    p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(text);
    p.restore();
    // little coins and hearts floating around the logo
    for (int i = 0; i < 5; ++i) {
        const QPointF at(330 + i * 320, 420 + (i % 2) * 40);
        if (i == 2)
            continue;
        p.save();
        p.translate(at);
        p.rotate(-12 + i * 6);
        p.translate(-40, -40);
        p.setOpacity(0.95);
        if (i % 2)
            shadedFill(p, heartPath(QPointF(40, 40), 70), QColor(235, 40, 70), 5, kInk);
        else
            drawSign(p, 0);
        p.restore();
    }
}

struct Panel {
    QRectF r;
};

void panelFrame(QPainter &p, const QRectF &r)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 10, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(r);
}

void caption(QPainter &p, const QRectF &r, int number)
{
    const QRectF box(r.left() + 14, r.top() + 14, 64, 64);
    p.setPen(QPen(kInk, 5));
    p.setBrush(QColor(255, 246, 200));
    p.drawRect(box);
    QFont f(fontFamily());
    f.setPixelSize(46);
    f.setWeight(QFont::Black);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(box, Qt::AlignCenter, QString::number(number));
}

void comicPage(QPainter &p)
{
    // paper with a halftone tint
    p.fillRect(QRectF(0, 0, kW, kH), QColor(250, 236, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 200, 150, 120));
    for (int y = 0; y < kH; y += 24)
        for (int x = (y / 24) % 2 * 12; x < kW; x += 24)
            p.drawEllipse(QPointF(x, y), 4, 4);

    const double m = 50, gutter = 36;
    const double pw = (kW - 2 * m - 2 * gutter) / 3, ph = (kH - 2 * m - gutter) / 2;
    auto rect = [&](int col, int row) { return QRectF(m + col * (pw + gutter), m + row * (ph + gutter), pw, ph); };

    // 1: the hero runs on the candy moon
    {
        const QRectF r = rect(0, 0);
        landInRect(p, 5, r, 300, 1060, 120);
        p.save();
        p.setClipRect(r, Qt::IntersectClip);
        speedLines(p, QPointF(r.left() + 170, r.top() + 390), 5, 150, 30);
        drawCreature(p, 6, QPointF(r.left() + 300, r.bottom() - 90), 1.5, 0.25, true);
        p.restore();
        panelFrame(p, r);
        caption(p, r, 1);
    }
    // 2: a portal rushes towards it
    {
        const QRectF r = rect(1, 0);
        landInRect(p, 5, r, 300, 1060, 700);
        p.save();
        p.setClipRect(r, Qt::IntersectClip);
        drawPortal(p, QPointF(r.right() - 150, r.bottom() - 230), 140, 0.1);
        p.setPen(QPen(QColor(255, 255, 255, 220), 8, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(r.right() - 20, r.bottom() - 330 + i * 60), QPointF(r.right() + 30, r.bottom() - 330 + i * 60));
        drawCreature(p, 6, QPointF(r.left() + 170, r.bottom() - 90), 1.3, 0, false);
        // "!" bubble
        burst(p, QPointF(r.left() + 190, r.top() + 130), 80, 52, QColor(255, 240, 90), 12);
        QFont f(fontFamily());
        f.setPixelSize(100);
        f.setWeight(QFont::Black);
        outlinedText(p, QStringLiteral("!"), f, QPointF(r.left() + 190, r.top() + 166), QColor(230, 40, 60), kInk, 10);
        p.restore();
        panelFrame(p, r);
        caption(p, r, 2);
    }
    // 3: through the portal into a new land
    {
        const QRectF r = rect(2, 0);
        landInRect(p, 1, r, 300, 1060, 400);
        p.save();
        p.setClipRect(r, Qt::IntersectClip);
        const QPointF pc(r.left() + 200, r.center().y() + 40);
        drawPortal(p, pc, 190, 0.2);
        p.translate(pc);
        p.rotate(-25);
        p.translate(-pc);
        drawCreature(p, 6, pc + QPointF(110, 130), 1.2, 0.5, true);
        p.restore();
        panelFrame(p, r);
        caption(p, r, 3);
    }
    // 4: tap: the roulette spins
    {
        const QRectF r = rect(0, 1);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(90, 40, 150));
        g.setColorAt(1, QColor(230, 90, 160));
        p.fillRect(r, g);
        p.save();
        p.setClipRect(r, Qt::IntersectClip);
        burst(p, r.center(), 420, 260, QColor(255, 210, 90, 160), 20);
        p.translate(r.center().x() - 820 * 0.33, r.top() + 150);
        p.scale(0.66, 0.66);
        drawRoulette(p, 2);
        for (int i = 0; i < 3; ++i) {
            p.save();
            p.translate(150 + i * 205, 50);
            drawSign(p, (i * 2) % 3);
            p.restore();
        }
        p.restore();
        p.save();
        p.setClipRect(r, Qt::IntersectClip);
        // a finger tapping
        const QPointF tap(r.left() + 420, r.bottom() - 110);
        p.setPen(QPen(QColor(255, 255, 255, 220), 7));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(tap, 40, 40);
        p.drawEllipse(tap, 70, 70);
        shadedFill(p, roundedRect(QRectF(tap.x() - 22, tap.y() - 10, 44, 150), 22), QColor(255, 214, 180), 6, kInk);
        p.restore();
        panelFrame(p, r);
        caption(p, r, 4);
    }
    // 5: puff! a new creature: this land suits it (heal) ...
    {
        const QRectF r = rect(1, 1);
        landInRect(p, 1, r, 300, 1060, 900);
        p.save();
        p.setClipRect(r, Qt::IntersectClip);
        p.translate(r.left() + pw / 2 - 157 * 1.4 - 40, r.bottom() - 420);
        p.scale(1.4, 1.4);
        drawCloud(p, 3);
        p.restore();
        p.save();
        p.setClipRect(r, Qt::IntersectClip);
        drawCreature(p, 1, QPointF(r.left() + pw / 2 - 40, r.bottom() - 90), 1.35, 0.1, false);
        p.translate(r.right() - 190, r.top() + 70);
        p.scale(1.0, 1.0);
        // the heal icon rising
        shadedFill(p, ellipse(QPointF(80, 80), 62, 62), QColor(70, 200, 90), 6, kInk);
        QPainterPath plus;
        plus.addRoundedRect(QRectF(66, 36, 28, 88), 8, 8);
        plus.addRoundedRect(QRectF(36, 66, 88, 28), 8, 8);
        plus.setFillRule(Qt::WindingFill);
        p.setPen(QPen(QColor(20, 90, 40), 4));
        p.setBrush(Qt::white);
        p.drawPath(plus.simplified());
        p.restore();
        panelFrame(p, r);
        caption(p, r, 5);
    }
    // 6: ten lands later: victory, with the dancing helpers
    {
        const QRectF r = rect(2, 1);
        QRadialGradient g(r.center(), pw * 0.8);
        g.setColorAt(0, QColor(255, 250, 200));
        g.setColorAt(1, QColor(255, 170, 60));
        p.fillRect(r, g);
        p.save();
        p.setClipRect(r, Qt::IntersectClip);
        for (int i = 0; i < 16; ++i) {
            const double a = 2 * kPi * i / 16;
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 255, 90));
            p.drawPath(polygon({r.center(), r.center() + QPointF(std::cos(a), std::sin(a)) * 800,
                                r.center() + QPointF(std::cos(a + 0.15), std::sin(a + 0.15)) * 800}));
        }
        p.save();
        p.translate(r.left() + 10, r.bottom() - 280);
        drawAssistant(p, 1);
        p.restore();
        p.save();
        p.translate(r.right() - 10, r.bottom() - 280);
        p.scale(-1, 1);
        drawAssistant(p, 5);
        p.restore();
        drawCreature(p, 4, QPointF(r.center().x(), r.bottom() - 60), 1.3, 0, false);
        for (int i = 0; i < 3; ++i)
            shadedFill(p, heartPath(QPointF(r.center().x() - 90 + i * 90, r.top() + 120), 70), QColor(235, 40, 70), 5, kInk);
        Rng rng(8);
        for (int i = 0; i < 40; ++i) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor::fromHsv(rng.integer(0, 359), 200, 255));
            p.drawRect(QRectF(r.left() + rng.range(0, pw), r.top() + rng.range(0, ph * 0.6), 12, 20));
        }
        p.restore();
        panelFrame(p, r);
        caption(p, r, 6);
    }
    // the badge in the middle, under the game's "Play!"
    burst(p, QPointF(kW / 2, kH / 2), 170, 124, QColor(255, 220, 60), 18);
    roundFill(p, ellipse(QPointF(kW / 2, kH / 2), 112, 112), QColor(240, 80, 60), 7, kInk);
}

} // namespace

void addComicImages(QVector<ImageSpec> &out)
{
    out.append({QStringLiteral("img/misc/comix.png"), int(kW), int(kH), 1, [](QPainter &p, int) { title(p); }});
    out.append({QStringLiteral("img/misc/background.png"), int(kW), int(kH), 1, [](QPainter &p, int) { comicPage(p); }});
}

} // namespace art
