#include "spineatlas.h"

#include <QFile>
#include <QFileInfo>

namespace spine {

QByteArray readFile(const QString &path, bool *ok)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *ok = false;
        return QByteArray();
    }
    *ok = true;
    return file.readAll();
}

namespace {

// "key: a, b" → key and the comma-separated values, or false for a line
// that is not a key/value pair.
bool splitTuple(const QString &line, QString *key, QStringList *values)
{
    const int colon = line.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return false;
    *key = line.left(colon).trimmed();
    values->clear();
    for (const QString &part : line.mid(colon + 1).split(QLatin1Char(',')))
        values->append(part.trimmed());
    return true;
}

bool readInts(const QStringList &values, int count, int *out)
{
    if (values.size() < count)
        return false;
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        out[i] = values.at(i).toInt(&ok);
        if (!ok)
            return false;
    }
    return true;
}

void computeUVs(AtlasRegion *region)
{
    const AtlasPage *page = region->page;
    if (page->width <= 0 || page->height <= 0)
        return;
    const int w = region->rotate ? region->height : region->width;
    const int h = region->rotate ? region->width : region->height;
    region->u = float(region->x) / page->width;
    region->v = float(region->y) / page->height;
    region->u2 = float(region->x + w) / page->width;
    region->v2 = float(region->y + h) / page->height;
}

} // namespace

std::unique_ptr<Atlas> Atlas::load(const QString &path)
{
    bool ok = false;
    const QByteArray text = readFile(path, &ok);
    if (!ok) {
        qWarning("Atlas WARNING: Unable to read atlas file: %s", qPrintable(path));
        return nullptr;
    }
    return parse(text, QFileInfo(path).path());
}

std::unique_ptr<Atlas> Atlas::parse(const QByteArray &text, const QString &imageDir)
{
    auto atlas = std::make_unique<Atlas>();
    AtlasPage *page = nullptr;
    AtlasRegion *region = nullptr;
    int lineNumber = 0;
    const auto fail = [&](const char *why) {
        qWarning("Atlas WARNING: %s at line %d", why, lineNumber);
        return nullptr;
    };

    for (const QByteArray &raw : text.split('\n')) {
        ++lineNumber;
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty()) {
            page = nullptr;
            region = nullptr;
            continue;
        }
        QString key;
        QStringList values;
        const bool tuple = splitTuple(line, &key, &values);
        if (!page) {
            if (tuple)
                return fail("Invalid atlas, page name expected");
            auto newPage = std::make_unique<AtlasPage>();
            newPage->name = line;
            newPage->imagePath = imageDir.isEmpty() ? line : imageDir + QLatin1Char('/') + line;
            if (QFile::exists(newPage->imagePath)) {
                newPage->image = QImage(newPage->imagePath);
                if (!newPage->image.isNull()) {
                    newPage->width = newPage->image.width();
                    newPage->height = newPage->image.height();
                }
            }
            page = newPage.get();
            atlas->m_pages.push_back(std::move(newPage));
            continue;
        }
        if (!tuple) {
            if (region)
                computeUVs(region);
            auto newRegion = std::make_unique<AtlasRegion>();
            newRegion->name = line;
            newRegion->page = page;
            region = newRegion.get();
            atlas->m_regions.push_back(std::move(newRegion));
            continue;
        }
        int numbers[2];
        if (!region) {
            // Page header; the image's own size wins over the declared one.
            if (key == QLatin1String("size") && page->image.isNull()) {
                if (!readInts(values, 2, numbers) || numbers[0] < 0 || numbers[1] < 0)
                    return fail("Invalid page size");
                page->width = numbers[0];
                page->height = numbers[1];
            }
            continue;
        }
        if (key == QLatin1String("rotate")) {
            region->rotate = values.value(0) == QLatin1String("true");
        } else if (key == QLatin1String("index")) {
            if (!readInts(values, 1, numbers))
                return fail("Invalid region index");
            region->index = numbers[0];
        } else if (key == QLatin1String("xy") || key == QLatin1String("size") || key == QLatin1String("orig")
                   || key == QLatin1String("offset")) {
            if (!readInts(values, 2, numbers))
                return fail("Invalid region value");
            if (key == QLatin1String("xy")) {
                region->x = numbers[0];
                region->y = numbers[1];
            } else if (key == QLatin1String("size")) {
                if (numbers[0] < 0 || numbers[1] < 0)
                    return fail("Invalid region size");
                region->width = numbers[0];
                region->height = numbers[1];
                if (region->originalWidth == 0 && region->originalHeight == 0) {
                    region->originalWidth = numbers[0];
                    region->originalHeight = numbers[1];
                }
            } else if (key == QLatin1String("orig")) {
                region->originalWidth = numbers[0];
                region->originalHeight = numbers[1];
            } else {
                region->offsetX = numbers[0];
                region->offsetY = numbers[1];
            }
        }
        // Other keys (split, pad, filter hints) do not affect drawing here.
    }
    if (atlas->m_pages.empty()) {
        qWarning("Atlas WARNING: Invalid atlas, no pages");
        return nullptr;
    }
    for (const auto &r : atlas->m_regions) {
        computeUVs(r.get());
        const int w = r->rotate ? r->height : r->width;
        const int h = r->rotate ? r->width : r->height;
        if (r->page->width > 0 && (r->x < 0 || r->y < 0 || r->x + w > r->page->width || r->y + h > r->page->height)) {
            qWarning("Atlas WARNING: Region outside its page: %s", qPrintable(r->name));
            return nullptr;
        }
    }
    return atlas;
}

const AtlasRegion *Atlas::findRegion(const QString &name) const
{
    for (const auto &region : m_regions) {
        if (region->name == name)
            return region.get();
    }
    return nullptr;
}

} // namespace spine
