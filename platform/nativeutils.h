#ifndef NATIVEUTILS_H
#define NATIVEUTILS_H

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QQmlEngine;

// Native dialogs and desktop services for QML. On the desktop the dialogs are
// Qt Widgets dialogs and the mobile-only hooks do nothing or report fixed values.
class NativeUtils : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool displaySleepEnabled READ displaySleepEnabled WRITE setDisplaySleepEnabled NOTIFY displaySleepEnabledChanged)
public:
    enum StatusBarStyle { StatusBarStyleHidden = 0, StatusBarStyleWhite, StatusBarStyleBlack };
    Q_ENUM(StatusBarStyle)

    NativeUtils(QQmlEngine *engine, QObject *parent = nullptr);

    bool displaySleepEnabled() const { return m_displaySleepEnabled; }
    void setDisplaySleepEnabled(bool enabled);

    Q_INVOKABLE void setNewParent(QObject *child, QObject *newParent = nullptr);
    Q_INVOKABLE void setWindowColor(const QColor &color);
    Q_INVOKABLE void setStatusBarStyle(NativeUtils::StatusBarStyle style);
    Q_INVOKABLE int statusBarHeight() const { return 0; }

public slots:
    void displayTextInput(const QString &title, const QString &description,
                          const QString &placeholder = QString(), const QString &text = QString());
    void displayMessageBox(const QString &title, const QString &description = QString(), int buttons = 1);
    void openUrl(const QString &urlString);
    void sendEmail(const QString &to, const QString &subject = QString(), const QString &message = QString());
    void clearComponentCache();
    void vibrate() {}
    void share(const QString &text, const QUrl &url);

signals:
    void displaySleepEnabledChanged(bool enabled);
    void textInputFinished(bool accepted, const QString &enteredText);
    void messageBoxFinished(bool accepted);
    // Only platforms with a status bar emit this; the desktop has none.
    void statusBarHeightChanged(double height);

private:
    QPointer<QQmlEngine> m_engine;
    bool m_displaySleepEnabled = false;
};

#endif
