#include "zarnourlinterceptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSelector>
#include <QImageReader>
#include <QUrl>
#include <QUrlQuery>

namespace {

const QString coverKey = QStringLiteral("coverSize");
// From the least to the most pixels; each one's selector must be in force.
const char *const densityFolders[] = {"", "+hd", "+hd2"};
const char *const densitySelectors[] = {"sd", "hd", "hd2"};

// "WxH" with either part 0 for "any"; an empty size when the text is no size.
QSize parseCoverSize(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    bool okWidth = false;
    bool okHeight = false;
    const QSize size = parts.size() == 2 ? QSize(parts.at(0).toInt(&okWidth), parts.at(1).toInt(&okHeight)) : QSize();
    if (!okWidth || !okHeight || size.width() < 0 || size.height() < 0 || (size.width() == 0 && size.height() == 0))
        return QSize();
    return size;
}

QString fileOf(const QUrl &url)
{
    return url.isLocalFile() ? url.toLocalFile() : QLatin1Char(':') + url.path(QUrl::FullyDecoded);
}

} // namespace

QUrl ZarnoUrlInterceptor::onDiskIfNotEmbedded(const QUrl &url) const
{
    if (baseUrlText.isEmpty() || url.scheme() != QLatin1String("qrc"))
        return url;
    const QString decodedPath = url.path(QUrl::FullyDecoded);
    const QString resourcePath = QLatin1Char(':') + decodedPath;
    if (QFile::exists(resourcePath) || !decodedPath.startsWith(QLatin1Char('/')))
        return url;
    // Only the resource root is swapped for the base URL; the rest of the
    // path is a file name and is set decoded, so that "#", "?" or "%" in
    // it stay part of the name instead of starting a fragment or query.
    QUrl onDisk(baseUrlText);
    onDisk.setPath(onDisk.path(QUrl::FullyDecoded) + decodedPath.mid(1), QUrl::DecodedMode);
    const QString localFile = onDisk.toLocalFile();
    return !localFile.isEmpty() && QFile::exists(localFile) ? onDisk : url;
}

QUrl ZarnoUrlInterceptor::selectedVariant(const QUrl &u) const
{
    // Density variants exist for files only: a folder URL (common as the
    // base of a path built in QML) must keep naming the folder itself, or
    // every file looked up below it would have to exist in the variant too.
    if (!fileSelector || u.path().isEmpty() || u.path().endsWith(QLatin1Char('/')))
        return u;
    const QUrl selected = fileSelector->select(u);
    if (selected == u)
        return u;
    // The selector accepts any existing path, a folder of the same name too.
    return QFileInfo(fileOf(selected)).isFile() ? selected : u;
}

QUrl ZarnoUrlInterceptor::coveringVariant(const QUrl &url, const QSize &cover) const
{
    QUrl plain = url;
    plain.setQuery(QString());
    // The URL may name a variant already (the one chosen last time, or the
    // one the plain name resolved to): the choice starts from the plain file.
    const QString path = plain.path(QUrl::FullyDecoded);
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const int folderStart = path.lastIndexOf(QLatin1Char('/'), slash - 1);
    if (slash > 0 && folderStart >= 0) {
        const QStringRef folder = path.midRef(folderStart + 1, slash - folderStart - 1);
        if (folder == QLatin1String("+hd") || folder == QLatin1String("+hd2"))
            plain.setPath(path.left(folderStart) + path.mid(slash), QUrl::DecodedMode);
    }
    plain = onDiskIfNotEmbedded(plain);

    // Never more pixels than the screen warrants: the usual choice is the ceiling.
    QUrl chosen = selectedVariant(plain);
    const QStringList inForce = fileSelector ? fileSelector->extraSelectors() : QStringList();
    const QString plainPath = plain.path(QUrl::FullyDecoded);
    const int nameStart = plainPath.lastIndexOf(QLatin1Char('/')) + 1;
    for (int i = 0; i < 3; ++i) {
        QUrl candidate = plain;
        if (i > 0) {
            if (!inForce.contains(QLatin1String(densitySelectors[i])))
                break;
            candidate.setPath(plainPath.left(nameStart) + QLatin1String(densityFolders[i]) + QLatin1Char('/')
                                  + plainPath.mid(nameStart),
                              QUrl::DecodedMode);
        }
        if (candidate == chosen)
            break;
        const QString file = fileOf(candidate);
        if (!QFileInfo(file).isFile())
            continue;
        const QSize size = QImageReader(file).size();
        if (size.width() >= cover.width() && size.height() >= cover.height()) {
            chosen = candidate;
            break;
        }
    }
    chosen.setQuery(url.query(QUrl::FullyEncoded), QUrl::StrictMode);
    return chosen;
}

QUrl ZarnoUrlInterceptor::intercept(const QUrl &url, DataType type)
{
    // Module definitions are looked up by exact location; a density variant of
    // a qmldir makes no sense.
    if (type == QmldirFile)
        return url;

    if (url.hasQuery()) {
        const QSize cover = parseCoverSize(QUrlQuery(url).queryItemValue(coverKey));
        if (cover.isValid())
            return coveringVariant(url, cover);
    }
    return selectedVariant(onDiskIfNotEmbedded(url));
}
