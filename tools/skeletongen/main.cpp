// Draws the skeleton example's character and writes it as a skeleton
// description (JSON), a text atlas and one atlas page:
//   zarno-skeletongen <output folder>
// The character stands on the skeleton's origin, y up. It has region
// attachments on every limb, a mesh belly that breathes (deform keys), a
// tail weighted between two bones, an idle and a walk animation; the walk
// raises a "step" event whenever a foot lands.

#include <QCoreApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSaveFile>
#include <QTransform>
#include <QtMath>

#include <cstdio>

namespace {

const QColor kOutline(40, 36, 60);
const QColor kFur(92, 170, 160);
const QColor kFurDark(56, 118, 120);
const QColor kBelly(236, 222, 178);

QImage canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void prepare(QPainter &p, double outline = 3)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kOutline, outline));
}

QImage drawBody()
{
    QImage image = canvas(70, 84);
    QPainter p(&image);
    prepare(p);
    QRadialGradient g(28, 30, 60);
    g.setColorAt(0, kFur.lighter(120));
    g.setColorAt(1, kFurDark);
    p.setBrush(g);
    p.drawEllipse(QRectF(3, 3, 64, 78));
    return image;
}

QImage drawHead(bool blink)
{
    QImage image = canvas(80, 72);
    QPainter p(&image);
    prepare(p);
    // Ears first, behind the face.
    p.setBrush(kFurDark);
    p.drawPolygon(QPolygonF({QPointF(12, 26), QPointF(16, 2), QPointF(32, 18)}));
    p.drawPolygon(QPolygonF({QPointF(68, 26), QPointF(64, 2), QPointF(48, 18)}));
    QRadialGradient g(34, 30, 50);
    g.setColorAt(0, kFur.lighter(125));
    g.setColorAt(1, kFur);
    p.setBrush(g);
    p.drawEllipse(QRectF(6, 12, 68, 57));
    if (blink) {
        p.setPen(QPen(kOutline, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(22, 38), QPointF(34, 38));
        p.drawLine(QPointF(46, 38), QPointF(58, 38));
    } else {
        p.setBrush(Qt::white);
        p.setPen(QPen(kOutline, 2));
        p.drawEllipse(QRectF(21, 30, 14, 16));
        p.drawEllipse(QRectF(45, 30, 14, 16));
        p.setBrush(kOutline);
        p.drawEllipse(QRectF(27, 35, 7, 8));
        p.drawEllipse(QRectF(51, 35, 7, 8));
    }
    p.setPen(QPen(kOutline, 2));
    p.setBrush(QColor(240, 140, 90));
    p.drawPolygon(QPolygonF({QPointF(34, 50), QPointF(46, 50), QPointF(40, 60)}));
    return image;
}

QImage drawLeg()
{
    QImage image = canvas(26, 64);
    QPainter p(&image);
    prepare(p, 2.5);
    p.setBrush(kFurDark);
    p.drawRoundedRect(QRectF(6, 2, 14, 50), 6, 6);
    p.setBrush(QColor(240, 140, 90));
    p.drawEllipse(QRectF(2, 48, 22, 13));
    return image;
}

QImage drawArm()
{
    QImage image = canvas(18, 46);
    QPainter p(&image);
    prepare(p, 2.5);
    p.setBrush(kFur);
    p.drawRoundedRect(QRectF(2, 2, 14, 42), 7, 7);
    return image;
}

QImage drawBelly()
{
    QImage image = canvas(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kBelly);
    p.drawEllipse(QRectF(1, 1, 46, 46));
    return image;
}

QImage drawTail()
{
    QImage image = canvas(100, 24);
    QPainter p(&image);
    prepare(p, 2.5);
    QPainterPath path;
    path.moveTo(2, 4);
    path.cubicTo(40, 2, 80, 4, 97, 12);
    path.cubicTo(80, 20, 40, 22, 2, 20);
    path.closeSubpath();
    QLinearGradient g(0, 0, 100, 0);
    g.setColorAt(0, kFurDark);
    g.setColorAt(1, kFur.lighter(130));
    p.setBrush(g);
    p.drawPath(path);
    p.setPen(QPen(kOutline, 3));
    for (int x : {30, 55, 76})
        p.drawLine(QPointF(x, 6), QPointF(x - 4, 18));
    return image;
}

struct Region
{
    QString name;
    QImage image;
    bool rotate;
    QPoint position;
};

// Shelf packing onto one page; rotated regions are stored turned a quarter
// counter-clockwise.
QImage pack(QVector<Region> &regions, int pageSize)
{
    QImage page = canvas(pageSize, pageSize);
    QPainter p(&page);
    int x = 2, y = 2, shelf = 0;
    for (Region &r : regions) {
        const QImage stored = r.rotate ? r.image.transformed(QTransform().rotate(-90)) : r.image;
        if (x + stored.width() + 2 > pageSize) {
            x = 2;
            y += shelf + 2;
            shelf = 0;
        }
        r.position = QPoint(x, y);
        p.drawImage(r.position, stored);
        x += stored.width() + 2;
        shelf = qMax(shelf, stored.height());
    }
    return page;
}

QByteArray atlasText(const QVector<Region> &regions, const QString &pageName, int pageSize)
{
    QString text = QStringLiteral("\n%1\nsize: %2,%2\nformat: RGBA8888\nfilter: Linear,Linear\nrepeat: none\n")
                       .arg(pageName).arg(pageSize);
    for (const Region &r : regions) {
        text += QStringLiteral("%1\n  rotate: %2\n  xy: %3, %4\n  size: %5, %6\n  orig: %5, %6\n  offset: 0, 0\n  index: -1\n")
                    .arg(r.name, r.rotate ? QStringLiteral("true") : QStringLiteral("false"))
                    .arg(r.position.x()).arg(r.position.y()).arg(r.image.width()).arg(r.image.height());
    }
    return text.toUtf8();
}

struct Bone
{
    QString name;
    QString parent;
    double x, y, rotation, length;
};

const QVector<Bone> kBones = {
    {"root", "", 0, 0, 0, 0},
    {"hip", "root", 0, 62, 0, 0},
    {"tail", "hip", -24, 4, 160, 50},
    {"legL", "hip", -14, 0, -90, 58},
    {"legR", "hip", 14, 0, -90, 58},
    {"torso", "hip", 0, 0, 90, 62},
    {"head", "torso", 62, 0, -90, 40},
    {"armL", "torso", 48, 30, -180, 44},
    {"armR", "torso", 48, -30, -180, 44},
};

// Setup world transform of a bone (rotation and translation only).
QTransform setupWorld(const QString &name)
{
    for (const Bone &b : kBones) {
        if (b.name != name)
            continue;
        QTransform local;
        local.translate(b.x, b.y);
        local.rotate(b.rotation);
        return b.parent.isEmpty() ? local : local * setupWorld(b.parent);
    }
    return QTransform();
}

QJsonObject key(double time, const QJsonObject &values, bool smooth = false)
{
    QJsonObject k = values;
    k.insert("time", time);
    if (smooth)
        k.insert("curve", QJsonArray{0.25, 0, 0.75, 1});
    return k;
}

QJsonArray rotateKeys(const QVector<QPair<double, double>> &keys, bool smooth = true)
{
    QJsonArray result;
    for (const auto &k : keys)
        result.append(key(k.first, {{"angle", k.second}}, smooth));
    return result;
}

QJsonObject region(double x, double y, double rotation, const QImage &image)
{
    return {{"x", x}, {"y", y}, {"rotation", rotation}, {"width", image.width()}, {"height", image.height()}};
}

QJsonObject buildSkeleton(int hipIndex, int tailIndex, const QVector<Region> &regions)
{
    const auto image = [&](const QString &name) {
        for (const Region &r : regions)
            if (r.name == name)
                return r.image;
        return QImage();
    };

    QJsonArray bones;
    for (const Bone &b : kBones) {
        QJsonObject bone{{"name", b.name}, {"x", b.x}, {"y", b.y}, {"rotation", b.rotation}, {"length", b.length}};
        if (!b.parent.isEmpty())
            bone.insert("parent", b.parent);
        bones.append(bone);
    }

    QJsonArray slotArray;
    const QVector<QStringList> slotList = {{"tail", "tail", "tail"},   {"legL", "legL", "leg"},
                                           {"legR", "legR", "leg"},    {"armL", "armL", "arm"},
                                           {"body", "torso", "body"},  {"belly", "torso", "belly"},
                                           {"head", "head", "head"},   {"armR", "armR", "arm"}};
    for (const QStringList &s : slotList)
        slotArray.append(QJsonObject{{"name", s[0]}, {"bone", s[1]}, {"attachment", s[2]}});

    // Belly: a fan of triangles around its centre, in the torso's space
    // (x up the body, y to the character's left).
    QJsonArray bellyVertices{26, 0}, bellyUvs{0.5, 0.5}, bellyTriangles, breathe;
    breathe.append(0);
    breathe.append(0);
    for (int k = 0; k < 8; ++k) {
        const double a = qDegreesToRadians(k * 45.0);
        bellyVertices << 26 + std::sin(a) * 24 << -std::cos(a) * 22;
        bellyUvs << 0.5 + std::cos(a) * 0.5 << 0.5 - std::sin(a) * 0.5;
        bellyTriangles << 0 << k + 1 << (k + 1) % 8 + 1;
        breathe << std::sin(a) * 2.5 << -std::cos(a) * 3;
    }

    // Tail: a strip whose root follows the hip and whose tip follows the tail
    // bone; each influence is given in its bone's own space.
    const QTransform hip = setupWorld("hip"), tailBone = setupWorld("tail");
    QJsonArray tailVertices, tailUvs, tailTriangles;
    for (int i = 0; i <= 2; ++i) {
        const double along = i * 25.0, weightTail = i / 2.0;
        for (int side : {-1, 1}) {
            const QPointF world = tailBone.map(QPointF(along - 2, side * 10.0));
            QJsonArray influences;
            int count = 0;
            if (weightTail < 1) {
                const QPointF local = hip.inverted().map(world);
                influences << hipIndex << local.x() << local.y() << 1 - weightTail;
                ++count;
            }
            if (weightTail > 0) {
                const QPointF local = tailBone.inverted().map(world);
                influences << tailIndex << local.x() << local.y() << weightTail;
                ++count;
            }
            tailVertices.append(count);
            for (const QJsonValue &v : influences)
                tailVertices.append(v);
            tailUvs << along / 50.0 << (side < 0 ? 1.0 : 0.0);
        }
    }
    tailTriangles = {0, 1, 3, 0, 3, 2, 2, 3, 5, 2, 5, 4};

    QJsonObject skin{
        {"tail", QJsonObject{{"tail", QJsonObject{{"type", "skinnedmesh"}, {"uvs", tailUvs}, {"vertices", tailVertices},
                                                  {"triangles", tailTriangles}, {"hull", 6}}}}},
        {"legL", QJsonObject{{"leg", region(26, 0, 90, image("leg"))}}},
        {"legR", QJsonObject{{"leg", region(26, 0, 90, image("leg"))}}},
        {"armL", QJsonObject{{"arm", region(18, 0, 90, image("arm"))}}},
        {"armR", QJsonObject{{"arm", region(18, 0, 90, image("arm"))}}},
        {"body", QJsonObject{{"body", region(30, 0, -90, image("body"))}}},
        {"belly", QJsonObject{{"belly", QJsonObject{{"type", "mesh"}, {"uvs", bellyUvs}, {"vertices", bellyVertices},
                                                    {"triangles", bellyTriangles}, {"hull", 8},
                                                    {"width", 48}, {"height", 48}}}}},
        {"head", QJsonObject{{"head", region(0, 30, 0, image("head"))},
                             {"head-blink", region(0, 30, 0, image("head-blink"))}}},
    };

    QJsonObject idle{
        {"bones", QJsonObject{
            {"torso", QJsonObject{{"rotate", rotateKeys({{0, 0}, {1, 3}, {2, 0}})}}},
            {"head", QJsonObject{{"rotate", rotateKeys({{0, 0}, {1, -4}, {2, 0}})}}},
            {"tail", QJsonObject{{"rotate", rotateKeys({{0, 0}, {1, 14}, {2, 0}})}}},
            {"armL", QJsonObject{{"rotate", rotateKeys({{0, 0}, {1, 6}, {2, 0}})}}},
            {"armR", QJsonObject{{"rotate", rotateKeys({{0, 0}, {1, -6}, {2, 0}})}}},
            {"hip", QJsonObject{{"translate", QJsonArray{key(0, {{"x", 0}, {"y", 0}}, true),
                                                         key(1, {{"x", 0}, {"y", -2}}, true),
                                                         key(2, {{"x", 0}, {"y", 0}})}}}},
        }},
        {"slots", QJsonObject{{"head", QJsonObject{{"attachment", QJsonArray{
            key(0, {{"name", "head"}}), key(1.6, {{"name", "head-blink"}}), key(1.75, {{"name", "head"}})}}}}}},
        {"ffd", QJsonObject{{"default", QJsonObject{{"belly", QJsonObject{{"belly", QJsonArray{
            key(0, {}, true), key(1, {{"vertices", breathe}}, true), key(2, {})}}}}}}}},
    };

    QJsonObject walk{
        {"bones", QJsonObject{
            {"legL", QJsonObject{{"rotate", rotateKeys({{0, 28}, {0.5, -28}, {1, 28}})}}},
            {"legR", QJsonObject{{"rotate", rotateKeys({{0, -28}, {0.5, 28}, {1, -28}})}}},
            {"armL", QJsonObject{{"rotate", rotateKeys({{0, -24}, {0.5, 24}, {1, -24}})}}},
            {"armR", QJsonObject{{"rotate", rotateKeys({{0, 24}, {0.5, -24}, {1, 24}})}}},
            {"torso", QJsonObject{{"rotate", rotateKeys({{0, -5}, {0.25, -2}, {0.5, -5}, {0.75, -2}, {1, -5}})}}},
            {"tail", QJsonObject{{"rotate", rotateKeys({{0, -10}, {0.5, 10}, {1, -10}})}}},
            {"hip", QJsonObject{{"translate", QJsonArray{
                key(0, {{"x", 0}, {"y", -4}}, true), key(0.25, {{"x", 0}, {"y", 4}}, true),
                key(0.5, {{"x", 0}, {"y", -4}}, true), key(0.75, {{"x", 0}, {"y", 4}}, true),
                key(1, {{"x", 0}, {"y", -4}})}}}},
        }},
        {"events", QJsonArray{QJsonObject{{"time", 0}, {"name", "step"}, {"int", 0}, {"string", "left"}},
                              QJsonObject{{"time", 0.5}, {"name", "step"}, {"int", 1}, {"string", "right"}}}},
    };

    return QJsonObject{
        {"skeleton", QJsonObject{{"width", 110}, {"height", 205}}},
        {"bones", bones},
        {"slots", slotArray},
        {"skins", QJsonObject{{"default", skin}}},
        {"events", QJsonObject{{"step", QJsonObject{{"int", 0}, {"float", 0}, {"string", ""}}}}},
        {"animations", QJsonObject{{"idle", idle}, {"walk", walk}}},
    };
}

bool save(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        std::fprintf(stderr, "zarno-skeletongen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zarno-skeletongen <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "zarno-skeletongen: cannot create %s\n", argv[1]);
        return 1;
    }

    QVector<Region> regions = {{"body", drawBody(), false, {}},       {"head", drawHead(false), false, {}},
                               {"head-blink", drawHead(true), false, {}}, {"tail", drawTail(), true, {}},
                               {"leg", drawLeg(), false, {}},         {"arm", drawArm(), false, {}},
                               {"belly", drawBelly(), false, {}}};
    const int pageSize = 256;
    const QImage page = pack(regions, pageSize);

    int hipIndex = 0, tailIndex = 0;
    for (int i = 0; i < kBones.size(); ++i) {
        if (kBones[i].name == QLatin1String("hip"))
            hipIndex = i;
        if (kBones[i].name == QLatin1String("tail"))
            tailIndex = i;
    }
    const QJsonObject skeleton = buildSkeleton(hipIndex, tailIndex, regions);

    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        page.save(&buffer, "PNG");
    }
    const bool ok = save(out.filePath("hero.png"), png)
                    && save(out.filePath("hero.atlas"), atlasText(regions, "hero.png", pageSize))
                    && save(out.filePath("hero.json"), QJsonDocument(skeleton).toJson(QJsonDocument::Indented));
    return ok ? 0 : 1;
}
