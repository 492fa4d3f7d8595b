#ifndef QMLCASE_H
#define QMLCASE_H

#include "app/zrapplication.h"

#include <QFile>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QScopedPointer>
#include <QTest>
#include <QUrl>

// One test case's document, loaded by a fresh engine prepared as the game's. The
// host and engine of the case before go first, the engine before its host, as at
// the end of the game's main().
class QmlCase
{
public:
    // Writes the document to the file and loads it: its root object, or null.
    QObject *load(const QString &file, const QByteArray &document)
    {
        m_engine.reset();
        m_app.reset();
        m_engine.reset(new QQmlApplicationEngine);
        m_app.reset(new ZRApplication);
        m_app->initialize(m_engine.data());
        QFile qml(file);
        if (!qml.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return nullptr;
        qml.write(document);
        qml.close();
        m_engine->load(QUrl::fromLocalFile(file));
        return m_engine->rootObjects().value(0);
    }

    // The same for a document whose root is a window: the window once it shows, or null.
    QQuickWindow *loadWindow(const QString &file, const QByteArray &document)
    {
        auto *window = qobject_cast<QQuickWindow *>(load(file, document));
        return window && QTest::qWaitForWindowExposed(window) ? window : nullptr;
    }

    QQmlApplicationEngine *engine() const { return m_engine.data(); }

private:
    QScopedPointer<ZRApplication> m_app;
    QScopedPointer<QQmlApplicationEngine> m_engine;
};

#endif // QMLCASE_H
