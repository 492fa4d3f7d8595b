#include "system.h"

#include "zarnofileutils.h"

#include <QJsonDocument>
#include <QJsonObject>

static QVariantMap &configurationCache()
{
    static QVariantMap cache;
    return cache;
}

System::System(QObject *parent)
    : QObject(parent)
{
    m_publishBuild = configurationValue(QStringLiteral("stage")).toString() == QLatin1String("publish");
}

QVariant System::configurationValue(const QString &key)
{
    QVariantMap &cache = configurationCache();
    if (cache.isEmpty()) {
        const QString path = ZarnoFileUtils::findFileOrDirectoryIncludingResources(QStringLiteral("qml/config.json"));
        const QString text = ZarnoFileUtils::readFile(path);
        if (text.isEmpty())
            qWarning("WARNING: cant find config.json file");
        else
            cache = QJsonDocument::fromJson(text.toUtf8()).object().toVariantMap();
    }
    return cache[key];
}
