#include "zarnourlinterceptor.h"

#include <QFile>
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
    return fileSelector ? fileSelector->select(u) : u;
}
