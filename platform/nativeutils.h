#ifndef NATIVEUTILS_H
#define NATIVEUTILS_H

#include <QObject>
#include <QPointer>

class QQmlEngine;

// Native dialogs and desktop services for QML.
class NativeUtils : public QObject
{
    Q_OBJECT
public:
    enum StatusBarStyle { StatusBarStyleHidden = 0, StatusBarStyleWhite, StatusBarStyleBlack };
    Q_ENUM(StatusBarStyle)

    NativeUtils(QQmlEngine *engine, QObject *parent = nullptr);

private:
    QPointer<QQmlEngine> m_engine;
};

#endif
