#include "zarnofileutils.h"

#include <QFile>
#include <QFileInfo>

ZarnoFileUtils::ZarnoFileUtils(QObject *parent)
    : QObject(parent)
{
}

QString ZarnoFileUtils::findFileOrDirectoryIncludingResources(const QString &path)
{
    if (QFileInfo::exists(path))
        return path;
    const QString resource = QStringLiteral(":/") + path;
    if (QFileInfo::exists(resource))
        return resource;
    return QString();
}

QString ZarnoFileUtils::readFile(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}
