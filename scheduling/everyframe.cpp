#include "everyframe.h"

#include <QDateTime>
#include <QQuickWindow>

EveryFrame::EveryFrame(QQuickItem *parent)
    : QQuickItem(parent)
{
    connect(this, &QQuickItem::windowChanged, this, &EveryFrame::onWindowChanged);
    // Constructed straight into a window's item tree: the base class announced the
    // window before the connection above existed.
    if (window())
        onWindowChanged();
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
