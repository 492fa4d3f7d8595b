// The seven creatures (types 0-5 from the roulette, 6 the starting creature)
// and their strips: frames 1-8 an eight-step run cycle, 9-19 getting hit and
// falling over, 20 lying knocked out (held). Each frame is 256 x 265 with the
// feet at the bottom centre, facing right (the way the creature runs).
//
//   0 Hopsy    meadow frog-bunny: long ears, green
//   1 Sandy    desert fox: huge pointed ears, bushy tail, orange
//   2 Frosty   ice yeti: shaggy white fur, curled horns, blue face
//   3 Cinder   lava dragonling: back spikes, wings, arrow tail, red
//   4 Mossy    forest stag-owl: antlers, owl eyes, mossy brown
//   5 Twinkle  star sprite: golden, star antenna, rainbow belly (at home everywhere)
//   6 Quillox  the hero: round violet body with a fan of quills

#include "art.h"

#include <QtMath>

namespace art {
namespace {

constexpr int kFrameW = 256;
constexpr int kFrameH = 265;
const QColor kInk(34, 22, 38);
constexpr double kOutline = 5;

struct Look {
    QColor body, belly, accent;
    double rx, ry;     // body radii
    double legLen;
};

Look look(int type)
{
    switch (type) {
    case 0: return {QColor(108, 198, 68), QColor(236, 246, 170), QColor(255, 150, 170), 62, 64, 34};
    case 1: return {QColor(242, 140, 46), QColor(255, 236, 206), QColor(255, 170, 170), 56, 66, 38};
    case 2: return {QColor(226, 240, 252), QColor(150, 200, 240), QColor(120, 170, 230), 76, 70, 30};
    case 3: return {QColor(226, 62, 44), QColor(255, 206, 90), QColor(255, 170, 40), 60, 66, 34};
    case 4: return {QColor(140, 96, 62), QColor(226, 200, 150), QColor(110, 170, 80), 66, 64, 32};
    case 5: return {QColor(255, 208, 60), QColor(255, 246, 200), QColor(180, 110, 255), 54, 56, 34};
    default: return {QColor(122, 104, 230), QColor(206, 200, 255), QColor(255, 130, 180), 64, 62, 32};
    }
}

struct Pose {
    double phase = 0;   // run cycle, 0..1
    bool running = false;
    double tilt = 0;    // degrees, negative falls backwards
    double squash = 1;  // < 1 flattened
    double lift = 0;    // units above the ground
    int eyes = 0;       // 0 open, 1 knocked out (x), 2 squeezed shut
    double legsUp = 0;  // 0 standing, 1 legs in the air (lying)
    double dizzy = -1;  // >= 0: stars circling, value is their turn
};

void capsule(QPainter &p, QPointF a, QPointF b, double width, const QColor &c)
{
    QPainterPath line;
    line.moveTo(a);
    line.lineTo(b);
    QPainterPathStroker st;
    st.setWidth(width);
    st.setCapStyle(Qt::RoundCap);
    const QPainterPath shape = st.createStroke(line);
    p.setPen(QPen(kInk, kOutline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(c);
    p.drawPath(shape.simplified());
}

void leg(QPainter &p, QPointF hip, double angleDeg, double len, const QColor &c)
{
    const double a = qDegreesToRadians(90 - angleDeg);
    const QPointF foot = hip + QPointF(std::cos(a), std::sin(a)) * len;
    capsule(p, hip, foot, 24, c);
    QPainterPath shoe = ellipse(foot + QPointF(8, 2), 17, 10);
    shadedFill(p, shoe, c, kOutline, kInk);
}

void eye(QPainter &p, QPointF c, double r, int mode, double lookX = 0.3)
{
    if (mode == 1) {
        p.setPen(QPen(kInk, 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c + QPointF(-r * 0.7, -r * 0.7), c + QPointF(r * 0.7, r * 0.7));
        p.drawLine(c + QPointF(-r * 0.7, r * 0.7), c + QPointF(r * 0.7, -r * 0.7));
        return;
    }
    if (mode == 2) {
        p.setPen(QPen(kInk, 5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath sq;
        sq.moveTo(c + QPointF(-r * 0.8, -r * 0.4));
        sq.lineTo(c + QPointF(r * 0.6, 0));
        sq.lineTo(c + QPointF(-r * 0.8, r * 0.4));
        p.drawPath(sq);
        return;
    }
    p.setPen(QPen(kInk, 4));
    p.setBrush(Qt::white);
    p.drawEllipse(c, r, r * 1.12);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(c + QPointF(r * lookX, r * 0.05), r * 0.55, r * 0.62);
    p.setBrush(Qt::white);
    p.drawEllipse(c + QPointF(r * lookX + r * 0.18, -r * 0.25), r * 0.2, r * 0.2);
}

void paintCreature(QPainter &p, int type, const Pose &pose)
{
    // Local frame: feet centre at (0, 0), y up is negative; the creature faces +x.
    const Look L = look(type);
    const double bob = pose.running ? 4 + 4 * std::cos(4 * kPi * pose.phase) : 0;
    const double swing = pose.running ? 38 * std::sin(2 * kPi * pose.phase) : 0;
    const QPointF centre0(0, -(L.legLen + L.ry * 0.82) + 6);
    const QPointF centre = centre0 - QPointF(0, bob);
    const QColor dark = mix(L.body, Qt::black, 0.25);

    p.save();
    // Falling: rotate about the body centre and bring the body down to rest on its back.
    const double t = qDegreesToRadians(pose.tilt);
    const double lying = std::abs(std::sin(t));
    const QPointF restCentre(lying * 22, centre0.y() * (1 - lying) - (L.rx * 1.08 + 4 + ((type == 3 || type == 6) ? 16 : 0)) * lying - pose.lift);
    p.translate(restCentre.x(), restCentre.y());
    p.rotate(pose.tilt);
    p.scale(1 / std::sqrt(pose.squash), pose.squash);
    p.translate(-centre0.x(), -centre0.y());

    const double hipY = centre.y() + L.ry * 0.7;
    const double legA = pose.legsUp > 0 ? -20 - 10 * pose.legsUp : swing;
    const double legB = pose.legsUp > 0 ? 25 + 15 * pose.legsUp : -swing;

    // --- behind the body: tail, far leg, far arm, back features
    if (type == 1) { // bushy tail
        QPainterPath tail;
        tail.moveTo(-L.rx * 0.7, centre.y() + 20);
        tail.cubicTo(-L.rx * 1.9, centre.y() + 10 - swing * 0.3, -L.rx * 2.0, centre.y() - 70, -L.rx * 1.2,
                     centre.y() - 60 - swing * 0.2);
        tail.cubicTo(-L.rx * 1.5, centre.y() - 20, -L.rx * 1.0, centre.y() + 10, -L.rx * 0.5, centre.y() - 10);
        tail.closeSubpath();
        shadedFill(p, tail, L.body, kOutline, kInk);
        p.save();
        p.setClipPath(tail, Qt::IntersectClip);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 240));
        p.drawEllipse(QPointF(-L.rx * 1.3, centre.y() - 62), 26, 22);
        p.restore();
        p.setPen(QPen(kInk, kOutline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tail);
    }
    if (type == 3) { // arrow tail and wings
        QPainterPath tail;
        tail.moveTo(-L.rx * 0.6, centre.y() + 35);
        tail.quadTo(-L.rx * 1.5, centre.y() + 50 - swing * 0.3, -L.rx * 1.75, centre.y() + 5);
        QPainterPathStroker st;
        st.setWidth(16);
        st.setCapStyle(Qt::RoundCap);
        QPainterPath tailShape = st.createStroke(tail);
        tailShape.addPath(polygon({QPointF(-L.rx * 1.75 - 16, centre.y() + 12), QPointF(-L.rx * 1.9, centre.y() - 22),
                                   QPointF(-L.rx * 1.5, centre.y() - 4)}));
        tailShape.setFillRule(Qt::WindingFill);
        shadedFill(p, tailShape.simplified(), L.body, kOutline, kInk);
        const double flap = pose.running ? 14 * std::sin(4 * kPi * pose.phase) : 0;
        QPainterPath wing;
        wing.moveTo(-10, centre.y() - 20);
        wing.lineTo(-L.rx * 1.25, centre.y() - 78 - flap);
        wing.quadTo(-L.rx * 1.0, centre.y() - 40, -L.rx * 1.3, centre.y() - 22 - flap * 0.5);
        wing.quadTo(-L.rx * 0.8, centre.y() - 20, -L.rx * 0.9, centre.y());
        wing.closeSubpath();
        shadedFill(p, wing, QColor(255, 150, 60), kOutline, kInk);
    }
    if (type == 6) { // fan of quills on the back
        for (int i = 0; i < 7; ++i) {
            const double a = qDegreesToRadians(-160.0 + i * 20 - (pose.running ? 4 * std::sin(4 * kPi * pose.phase) : 0));
            const QPointF root = centre + QPointF(std::cos(a) * L.rx * 0.6, std::sin(a) * L.ry * 0.6);
            const QPointF tip = centre + QPointF(std::cos(a) * (L.rx + 44), std::sin(a) * (L.ry + 44));
            const QPointF side(-std::sin(a) * 12, std::cos(a) * 12);
            QPainterPath quill = polygon({root + side, tip, root - side});
            QLinearGradient g(root, tip);
            g.setColorAt(0, QColor(70, 50, 160));
            g.setColorAt(0.75, QColor(150, 110, 240));
            g.setColorAt(1, QColor(255, 255, 255));
            p.setBrush(g);
            p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(quill);
        }
    }
    if (type == 0) { // long ears (behind the head)
        for (int k = 0; k < 2; ++k) {
            p.save();
            p.translate(centre + QPointF(-6 + k * 26, -L.ry * 0.72));
            p.rotate(-18 + k * 22 - (pose.running ? 6 * std::sin(4 * kPi * pose.phase + k) : 0));
            QPainterPath ear = ellipse(QPointF(0, -44), 17, 48);
            shadedFill(p, ear, k ? L.body : dark, kOutline, kInk);
            p.setPen(Qt::NoPen);
            p.setBrush(L.accent);
            p.drawEllipse(QPointF(0, -44), 8, 34);
            p.restore();
        }
    }
    if (type == 1) { // big pointed ears
        for (int k = 0; k < 2; ++k) {
            p.save();
            p.translate(centre + QPointF(-12 + k * 34, -L.ry * 0.75));
            p.rotate(-22 + k * 26);
            QPainterPath ear = polygon({QPointF(-24, 12), QPointF(0, -70), QPointF(24, 12)});
            shadedFill(p, ear, k ? L.body : dark, kOutline, kInk);
            p.setPen(Qt::NoPen);
            p.setBrush(L.accent);
            p.drawPath(polygon({QPointF(-12, 4), QPointF(0, -48), QPointF(12, 4)}));
            p.restore();
        }
    }
    if (type == 4) { // antlers
        for (int k = 0; k < 2; ++k) {
            const QPointF base = centre + QPointF(-16 + k * 36, -L.ry * 0.8);
            const double dir = k ? 1 : -1;
            QPainterPath ant;
            ant.moveTo(base);
            ant.lineTo(base + QPointF(dir * 14, -46));
            ant.moveTo(base + QPointF(dir * 6, -20));
            ant.lineTo(base + QPointF(dir * 30, -34));
            ant.moveTo(base + QPointF(dir * 11, -36));
            ant.lineTo(base + QPointF(dir * -4, -62));
            QPainterPathStroker st;
            st.setWidth(11);
            st.setCapStyle(Qt::RoundCap);
            st.setJoinStyle(Qt::RoundJoin);
            shadedFill(p, st.createStroke(ant).simplified(), QColor(236, 214, 170), 4, kInk);
        }
    }

    leg(p, QPointF(-18, hipY), legB, L.legLen, dark);
    capsule(p, centre + QPointF(-L.rx * 0.3, 10), centre + QPointF(-L.rx * 0.3 - 8 - swing * 0.3, 32), 17, dark);

    // --- the body
    QPainterPath body;
    switch (type) {
    case 2: { // shaggy fur: a wavy outline
        const int n = 28;
        for (int i = 0; i <= n; ++i) {
            const double a = 2 * kPi * i / n;
            const double r = (i % 2) ? 1.0 : 1.1;
            const QPointF pt = centre + QPointF(std::cos(a) * L.rx * r, std::sin(a) * L.ry * r);
            if (i == 0)
                body.moveTo(pt);
            else
                body.lineTo(pt);
        }
        body.closeSubpath();
        break;
    }
    case 4:
        body = roundedRect(QRectF(centre.x() - L.rx, centre.y() - L.ry, 2 * L.rx, 2 * L.ry), 44);
        break;
    case 1:
    case 3: { // egg, narrower at the top
        body.moveTo(centre + QPointF(0, L.ry));
        body.cubicTo(centre + QPointF(L.rx * 1.35, L.ry), centre + QPointF(L.rx * 0.95, -L.ry * 1.05),
                     centre + QPointF(0, -L.ry));
        body.cubicTo(centre + QPointF(-L.rx * 0.95, -L.ry * 1.05), centre + QPointF(-L.rx * 1.35, L.ry),
                     centre + QPointF(0, L.ry));
        body.closeSubpath();
        break;
    }
    default:
        body = ellipse(centre, L.rx, L.ry);
        break;
    }
    if (type == 5)
        glow(p, centre, L.rx * 1.9, QColor(255, 240, 150, 120));
    roundFill(p, body, L.body, kOutline, kInk);

    // belly / face patch, clipped to the body
    p.save();
    p.setClipPath(body, Qt::IntersectClip);
    p.setPen(Qt::NoPen);
    if (type == 5) {
        const QColor bands[] = {QColor(255, 110, 110), QColor(255, 190, 80), QColor(120, 220, 120),
                                QColor(100, 180, 255), QColor(190, 130, 255)};
        for (int i = 0; i < 5; ++i) {
            p.setBrush(alpha(bands[i], 0.8));
            p.drawEllipse(centre + QPointF(18, L.ry * 0.95 + i * 0), L.rx * (0.95 - i * 0.13), L.ry * (0.75 - i * 0.1));
        }
    } else {
        p.setBrush(L.belly);
        p.drawEllipse(centre + QPointF(20, L.ry * 0.55), L.rx * 0.7, L.ry * 0.62);
    }
    if (type == 2) {
        p.setBrush(L.belly);
        p.drawEllipse(centre + QPointF(26, -L.ry * 0.2), L.rx * 0.6, L.ry * 0.45);
    }
    if (type == 4) {
        p.setBrush(L.accent);
        p.drawEllipse(centre + QPointF(-30, -L.ry * 0.9), 44, 24);
        p.drawEllipse(centre + QPointF(-L.rx, 10), 20, 30);
    }
    if (type == 3) {
        p.setPen(QPen(mix(L.belly, Qt::black, 0.3), 3));
        for (int i = 0; i < 4; ++i)
            p.drawLine(centre + QPointF(-10, L.ry * 0.15 + i * 15), centre + QPointF(L.rx, L.ry * 0.15 + i * 15));
    }
    p.restore();

    // features on top of the body
    if (type == 3) { // back spikes along the top
        for (int i = 0; i < 5; ++i) {
            const double a = qDegreesToRadians(-150.0 + i * 22);
            const QPointF root = centre + QPointF(std::cos(a) * L.rx * 0.85, std::sin(a) * L.ry * 0.95);
            const QPointF tip = centre + QPointF(std::cos(a) * (L.rx + 26), std::sin(a) * (L.ry + 26));
            const QPointF side(-std::sin(a) * 11, std::cos(a) * 11);
            shadedFill(p, polygon({root + side, tip, root - side}), L.accent, 4, kInk);
        }
        // little horns
        shadedFill(p, polygon({centre + QPointF(18, -L.ry + 4), centre + QPointF(24, -L.ry - 22),
                                centre + QPointF(34, -L.ry + 8)}), QColor(255, 240, 200), 4, kInk);
    }
    if (type == 2) { // curled horns
        for (int k = 0; k < 2; ++k) {
            QPainterPath horn;
            const QPointF b = centre + QPointF(-26 + k * 56, -L.ry * 0.85);
            const double d = k ? 1 : -1;
            horn.moveTo(b);
            horn.cubicTo(b + QPointF(d * 10, -40), b + QPointF(d * 44, -30), b + QPointF(d * 34, -4));
            QPainterPathStroker st;
            st.setWidth(14);
            st.setCapStyle(Qt::RoundCap);
            shadedFill(p, st.createStroke(horn).simplified(), QColor(232, 214, 176), 4, kInk);
        }
    }
    if (type == 5) { // antenna with a star
        p.setPen(QPen(kInk, 5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath ant;
        ant.moveTo(centre + QPointF(10, -L.ry + 2));
        ant.quadTo(centre + QPointF(0, -L.ry - 30), centre + QPointF(20, -L.ry - 46));
        p.drawPath(ant);
        const QPointF s = centre + QPointF(20, -L.ry - 52);
        glow(p, s, 40, QColor(255, 255, 200, 200));
        shadedFill(p, star(s, 22, 10, 5), QColor(255, 236, 90), 4, kInk);
    }
    if (type == 6) { // pointed nose
        shadedFill(p, ellipse(centre + QPointF(L.rx * 0.92, -4), 14, 11), QColor(60, 40, 90), 3, kInk);
    }
    if (type == 1) {
        shadedFill(p, ellipse(centre + QPointF(L.rx * 0.95, -6), 9, 7), kInk, 0);
    }

    // face
    const double eyeR = type == 4 ? 17 : (type == 2 ? 12 : 15);
    const QPointF e1 = centre + QPointF(L.rx * 0.18, -L.ry * 0.3);
    const QPointF e2 = centre + QPointF(L.rx * 0.62, -L.ry * 0.28);
    if (type == 4) { // owl rings
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 230, 170));
        p.drawEllipse(e1, eyeR * 1.5, eyeR * 1.5);
        p.drawEllipse(e2, eyeR * 1.4, eyeR * 1.4);
        shadedFill(p, polygon({centre + QPointF(L.rx * 0.38, -L.ry * 0.12), centre + QPointF(L.rx * 0.52, -L.ry * 0.12),
                                centre + QPointF(L.rx * 0.45, L.ry * 0.05)}), QColor(250, 170, 50), 3, kInk);
    }
    eye(p, e1, eyeR, pose.eyes);
    eye(p, e2, eyeR * 0.92, pose.eyes);
    if (type == 3 || type == 2) { // brows
        p.setPen(QPen(kInk, 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(e1 + QPointF(-eyeR, -eyeR * 1.5), e1 + QPointF(eyeR * 0.8, -eyeR * 1.2));
        p.drawLine(e2 + QPointF(-eyeR * 0.6, -eyeR * 1.2), e2 + QPointF(eyeR, -eyeR * 1.5));
    }
    // cheeks
    p.setPen(Qt::NoPen);
    p.setBrush(alpha(type == 5 ? QColor(255, 120, 200) : QColor(255, 110, 130), 0.45));
    p.drawEllipse(e2 + QPointF(eyeR * 0.6, eyeR * 1.7), 10, 6);
    // mouth
    const QPointF m = centre + QPointF(L.rx * 0.45, L.ry * 0.05);
    QPainterPath mouth;
    if (pose.eyes != 0) { // "o" of surprise / pain
        mouth.addEllipse(m + QPointF(0, 6), 8, 10);
        p.setPen(QPen(kInk, 4));
        p.setBrush(QColor(150, 40, 60));
        p.drawPath(mouth);
    } else {
        mouth.moveTo(m + QPointF(-16, 0));
        mouth.quadTo(m + QPointF(0, 18), m + QPointF(16, -2));
        mouth.quadTo(m + QPointF(0, 8), m + QPointF(-16, 0));
        p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(190, 50, 70));
        p.drawPath(mouth);
        if (type == 2 || type == 3) { // fangs
            p.setBrush(Qt::white);
            p.setPen(QPen(kInk, 2));
            p.drawPath(polygon({m + QPointF(-8, 3), m + QPointF(-4, 12), m + QPointF(-1, 5)}));
            p.drawPath(polygon({m + QPointF(4, 5), m + QPointF(8, 12), m + QPointF(11, 3)}));
        }
    }

    leg(p, QPointF(16, hipY), legA, L.legLen, L.body);
    capsule(p, centre + QPointF(L.rx * 0.55, 12), centre + QPointF(L.rx * 0.55 + 12 + swing * 0.3, 32), 17, L.body);
    p.restore();

    if (pose.dizzy >= 0) {
        // circling above the face, which points up while lying on the back
        const QPointF head(restCentre.x() + 14, restCentre.y() - L.rx - 30);
        for (int i = 0; i < 3; ++i) {
            const double a = pose.dizzy * 2 * kPi + i * 2 * kPi / 3;
            const QPointF s = head + QPointF(std::cos(a) * 54, std::sin(a) * 14);
            shadedFill(p, star(s, 13, 6, 5, qRadiansToDegrees(a)), QColor(255, 226, 70), 3, kInk);
        }
    }
}

Pose runPose(double phase)
{
    Pose pose;
    pose.phase = phase;
    pose.running = true;
    return pose;
}

// Eleven frames: hit, thrown up and backwards, crash on the back, bounce, still.
Pose diePose(int k)
{
    struct Key { double tilt, lift, squash; int eyes; double legsUp; };
    static const Key keys[11] = {
        {-6, 0, 0.86, 2, 0},   {-18, 34, 1.08, 1, 0.2}, {-36, 52, 1.04, 1, 0.4}, {-56, 50, 1.0, 1, 0.6},
        {-74, 36, 1.0, 1, 0.8}, {-88, 12, 1.0, 1, 1.0},  {-90, 0, 0.82, 1, 1.0},  {-90, 16, 1.04, 1, 1.0},
        {-90, 0, 0.9, 1, 1.0},  {-90, 4, 0.98, 1, 1.0},  {-90, 0, 0.95, 1, 1.0},
    };
    Pose pose;
    pose.tilt = keys[k].tilt;
    pose.lift = keys[k].lift;
    pose.squash = keys[k].squash;
    pose.eyes = keys[k].eyes;
    pose.legsUp = keys[k].legsUp;
    if (k >= 6)
        pose.dizzy = (k - 6) / 5.0;
    return pose;
}

void drawShadow(QPainter &p, double width, double a)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, int(70 * a)));
    p.drawEllipse(QPointF(0, -2), width, 9);
}

} // namespace

QColor creatureColor(int type) { return look(type).body; }

void drawCreature(QPainter &p, int type, QPointF feet, double scale, double runPhase, bool running)
{
    p.save();
    p.translate(feet);
    p.scale(scale, scale);
    drawShadow(p, 60, 1);
    paintCreature(p, type, running ? runPose(runPhase) : Pose());
    p.restore();
}

void addCreatureImages(QVector<ImageSpec> &out)
{
    for (int type = 0; type <= 6; ++type) {
        ImageSpec spec;
        spec.path = QStringLiteral("img/heroes/hero-%1.png").arg(type);
        spec.frameWidth = kFrameW;
        spec.frameHeight = kFrameH;
        spec.frames = 20;
        spec.draw = [type](QPainter &p, int frame) {
            p.translate(kFrameW / 2.0 + 4, kFrameH - 8);
            p.scale(1.05, 1.05);
            if (frame < 8) {
                const double phase = frame / 8.0;
                drawShadow(p, 58 - 6 * (1 - std::cos(4 * kPi * phase)) / 2, 1);
                paintCreature(p, type, runPose(phase));
            } else {
                const int k = qMin(frame - 8, 10); // frame 20 holds the last pose
                Pose pose = diePose(k);
                if (frame == 19)
                    pose.dizzy = -1; // knocked out for good: no stars on the held frame
                drawShadow(p, 70, 1 - qMin(1.0, pose.lift / 80));
                paintCreature(p, type, pose);
            }
        };
        out.append(spec);
    }
}

} // namespace art
