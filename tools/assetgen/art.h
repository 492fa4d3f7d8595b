// Shared drawing kit of the asset generator: image descriptions, a seeded
// random source and the shape helpers every painter of the game's art uses.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QVector>
#include <functional>

namespace art {

// Every image is drawn in logical (scene) units; the runner scales the painter
// for the density being written. Strips are `frames` frames side by side.
struct ImageSpec {
    QString path;      // relative to the assets folder, e.g. "img/misc/coin.png"
    int frameWidth = 0;
    int frameHeight = 0;
    int frames = 1;
    std::function<void(QPainter &, int frame)> draw;
};

// Small, fully specified generator (splitmix64) so that the art is identical
// on every machine and at every density.
class Rng {
public:
    explicit Rng(quint64 seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 0x1234567ull) {}
    quint64 nextRaw()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double next() { return double(nextRaw() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * next(); }
    int integer(int lo, int hi) { return lo + int(next() * (hi - lo + 1)); }

private:
    quint64 m_state;
};

constexpr double kPi = 3.14159265358979323846;

QColor mix(const QColor &a, const QColor &b, double t);
QColor alpha(const QColor &c, double a);

// Fills `path` with a top-light/bottom-dark gradient of `base` and draws a dark outline.
void shadedFill(QPainter &p, const QPainterPath &path, const QColor &base, double outline = 0,
                const QColor &outlineColor = QColor(30, 20, 30), double light = 0.35, double dark = 0.3);
// Same idea with a radial gradient lit from the upper left (round bodies).
void roundFill(QPainter &p, const QPainterPath &path, const QColor &base, double outline = 0,
               const QColor &outlineColor = QColor(30, 20, 30));
void glow(QPainter &p, QPointF c, double radius, const QColor &color);
QPainterPath ellipse(QPointF c, double rx, double ry);
QPainterPath polygon(std::initializer_list<QPointF> pts);
QPainterPath star(QPointF c, double outer, double inner, int points, double rotation = -90);
QPainterPath heartPath(QPointF c, double size);
QPainterPath roundedRect(const QRectF &r, double radius);
void outlinedText(QPainter &p, const QString &text, const QFont &font, QPointF baselineCenter,
                  const QColor &fill, const QColor &outline, double outlineWidth);

// Periodic ridge over one tile of `width`: y = base + sum(amp * sin(2 pi n x / width + phase)).
struct Wave { double amp; int cycles; double phase; };
double ridgeY(double x, double width, double base, const QVector<Wave> &waves);
QPainterPath ridgePath(double width, double base, const QVector<Wave> &waves, double bottom,
                       double step = 4);

// Draws `f` at x and, when the element reaches over a tile edge, again one tile
// to the left or right, so tiles placed side by side continue each other.
void wrapped(double x, double halfExtent, double tile, const std::function<void(double)> &f);

QString fontFamily();          // family of the display font loaded at start-up
void setFontFamily(const QString &family);

// Registries of the generated images.
void addLandImages(QVector<ImageSpec> &out);
void addCreatureImages(QVector<ImageSpec> &out);
void addItemImages(QVector<ImageSpec> &out);
void addComicImages(QVector<ImageSpec> &out);

// Creature painter shared by the hero strips and the comic pages.
// pose: 0 standing, run phase in [0,1) when running; see creatures.cpp.
void drawCreature(QPainter &p, int type, QPointF feet, double scale, double runPhase, bool running);
// All five layers of a land, one 1500 x 1280 tile.
void drawLand(QPainter &p, int land);
void drawRoulette(QPainter &p, int frame);
void drawSign(QPainter &p, int which);
void drawCloud(QPainter &p, int frame);
void drawAssistant(QPainter &p, int frame);
void drawPortal(QPainter &p, QPointF center, double radius, double turn);
QColor creatureColor(int type);

} // namespace art
