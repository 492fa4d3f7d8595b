// Game-scene props and widgets: cloud puff, effect icons, tentacle, portal,
// life hearts, coin, roulette with its symbols, the dancing assistant and the
// button faces. Sizes are chosen for the 1920 x 1280 scene: hearts and coins
// share the top-left status column, the roulette (820 x 320) sits top right
// with its three 200 x 200 symbols laid over its reel windows.

#include "art.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

namespace art {
namespace {

const QColor kInk(34, 22, 38);

// ---- cloud puff: 6 frames growing and fading, the 7th empty (rest frame) ----

void cloudImpl(QPainter &p, int frame)
{
    if (frame >= 6)
        return; // the rest frame must leave the creature visible
    const QPointF c(157, 157);
    const double t = frame / 5.0;
    const double grow = 0.4 + 0.6 * std::pow(t, 0.6);
    const double fade = frame < 3 ? 1.0 : 1.0 - (frame - 2) / 4.0;
    Rng rng(42);
    QPainterPath puff;
    for (int i = 0; i < 9; ++i) {
        const double a = 2 * kPi * i / 9 + rng.range(-0.2, 0.2);
        const double r = (70 + rng.range(-10, 10)) * grow;
        const double br = (44 + rng.range(-8, 12)) * grow;
        puff.addEllipse(c + QPointF(std::cos(a) * r, std::sin(a) * r * 0.9), br, br);
    }
    puff.addEllipse(c, 80 * grow, 76 * grow);
    puff.setFillRule(Qt::WindingFill);
    const QPainterPath shape = puff.simplified();
    p.setOpacity(fade);
    QRadialGradient g(c - QPointF(30, 40) * grow, 150 * grow);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(0.6, QColor(236, 232, 250));
    g.setColorAt(1, QColor(180, 170, 210));
    p.setBrush(g);
    p.setPen(QPen(QColor(120, 100, 160), 4));
    p.drawPath(shape);
    // sparkles flying out
    for (int i = 0; i < 6; ++i) {
        const double a = 2 * kPi * i / 6 + 0.3;
        const double r = (60 + 90 * t);
        shadedFill(p, star(c + QPointF(std::cos(a) * r, std::sin(a) * r), 12 * (1 - t * 0.5), 4, 4, 0),
                   QColor(255, 240, 140), 0);
    }
    p.setOpacity(1);
}

// ---- effect icons (160 x 160) -------------------------------------------

void badge(QPainter &p, const QColor &c)
{
    const QPointF centre(80, 80);
    glow(p, centre, 80, alpha(c, 0.6));
    roundFill(p, ellipse(centre, 62, 62), c, 6, kInk);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawEllipse(QPointF(62, 52), 30, 16);
}

void drawHeal(QPainter &p)
{
    badge(p, QColor(70, 200, 90));
    QPainterPath plus;
    plus.addRoundedRect(QRectF(66, 36, 28, 88), 8, 8);
    plus.addRoundedRect(QRectF(36, 66, 88, 28), 8, 8);
    plus.setFillRule(Qt::WindingFill);
    p.setPen(QPen(QColor(20, 90, 40), 4));
    p.setBrush(Qt::white);
    p.drawPath(plus.simplified());
    shadedFill(p, heartPath(QPointF(120, 122), 42), QColor(255, 90, 120), 4, kInk);
}

void drawDamage(QPainter &p)
{
    glow(p, QPointF(80, 80), 80, QColor(255, 60, 40, 150));
    // broken heart: two halves pushed apart along a zigzag crack
    const QPainterPath heart = heartPath(QPointF(80, 84), 130);
    QPainterPath left;
    left.moveTo(0, 0);
    left.lineTo(80, 0);
    left.lineTo(80, 30);
    left.lineTo(66, 56);
    left.lineTo(90, 82);
    left.lineTo(70, 108);
    left.lineTo(80, 160);
    left.lineTo(0, 160);
    left.closeSubpath();
    QPainterPath right;
    right.addRect(QRectF(0, 0, 160, 160));
    right = right.subtracted(left);
    p.save();
    p.translate(-8, 4);
    p.rotate(-8);
    shadedFill(p, heart.intersected(left), QColor(220, 40, 50), 6, kInk);
    p.restore();
    p.save();
    p.translate(10, -2);
    p.rotate(8);
    shadedFill(p, heart.intersected(right), QColor(220, 40, 50), 6, kInk);
    p.restore();
    // an X mark on top
    p.setPen(QPen(kInk, 22, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(112, 112), QPointF(146, 146));
    p.drawLine(QPointF(112, 146), QPointF(146, 112));
    p.setPen(QPen(Qt::white, 12, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(112, 112), QPointF(146, 146));
    p.drawLine(QPointF(112, 146), QPointF(146, 112));
}

void drawNeutral(QPainter &p)
{
    badge(p, QColor(150, 156, 170));
    p.setPen(QPen(QColor(60, 64, 80), 4));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(42, 54, 76, 20), 8, 8);
    p.drawRoundedRect(QRectF(42, 86, 76, 20), 8, 8);
}

// ---- tentacle (300 x 900): tip curled at the top, reaching in from the right -

void drawTentacle(QPainter &p)
{
    QPainterPath spine;
    spine.moveTo(222, 900);
    spine.cubicTo(222, 700, 150, 560, 170, 400);
    spine.cubicTo(190, 250, 90, 200, 80, 120);
    spine.cubicTo(72, 60, 130, 30, 160, 60);
    spine.cubicTo(180, 80, 160, 110, 135, 100);
    // a stroke that narrows towards the tip: built from circles along the curve
    QPainterPath body;
    const int n = 160;
    for (int i = 0; i <= n; ++i) {
        const double t = double(i) / n;
        const QPointF pt = spine.pointAtPercent(t);
        const double r = 10 + 80 * std::pow(1 - t, 1.3);
        body.addEllipse(pt, r, r);
    }
    body.setFillRule(Qt::WindingFill);
    const QPainterPath shape = body.simplified();
    QLinearGradient g(0, 0, 300, 0);
    g.setColorAt(0, QColor(200, 110, 220));
    g.setColorAt(0.5, QColor(150, 60, 180));
    g.setColorAt(1, QColor(80, 30, 110));
    p.setBrush(g);
    p.setPen(QPen(kInk, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shape);
    // suckers along the inner (left) side
    for (int i = 4; i < 30; ++i) {
        const double t = i / 34.0;
        const QPointF pt = spine.pointAtPercent(t);
        const double ang = qDegreesToRadians(-spine.angleAtPercent(t));
        const double r = 10 + 80 * std::pow(1 - t, 1.3);
        const QPointF normal(std::sin(ang), -std::cos(ang)); // left of the direction of travel
        const QPointF s = pt + normal * r * 0.55;
        const double sr = 4 + r * 0.22;
        p.setPen(QPen(QColor(120, 40, 120), 3));
        p.setBrush(QColor(250, 190, 230));
        p.drawEllipse(s, sr, sr * 0.8);
        p.setBrush(QColor(200, 120, 190));
        p.drawEllipse(s, sr * 0.45, sr * 0.35);
    }
    // sheen
    p.setPen(QPen(QColor(255, 255, 255, 80), 10, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath sheen;
    for (int i = 0; i <= 40; ++i) {
        const double t = 0.05 + 0.6 * i / 40.0;
        const QPointF pt = spine.pointAtPercent(t) + QPointF(30 * (1 - t), 0);
        if (i == 0)
            sheen.moveTo(pt);
        else
            sheen.lineTo(pt);
    }
    p.drawPath(sheen);
}

// ---- coin and hearts ---------------------------------------------------------

void drawCoin(QPainter &p, QPointF c, double r)
{
    p.setPen(QPen(kInk, r * 0.09));
    QRadialGradient g(c + QPointF(-r * 0.3, -r * 0.35), r * 1.3);
    g.setColorAt(0, QColor(255, 246, 170));
    g.setColorAt(0.5, QColor(255, 200, 40));
    g.setColorAt(1, QColor(200, 120, 10));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(QColor(190, 120, 20), r * 0.07));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r * 0.76, r * 0.76);
    shadedFill(p, star(c, r * 0.5, r * 0.22, 5), QColor(255, 226, 90), r * 0.05, QColor(170, 100, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(c + QPointF(-r * 0.42, -r * 0.42), r * 0.16, r * 0.1);
}

void drawHeart(QPainter &p, bool on)
{
    const QPainterPath h = heartPath(QPointF(48, 46), 88);
    if (on) {
        glow(p, QPointF(48, 44), 48, QColor(255, 80, 100, 90));
        roundFill(p, h, QColor(235, 40, 70), 6, kInk);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 170));
        p.drawEllipse(QPointF(30, 28), 11, 7);
    } else {
        p.setBrush(QColor(60, 50, 70, 150));
        p.setPen(QPen(QColor(150, 140, 160), 6, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(h);
    }
}

// ---- portal: 4 frames of a turning vortex (280 x 280) ----------------------

// three arms, so a third of a turn spread over four frames loops seamlessly
void portalImpl(QPainter &p, QPointF c, double R, double turn)
{
    glow(p, c, R * 1.05, QColor(120, 220, 255, 160));
    QRadialGradient g(c, R * 0.9);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(0.25, QColor(160, 240, 255));
    g.setColorAt(0.7, QColor(80, 60, 220));
    g.setColorAt(1, QColor(40, 10, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, R * 0.86, R * 0.86);
    p.save();
    p.setClipPath(ellipse(c, R * 0.86, R * 0.86), Qt::IntersectClip);
    for (int arm = 0; arm < 3; ++arm) {
        QPainterPath spiral;
        for (int i = 0; i <= 60; ++i) {
            const double s = i / 60.0;
            const double a = turn * 2 * kPi + arm * 2 * kPi / 3 + s * 2.6 * kPi;
            const QPointF pt = c + QPointF(std::cos(a), std::sin(a)) * (R * 0.9 * s);
            if (i == 0)
                spiral.moveTo(pt);
            else
                spiral.lineTo(pt);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 150), R * 0.09, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(spiral);
        p.setPen(QPen(QColor(200, 120, 255, 200), R * 0.035, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(spiral);
    }
    p.restore();
    // rim of stones
    p.setPen(QPen(kInk, R * 0.035));
    for (int i = 0; i < 12; ++i) {
        const double a = 2 * kPi * i / 12;
        const QPointF s = c + QPointF(std::cos(a), std::sin(a)) * R * 0.9;
        QRadialGradient sg(s - QPointF(R * 0.03, R * 0.04), R * 0.14);
        sg.setColorAt(0, QColor(200, 190, 230));
        sg.setColorAt(1, QColor(90, 70, 130));
        p.setBrush(sg);
        p.drawEllipse(s, R * 0.11, R * 0.09);
    }
    // runes glowing in turn
    for (int i = 0; i < 12; i += 3) {
        const double a = 2 * kPi * i / 12;
        const QPointF s = c + QPointF(std::cos(a), std::sin(a)) * R * 0.9;
        glow(p, s, R * 0.12, QColor(140, 255, 255, 200));
    }
}

// ---- roulette: 820 x 320, frames 1-5 spinning, 6 resting ---------------------

const QRectF kReels[3] = {QRectF(146, 44, 208, 212), QRectF(351, 44, 208, 212), QRectF(556, 44, 208, 212)};

void rouletteImpl(QPainter &p, int frame)
{
    const bool spinning = frame < 5;
    // cabinet
    const QRectF body(18, 14, 784, 288);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(body.translated(0, 8), 48, 48);
    QLinearGradient g(0, body.top(), 0, body.bottom());
    g.setColorAt(0, QColor(255, 110, 150));
    g.setColorAt(0.5, QColor(210, 40, 100));
    g.setColorAt(1, QColor(130, 20, 70));
    p.setBrush(g);
    p.setPen(QPen(kInk, 7));
    p.drawRoundedRect(body, 48, 48);
    // inner gold frame around the reels
    const QRectF frameRect(kReels[0].left() - 16, kReels[0].top() - 14, kReels[2].right() - kReels[0].left() + 32,
                           kReels[0].height() + 28);
    QLinearGradient gold(0, frameRect.top(), 0, frameRect.bottom());
    gold.setColorAt(0, QColor(255, 240, 150));
    gold.setColorAt(0.5, QColor(240, 180, 40));
    gold.setColorAt(1, QColor(190, 120, 20));
    p.setBrush(gold);
    p.setPen(QPen(kInk, 5));
    p.drawRoundedRect(frameRect, 22, 22);
    // reels
    for (int r = 0; r < 3; ++r) {
        const QRectF rr = kReels[r].adjusted(4, 4, -4, -4);
        QLinearGradient rg(0, rr.top(), 0, rr.bottom());
        rg.setColorAt(0, QColor(190, 190, 210));
        rg.setColorAt(0.22, QColor(255, 255, 255));
        rg.setColorAt(0.78, QColor(255, 255, 255));
        rg.setColorAt(1, QColor(170, 170, 200));
        p.setBrush(rg);
        p.setPen(QPen(kInk, 4));
        p.drawRoundedRect(rr, 14, 14);
        if (spinning) {
            // motion streaks of symbols rushing past
            p.save();
            p.setClipRect(rr, Qt::IntersectClip);
            Rng rng(quint64(r * 10 + frame));
            const QColor cols[3] = {QColor(255, 200, 40), QColor(230, 40, 60), QColor(60, 140, 255)};
            for (int k = 0; k < 6; ++k) {
                const double y = rr.top() + std::fmod(frame * 47.0 + k * 64 + r * 23, rr.height() + 60) - 30;
                p.setPen(Qt::NoPen);
                p.setBrush(alpha(cols[(k + r + frame) % 3], 0.45));
                p.drawRoundedRect(QRectF(rr.left() + 40 + rng.range(-8, 8), y, rr.width() - 80, 34), 16, 16);
            }
            p.restore();
        }
    }
    // light bulbs along the top and bottom; while spinning they chase
    for (int i = 0; i < 14; ++i) {
        for (int row = 0; row < 2; ++row) {
            const QPointF b(92 + i * 49, row ? 282 : 30);
            const bool lit = spinning ? ((i + frame + row) % 3 == 0) : (i % 2 == row);
            if (lit)
                glow(p, b, 22, QColor(255, 250, 180, 220));
            p.setPen(QPen(kInk, 2.5));
            p.setBrush(lit ? QColor(255, 250, 200) : QColor(180, 120, 60));
            p.drawEllipse(b, 7, 7);
        }
    }
    // lever on the left: pulled down in the first frames, springing back
    const double pull[6] = {0.0, 0.6, 1.0, 0.7, 0.3, 0.0};
    const double k = spinning ? pull[frame + 1 > 5 ? 5 : frame + 1] : 0.0;
    const QPointF pivot(82, 160);
    const double ang = qDegreesToRadians(-110 + 140 * k);
    const QPointF knob = pivot + QPointF(std::cos(ang), std::sin(ang)) * 100;
    shadedFill(p, roundedRect(QRectF(58, 120, 48, 80), 14), QColor(120, 120, 140), 4, kInk);
    p.setPen(QPen(kInk, 16, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pivot, knob);
    p.setPen(QPen(QColor(220, 220, 235), 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pivot, knob);
    roundFill(p, ellipse(knob, 22, 22), QColor(240, 40, 60), 5, kInk);
    roundFill(p, ellipse(pivot, 14, 14), QColor(200, 200, 215), 4, kInk);
}

void signImpl(QPainter &p, int which)
{
    const QPointF c(100, 100);
    switch (which) {
    case 0: // golden star
        glow(p, c, 96, QColor(255, 230, 120, 140));
        shadedFill(p, star(c, 86, 38, 5), QColor(255, 206, 40), 7, kInk);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 150));
        p.drawEllipse(QPointF(82, 72), 14, 9);
        break;
    case 1: { // cherries
        p.setPen(QPen(QColor(60, 120, 40), 9, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath stems;
        stems.moveTo(64, 128);
        stems.quadTo(80, 60, 126, 30);
        stems.moveTo(138, 136);
        stems.quadTo(126, 70, 126, 30);
        p.drawPath(stems);
        QPainterPath leafPath;
        leafPath.moveTo(126, 30);
        leafPath.quadTo(150, 10, 178, 34);
        leafPath.quadTo(150, 50, 126, 30);
        shadedFill(p, leafPath, QColor(90, 190, 70), 5, kInk);
        roundFill(p, ellipse(QPointF(62, 140), 40, 40), QColor(225, 30, 50), 6, kInk);
        roundFill(p, ellipse(QPointF(140, 146), 40, 40), QColor(225, 30, 50), 6, kInk);
        break;
    }
    default: { // blue gem
        QPainterPath gem = polygon({QPointF(52, 40), QPointF(148, 40), QPointF(184, 84), QPointF(100, 176),
                                    QPointF(16, 84)});
        glow(p, c, 96, QColor(120, 200, 255, 140));
        shadedFill(p, gem, QColor(50, 140, 250), 7, kInk);
        p.setPen(QPen(QColor(20, 60, 160), 4));
        p.drawLine(QPointF(16, 84), QPointF(184, 84));
        p.drawLine(QPointF(70, 84), QPointF(100, 176));
        p.drawLine(QPointF(130, 84), QPointF(100, 176));
        p.drawLine(QPointF(70, 84), QPointF(84, 40));
        p.drawLine(QPointF(130, 84), QPointF(116, 40));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 170));
        p.drawPath(polygon({QPointF(56, 48), QPointF(80, 48), QPointF(66, 78), QPointF(34, 80)}));
        break;
    }
    }
}

// ---- assistant: a cheering little helper, 8 frames of 256 x 256 -------------

void assistantImpl(QPainter &p, int frame)
{
    const double ph = frame / 8.0 * 2 * kPi;
    const double hop = 18 * std::abs(std::sin(ph));
    const double sway = 10 * std::sin(ph);
    const QPointF c(128 + sway * 0.5, 150 - hop);
    // shadow
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(QPointF(128, 246), 56 - hop * 0.6, 9);
    p.save();
    p.translate(c);
    p.rotate(sway);
    const QColor body(255, 140, 200), dark(200, 80, 150);
    // legs kicking in turn
    const double kickL = frame % 4 < 2 ? 30 : -6, kickR = frame % 4 < 2 ? -6 : 30;
    for (int s = -1; s <= 1; s += 2) {
        const double kick = s < 0 ? kickL : kickR;
        const QPointF hip(s * 22, 50);
        const double a = qDegreesToRadians(90 - s * kick);
        const QPointF foot = hip + QPointF(std::cos(a), std::sin(a)) * 44;
        p.setPen(QPen(kInk, 20, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(hip, foot);
        p.setPen(QPen(dark, 12, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(hip, foot);
        shadedFill(p, ellipse(foot + QPointF(s * 6, 4), 16, 10), QColor(90, 60, 200), 4, kInk);
    }
    // arms with pom-poms, waving up and down alternately
    const double up = std::sin(ph * 2);
    for (int s = -1; s <= 1; s += 2) {
        const double lift = s < 0 ? up : -up;
        const double a = qDegreesToRadians(s < 0 ? 180 + 40 + 60 * lift : -40 - 60 * lift);
        const QPointF sh(s * 44, -4);
        const QPointF hand = sh + QPointF(std::cos(a), std::sin(a)) * 58;
        p.setPen(QPen(kInk, 18, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(sh, hand);
        p.setPen(QPen(body, 10, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(sh, hand);
        QPainterPath pom;
        for (int i = 0; i < 10; ++i) {
            const double pa = 2 * kPi * i / 10 + frame * 0.3;
            pom.addEllipse(hand + QPointF(std::cos(pa), std::sin(pa)) * 16, 10, 10);
        }
        pom.setFillRule(Qt::WindingFill);
        shadedFill(p, pom.simplified(), s < 0 ? QColor(255, 220, 60) : QColor(80, 220, 255), 3.5, kInk);
    }
    // body and head in one round shape with a little skirt
    shadedFill(p, polygon({QPointF(-48, 30), QPointF(48, 30), QPointF(62, 64), QPointF(-62, 64)}),
               QColor(120, 90, 230), 5, kInk);
    roundFill(p, ellipse(QPointF(0, 0), 58, 58), body, 6, kInk);
    // bow on top
    shadedFill(p, polygon({QPointF(0, -54), QPointF(-34, -78), QPointF(-30, -40)}), QColor(120, 90, 230), 4, kInk);
    shadedFill(p, polygon({QPointF(0, -54), QPointF(34, -78), QPointF(30, -40)}), QColor(120, 90, 230), 4, kInk);
    roundFill(p, ellipse(QPointF(0, -54), 10, 10), QColor(255, 220, 60), 4, kInk);
    // happy face: closed smiling eyes on the even beats
    const bool blink = frame % 4 == 3;
    for (int s = -1; s <= 1; s += 2) {
        const QPointF e(s * 20, -10);
        if (blink) {
            QPainterPath arc;
            arc.moveTo(e + QPointF(-10, 2));
            arc.quadTo(e + QPointF(0, -10), e + QPointF(10, 2));
            p.setPen(QPen(kInk, 5, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(arc);
        } else {
            p.setPen(QPen(kInk, 3.5));
            p.setBrush(Qt::white);
            p.drawEllipse(e, 12, 14);
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            p.drawEllipse(e + QPointF(0, 2), 7, 8);
            p.setBrush(Qt::white);
            p.drawEllipse(e + QPointF(3, -3), 2.5, 2.5);
        }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 90, 130, 120));
    p.drawEllipse(QPointF(-34, 12), 9, 6);
    p.drawEllipse(QPointF(34, 12), 9, 6);
    QPainterPath mouth;
    mouth.moveTo(-16, 16);
    mouth.quadTo(0, 40, 16, 16);
    mouth.closeSubpath();
    p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(190, 40, 80));
    p.drawPath(mouth);
    p.restore();
    // musical notes / sparkles around
    for (int i = 0; i < 3; ++i) {
        const double a = ph + i * 2.1;
        const QPointF s(128 + std::cos(a) * 100, 70 + std::sin(a) * 40);
        shadedFill(p, star(s, 10, 4, 4, 0), QColor(255, 240, 120), 2, kInk);
    }
}

// ---- button faces -----------------------------------------------------------

void drawButton(QPainter &p, const QRectF &r, double radius)
{
    // lower lip (gives the face depth), face, glossy top half
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(r.adjusted(4, 12, -4, 4), radius, radius);
    const QRectF lip = r.adjusted(6, 14, -6, -6);
    p.setBrush(QColor(170, 70, 10));
    p.setPen(QPen(kInk, 6));
    p.drawRoundedRect(lip, radius, radius);
    const QRectF face = r.adjusted(6, 6, -6, -16);
    QLinearGradient g(0, face.top(), 0, face.bottom());
    g.setColorAt(0, QColor(255, 214, 90));
    g.setColorAt(0.5, QColor(255, 160, 40));
    g.setColorAt(1, QColor(236, 110, 20));
    p.setBrush(g);
    p.drawRoundedRect(face, radius, radius);
    QLinearGradient gloss(0, face.top(), 0, face.center().y());
    gloss.setColorAt(0, QColor(255, 255, 255, 170));
    gloss.setColorAt(1, QColor(255, 255, 255, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(face.adjusted(face.width() * 0.06, 6, -face.width() * 0.06, -face.height() / 2), radius * 0.7,
                      radius * 0.7);
}

} // namespace

void drawPortal(QPainter &p, QPointF center, double radius, double turn) { portalImpl(p, center, radius, turn); }
void drawRoulette(QPainter &p, int frame) { rouletteImpl(p, frame); }
void drawSign(QPainter &p, int which) { signImpl(p, which); }
void drawCloud(QPainter &p, int frame) { cloudImpl(p, frame); }
void drawAssistant(QPainter &p, int frame) { assistantImpl(p, frame); }

void addItemImages(QVector<ImageSpec> &out)
{
    auto single = [&](const QString &path, int w, int h, std::function<void(QPainter &)> f) {
        out.append({path, w, h, 1, [f](QPainter &p, int) { f(p); }});
    };
    out.append({QStringLiteral("img/misc/cloud.png"), 314, 314, 7, cloudImpl});
    single(QStringLiteral("img/misc/heal.png"), 160, 160, drawHeal);
    single(QStringLiteral("img/misc/damage.png"), 160, 160, drawDamage);
    single(QStringLiteral("img/misc/neutral.png"), 160, 160, drawNeutral);
    single(QStringLiteral("img/misc/tantacle.png"), 300, 900, drawTentacle);
    out.append({QStringLiteral("img/misc/portal.png"), 280, 280, 4,
                [](QPainter &p, int f) { portalImpl(p, QPointF(140, 140), 134, -f / 12.0); }});
    single(QStringLiteral("img/misc/heart_on.png"), 96, 88, [](QPainter &p) { drawHeart(p, true); });
    single(QStringLiteral("img/misc/heart_off.png"), 96, 88, [](QPainter &p) { drawHeart(p, false); });
    single(QStringLiteral("img/misc/coin.png"), 80, 80, [](QPainter &p) { drawCoin(p, QPointF(40, 40), 36); });
    out.append({QStringLiteral("img/misc/roulette.png"), 820, 320, 6, rouletteImpl});
    for (int i = 0; i < 3; ++i)
        single(QStringLiteral("img/misc/sign-%1.png").arg(i), 200, 200, [i](QPainter &p) { signImpl(p, i); });
    out.append({QStringLiteral("img/misc/assistant.png"), 256, 256, 8, assistantImpl});
    single(QStringLiteral("img/buttons/button-text.png"), 480, 150,
           [](QPainter &p) { drawButton(p, QRectF(0, 0, 480, 150), 44); });
    single(QStringLiteral("img/buttons/button-small.png"), 160, 160,
           [](QPainter &p) { drawButton(p, QRectF(0, 0, 160, 160), 56); });
}

} // namespace art
