#ifndef SYSTEM_H
#define SYSTEM_H

#include <QObject>
#include <QVariant>

// Platform facts, the configuration file and game-wide pause/resume.
class System : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool publishBuild READ publishBuild CONSTANT)
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

    // Value of a top-level key of qml/config.json; invalid when missing.
    static QVariant configurationValue(const QString &key);

    bool publishBuild() const { return m_publishBuild; }

public slots:
    QVariant getConfigValue(const QString &configPath) { return configurationValue(configPath); }

private:
    bool m_publishBuild = false;
};

#endif
