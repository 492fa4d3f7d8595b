// zarno-joystickgen <output folder>
// Writes joystick_background.png (the pad) and joystick_thumb.png (the knob).
// Both are drawn large and shown scaled down, so they stay crisp on dense screens.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSaveFile>
#include <QTextStream>
#include <cmath>

namespace {

constexpr int PadSize = 256;
constexpr int ThumbSize = 128;

QImage blankImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage drawPad()
{
    QImage image = blankImage(PadSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(PadSize / 2.0, PadSize / 2.0);
    const qreal radius = PadSize / 2.0 - 4;

    QRadialGradient fill(centre, radius);
    fill.setColorAt(0.0, QColor(40, 48, 64, 90));
    fill.setColorAt(0.85, QColor(30, 36, 50, 150));
    fill.setColorAt(1.0, QColor(20, 24, 34, 190));
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(230, 236, 245, 200), 6));
    painter.drawEllipse(centre, radius, radius);

    painter.setPen(QPen(QColor(230, 236, 245, 70), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius * 0.5, radius * 0.5);

    // One arrow head per direction, pointing outwards.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 236, 245, 170));
    for (int i = 0; i < 4; ++i) {
        painter.save();
        painter.translate(centre);
        painter.rotate(90.0 * i);
        QPainterPath arrow;
        arrow.moveTo(radius - 14, 0);
        arrow.lineTo(radius - 34, -14);
        arrow.lineTo(radius - 34, 14);
        arrow.closeSubpath();
        painter.drawPath(arrow);
        painter.restore();
    }
    return image;
}

QImage drawThumb()
{
    QImage image = blankImage(ThumbSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(ThumbSize / 2.0, ThumbSize / 2.0);
    const qreal radius = ThumbSize / 2.0 - 3;

    // Light from the upper left.
    QRadialGradient fill(centre, radius, centre - QPointF(radius * 0.35, radius * 0.35));
    fill.setColorAt(0.0, QColor(250, 252, 255, 245));
    fill.setColorAt(0.6, QColor(190, 202, 222, 235));
    fill.setColorAt(1.0, QColor(120, 134, 160, 235));
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(60, 70, 92, 230), 4));
    painter.drawEllipse(centre, radius, radius);
    return image;
}

bool writePng(const QImage &image, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        qWarning("zarno-joystickgen: could not write %s", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: zarno-joystickgen <output folder>\n";
        return 2;
    }
    const QDir out(args.at(1));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        qWarning("zarno-joystickgen: cannot create %s", qPrintable(out.path()));
        return 1;
    }
    const bool ok = writePng(drawPad(), out.filePath(QStringLiteral("joystick_background.png")))
        && writePng(drawThumb(), out.filePath(QStringLiteral("joystick_thumb.png")));
    return ok ? 0 : 1;
}
