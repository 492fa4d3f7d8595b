#include "globalkeyforwarder.h"

#include "app/zarnoquickkeyevent.h"

#include <QCoreApplication>
#include <QKeyEvent>

GlobalKeyForwarder::GlobalKeyForwarder(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<ZarnoQuickKeyEvent *>();
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
}

bool GlobalKeyForwarder::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched)
        return false;
    // The window delivers a press to the focused item first and walks up the
    // parents while nobody accepts it; the root item is the last stop, so only
    // presses no item wanted are forwarded.
    if (qstrcmp(watched->metaObject()->className(), "QQuickRootItem") != 0)
        return false;

    ZarnoQuickKeyEvent wrapper(*static_cast<QKeyEvent *>(event));
    emit pressed(&wrapper);
    return wrapper.isAccepted();
}
