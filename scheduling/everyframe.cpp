#include "everyframe.h"

#include <QDateTime>
#include <QQuickWindow>

/*!
    \qmltype EveryFrame
    \inqmlmodule Zarno
    \instantiates EveryFrame
    \brief Emits update() once for every frame its window presents.

    Place it inside an item of a window. The time it reports is wall-clock
    time between two presented frames, so it keeps running while the game is
    paused with System::pauseGameForObject(); a window presents frames only
    while something in it changes. A disabled EveryFrame (\c{enabled: false})
    emits nothing.

    \qml
    Rectangle {
        id: box
        width: 20; height: 20
        EveryFrame {
            onUpdate: box.x += 60 * dt    // 60 pixels per second
        }
    }
    \endqml
*/

/*!
    \qmlsignal EveryFrame::update(real dt)
    Emitted after each frame its window presented; \a dt is the time in
    seconds since the frame before (for the first one, since the element
    entered the window).
*/

EveryFrame::EveryFrame(QQuickItem *parent)
    : QQuickItem(parent)
{
    connect(this, &QQuickItem::windowChanged, this, &EveryFrame::onWindowChanged);
    // Constructed straight into a window's item tree: the base class announced the
    // window before the connection above existed.
    if (window())
        onWindowChanged();
}

EveryFrame::~EveryFrame()
{
    // The base destructor leaves the window and announces it: by then this
    // object is no longer an EveryFrame and must not be called back.
    disconnect(this, &QQuickItem::windowChanged, this, &EveryFrame::onWindowChanged);
}

void EveryFrame::onWindowChanged()
{
    // Also drop the connection when moving straight to another window, so that
    // only the current window's frames are counted.
    disconnect(m_frameConnection);
    QQuickWindow *w = window();
    if (!w)
        return;
    m_previousFrameTime = QDateTime::currentMSecsSinceEpoch();
    m_frameConnection = connect(w, &QQuickWindow::frameSwapped, this, &EveryFrame::onFrameSwapped);
}

void EveryFrame::onFrameSwapped()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (isEnabled())
        emit update(double(now - m_previousFrameTime) / 1000.0);
    m_previousFrameTime = now;
}
