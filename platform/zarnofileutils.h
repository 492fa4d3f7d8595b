#ifndef ZARNOFILEUTILS_H
#define ZARNOFILEUTILS_H

#include <QObject>
#include <QStringList>

// Paths, URLs and file access for QML, relative paths living in the documents location.
class ZarnoFileUtils : public QObject
{
    Q_OBJECT
public:
    enum StorageLocation { HomeLocation = 0, DocumentsLocation, DataLocation, CacheLocation, TempLocation };
    Q_ENUM(StorageLocation)

    explicit ZarnoFileUtils(QObject *parent = nullptr);

public slots:
    static QString findFileOrDirectoryIncludingResources(const QString &path);
    static QString readFile(const QString &file);
};

#endif
