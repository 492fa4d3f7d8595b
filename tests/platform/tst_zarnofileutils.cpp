#include "platform/zarnofileutils.h"

#include <QtTest>
#include <QQmlComponent>
#include <QQmlEngine>

class tst_ZarnoFileUtils : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void stripSchemeFromUrl_data();
    void stripSchemeFromUrl();
    void getUrlByAddingSchemeToFilename_data();
    void getUrlByAddingSchemeToFilename();
    void pathHelpers();
    void cropPathAndKeepFilename_data();
    void cropPathAndKeepFilename();
    void findsFilesOnDiskAndInResources();

    void writeAndReadInDocuments();
    void readFileAcceptsOnlyTextTypes();
    void readFileFallsBackToDocuments();
    void unreadableAndMissingFiles();
    void writeFailuresWarnAndKeepData();
    void relativeNamesStayInsideDocuments_data();
    void relativeNamesStayInsideDocuments();
    void copyFile();
    void listFiles();
    void removeDir();
    void removeDirNeverTakesTheDocumentsFolder();
    void storageLocations();

    void searchPaths();
    void pathsOfQmlDocuments();
    void getMultiPathUrl();

private:
    QString documentsFile(const QString &name) const { return m_documents + name; }
    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static void write(const QString &path, const QByteArray &data)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(data);
    }

    QTemporaryDir m_home;
    QString m_documents;
    ZarnoFileUtils m_utils;
};

void tst_ZarnoFileUtils::initTestCase()
{
    // The documents location of this run is a scratch folder of its own.
    qputenv("HOME", m_home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (m_home.path() + QStringLiteral("/.config")).toUtf8());
    m_documents = m_home.path() + QStringLiteral("/Documents/");
    QCOMPARE(ZarnoFileUtils::defaultWritablePath(), m_documents);
    QVERIFY(QFileInfo(m_documents).isDir());
}

void tst_ZarnoFileUtils::init()
{
    // Each test starts from an empty documents folder.
    QDir(m_documents).removeRecursively();
    QDir().mkpath(m_documents);
}

void tst_ZarnoFileUtils::stripSchemeFromUrl_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("resource") << "qrc:/qml/a.png" << ":/qml/a.png";
    QTest::newRow("prefix only") << "qrc:/qml/qrcdata.json" << ":/qml/qrcdata.json";
    QTest::newRow("drive") << "file:///C:/x/a.png" << "C:/x/a.png";
    QTest::newRow("absolute") << "file:///home/u/x" << "/home/u/x";
    QTest::newRow("one slash") << "file:/home/u/x" << "/home/u/x";
    QTest::newRow("relative") << "file:levels/a.json" << "levels/a.json";
    QTest::newRow("file later") << "/tmp/file:x" << "/tmp/file:x";
    QTest::newRow("plain") << "levels/a.json" << "levels/a.json";
}

void tst_ZarnoFileUtils::stripSchemeFromUrl()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ZarnoFileUtils::stripSchemeFromUrl(text), expected);
    QCOMPARE(ZarnoFileUtils::stripSchemeFromUrl(QUrl(text)), expected);
}

void tst_ZarnoFileUtils::getUrlByAddingSchemeToFilename_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");
    QTest::newRow("drive") << "C:/games/save.txt" << "file:///C:/games/save.txt";
    QTest::newRow("resource path") << ":/qml/Main.qml" << "qrc:/qml/Main.qml";
    QTest::newRow("file resource") << "file::/img/a.png" << "qrc:/img/a.png";
    QTest::newRow("absolute") << "/home/u/a.png" << "file:///home/u/a.png";
    QTest::newRow("relative") << "levels/a.json" << "file:levels/a.json";
    QTest::newRow("url") << "file:///home/u/a.png" << "file:///home/u/a.png";
    QTest::newRow("qrc") << "qrc:/a.png" << "qrc:/a.png";
    QTest::newRow("assets") << "assets:/a.png" << "assets:/a.png";
    QTest::newRow("empty") << "" << "";
}

void tst_ZarnoFileUtils::getUrlByAddingSchemeToFilename()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);
    const QUrl url = ZarnoFileUtils::getUrlByAddingSchemeToFilename(file);
    QCOMPARE(url.toString(), expected);
    // What comes out goes back to the same name.
    if (!file.isEmpty() && !file.startsWith(QLatin1String("file::")))
        QCOMPARE(ZarnoFileUtils::getFilenameWithoutSchemeAndResourcePath(url),
                 ZarnoFileUtils::getFilenameWithoutSchemeAndResourcePath(QUrl(ZarnoFileUtils::getUrlByAddingSchemeToFilename(
                     ZarnoFileUtils::stripSchemeFromUrl(file)))));
}

void tst_ZarnoFileUtils::pathHelpers()
{
    QCOMPARE(ZarnoFileUtils::getFilenameWithoutSchemeAndResourcePath(QUrl(QStringLiteral("qrc:/qml/Main.qml"))),
             QStringLiteral("qml/Main.qml"));
    QCOMPARE(ZarnoFileUtils::getFilenameWithoutSchemeAndResourcePath(QUrl(QStringLiteral("qrc:/qml/:/x"))),
             QStringLiteral("qml/:/x"));
    QCOMPARE(ZarnoFileUtils::getAbsolutePathFromUrlString(QStringLiteral("file:///home/u/img/a.png")), QStringLiteral("/home/u/img/"));
    QCOMPARE(ZarnoFileUtils::getAbsolutePathFromUrlString(QStringLiteral("/home/u/img")), QStringLiteral("/home/u/img"));
    QCOMPARE(ZarnoFileUtils::getAbsolutePathFromUrlString(QStringLiteral("qrc:/qml/scenes/")), QStringLiteral(":/qml/scenes/"));
    QCOMPARE(ZarnoFileUtils::getAbsolutePathFromUrlString(QStringLiteral("levels")), QDir::current().absoluteFilePath(QStringLiteral("levels")));
    QVERIFY(m_utils.existsFileWithoutAdoptions(QStringLiteral("qml")));
    QVERIFY(!m_utils.existsFileWithoutAdoptions(QStringLiteral("file:qml")));
    QCOMPARE(m_utils.applicationDirPath(), QCoreApplication::applicationDirPath());
    QTest::ignoreMessage(QtWarningMsg, "WARNING: ZarnoFileUtils::getFileData() is not supported in Zarno 2.0 yet");
    QVERIFY(m_utils.getFileData(QStringLiteral("qml/config.json")).isEmpty());
}

void tst_ZarnoFileUtils::cropPathAndKeepFilename_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("crop");
    QTest::addColumn<QString>("expected");
    QTest::newRow("keep extension") << "img/player.png" << false << "player.png";
    QTest::newRow("crop extension") << "img/player.png" << true << "player";
    QTest::newRow("leading slash only") << "/player.png" << false << "/player.png";
    QTest::newRow("folder") << "img/sub/" << false << "img/sub/";
    QTest::newRow("two dots") << "a/b.c.d" << true << "b.c";
    QTest::newRow("hidden file") << "a/.hidden" << true << ".hidden";
}

void tst_ZarnoFileUtils::cropPathAndKeepFilename()
{
    QFETCH(QString, path);
    QFETCH(bool, crop);
    QFETCH(QString, expected);
    QCOMPARE(m_utils.cropPathAndKeepFilename(path, crop), expected);
}

void tst_ZarnoFileUtils::findsFilesOnDiskAndInResources()
{
    // The working directory is the repository root.
    QCOMPARE(ZarnoFileUtils::findFileOrDirectoryIncludingResources(QStringLiteral("qml")), QStringLiteral("qml"));
    QCOMPARE(ZarnoFileUtils::findFileOrDirectoryIncludingResources(QStringLiteral(":/qml/Zarno/qmldir")), QStringLiteral(":/qml/Zarno/qmldir"));
    QCOMPARE(ZarnoFileUtils::findFileOrDirectoryIncludingResources(QStringLiteral("no/such/file.json")), QString());
    QCOMPARE(ZarnoFileUtils::findFileOrDirectoryIncludingResources(QStringLiteral(":/no/such/file.json")), QString());
    QCOMPARE(ZarnoFileUtils::findFileOrDirectoryIncludingResources(QString()), QString());

    // Elsewhere the framework is found in the resources, and a resource path on disk.
    QTemporaryDir elsewhere;
    write(elsewhere.filePath(QStringLiteral("data/local.json")), "{}");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    const QString inResources = ZarnoFileUtils::findFileOrDirectoryIncludingResources(QStringLiteral("qml/Zarno/qmldir"));
    const QString onDisk = ZarnoFileUtils::findFileOrDirectoryIncludingResources(QStringLiteral(":/data/local.json"));
    const bool exists = m_utils.existsFile(QStringLiteral("qrc:/qml/Zarno/qmldir"));
    const bool existsPlain = m_utils.existsFileOrDirectoryIncludingResources(QStringLiteral("qml/Zarno/qmldir"));
    QDir::setCurrent(previous);
    QCOMPARE(inResources, QStringLiteral(":/qml/Zarno/qmldir"));
    QCOMPARE(onDisk, QStringLiteral("data/local.json"));
    QVERIFY(exists);
    QVERIFY(existsPlain);
    QVERIFY(!m_utils.existsFile(QStringLiteral("file:///no/such/file.json")));
    QVERIFY(m_utils.existsFile(QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("qml"))).toString()));
}

void tst_ZarnoFileUtils::writeAndReadInDocuments()
{
    const QString text = QStringLiteral("{ \"name\": \"Zo\u00eb \u2713\" }\n");
    QVERIFY(m_utils.writeFile(QStringLiteral("levels/one.json"), text));
    QVERIFY(QFileInfo(documentsFile(QStringLiteral("levels"))).isDir());
    QCOMPARE(contents(documentsFile(QStringLiteral("levels/one.json"))), text.toUtf8());
    QCOMPARE(m_utils.readFile(QStringLiteral("levels/one.json")), text);
    QCOMPARE(m_utils.readFile(QStringLiteral("file:levels/one.json")), text);
    QCOMPARE(m_utils.readFile(QUrl::fromLocalFile(documentsFile(QStringLiteral("levels/one.json"))).toString()), text);
    // Nothing but the file is left behind.
    QCOMPARE(QDir(documentsFile(QStringLiteral("levels"))).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("one.json")});

    // Replacing keeps nothing of the old content; bytes are written as given.
    QVERIFY(m_utils.writeFile(QStringLiteral("levels/one.json"), QByteArray("a\0b", 3)));
    QCOMPARE(contents(documentsFile(QStringLiteral("levels/one.json"))), QByteArray("a\0b", 3));
    QCOMPARE(m_utils.readFile(QStringLiteral("levels/one.json")), QStringLiteral("a"));

    // Empty content is a complete write: an empty file, and success.
    QVERIFY(m_utils.writeFile(QStringLiteral("levels/one.json"), QString()));
    QVERIFY(QFileInfo::exists(documentsFile(QStringLiteral("levels/one.json"))));
    QCOMPARE(contents(documentsFile(QStringLiteral("levels/one.json"))), QByteArray());

    // An absolute name is used as it is.
    QTemporaryDir outside;
    const QString absolute = outside.filePath(QStringLiteral("new/folder/save.txt"));
    QVERIFY(m_utils.writeFile(QUrl::fromLocalFile(absolute).toString(), QStringLiteral("abs")));
    QCOMPARE(contents(absolute), QByteArray("abs"));
}

void tst_ZarnoFileUtils::readFileAcceptsOnlyTextTypes()
{
    const QStringList accepted{"a.txt", "a.qml", "a.js", "a.key", "a.json", "a.xml", "a.plist"};
    for (const QString &name : accepted) {
        write(documentsFile(name), "x");
        QCOMPARE(m_utils.readFile(name), QStringLiteral("x"));
    }
    const QStringList refused{"notes.dat", "a.JSON", "a.json.bak", "a.png"};
    for (const QString &name : refused) {
        write(documentsFile(name), "x");
        QCOMPARE(m_utils.readFile(name), QString());
    }
    QCOMPARE(m_utils.readFile(QString()), QString());
}

void tst_ZarnoFileUtils::readFileFallsBackToDocuments()
{
    // Beside the working directory first (the repository root has its own).
    const QByteArray config = contents(QStringLiteral("qml/config.json"));
    write(documentsFile(QStringLiteral("qml/config.json")), "documents");
    QCOMPARE(m_utils.readFile(QStringLiteral("qml/config.json")).toUtf8(), config);
    // A name only the documents folder has is read from there.
    write(documentsFile(QStringLiteral("only-in-documents-7f3.json")), "saved");
    QCOMPARE(m_utils.readFile(QStringLiteral("only-in-documents-7f3.json")), QStringLiteral("saved"));
}

void tst_ZarnoFileUtils::unreadableAndMissingFiles()
{
    // Missing: empty, nothing else to say.
    QCOMPARE(m_utils.readFile(QStringLiteral("missing.json")), QString());
    QCOMPARE(m_utils.readFile(QStringLiteral("/no/such/missing.json")), QString());
    // There but not readable as a file.
    QDir().mkpath(documentsFile(QStringLiteral("folder.json")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^\\[WARNING\\] readFile could not open \"%1\": .+$")
                                                              .arg(QRegularExpression::escape(documentsFile(QStringLiteral("folder.json"))))));
    QCOMPARE(m_utils.readFile(QStringLiteral("folder.json")), QString());
}

void tst_ZarnoFileUtils::writeFailuresWarnAndKeepData()
{
    QTest::ignoreMessage(QtWarningMsg, "[WARNING] writeFile - No filename specified!");
    QVERIFY(!m_utils.writeFile(QString(), QStringLiteral("x")));

    // A folder that cannot exist: a file stands where it would be.
    write(documentsFile(QStringLiteral("blocker")), "keep me");
    const QString folder = documentsFile(QStringLiteral("blocker/sub"));
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("[WARNING] Could not create directory for writing file: \"%1\"").arg(folder)));
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("[WARNING] File open for \"%1/a.json\" did not work.").arg(folder)));
    QVERIFY(!m_utils.writeFile(QStringLiteral("blocker/sub/a.json"), QStringLiteral("x")));
    QCOMPARE(contents(documentsFile(QStringLiteral("blocker"))), QByteArray("keep me"));

    // A folder where the file should go: refused, the folder and its content stay.
    write(documentsFile(QStringLiteral("taken.json/inner.txt")), "inner");
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("[WARNING] File open for \"%1\" did not work.")
                                                      .arg(documentsFile(QStringLiteral("taken.json")))));
    QVERIFY(!m_utils.writeFile(QStringLiteral("taken.json"), QStringLiteral("x")));
    QCOMPARE(contents(documentsFile(QStringLiteral("taken.json/inner.txt"))), QByteArray("inner"));
}

void tst_ZarnoFileUtils::relativeNamesStayInsideDocuments_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("parent") << "../escape.json";
    QTest::newRow("deeper parent") << "levels/../../escape.json";
    QTest::newRow("with scheme") << "file:../escape.json";
    QTest::newRow("the folder itself") << "levels/..";
}

void tst_ZarnoFileUtils::relativeNamesStayInsideDocuments()
{
    QFETCH(QString, name);
    const QString warning = QStringLiteral("[WARNING] Relative path outside the documents folder refused: \"%1\"")
                                .arg(ZarnoFileUtils::stripSchemeFromUrl(name));
    QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    QVERIFY(!m_utils.writeFile(name, QStringLiteral("x")));
    QVERIFY(!QFileInfo::exists(m_home.filePath(QStringLiteral("escape.json"))));

    write(m_home.filePath(QStringLiteral("escape.json")), "outside");
    if (name.endsWith(QLatin1String(".json"))) {
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        QCOMPARE(m_utils.readFile(name), QString());
    }

    QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    QVERIFY(!m_utils.removeDir(name));
    QCOMPARE(contents(m_home.filePath(QStringLiteral("escape.json"))), QByteArray("outside"));
    QVERIFY(QFileInfo(m_documents).isDir());
    QFile::remove(m_home.filePath(QStringLiteral("escape.json")));
}

void tst_ZarnoFileUtils::copyFile()
{
    write(documentsFile(QStringLiteral("a.json")), "{ \"a\": 1 }");
    QVERIFY(m_utils.copyFile(QStringLiteral("a.json"), QStringLiteral("backup/a.json")));
    QCOMPARE(contents(documentsFile(QStringLiteral("backup/a.json"))), QByteArray("{ \"a\": 1 }"));
    // An empty source copies to an empty file.
    write(documentsFile(QStringLiteral("empty.txt")), "");
    QVERIFY(m_utils.copyFile(QStringLiteral("file:empty.txt"), QStringLiteral("empty-copy.txt")));
    QCOMPARE(contents(documentsFile(QStringLiteral("empty-copy.txt"))), QByteArray());

    // A source that cannot be copied leaves the destination as it was.
    write(documentsFile(QStringLiteral("image.png")), "png");
    for (const QString &source : {QStringLiteral("missing.json"), QStringLiteral("image.png")}) {
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("[WARNING] copyFile could not read \"%1\", nothing was copied").arg(source)));
        QVERIFY(!m_utils.copyFile(source, QStringLiteral("backup/a.json")));
        QCOMPARE(contents(documentsFile(QStringLiteral("backup/a.json"))), QByteArray("{ \"a\": 1 }"));
    }
}

void tst_ZarnoFileUtils::listFiles()
{
    write(documentsFile(QStringLiteral("levels/one.json")), "1");
    write(documentsFile(QStringLiteral("levels/two.json")), "2");
    write(documentsFile(QStringLiteral("levels/.hidden.json")), "h");
    write(documentsFile(QStringLiteral("levels/notes.txt")), "n");
    QDir().mkpath(documentsFile(QStringLiteral("levels/sub.json")));
    write(documentsFile(QStringLiteral("top.json")), "t");

    auto sorted = [](QStringList list) { list.sort(); return list; };
    QCOMPARE(sorted(m_utils.listFiles(QUrl(QStringLiteral("levels")), {QStringLiteral("*.json")})),
             (QStringList{".hidden.json", "one.json", "two.json"}));
    QCOMPARE(sorted(m_utils.listFiles(QUrl(QStringLiteral("levels/")))),
             (QStringList{".hidden.json", "notes.txt", "one.json", "two.json"}));
    // A file name stands for its folder; an absolute URL is listed where it points.
    QCOMPARE(sorted(m_utils.listFiles(QUrl(QStringLiteral("levels/one.json")), {QStringLiteral("*.txt")})), QStringList{"notes.txt"});
    QCOMPARE(sorted(m_utils.listFiles(QUrl::fromLocalFile(documentsFile(QStringLiteral("levels"))), {QStringLiteral("t*")})),
             QStringList{"two.json"});
    // The documents folder itself may be listed.
    QCOMPARE(m_utils.listFiles(QUrl()), QStringList{"top.json"});
    QCOMPARE(m_utils.listFiles(QUrl(QStringLiteral("missing"))), QStringList());
}

void tst_ZarnoFileUtils::removeDir()
{
    QTest::ignoreMessage(QtWarningMsg, "WARNING: no dirName given for removeDir, no removal possible");
    QVERIFY(!m_utils.removeDir(QString()));
    QVERIFY(m_utils.removeDir(QStringLiteral("does/not/exist")));

    write(documentsFile(QStringLiteral("save/a.json")), "a");
    write(documentsFile(QStringLiteral("save/.hidden")), "h");
    write(documentsFile(QStringLiteral("save/deep/er/b.json")), "b");
    // Links inside are removed, never followed.
    QTemporaryDir outside;
    write(outside.filePath(QStringLiteral("precious.txt")), "precious");
    QVERIFY(QFile::link(outside.path(), documentsFile(QStringLiteral("save/link-to-folder"))));
    QVERIFY(QFile::link(outside.filePath(QStringLiteral("precious.txt")), documentsFile(QStringLiteral("save/deep/link-to-file"))));
    QVERIFY(QFile::link(outside.filePath(QStringLiteral("gone")), documentsFile(QStringLiteral("save/broken-link"))));
    write(documentsFile(QStringLiteral("keep.json")), "keep");

    QVERIFY(m_utils.removeDir(QStringLiteral("save")));
    QVERIFY(!QFileInfo::exists(documentsFile(QStringLiteral("save"))));
    QCOMPARE(contents(outside.filePath(QStringLiteral("precious.txt"))), QByteArray("precious"));
    QCOMPARE(contents(documentsFile(QStringLiteral("keep.json"))), QByteArray("keep"));

    // A link given by name goes, its target stays.
    QVERIFY(QFile::link(outside.path(), documentsFile(QStringLiteral("linked"))));
    QVERIFY(m_utils.removeDir(QStringLiteral("file:linked")));
    QVERIFY(!QFileInfo(documentsFile(QStringLiteral("linked"))).isSymLink());
    QCOMPARE(contents(outside.filePath(QStringLiteral("precious.txt"))), QByteArray("precious"));

    // An absolute folder outside the documents folder can be removed.
    QVERIFY(m_utils.removeDir(outside.path()));
    QVERIFY(!QFileInfo::exists(outside.path()));
}

void tst_ZarnoFileUtils::removeDirNeverTakesTheDocumentsFolder()
{
    write(documentsFile(QStringLiteral("keep.json")), "keep");
    const QString documents = QDir::cleanPath(m_documents);
    for (const QString &name : {QStringLiteral("."), QStringLiteral("./"), QStringLiteral("levels/..")}) {
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("[WARNING] Relative path outside the documents folder refused: \"%1\"").arg(name)));
        QVERIFY(!m_utils.removeDir(name));
    }
    for (const QString &name : {m_documents, QUrl::fromLocalFile(m_documents).toString(), m_home.path(), QStringLiteral("/")}) {
        const QString path = ZarnoFileUtils::stripSchemeFromUrl(name);
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral(
            "[WARNING] removeDir refuses to remove the documents folder or a folder holding it: \"%1\"").arg(path)));
        QVERIFY(!m_utils.removeDir(name));
    }
    QCOMPARE(contents(documentsFile(QStringLiteral("keep.json"))), QByteArray("keep"));
    QVERIFY(QFileInfo(documents).isDir());
}

void tst_ZarnoFileUtils::storageLocations()
{
    QCOMPARE(ZarnoFileUtils::storageLocation(ZarnoFileUtils::DocumentsLocation), m_documents);
    QCOMPARE(ZarnoFileUtils::storageLocation(ZarnoFileUtils::HomeLocation), m_home.path() + QLatin1Char('/'));
    const QString temp = ZarnoFileUtils::storageLocation(ZarnoFileUtils::TempLocation);
    QVERIFY(temp.endsWith(QLatin1Char('/')));
    QVERIFY(QFileInfo(temp).isDir());
    QCOMPARE(ZarnoFileUtils::storageLocation(ZarnoFileUtils::StorageLocation(42)), QString());

    QCOMPARE(m_utils.getDataStorageUrl(QStringLiteral("levels/a.json")), QUrl::fromLocalFile(documentsFile(QStringLiteral("levels/a.json"))));
    QCOMPARE(m_utils.getDataStorageUrl(QStringLiteral(".\\levels\\a.json")), QUrl::fromLocalFile(documentsFile(QStringLiteral("levels/a.json"))));
    QCOMPARE(m_utils.getDataStorageUrl(QStringLiteral(".hidden.json")), QUrl::fromLocalFile(documentsFile(QStringLiteral(".hidden.json"))));
    QTest::ignoreMessage(QtWarningMsg, "[WARNING] Relative path outside the documents folder refused: \"../a.json\"");
    QCOMPARE(m_utils.getDataStorageUrl(QStringLiteral("../a.json")), QUrl());
}

void tst_ZarnoFileUtils::searchPaths()
{
    ZarnoFileUtils utils;
    QSignalSpy spy(&utils, &ZarnoFileUtils::searchPathsChanged);
    utils.addSearchPath(QStringLiteral("levels"));
    utils.addSearchPath(QStringLiteral("levels"));
    utils.addSearchPath(QStringLiteral("levels/"));
    QCOMPARE(utils.searchPaths(), QStringList{"levels/"});
    QCOMPARE(spy.count(), 1);
    utils.addSearchPath(QStringLiteral("first"), 0);
    utils.addSearchPath(QStringLiteral("far"), 99);
    QCOMPARE(utils.searchPaths(), (QStringList{"first/", "levels/", "far/"}));
    utils.removeSearchPath(QStringLiteral("levels"));
    utils.removeSearchPath(QStringLiteral("never"));
    QCOMPARE(utils.searchPaths(), (QStringList{"first/", "far/"}));
    QCOMPARE(spy.count(), 4);
    QCOMPARE(utils.property("searchPaths").toStringList(), (QStringList{"first/", "far/"}));
}

void tst_ZarnoFileUtils::pathsOfQmlDocuments()
{
    QTemporaryDir game;
    QQmlEngine engine;
    QQmlComponent component(&engine);
    const QUrl document = QUrl::fromLocalFile(game.filePath(QStringLiteral("scenes/Game.qml")));
    component.setData("import QtQuick 2.0\nItem { Item { objectName: 'inner' } }", document);
    QScopedPointer<QObject> item(component.create());
    QVERIFY(item);
    const QString folderUrl = QUrl::fromLocalFile(game.filePath(QStringLiteral("scenes/"))).toString();
    QCOMPARE(ZarnoFileUtils::getBasePath(item.data()), folderUrl);
    QCOMPARE(ZarnoFileUtils::getBasePath(item->findChild<QObject *>(QStringLiteral("inner"))), folderUrl);
    QCOMPARE(ZarnoFileUtils::getBasePath(nullptr), QString());
    QObject native;
    QCOMPARE(ZarnoFileUtils::getBasePath(&native), QString());
    QCOMPARE(m_utils.qmlEngineBaseUrlForObject(item.data()), engine.baseUrl());
    QCOMPARE(m_utils.qmlEngineBaseUrlForObject(&native), QUrl());

    QCOMPARE(m_utils.getPathUrl(QStringLiteral("img/a.png"), item.data()),
             QUrl::fromLocalFile(game.filePath(QStringLiteral("scenes/img/a.png"))));
    QCOMPARE(m_utils.getPathUrl(QStringLiteral("qrc:/img/a.png"), item.data()), QUrl(QStringLiteral("qrc:/img/a.png")));
    QCOMPARE(m_utils.getPathUrl(QStringLiteral(":/img/a.png"), item.data()), QUrl(QStringLiteral("qrc:/img/a.png")));
    QCOMPARE(m_utils.getPathUrl(QStringLiteral("img/a.png"), document),
             QUrl::fromLocalFile(game.filePath(QStringLiteral("scenes/img/a.png"))));
}

void tst_ZarnoFileUtils::getMultiPathUrl()
{
    QTemporaryDir game;
    write(game.filePath(QStringLiteral("scenes/local.json")), "l");
    write(game.filePath(QStringLiteral("extra/shared.json")), "s");
    write(documentsFile(QStringLiteral("saved.json")), "d");
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData("import QtQuick 2.0\nItem {}", QUrl::fromLocalFile(game.filePath(QStringLiteral("scenes/Game.qml"))));
    QScopedPointer<QObject> item(component.create());
    QVERIFY(item);

    ZarnoFileUtils utils;
    utils.addSearchPath(game.filePath(QStringLiteral("extra")));
    QCOMPARE(utils.getMultiPathUrl(QUrl()), QUrl());

    // Relative names: the document's folder, then the search paths.
    QCOMPARE(utils.getMultiPathUrl(QUrl(QStringLiteral("local.json")), item.data()),
             QUrl::fromLocalFile(game.filePath(QStringLiteral("scenes/local.json"))));
    // The documents folder is searched first.
    QCOMPARE(utils.searchPaths(), (QStringList{m_documents, game.filePath(QStringLiteral("extra/"))}));
    QCOMPARE(utils.getMultiPathUrl(QUrl(QStringLiteral("shared.json")), item.data()),
             QUrl::fromLocalFile(game.filePath(QStringLiteral("extra/shared.json"))));
    QCOMPARE(utils.getMultiPathUrl(QUrl(QStringLiteral("saved.json"))), QUrl::fromLocalFile(documentsFile(QStringLiteral("saved.json"))));
    // Found nowhere: the document-folder candidate with a context object, else nothing.
    QCOMPARE(utils.getMultiPathUrl(QUrl(QStringLiteral("nowhere.json")), item.data()),
             QUrl::fromLocalFile(game.filePath(QStringLiteral("scenes/nowhere.json"))));
    QCOMPARE(utils.getMultiPathUrl(QUrl(QStringLiteral("nowhere.json"))), QUrl());
    // A search path relative to the working directory gives an absolute URL.
    utils.addSearchPath(QStringLiteral("qml"));
    QCOMPARE(utils.getMultiPathUrl(QUrl(QStringLiteral("config.json"))),
             QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("qml/config.json"))));

    // Absolute URLs: kept when they exist, else looked up by their path below the document folder.
    const QUrl existing = QUrl::fromLocalFile(game.filePath(QStringLiteral("extra/shared.json")));
    QCOMPARE(utils.getMultiPathUrl(existing, item.data()), existing);
    const QUrl moved = QUrl::fromLocalFile(game.filePath(QStringLiteral("scenes/saved.json")));
    QCOMPARE(utils.getMultiPathUrl(moved, item.data()), QUrl::fromLocalFile(documentsFile(QStringLiteral("saved.json"))));
    const QUrl lost = QUrl::fromLocalFile(game.filePath(QStringLiteral("scenes/lost.json")));
    QCOMPARE(utils.getMultiPathUrl(lost, item.data()), lost);
    QCOMPARE(utils.getMultiPathUrl(lost), lost);
    QCOMPARE(utils.getMultiPathUrl(QUrl(QStringLiteral("qrc:/qml/config.json"))), QUrl(QStringLiteral("qrc:/qml/config.json")));
    QTest::ignoreMessage(QtWarningMsg, "WARNING: System: getMultiPathUrl(): absolute url supplied, but the file wasnt found and no "
                                       "contextObject given so we cannot search the searchpaths for url: \"qrc:/no/such.json\"");
    QCOMPARE(utils.getMultiPathUrl(QUrl(QStringLiteral("qrc:/no/such.json"))), QUrl());
}

QTEST_MAIN(tst_ZarnoFileUtils)
#include "tst_zarnofileutils.moc"
