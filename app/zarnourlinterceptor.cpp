#include "zarnourlinterceptor.h"

#include <QFile>
#include <QFileSelector>
#include <QUrl>

QUrl ZarnoUrlInterceptor::intercept(const QUrl &url, DataType type)
{
    if (type == QmldirFile)
        return url;

    QUrl u = url;
    if (!baseUrlText.isEmpty() && url.scheme() == QLatin1String("qrc")) {
        QString path = QLatin1Char(':') + url.path(QUrl::FullyDecoded);
        if (!QFile::exists(path)) {
            path.replace(QLatin1String(":/"), baseUrlText);
            const QUrl onDisk(path);
            if (QFile::exists(onDisk.toLocalFile()))
                u = onDisk;
        }
    }
    return fileSelector ? fileSelector->select(u) : u;
}
