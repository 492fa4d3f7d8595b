#include "zarnourlinterceptor.h"

#include <QFile>
#include <QFileInfo>
#include <QFileSelector>
#include <QUrl>

QUrl ZarnoUrlInterceptor::intercept(const QUrl &url, DataType type)
{
    // Module definitions are looked up by exact location; a density variant of
    // a qmldir makes no sense.
    if (type == QmldirFile)
        return url;

    QUrl u = url;
    if (!baseUrlText.isEmpty() && url.scheme() == QLatin1String("qrc")) {
        const QString decodedPath = url.path(QUrl::FullyDecoded);
        const QString resourcePath = QLatin1Char(':') + decodedPath;
        if (!QFile::exists(resourcePath) && decodedPath.startsWith(QLatin1Char('/'))) {
            // Only the resource root is swapped for the base URL; the rest of the
            // path is a file name and is set decoded, so that "#", "?" or "%" in
            // it stay part of the name instead of starting a fragment or query.
            QUrl onDisk(baseUrlText);
            onDisk.setPath(onDisk.path(QUrl::FullyDecoded) + decodedPath.mid(1), QUrl::DecodedMode);
            const QString localFile = onDisk.toLocalFile();
            if (!localFile.isEmpty() && QFile::exists(localFile))
                u = onDisk;
        }
    }
    // Density variants exist for files only: a folder URL (common as the
    // base of a path built in QML) must keep naming the folder itself, or
    // every file looked up below it would have to exist in the variant too.
    if (!fileSelector || u.path().isEmpty() || u.path().endsWith(QLatin1Char('/')))
        return u;
    const QUrl selected = fileSelector->select(u);
    if (selected == u)
        return u;
    // The selector accepts any existing path, a folder of the same name too.
    const QString candidate = selected.isLocalFile() ? selected.toLocalFile()
                                                     : QLatin1Char(':') + selected.path(QUrl::FullyDecoded);
    return QFileInfo(candidate).isFile() ? selected : u;
}
