#ifndef GAMELAUNCHER_H
#define GAMELAUNCHER_H

#include <QHash>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWindow>

class QFileSystemWatcher;
class QQmlError;
class QQuickItem;
class QQmlApplicationEngine;
class QQuickWindow;
class ZRApplication;

// Runs a game straight from its folder on disk, with the engine prepared as for a
// packaged game, and reloads it in place when one of its documents changes.
//
// A game folder holds Main.qml and config.json, or (the packaged layout) qml/Main.qml
// and qml/config.json beside assets/. The folder becomes the working directory, so
// relative file paths mean the same thing wherever the launcher was started.
class GameLauncher : public QObject
{
    Q_OBJECT
public:
    explicit GameLauncher(QObject *parent = nullptr);
    ~GameLauncher() override;

    // Finds the game for a folder or a main document path; on failure returns false
    // and errorString() names the paths that were tried.
    bool setGame(const QString &folderOrMainFile);
    QString gameFolder() const { return m_gameFolder; }
    QString mainFile() const { return m_mainFile; }
    QString configurationFile() const { return m_configurationFile; }
    QString errorString() const { return m_errorString; }

    void setLiveReloadEnabled(bool enabled) { m_liveReload = enabled; }
    bool liveReloadEnabled() const { return m_liveReload; }

    // Prepares the engine and loads the main document; false when it did not load.
    bool start();
    // Recreates the game from its documents as they are on disk now.
    bool reload();

    QObject *rootObject() const { return m_root; }
    QQmlApplicationEngine *engine() const { return m_engine; }
    int loadCount() const { return m_loadCount; }

signals:
    void loaded(bool ok);

private:
    using FileStamp = QPair<qint64, qint64>;

    bool createRoot();
    void destroyRoot();
    void failed(const QList<QQmlError> &errors);
    void showErrors(const QString &text);
    void watchGameFiles();
    void checkForChanges();
    QHash<QString, FileStamp> scanGameFiles() const;

    QString m_gameFolder;
    QString m_mainFile;
    QString m_configurationFile;
    QString m_errorString;
    bool m_liveReload = true;
    int m_loadCount = 0;

    ZRApplication *m_zarnoApp = nullptr;
    QQmlApplicationEngine *m_engine = nullptr;
    QPointer<QObject> m_root;
    QPointer<QQuickWindow> m_itemHost;
    QPointer<QQuickWindow> m_errorWindow;
    QPointer<QQuickItem> m_errorItem;

    QRect m_windowGeometry;
    QWindow::Visibility m_windowVisibility = QWindow::Hidden;

    QFileSystemWatcher *m_watcher = nullptr;
    QTimer m_settleTimer;
    QHash<QString, FileStamp> m_stamps;
};

#endif
