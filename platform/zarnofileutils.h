#ifndef ZARNOFILEUTILS_H
#define ZARNOFILEUTILS_H

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QUrl>

// Paths, URLs and file access for QML. Relative file names live in the user's
// documents location and are never allowed to leave it.
class ZarnoFileUtils : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList searchPaths READ searchPaths NOTIFY searchPathsChanged)
    Q_PROPERTY(QString applicationDirPath READ applicationDirPath CONSTANT)
public:
    // A fixed underlying type: QML may pass any number, and out-of-range values must
    // reach the switch that rejects them rather than be undefined behaviour.
    enum StorageLocation : int { HomeLocation = 0, DocumentsLocation, DataLocation, CacheLocation, TempLocation };
    Q_ENUM(StorageLocation)

    explicit ZarnoFileUtils(QObject *parent = nullptr);

    QStringList searchPaths() const { return m_searchPaths; }
    QString applicationDirPath() const;

public slots:
    bool existsFile(const QString &fileUrl);
    bool existsFileWithoutAdoptions(const QString &fileUrl);
    bool existsFileOrDirectoryIncludingResources(const QString &path);
    static QString findFileOrDirectoryIncludingResources(const QString &path);
    static QUrl getUrlByAddingSchemeToFilename(const QString &file);
    static QString stripSchemeFromUrl(const QUrl &filepath);
    static QString stripSchemeFromUrl(const QString &urlString);
    static QString getFilenameWithoutSchemeAndResourcePath(const QUrl &filepath);
    static QString getAbsolutePathFromUrlString(const QString &filepath);

    bool writeFile(const QString &file, const QString &stringData);
    bool writeFile(const QString &file, const QByteArray &byteData);
    static QString readFile(const QString &file);
    QStringList listFiles(const QUrl &path, const QStringList &nameFilter = QStringList());
    bool copyFile(const QString &source, const QString &destination);
    QByteArray getFileData(const QString &filename);

    QUrl getDataStorageUrl(const QString &relativePath);
    QUrl getPathUrl(const QString &urlString, QObject *sourceObject);
    QUrl getPathUrl(const QString &urlString, const QUrl &sourcePath);
    static QString getBasePath(QObject *sourceObject);
    QUrl qmlEngineBaseUrlForObject(QObject *object);

    static QString storageLocation(ZarnoFileUtils::StorageLocation type);
    bool removeDir(const QString &dirName);
    static QString defaultWritablePath();
    QString cropPathAndKeepFilename(const QString &path, bool cropFileExtension = false);

    void addSearchPath(const QString &path, int index = -1);
    void removeSearchPath(const QString &path);
    QUrl getMultiPathUrl(const QUrl &url, QObject *contextObject = nullptr);

signals:
    void searchPathsChanged();

private:
    QStringList m_searchPaths;
};

#endif
