#ifndef TEXTUREPACKERSHEETCACHE_H
#define TEXTUREPACKERSHEETCACHE_H

#include <QHash>
#include <QRect>
#include <QSharedPointer>
#include <QSize>
#include <QString>
#include <QUrl>

// One frame of a packed sheet. Rectangles are pixels, origin top-left.
struct TexturePackerFrame
{
    // Where the stored pixels lie in the sheet. For a rotated frame the size is
    // the frame's upright size; its area in the sheet is height wide and width high.
    QRect frame;
    bool rotated = false;
    bool trimmed = false;
    // Where the stored (trimmed) pixels lie inside the untrimmed frame.
    QRect spriteSourceRect;
    QSize sourceSize;
};

// A parsed sheet description, shared read-only by every sprite that uses it.
struct TexturePackerSheet
{
    QUrl source;
    QString app;
    QString version;
    QString image;
    QString format;
    QString smartupdate;
    QString imagePath;
    QSize size;
    // Scene units per sheet pixel: 0.25 for "+hd2" sheets, 0.5 for "+hd", else 1.
    float textureScale = 1.0f;
    QHash<QString, TexturePackerFrame> frames;
};

// Process-wide cache of sheet descriptions (JSON hash layout), keyed by the
// URL a sprite names as its source, so a sheet is parsed once for all sprites.
// Used from the GUI thread only.
class TexturePackerSheetCache
{
public:
    using SheetPointer = QSharedPointer<const TexturePackerSheet>;

    // Parses the document unless the URL is cached; returns the entry or null.
    static SheetPointer load(const QUrl &source);
    static SheetPointer find(const QUrl &source);
    static void clear();
    // Counts clear() calls, so holders of cached data can tell theirs is stale.
    static quint64 generation();

    // The local or resource path a URL refers to ("qrc:/a" is ":/a").
    static QString localPathOf(const QUrl &source);
    // 0.25 for a folder named "+hd2", 0.5 for "+hd" (any case), else 1.
    static float textureScaleForFolder(const QString &folderPath);
};

#endif
