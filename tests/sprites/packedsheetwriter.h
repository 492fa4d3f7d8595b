#ifndef PACKEDSHEETWRITER_H
#define PACKEDSHEETWRITER_H

// Writes sprite sheets the way the packing tool lays them out (JSON hash
// layout plus one image), so the sprite tests make their own fixtures.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QVector>

namespace packedsheet {

// One frame as the packing tool stores it: the upright, untrimmed picture,
// the part of it that survives trimming, and where that part goes in the sheet.
struct PackedFrame
{
    QString name;
    QImage upright;
    QRect kept; // inside upright; the full rectangle when not trimmed
    bool rotated = false;
    QPoint at;  // top-left of the stored area in the sheet
};

inline QImage solid(int w, int h, const QColor &c)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(c);
    return image;
}

// Four quadrants: top-left, top-right, bottom-left, bottom-right.
inline QImage quadrants(int w, int h, const QColor &tl, const QColor &tr, const QColor &bl, const QColor &br)
{
    QImage image(w, h, QImage::Format_ARGB32);
    QPainter p(&image);
    p.fillRect(0, 0, w / 2, h / 2, tl);
    p.fillRect(w / 2, 0, w - w / 2, h / 2, tr);
    p.fillRect(0, h / 2, w / 2, h - h / 2, bl);
    p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, br);
    return image;
}

inline QJsonObject rect(int x, int y, int w, int h)
{
    return QJsonObject{{"x", x}, {"y", y}, {"w", w}, {"h", h}};
}

// Writes <dir>/<json> and <dir>/<image>. Rotated frames are stored turned
// clockwise: the upright top-left corner lands on the stored area's top-right.
inline void writeSheet(const QString &dir, const QString &json, const QString &imageName, QSize sheetSize,
                const QVector<PackedFrame> &frames, const QColor &background = QColor(64, 64, 64))
{
    QDir().mkpath(dir);
    QImage sheet(sheetSize, QImage::Format_ARGB32);
    sheet.fill(background);
    QJsonObject framesObject;
    for (const PackedFrame &f : frames) {
        const QImage kept = f.upright.copy(f.kept);
        const int w = kept.width(), h = kept.height();
        if (!f.rotated) {
            QPainter(&sheet).drawImage(f.at, kept);
        } else {
            for (int xs = 0; xs < h; ++xs)
                for (int ys = 0; ys < w; ++ys)
                    sheet.setPixel(f.at.x() + xs, f.at.y() + ys, kept.pixel(ys, h - 1 - xs));
        }
        framesObject.insert(f.name, QJsonObject{
            {"frame", rect(f.at.x(), f.at.y(), w, h)},
            {"rotated", f.rotated},
            {"trimmed", f.kept != f.upright.rect()},
            {"spriteSourceSize", rect(f.kept.x(), f.kept.y(), w, h)},
            {"sourceSize", QJsonObject{{"w", f.upright.width()}, {"h", f.upright.height()}}},
        });
    }
    sheet.save(dir + QLatin1Char('/') + imageName);
    const QJsonObject meta{{"app", "test"}, {"version", "1.0"}, {"image", imageName}, {"format", "RGBA8888"},
                           {"size", QJsonObject{{"w", sheetSize.width()}, {"h", sheetSize.height()}}},
                           {"smartupdate", "x"}};
    QFile file(dir + QLatin1Char('/') + json);
    file.open(QIODevice::WriteOnly);
    file.write(QJsonDocument(QJsonObject{{"frames", framesObject}, {"meta", meta}}).toJson());
}

inline void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
}

inline const QColor Red(255, 0, 0), Green(0, 255, 0), Blue(0, 0, 255), White(255, 255, 255), Black(0, 0, 0);
inline const QColor Cyan(0, 255, 255), Magenta(255, 0, 255), Yellow(255, 255, 0), Orange(255, 128, 0);

} // namespace packedsheet

#endif
