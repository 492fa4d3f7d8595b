#include "gamelauncher.h"

#include "app/zrapplication.h"
#include "platform/system.h"
#include "scheduling/zrstepdriver.h"

#include <QColor>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlError>
#include <QQuickItem>
#include <QQuickWindow>
#include <QUrl>

#include <cstdio>

namespace {

// Status lines are the launcher's own output, so they are printed even when a
// publish-stage game has filtered the log.
void say(const QString &line)
{
    std::fprintf(stderr, "zarno: %s\n", qPrintable(line));
    std::fflush(stderr);
}

QString describe(const QQmlError &error)
{
    const QUrl url = error.url();
    QString where = url.isLocalFile() ? url.toLocalFile() : url.toString();
    if (error.line() > 0) {
        where += QLatin1Char(':') + QString::number(error.line());
        if (error.column() > 0)
            where += QLatin1Char(':') + QString::number(error.column());
    }
    return where.isEmpty() ? error.description() : where + QStringLiteral(": ") + error.description();
}

void reportErrors(const QList<QQmlError> &errors)
{
    for (const QQmlError &error : errors)
        qWarning().noquote() << describe(error);
}

// The documents whose change reloads the game.
const QStringList &watchedNameFilters()
{
    static const QStringList filters{QStringLiteral("*.qml"), QStringLiteral("*.js"), QStringLiteral("*.mjs"),
                                     QStringLiteral("qmldir"), QStringLiteral("*.json")};
    return filters;
}

} // namespace

GameLauncher::GameLauncher(QObject *parent)
    : QObject(parent)
{
    // Editors save in several steps (truncate, write, rename); one reload follows them all.
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(150);
    connect(&m_settleTimer, &QTimer::timeout, this, &GameLauncher::checkForChanges);
}

GameLauncher::~GameLauncher()
{
    // The game's objects and the engine go before the services they use.
    destroyRoot();
    delete m_itemHost.data();
    delete m_errorWindow.data();
    delete m_engine;
    delete m_zarnoApp;
}

bool GameLauncher::setGame(const QString &folderOrMainFile)
{
    m_errorString.clear();
    const QFileInfo info(folderOrMainFile);
    if (!info.exists()) {
        m_errorString = QStringLiteral("no game at %1 (tried %2)").arg(folderOrMainFile, info.absoluteFilePath());
        return false;
    }

    QString mainFile;
    if (info.isDir()) {
        const QDir folder(info.canonicalFilePath());
        const QStringList candidates{folder.filePath(QStringLiteral("Main.qml")),
                                     folder.filePath(QStringLiteral("qml/Main.qml"))};
        for (const QString &candidate : candidates) {
            if (QFileInfo(candidate).isFile()) {
                mainFile = candidate;
                break;
            }
        }
        if (mainFile.isEmpty()) {
            m_errorString = QStringLiteral("no main document in %1 (tried %2 and %3)")
                                .arg(folderOrMainFile, candidates.at(0), candidates.at(1));
            return false;
        }
    } else {
        if (info.suffix() != QLatin1String("qml")) {
            m_errorString = QStringLiteral("%1 is not a QML document (tried %2)").arg(folderOrMainFile, info.absoluteFilePath());
            return false;
        }
        mainFile = info.canonicalFilePath();
    }

    const QFileInfo main(mainFile);
    const QDir mainFolder = main.absoluteDir();
    m_mainFile = main.absoluteFilePath();
    m_configurationFile = mainFolder.filePath(QStringLiteral("config.json"));
    // A main document in a folder named "qml" is the packaged layout, where the game's
    // files are found relative to the folder holding qml/ and assets/.
    QDir workFolder = mainFolder;
    if (mainFolder.dirName() == QLatin1String("qml"))
        workFolder.cdUp();
    m_gameFolder = workFolder.absolutePath();
    return true;
}

bool GameLauncher::start()
{
    if (m_mainFile.isEmpty()) {
        qWarning("zarno: no game was given");
        return false;
    }
    if (m_engine)
        return reload();

    if (!QFileInfo::exists(m_configurationFile))
        say(QStringLiteral("no configuration file %1, the game runs without one").arg(m_configurationFile));
    System::setConfigurationFile(m_configurationFile);
    QDir::setCurrent(m_gameFolder);
    // Compiled documents cached on disk are keyed by their time stamps; an edit within
    // the same instant must never bring an old version back.
    if (m_liveReload && qEnvironmentVariableIsEmpty("QML_DISABLE_DISK_CACHE"))
        qputenv("QML_DISABLE_DISK_CACHE", "1");

    m_zarnoApp = new ZRApplication;
    m_engine = new QQmlApplicationEngine;
    m_engine->setBaseUrl(QUrl::fromLocalFile(m_gameFolder + QLatin1Char('/')));
    m_zarnoApp->initialize(m_engine);
    // As a packaged game's own folder is an import path, so is the folder of Main.qml.
    m_engine->addImportPath(QFileInfo(m_mainFile).absolutePath());

    if (m_liveReload) {
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::fileChanged, this, [this](const QString &path) {
            m_stamps.remove(path);   // known to have changed, whatever its time stamp says
            m_settleTimer.start();
        });
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_settleTimer.start(); });
        watchGameFiles();
    }

    const bool ok = createRoot();
    if (!ok && m_liveReload)
        say(QStringLiteral("waiting for a change below %1").arg(QFileInfo(m_mainFile).absolutePath()));
    return ok;
}

bool GameLauncher::reload()
{
    destroyRoot();
    m_engine->clearComponentCache();
    System::reloadConfiguration();
    return createRoot();
}

bool GameLauncher::createRoot()
{
    QElapsedTimer clock;
    clock.start();
    const QUrl url = QUrl::fromLocalFile(m_mainFile);
    QQmlComponent component(m_engine, url);
    if (component.isError()) {
        failed(component.errors());
        return false;
    }
    QObject *object = component.beginCreate(m_engine->rootContext());
    if (!object) {
        failed(component.errors());
        return false;
    }
    QQmlEngine::setObjectOwnership(object, QQmlEngine::CppOwnership);
    auto *window = qobject_cast<QQuickWindow *>(object);
    // A reloaded window opens where the previous one was, in the same state.
    const bool restoreWindow = window && m_windowVisibility != QWindow::Hidden;
    if (restoreWindow)
        object->setProperty("visible", false);
    component.completeCreate();
    if (component.isError())
        reportErrors(component.errors());

    if (window) {
        if (restoreWindow) {
            window->setGeometry(m_windowGeometry);
            window->setVisibility(m_windowVisibility);
        }
    } else if (auto *item = qobject_cast<QQuickItem *>(object)) {
        // An item root is shown in a window of the launcher's own, which stays across reloads.
        if (!m_itemHost) {
            m_itemHost = new QQuickWindow;
            m_itemHost->setTitle(System::configurationValue(QStringLiteral("title")).toString());
            m_itemHost->resize(item->width() > 0 ? int(item->width()) : 960, item->height() > 0 ? int(item->height()) : 640);
            auto follow = [this] {
                if (auto *root = qobject_cast<QQuickItem *>(m_root.data()))
                    root->setSize(m_itemHost->size());
            };
            connect(m_itemHost, &QWindow::widthChanged, this, follow);
            connect(m_itemHost, &QWindow::heightChanged, this, follow);
            m_itemHost->show();
        }
        item->setParentItem(m_itemHost->contentItem());
        item->setSize(m_itemHost->size());
    } else {
        qWarning().noquote() << QStringLiteral("%1: the root object is neither a window nor an item, nothing to show")
                                    .arg(m_mainFile);
        delete object;
        emit loaded(false);
        return false;
    }
    m_root = object;
    delete m_errorItem.data();
    delete m_errorWindow.data();

    // A game that was paused when it was replaced must not leave its successor frozen.
    if (ZRStepDriver *driver = m_zarnoApp->stepDriver()) {
        if (driver->state() == QAbstractAnimation::Paused)
            driver->resume();
    }
    m_zarnoApp->objectCreatedHandler(object, url);

    ++m_loadCount;
    say(QStringLiteral("%1 %2 (%3 ms)")
            .arg(m_loadCount == 1 ? QStringLiteral("loaded") : QStringLiteral("reloaded"), m_mainFile)
            .arg(clock.elapsed()));
    emit loaded(true);
    return true;
}

void GameLauncher::failed(const QList<QQmlError> &errors)
{
    reportErrors(errors);
    say(QStringLiteral("%1 did not load").arg(m_mainFile));
    if (m_liveReload) {
        QStringList lines;
        for (const QQmlError &error : errors)
            lines << describe(error);
        showErrors(lines.join(QLatin1Char('\n')));
    }
    emit loaded(false);
}

// While the game cannot load, its place on screen tells what to fix.
void GameLauncher::showErrors(const QString &text)
{
    QQuickWindow *window = m_itemHost;
    if (!window) {
        if (!m_errorWindow) {
            m_errorWindow = new QQuickWindow;
            m_errorWindow->setColor(QColor(0x30, 0x10, 0x10));
            if (m_windowVisibility != QWindow::Hidden)
                m_errorWindow->setGeometry(m_windowGeometry);
            else
                m_errorWindow->resize(960, 640);
        }
        window = m_errorWindow;
    }
    window->setTitle(QStringLiteral("%1 did not load").arg(QFileInfo(m_mainFile).fileName()));
    if (!m_errorItem) {
        QQmlComponent component(m_engine);
        component.setData("import QtQuick 2.0\n"
                          "Text { x: 16; y: 16; color: \"#ffd8d8\"; wrapMode: Text.Wrap;"
                          " font.family: \"monospace\"; font.pixelSize: 14 }",
                          QUrl());
        m_errorItem = qobject_cast<QQuickItem *>(component.create());
        if (!m_errorItem)
            return;
        QQmlEngine::setObjectOwnership(m_errorItem, QQmlEngine::CppOwnership);
        m_errorItem->setParentItem(window->contentItem());
        m_errorItem->setWidth(window->width() - 32);
        connect(window, &QWindow::widthChanged, m_errorItem, [item = m_errorItem](int width) {
            if (item)
                item->setWidth(width - 32);
        });
    }
    m_errorItem->setProperty("text", text);
    window->show();
}

void GameLauncher::destroyRoot()
{
    delete m_errorItem.data();
    if (m_errorWindow && m_errorWindow->isVisible() && m_windowVisibility != QWindow::Hidden) {
        m_windowGeometry = m_errorWindow->geometry();
        m_windowVisibility = m_errorWindow->visibility();
    }
    if (!m_root)
        return;
    if (auto *window = qobject_cast<QQuickWindow *>(m_root.data())) {
        if (window->isVisible()) {
            m_windowGeometry = window->geometry();
            m_windowVisibility = window->visibility();
        }
    }
    delete m_root.data();
    // Objects the game handed to deleteLater must be gone before their types are dropped.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (m_engine)
        m_engine->collectGarbage();
}

QHash<QString, GameLauncher::FileStamp> GameLauncher::scanGameFiles() const
{
    QHash<QString, FileStamp> stamps;
    QDirIterator it(QFileInfo(m_mainFile).absolutePath(), watchedNameFilters(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        stamps.insert(info.absoluteFilePath(), FileStamp(info.lastModified().toMSecsSinceEpoch(), info.size()));
    }
    return stamps;
}

void GameLauncher::watchGameFiles()
{
    // Files replaced by a rename drop out of the watch list, so it is rebuilt every time.
    const QStringList old = m_watcher->files() + m_watcher->directories();
    if (!old.isEmpty())
        m_watcher->removePaths(old);

    const QString root = QFileInfo(m_mainFile).absolutePath();
    QStringList paths{root};
    QDirIterator dirs(root, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (dirs.hasNext())
        paths << dirs.next();
    m_stamps = scanGameFiles();
    paths << m_stamps.keys();
    m_watcher->addPaths(paths);
}

void GameLauncher::checkForChanges()
{
    const QHash<QString, FileStamp> now = scanGameFiles();
    const bool changed = now != m_stamps;
    watchGameFiles();
    if (changed)
        reload();
}
