// Draws the particle textures of the particles example: a soft flame blob, a
// lumpy smoke puff and a star-shaped spark, white on transparent so that the
// particle colours tint them. Usage: zarno-particlegen <output folder>.
// The stamp is written last, so an interrupted run generates again next build.

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QSaveFile>
#include <QtMath>

#include <cstdio>
#include <functional>

namespace {

constexpr int Side = 64;

// Alpha from a function of the position relative to the centre, in units of
// the radius (so the disc of radius 1 touches the edges).
QImage drawAlpha(const std::function<double(double, double)> &alpha)
{
    QImage image(Side, Side, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < Side; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < Side; ++x) {
            const double u = (x + 0.5) / Side * 2 - 1;
            const double v = (y + 0.5) / Side * 2 - 1;
            const int a = qBound(0, qRound(alpha(u, v) * 255), 255);
            line[x] = qRgba(a, a, a, a);
        }
    }
    return image;
}

double smoothFalloff(double distance)
{
    const double t = qBound(0.0, 1 - distance, 1.0);
    return t * t * (3 - 2 * t);
}

// A puff: a few soft discs around the centre, so the edge is lumpy but round.
double puff(double u, double v)
{
    static const double discs[][3] = {{0, 0, 0.6}, {0.3, -0.2, 0.45}, {-0.3, -0.15, 0.5}, {0.15, 0.3, 0.45}, {-0.25, 0.3, 0.4}};
    double alpha = 0;
    for (const auto &disc : discs)
        alpha += 0.55 * smoothFalloff(std::hypot(u - disc[0], v - disc[1]) / disc[2]);
    return qMin(1.0, alpha);
}

bool save(const QImage &image, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        std::fprintf(stderr, "zarno-particlegen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zarno-particlegen <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString stamp = out.filePath(QStringLiteral(".particlegen-stamp"));
    QFile::remove(stamp);
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "zarno-particlegen: cannot create %s\n", argv[1]);
        return 1;
    }

    const QImage fire = drawAlpha([](double u, double v) { return smoothFalloff(std::hypot(u, v)); });
    const QImage smoke = drawAlpha(puff);
    const QImage spark = drawAlpha([](double u, double v) {
        const double d = std::hypot(u, v);
        const double core = smoothFalloff(d / 0.35);
        // Two thin rays crossing at the centre.
        const double rays = smoothFalloff(qAbs(u) / 0.08) * smoothFalloff(qAbs(v)) + smoothFalloff(qAbs(v) / 0.08) * smoothFalloff(qAbs(u));
        return qMin(1.0, core + 0.8 * rays);
    });

    bool ok = save(fire, out.filePath(QStringLiteral("fire.png")));
    ok = save(smoke, out.filePath(QStringLiteral("smoke.png"))) && ok;
    ok = save(spark, out.filePath(QStringLiteral("spark.png"))) && ok;
    if (!ok)
        return 1;
    QSaveFile stampFile(stamp);
    if (!stampFile.open(QIODevice::WriteOnly) || stampFile.write("ok\n") != 3 || !stampFile.commit())
        return 1;
    return 0;
}
