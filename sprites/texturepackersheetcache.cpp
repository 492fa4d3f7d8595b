#include "texturepackersheetcache.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace {

QHash<QUrl, TexturePackerSheetCache::SheetPointer> &sheets()
{
    static QHash<QUrl, TexturePackerSheetCache::SheetPointer> cache;
    return cache;
}

quint64 s_generation = 0;

QString text(const QJsonObject &object, const char *key, const char *fallback)
{
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isString() ? value.toString() : QString::fromLatin1(fallback);
}

int integer(const QJsonObject &object, const char *key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isDouble())
        return 0;
    const double number = value.toDouble();
    // Out-of-range numbers would wrap around; they read as absent instead.
    if (!(number >= -1e9 && number <= 1e9))
        return 0;
    return int(number);
}

bool flag(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toBool(false);
}

QJsonObject member(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toObject();
}

TexturePackerFrame readFrame(const QJsonObject &object)
{
    const QJsonObject frame = member(object, "frame");
    const QJsonObject spriteSource = member(object, "spriteSourceSize");
    const QJsonObject sourceSize = member(object, "sourceSize");

    TexturePackerFrame record;
    record.frame = QRect(integer(frame, "x"), integer(frame, "y"), integer(frame, "w"), integer(frame, "h"));
    record.rotated = flag(object, "rotated");
    record.trimmed = flag(object, "trimmed");
    record.spriteSourceRect = QRect(integer(spriteSource, "x"), integer(spriteSource, "y"),
                                    integer(spriteSource, "w"), integer(spriteSource, "h"));
    record.sourceSize = QSize(integer(sourceSize, "w"), integer(sourceSize, "h"));
    return record;
}

} // namespace

QString TexturePackerSheetCache::localPathOf(const QUrl &source)
{
    if (source.scheme().compare(QLatin1String("qrc"), Qt::CaseInsensitive) == 0)
        return QLatin1Char(':') + source.path(QUrl::FullyDecoded);
    if (source.isLocalFile())
        return source.toLocalFile();
    if (source.scheme().isEmpty())
        return source.path(QUrl::FullyDecoded);
    return QString();
}

float TexturePackerSheetCache::textureScaleForFolder(const QString &folderPath)
{
    if (folderPath.endsWith(QLatin1String("/+hd2"), Qt::CaseInsensitive))
        return 0.25f;
    if (folderPath.endsWith(QLatin1String("/+hd"), Qt::CaseInsensitive))
        return 0.5f;
    return 1.0f;
}

TexturePackerSheetCache::SheetPointer TexturePackerSheetCache::find(const QUrl &source)
{
    return sheets().value(source);
}

TexturePackerSheetCache::SheetPointer TexturePackerSheetCache::load(const QUrl &source)
{
    if (SheetPointer cached = find(source))
        return cached;

    const QString path = localPathOf(source);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        qWarning("Warning: TexturePackerSprite could not open sprite from file source: \"%s\".",
                 path.toLatin1().constData());
        return {};
    }

    // Invalid JSON parses as an empty document and so has no "meta".
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    const QJsonObject meta = member(root, "meta");
    if (meta.isEmpty())
        return {};

    auto sheet = QSharedPointer<TexturePackerSheet>::create();
    sheet->source = source;
    const QJsonObject size = member(meta, "size");
    sheet->app = text(meta, "app", "invalid app");
    sheet->version = text(meta, "version", "invalid version");
    sheet->image = text(meta, "image", "invalid_image");
    sheet->format = text(meta, "format", "invalid format");
    sheet->size = QSize(integer(size, "w"), integer(size, "h"));
    sheet->smartupdate = text(meta, "smartupdate", "invalid smartupdate");

    const QString folder = QFileInfo(path).path();
    sheet->imagePath = folder + QLatin1Char('/') + sheet->image;
    sheet->textureScale = textureScaleForFolder(folder);

    const QJsonObject frames = member(root, "frames");
    for (auto it = frames.constBegin(); it != frames.constEnd(); ++it)
        sheet->frames.insert(it.key(), readFrame(it.value().toObject()));

    sheets().insert(source, sheet);
    return sheet;
}

void TexturePackerSheetCache::clear()
{
    sheets().clear();
    ++s_generation;
}

quint64 TexturePackerSheetCache::generation()
{
    return s_generation;
}
