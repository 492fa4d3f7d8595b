#ifndef SYSTEM_H
#define SYSTEM_H

#include <QList>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QStringList>
#include <QVariant>

class QAbstractAnimation;
class QTimer;

// Platform facts, the configuration file, a JSON text form for QML values and
// game-wide pause/resume of everything that moves below an object.
class System : public QObject
{
    Q_OBJECT
    Q_PROPERTY(Platform platform READ platform CONSTANT)
    Q_PROPERTY(bool debugBuild READ debugBuild CONSTANT)
    Q_PROPERTY(bool publishBuild READ publishBuild CONSTANT)
    Q_PROPERTY(bool logOutputEnabled READ logOutputEnabled WRITE setLogOutputEnabled NOTIFY logOutputEnabledChanged)
    Q_PROPERTY(bool cocosRenderer READ cocosRenderer CONSTANT)
    Q_PROPERTY(bool desktopPlatform READ desktopPlatform CONSTANT)
    Q_PROPERTY(ScreenOrientation screenOrientation READ screenOrientation CONSTANT)
    Q_PROPERTY(int maxTextureSize READ maxTextureSize CONSTANT)
    Q_PROPERTY(bool gamePaused READ gamePaused NOTIFY gamePausedChanged)
    Q_PROPERTY(QString macAddress READ macAddress CONSTANT)
    Q_PROPERTY(QString UDID READ UDID CONSTANT)
    Q_PROPERTY(QString qtVersion READ qtVersion CONSTANT)
    Q_PROPERTY(int zarnoVersionNumber READ zarnoVersionNumber CONSTANT)
    Q_PROPERTY(QString zarnoVersion READ zarnoVersion CONSTANT)
    Q_PROPERTY(QString appIdentifier READ appIdentifier CONSTANT)
    Q_PROPERTY(int appVersionCode READ appVersionCode CONSTANT)
public:
    enum Platform { Unknown = 0, IOS, Android, Mac, Windows, Symbian, Meego, Linux, BlackBerry, WindowsPhone, WindowsRT };
    Q_ENUM(Platform)
    enum ScreenOrientation {
        ScreenOrientationPortrait = 0,
        ScreenOrientationLandscape,
        ScreenOrientationAuto,
        ScreenOrientationSensorPortrait,
        ScreenOrientationSensorLandscape
    };
    Q_ENUM(ScreenOrientation)

    explicit System(QObject *parent = nullptr);

    // Value of a top-level key of qml/config.json; invalid when missing. The file
    // is read once per process, on the first lookup.
    static QVariant configurationValue(const QString &key);
    // Forgets the configuration read so far, so the next lookup reads the file
    // again (for hosts and tests that change the working directory).
    static void reloadConfiguration();
    // Reads the configuration from this file instead of qml/config.json (for hosts
    // that run a game from a folder of its own); empty restores the usual lookup.
    static void setConfigurationFile(const QString &path);

    Platform platform() const { return m_platform; }
    bool debugBuild() const { return m_debugBuild; }
    bool publishBuild() const { return m_publishBuild; }
    bool logOutputEnabled() const { return m_logOutputEnabled; }
    void setLogOutputEnabled(bool enabled);
    bool cocosRenderer() const { return m_cocosRenderer; }
    bool desktopPlatform() const { return m_desktopPlatform; }
    ScreenOrientation screenOrientation() const { return m_screenOrientation; }
    int maxTextureSize() const { return 2048; }
    bool gamePaused() const { return m_gamePaused; }
    QString macAddress() const { return m_macAddress; }
    QString UDID() const { return m_UDID; }
    QString qtVersion() const;
    int zarnoVersionNumber() const { return 280; }
    QString zarnoVersion() const { return QStringLiteral("2.8.0"); }
    QString appIdentifier() const { return m_appIdentifier; }
    int appVersionCode() const { return m_appVersionCode; }

    Q_INVOKABLE bool isPlatform(System::Platform platform) const { return platform == m_platform; }
    Q_INVOKABLE void quit();
    Q_INVOKABLE void pauseGameForObject(QObject *object);
    Q_INVOKABLE void resumeGameForObject(QObject *object);
    Q_INVOKABLE QPointF pointFFromString(const QString &source) const;
    Q_INVOKABLE void captureScreenshot(const QString &fileName, float x, float y, float with, float height);
    Q_INVOKABLE void recreateSprite(QObject *object);

public slots:
    QVariant getConfigValue(const QString &configPath) { return configurationValue(configPath); }
    QVariantMap parse(const QString &stringData);
    QString stringify(const QVariant &data, const QStringList &includes = QStringList(), QObject *sourceObject = nullptr);
    QString stringifyWithBasePath(const QVariant &data, const QStringList &includes = QStringList(),
                                  const QString &basePath = QString());
    QString stringifyObject(QObject *data, const QStringList &includedProperties = QStringList());
    QVariantMap jsonMapWithPropertiesResolved(const QVariant &data, const QStringList &includes, QObject *sourceObject = nullptr);
    QVariantMap jsonMapForObjectWithPropertiesResolved(const QVariant &data, const QStringList &includes,
                                                       QObject *sourceObject = nullptr);
    QString typeOf(const QVariant &variant) const;

signals:
    void logOutputEnabledChanged();
    void gamePausedChanged();

private slots:
    QVariant qobject2qvariant(const QObject *object, const QStringList &includedProperties);

private:
    void setGamePaused(bool paused);
    void pauseOrResumeStepDriver(QObject *object, bool pause);

    QString m_macAddress;
    QString m_UDID;
    mutable QString m_qtVersion;
    QString m_appIdentifier;
    int m_appVersionCode = -1;
    Platform m_platform = Unknown;
    ScreenOrientation m_screenOrientation = ScreenOrientationAuto;
    bool m_debugBuild = false;
    bool m_publishBuild = false;
    bool m_cocosRenderer = false;
    bool m_desktopPlatform = true;
    bool m_logOutputEnabled = true;
    bool m_gamePaused = false;
    QList<QPointer<QTimer>> m_pausedTimers;
    QList<QPointer<QAbstractAnimation>> m_pausedAnimations;
    QList<QPointer<QObject>> m_pausedQmlTimers;
    QList<QPointer<QObject>> m_pausedQmlAnimations;
    QList<QPointer<QObject>> m_pausedSprites;
    QList<QPointer<QObject>> m_pausedOwnClocks;
};

#endif
