#include "zarnofileutils.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSaveFile>
#include <QStandardPaths>

/*!
    \qmltype FileUtils
    \inqmlmodule Zarno
    \instantiates ZarnoFileUtils
    \brief Paths, URLs and files in the user's documents folder.

    One instance exists, the context object \c fileUtils; QML cannot create
    another. A relative file name means a file inside the user's documents
    folder (\l storageLocation() of \c FileUtils.DocumentsLocation); names that
    climb out of it ("../x") are refused with a warning. Files are written
    whole or not at all.

    \qml
    Item {
        Component.onCompleted: {
            fileUtils.writeFile("saves/slot1.json", JSON.stringify({ level: 3 }))
            var text = fileUtils.readFile("saves/slot1.json")   // from the documents folder
            console.log(JSON.parse(text).level)
        }
    }
    \endqml
*/

/*!
    \qmlproperty list<string> FileUtils::searchPaths
    The folders \l getMultiPathUrl() searches, each ending in "/". The
    documents folder is put first on the first search.
*/

/*!
    \qmlproperty string FileUtils::applicationDirPath
    The folder of the running executable.
*/

/*!
    \qmlmethod bool FileUtils::existsFile(string fileUrl)
    Returns whether \a fileUrl, a plain path (no scheme is stripped), names an
    existing file or folder on disk or in the resources.
*/

/*!
    \qmlmethod bool FileUtils::existsFileWithoutAdoptions(string fileUrl)
    Returns whether a file exists under \a fileUrl exactly as given.
*/

/*!
    \qmlmethod bool FileUtils::existsFileOrDirectoryIncludingResources(string path)
    Returns whether \l findFileOrDirectoryIncludingResources() finds \a path.
*/

/*!
    \qmlmethod string FileUtils::findFileOrDirectoryIncludingResources(string path)
    Returns \a path when it exists on disk; else the resource path ":/path"
    when that is embedded (or, for a ":/" path, the same path on disk); else an
    empty string.
*/

/*!
    \qmlmethod url FileUtils::getUrlByAddingSchemeToFilename(string file)
    Turns the path \a file into a URL: ":/x" becomes "qrc:/x", a text that
    already has a "file:", "qrc:" or "assets:" scheme stays, anything else gets
    "file:///".
*/

/*!
    \qmlmethod string FileUtils::stripSchemeFromUrl(url filepath)
    Returns the text of \a filepath without its "qrc" or "file:" scheme
    ("qrc:/a.png" gives ":/a.png", "file:///home/a.png" gives "home/a.png").
    Also takes a string.
*/

/*!
    \qmlmethod string FileUtils::getFilenameWithoutSchemeAndResourcePath(url filepath)
    Like \l stripSchemeFromUrl() and also drops a leading ":/" of \a filepath.
*/

/*!
    \qmlmethod string FileUtils::getAbsolutePathFromUrlString(string filepath)
    Returns the absolute folder, ending in "/", of the file named by
    \a filepath; a name without a dot is taken as a folder and returned whole.
*/

/*!
    \qmlmethod bool FileUtils::writeFile(string file, string stringData)
    Writes \a stringData to \a file, replacing its content, and creates missing
    folders. A relative name is written in the documents folder. The new content
    replaces the old one only once it is completely written. Returns whether it
    was written.
*/

/*!
    \qmlmethod string FileUtils::readFile(string file)
    Returns the UTF-8 text of \a file. Only names ending in ".txt", ".qml",
    ".js", ".key", ".json", ".xml" or ".plist" are read; a relative name not
    found beside the working directory is read from the documents folder.
    Returns an empty string when nothing can be read.
*/

/*!
    \qmlmethod list<string> FileUtils::listFiles(url path, list<string> nameFilter)
    Returns the names of the files (hidden ones included, unsorted) in the
    folder \a path, relative to the documents folder unless absolute, that
    match the wildcards of \a nameFilter (optional, for example "*.json").
*/

/*!
    \qmlmethod bool FileUtils::copyFile(string source, string destination)
    Copies the text file \a source to \a destination and returns whether it
    was written; only files that \l readFile() accepts can be copied.
*/

/*!
    \qmlmethod var FileUtils::getFileData(string filename)
    Not supported: logs a warning and returns empty data; \a filename is
    ignored.
*/

/*!
    \qmlmethod url FileUtils::getDataStorageUrl(string relativePath)
    Returns the file URL of \a relativePath inside the documents folder.
*/

/*!
    \qmlmethod url FileUtils::getPathUrl(string urlString, QtObject sourceObject)
    Resolves \a urlString, when it has no scheme, against the folder of the
    document that created \a sourceObject, and returns it as a URL.
*/

/*!
    \qmlmethod string FileUtils::getBasePath(QtObject sourceObject)
    Returns the folder, ending in "/", of the document that created
    \a sourceObject (for example "qrc:/qml/scenes/"); empty for null.
*/

/*!
    \qmlmethod url FileUtils::qmlEngineBaseUrlForObject(QtObject object)
    Returns the base URL of the QML engine that created \a object.
*/

/*!
    \qmlmethod string FileUtils::storageLocation(StorageLocation type)
    Returns the writable folder of \a type, ending in "/", creating it if
    needed; empty when it cannot be created.
    \value FileUtils.HomeLocation the user's home folder
    \value FileUtils.DocumentsLocation the documents folder, home of relative names
    \value FileUtils.DataLocation the application's data folder
    \value FileUtils.CacheLocation the cache folder
    \value FileUtils.TempLocation the temporary folder
*/

/*!
    \qmlmethod bool FileUtils::removeDir(string dirName)
    Removes the folder \a dirName (relative to the documents folder unless
    absolute) with everything in it; links are removed, never followed. The
    documents folder itself and folders holding it are refused. Returns true
    when the folder is gone, also when it never existed.
*/

/*!
    \qmlmethod FileUtils::defaultWritablePath()
    Prepares the documents folder used for relative names. Returns nothing to
    QML; use \l storageLocation() to read the path.
*/

/*!
    \qmlmethod string FileUtils::cropPathAndKeepFilename(string path, bool cropFileExtension)
    Returns the file name part of \a path ("img/player.png" gives
    "player.png"), without its extension when \a cropFileExtension is true.
*/

/*!
    \qmlmethod FileUtils::addSearchPath(string path, int index)
    Adds the folder \a path to \l searchPaths at \a index (optional; at the
    end by default) unless it is there already.
*/

/*!
    \qmlmethod FileUtils::removeSearchPath(string path)
    Removes the folder \a path from \l searchPaths.
*/

/*!
    \qmlmethod url FileUtils::getMultiPathUrl(url url, QtObject contextObject)
    Finds the file \a url: a relative name is tried in the folder of the
    document that created \a contextObject (optional), then in each of
    \l searchPaths. Returns the first that exists; with a context object, a
    name found nowhere gives its document-folder URL, without one an empty URL.
*/

/*!
    \qmlsignal FileUtils::searchPathsChanged()
    Emitted when \l searchPaths changes.
*/

namespace {

QString s_defaultWritablePath;

QString quotedName(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

bool startsWithDriveLetter(const QString &path)
{
    return path.size() >= 3 && path.at(0).isLetter() && path.at(1) == QLatin1Char(':')
           && (path.at(2) == QLatin1Char('/') || path.at(2) == QLatin1Char('\\'));
}

// A name relative to the documents location, as a clean absolute path inside
// it. Names that climb out of the folder (or name the folder itself, unless
// that is allowed) are refused: QML must not reach, overwrite or remove
// anything outside the user's game data.
QString resolveInDocuments(const QString &relative, bool allowDocumentsFolder)
{
    const QString documents = ZarnoFileUtils::defaultWritablePath();
    if (documents.isEmpty())
        return QString();
    const QString root = QDir::cleanPath(documents);
    const QString path = QDir::cleanPath(root + QLatin1Char('/') + relative);
    if ((path == root && allowDocumentsFolder) || path.startsWith(root + QLatin1Char('/')))
        return path;
    qWarning().noquote() << QStringLiteral("[WARNING] Relative path outside the documents folder refused: %1").arg(quotedName(relative));
    return QString();
}

// Where a file named by QML lives: an absolute name (after stripping the
// scheme) stays as it is, a relative one is inside the documents location.
QString writableLocationPath(const QString &name, bool allowDocumentsFolder = false)
{
    const QString stripped = ZarnoFileUtils::stripSchemeFromUrl(name);
    if (QFileInfo(stripped).isRelative())
        return resolveInDocuments(stripped, allowDocumentsFolder);
    return stripped;
}

bool isReadableFileType(const QString &name)
{
    static const char *const suffixes[] = {".txt", ".qml", ".js", ".key", ".json", ".xml", ".plist"};
    for (const char *suffix : suffixes) {
        if (name.endsWith(QLatin1String(suffix)))
            return true;
    }
    return false;
}

// The bytes of a file that readFile accepts; false when there is none or it
// cannot be read.
bool readAcceptedFile(const QString &file, QByteArray *bytes)
{
    if (file.isEmpty() || !isReadableFileType(file))
        return false;
    QString path = ZarnoFileUtils::stripSchemeFromUrl(file);
    if (!QFileInfo::exists(path)) {
        path = writableLocationPath(path);
        if (path.isEmpty())
            return false;
    }
    QFile input(path);
    if (!input.exists())
        return false;
    if (!input.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning().noquote() << QStringLiteral("[WARNING] readFile could not open %1: %2").arg(quotedName(path), input.errorString());
        return false;
    }
    *bytes = input.readAll();
    return true;
}

// Removes a folder and everything in it; links are removed, never followed.
bool removeTree(const QString &folder)
{
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden | QDir::System, QDir::DirsFirst);
    for (const QFileInfo &entry : entries) {
        const QString path = entry.absoluteFilePath();
        if (entry.isDir() && !entry.isSymLink()) {
            if (!removeTree(path))
                return false;
        } else if (!QFile::remove(path)) {
            qWarning().noquote() << QStringLiteral("[WARNING] removeDir could not remove %1").arg(quotedName(path));
            return false;
        }
    }
    if (!QDir().rmdir(folder)) {
        qWarning().noquote() << QStringLiteral("[WARNING] removeDir could not remove %1").arg(quotedName(folder));
        return false;
    }
    return true;
}

// True when removing path would take the documents folder with it.
bool holdsDocumentsFolder(const QString &path)
{
    const QString documents = ZarnoFileUtils::defaultWritablePath();
    if (documents.isEmpty())
        return false;
    auto holds = [](const QString &folder, const QString &inner) {
        if (folder.isEmpty() || inner.isEmpty())
            return false;
        return folder == inner || folder == QLatin1String("/") || inner.startsWith(folder + QLatin1Char('/'));
    };
    const QString target = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString root = QDir::cleanPath(documents);
    return holds(target, root)
           || holds(QFileInfo(target).canonicalFilePath(), QFileInfo(root).canonicalFilePath());
}

} // namespace

ZarnoFileUtils::ZarnoFileUtils(QObject *parent)
    : QObject(parent)
{
}

QString ZarnoFileUtils::applicationDirPath() const
{
    return QCoreApplication::applicationDirPath();
}

bool ZarnoFileUtils::existsFile(const QString &fileUrl)
{
    // A URL names the same file as its path.
    const QString found = findFileOrDirectoryIncludingResources(stripSchemeFromUrl(fileUrl));
    return !found.isEmpty() && QFileInfo::exists(found);
}

bool ZarnoFileUtils::existsFileWithoutAdoptions(const QString &fileUrl)
{
    return QFile::exists(fileUrl);
}

bool ZarnoFileUtils::existsFileOrDirectoryIncludingResources(const QString &path)
{
    return !findFileOrDirectoryIncludingResources(path).isEmpty();
}

QString ZarnoFileUtils::findFileOrDirectoryIncludingResources(const QString &path)
{
    if (path.isEmpty())
        return QString();
    if (QFileInfo::exists(path))
        return path;
    if (path.startsWith(QLatin1String(":/"))) {
        const QString onDisk = path.mid(2);
        return QFileInfo::exists(onDisk) ? onDisk : QString();
    }
    const QString resource = QStringLiteral(":/") + path;
    return QFileInfo::exists(resource) ? resource : QString();
}

QUrl ZarnoFileUtils::getUrlByAddingSchemeToFilename(const QString &file)
{
    if (file.isEmpty())
        return QUrl();
    QString text;
    if (file.startsWith(QLatin1String("file::/")))
        text = QStringLiteral("qrc") + file.mid(5);
    else if (file.startsWith(QLatin1String(":/")))
        text = QStringLiteral("qrc") + file;
    else if (file.startsWith(QLatin1String("file:")) || file.startsWith(QLatin1String("qrc:"))
             || file.startsWith(QLatin1String("assets:")))
        text = file;
    else if (startsWithDriveLetter(file))
        text = QStringLiteral("file:///") + file;
    else if (file.startsWith(QLatin1Char('/')))
        text = QStringLiteral("file://") + file;
    else
        text = QStringLiteral("file:") + file; // stays relative, as the name was
    return QUrl(text, QUrl::TolerantMode);
}

QString ZarnoFileUtils::stripSchemeFromUrl(const QUrl &filepath)
{
    return stripSchemeFromUrl(filepath.toString());
}

QString ZarnoFileUtils::stripSchemeFromUrl(const QString &urlString)
{
    QString s = urlString;
    if (s.startsWith(QLatin1String("qrc")))
        s.remove(0, 3);
    if (s.startsWith(QLatin1String("file:///"))) {
        // file:///C:/x is the drive path C:/x; file:///home/x the absolute path /home/x.
        s.remove(0, startsWithDriveLetter(s.mid(8)) ? 8 : 7);
    }
    if (s.startsWith(QLatin1String("file:")))
        s.remove(0, 5);
    return s;
}

QString ZarnoFileUtils::getFilenameWithoutSchemeAndResourcePath(const QUrl &filepath)
{
    QString s = stripSchemeFromUrl(filepath);
    if (s.startsWith(QLatin1String(":/")))
        s.remove(0, 2);
    return s;
}

QString ZarnoFileUtils::getAbsolutePathFromUrlString(const QString &filepath)
{
    const QString stripped = stripSchemeFromUrl(filepath);
    const QFileInfo info(stripped);
    if (!info.fileName().contains(QLatin1Char('.')))
        return info.absoluteFilePath();
    return info.absolutePath() + QLatin1Char('/');
}

bool ZarnoFileUtils::writeFile(const QString &file, const QString &stringData)
{
    // Written as UTF-8, the encoding readFile reads.
    QByteArray bytes = stringData.toUtf8();
    const int zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    return writeFile(file, bytes);
}

bool ZarnoFileUtils::writeFile(const QString &file, const QByteArray &byteData)
{
    if (file.isEmpty()) {
        qWarning("[WARNING] writeFile - No filename specified!");
        return false;
    }
    const QString path = writableLocationPath(file);
    if (path.isEmpty())
        return false;
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash > 0 ? path.left(slash) : QString();
    if (!folder.isEmpty() && !QDir().mkpath(folder))
        qWarning().noquote() << QStringLiteral("[WARNING] Could not create directory for writing file: %1").arg(quotedName(folder));

    // The new content replaces the old one only once it is completely on disk.
    QSaveFile output(path);
    if (!output.open(QIODevice::WriteOnly)) {
        qWarning().noquote() << QStringLiteral("[WARNING] File open for %1 did not work.").arg(quotedName(path));
        return false;
    }
    if (output.write(byteData) != byteData.size() || !output.commit()) {
        qWarning().noquote() << QStringLiteral("[WARNING] Writing %1 did not complete: %2").arg(quotedName(path), output.errorString());
        output.cancelWriting();
        return false;
    }
    return true;
}

QString ZarnoFileUtils::readFile(const QString &file)
{
    QByteArray bytes;
    if (!readAcceptedFile(file, &bytes))
        return QString();
    const int zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    return QString::fromUtf8(bytes);
}

QStringList ZarnoFileUtils::listFiles(const QUrl &path, const QStringList &nameFilter)
{
    const QString location = writableLocationPath(path.toString(), true);
    if (location.isEmpty())
        return QStringList();
    // A name with a dot stands for a file in the folder to list, unless it is
    // a folder itself.
    const QString folder = QFileInfo(location).isDir() ? location : getAbsolutePathFromUrlString(location);
    return QDir(folder).entryList(nameFilter, QDir::Files | QDir::Hidden, QDir::Unsorted);
}

bool ZarnoFileUtils::copyFile(const QString &source, const QString &destination)
{
    QByteArray bytes;
    if (!readAcceptedFile(stripSchemeFromUrl(source), &bytes)) {
        // The destination keeps what it had.
        qWarning().noquote() << QStringLiteral("[WARNING] copyFile could not read %1, nothing was copied").arg(quotedName(source));
        return false;
    }
    return writeFile(destination, bytes);
}

QByteArray ZarnoFileUtils::getFileData(const QString &)
{
    qWarning("WARNING: ZarnoFileUtils::getFileData() is not supported in Zarno 2.0 yet");
    return QByteArray();
}

QUrl ZarnoFileUtils::getDataStorageUrl(const QString &relativePath)
{
    QString relative = relativePath;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString path = resolveInDocuments(relative, true);
    if (path.isEmpty())
        return QUrl();
    return getUrlByAddingSchemeToFilename(path);
}

QUrl ZarnoFileUtils::getPathUrl(const QString &urlString, QObject *sourceObject)
{
    QString text = urlString;
    if (!text.startsWith(QLatin1String("qrc:")) && !text.startsWith(QLatin1String(":/"))
        && !text.startsWith(QLatin1String("assets:")) && !text.startsWith(QLatin1String("file:")))
        text.prepend(getBasePath(sourceObject));
    return getUrlByAddingSchemeToFilename(text);
}

QUrl ZarnoFileUtils::getPathUrl(const QString &urlString, const QUrl &sourcePath)
{
    return getUrlByAddingSchemeToFilename(getAbsolutePathFromUrlString(sourcePath.toString()) + urlString);
}

QString ZarnoFileUtils::getBasePath(QObject *sourceObject)
{
    if (!sourceObject)
        return QString();
    QQmlContext *context = QQmlEngine::contextForObject(sourceObject);
    if (!context)
        return QString();
    return QFileInfo(context->baseUrl().toString()).path() + QLatin1Char('/');
}

QUrl ZarnoFileUtils::qmlEngineBaseUrlForObject(QObject *object)
{
    QQmlContext *context = object ? QQmlEngine::contextForObject(object) : nullptr;
    if (!context || !context->engine())
        return QUrl();
    return context->engine()->baseUrl();
}

QString ZarnoFileUtils::storageLocation(ZarnoFileUtils::StorageLocation type)
{
    QStandardPaths::StandardLocation location;
    switch (type) {
    case HomeLocation: location = QStandardPaths::HomeLocation; break;
    case DocumentsLocation: location = QStandardPaths::DocumentsLocation; break;
    case DataLocation: location = QStandardPaths::AppLocalDataLocation; break;
    case CacheLocation: location = QStandardPaths::CacheLocation; break;
    case TempLocation: location = QStandardPaths::TempLocation; break;
    default: return QString();
    }
    QString path = QStandardPaths::writableLocation(location);
    // No location must never turn into the file system root.
    if (path.isEmpty())
        return QString();
    if (!path.endsWith(QLatin1Char('/')))
        path.append(QLatin1Char('/'));
    if (!QDir().mkpath(path))
        return QString();
    return path;
}

bool ZarnoFileUtils::removeDir(const QString &dirName)
{
    if (dirName.isEmpty()) {
        qWarning("WARNING: no dirName given for removeDir, no removal possible");
        return false;
    }
    const QString path = writableLocationPath(dirName);
    if (path.isEmpty())
        return false;
    if (holdsDocumentsFolder(path)) {
        qWarning().noquote() << QStringLiteral("[WARNING] removeDir refuses to remove the documents folder or a folder holding it: %1")
                                    .arg(quotedName(path));
        return false;
    }
    const QFileInfo info(path);
    if (info.isSymLink())
        return QFile::remove(path);
    if (!info.isDir())
        return true;
    return removeTree(path);
}

QString ZarnoFileUtils::defaultWritablePath()
{
    if (s_defaultWritablePath.isEmpty()) {
        s_defaultWritablePath = storageLocation(DocumentsLocation);
        if (s_defaultWritablePath.isEmpty())
            qWarning("WARNING: defaultWritablePath() is still empty after reading the documenstLocation storage!");
    }
    return s_defaultWritablePath;
}

QString ZarnoFileUtils::cropPathAndKeepFilename(const QString &path, bool cropFileExtension)
{
    QString result = path;
    const int slash = result.lastIndexOf(QLatin1Char('/'));
    if (slash > 0 && !result.endsWith(QLatin1Char('/')))
        result = result.mid(slash + 1);
    if (cropFileExtension) {
        const int dot = result.lastIndexOf(QLatin1Char('.'));
        if (dot > 0)
            result.truncate(dot);
    }
    return result;
}

void ZarnoFileUtils::addSearchPath(const QString &path, int index)
{
    QString folder = path;
    if (!folder.endsWith(QLatin1Char('/')))
        folder.append(QLatin1Char('/'));
    if (m_searchPaths.contains(folder))
        return;
    // Indexes outside the list append.
    if (index < 0 || index > m_searchPaths.size())
        index = m_searchPaths.size();
    m_searchPaths.insert(index, folder);
    emit searchPathsChanged();
}

void ZarnoFileUtils::removeSearchPath(const QString &path)
{
    QString folder = path;
    if (!folder.endsWith(QLatin1Char('/')))
        folder.append(QLatin1Char('/'));
    if (m_searchPaths.removeAll(folder) > 0)
        emit searchPathsChanged();
}

QUrl ZarnoFileUtils::getMultiPathUrl(const QUrl &url, QObject *contextObject)
{
    if (url.isEmpty())
        return QUrl();
    const QString documents = defaultWritablePath();
    if (!documents.isEmpty() && !m_searchPaths.contains(documents)) {
        m_searchPaths.prepend(documents);
        emit searchPathsChanged();
    }

    // A candidate found relative to the working directory is handed out as an
    // absolute URL, so that it names the same file wherever it is resolved.
    auto urlFor = [](const QString &candidate) {
        if (!candidate.startsWith(QLatin1String(":/")) && QFileInfo(candidate).isRelative())
            return getUrlByAddingSchemeToFilename(QFileInfo(candidate).absoluteFilePath());
        return getUrlByAddingSchemeToFilename(candidate);
    };

    const QString text = url.toString();
    const bool relative = url.isRelative() && !text.contains(QLatin1String(":/"));
    const QString documentFolder = contextObject ? getAbsolutePathFromUrlString(getBasePath(contextObject)) : QString();

    if (relative) {
        const QString documentCandidate = documentFolder + text;
        if (contextObject && QFile::exists(documentCandidate))
            return urlFor(documentCandidate);
        for (const QString &folder : qAsConst(m_searchPaths)) {
            if (QFile::exists(folder + text))
                return urlFor(folder + text);
        }
        return contextObject ? urlFor(documentCandidate) : QUrl();
    }

    QString stripped = stripSchemeFromUrl(text);
    if (QFile::exists(stripped))
        return url;
    if (contextObject) {
        if (!documentFolder.isEmpty() && stripped.startsWith(documentFolder))
            stripped.remove(0, documentFolder.size());
        for (const QString &folder : qAsConst(m_searchPaths)) {
            if (QFile::exists(folder + stripped))
                return urlFor(folder + stripped);
        }
        return url;
    }
    if (stripped.startsWith(QLatin1String(":/"))) {
        if (QFile::exists(stripped.mid(2)))
            return url;
        qWarning().noquote() << QStringLiteral("WARNING: System: getMultiPathUrl(): absolute url supplied, but the file wasnt found and no "
                                               "contextObject given so we cannot search the searchpaths for url: %1")
                                    .arg(quotedName(text));
        return QUrl();
    }
    for (const QString &folder : qAsConst(m_searchPaths)) {
        if (QFile::exists(folder + text))
            return urlFor(folder + text);
    }
    return url;
}
