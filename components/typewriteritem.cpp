#include "typewriteritem.h"

#include <QTimer>

/*!
    \qmltype TypeWriterItem
    \inqmlmodule Zarno
    \instantiates TypeWriterItem
    \brief Reveals a text one character at a time.

    Every \l typeDelay milliseconds one more character of \l textSource is
    appended to \l typeWriterText. The item starts typing by itself when it is
    completed; a new \l textSource stops it and waits for start(). It draws
    nothing: bind a Text to \l typeWriterText.

    \qml
    Text {
        text: writer.typeWriterText
        TypeWriterItem {
            id: writer
            Component.onCompleted: { typeDelay = 60; textSource = "Spin to win!"; start() }
        }
    }
    \endqml
*/

/*!
    \qmlproperty int TypeWriterItem::typeDelay
    Milliseconds between two characters (100). Below 1 the whole text is shown
    at once and typeWriterFinished() is emitted.
*/
/*!
    \qmlproperty string TypeWriterItem::textSource
    The full text. Writing it stops typing and empties typeWriterText.
*/
/*!
    \qmlproperty string TypeWriterItem::typeWriterText
    The characters revealed so far. It is emptied without a change signal once
    the text is complete, so bindings keep showing the whole text.
*/
/*!
    \qmlproperty bool TypeWriterItem::running
    Whether the character timer is active.
*/
/*!
    \qmlproperty bool TypeWriterItem::finished
    Whether the timer revealed the whole text.
*/
/*!
    \qmlsignal TypeWriterItem::typeWriterFinished()
    Emitted one tick after the last character was revealed, or at once when the
    delay is below 1.
*/
/*!
    \qmlmethod TypeWriterItem::start()
    Starts or continues typing from the next character.
*/
/*!
    \qmlmethod TypeWriterItem::pause()
    Stops the timer and keeps the revealed text; start() continues from there.
*/
/*!
    \qmlmethod TypeWriterItem::stop()
    Stops typing and empties the revealed text.
*/

TypeWriterItem::TypeWriterItem(QQuickItem *parent)
    : QQuickItem(parent)
{
}

void TypeWriterItem::warnNoTimer()
{
    qWarning("TypeWriterItem: The timer of this item was not available. The function completed() may not be called before from the system.");
}

void TypeWriterItem::componentComplete()
{
    QQuickItem::componentComplete();
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &TypeWriterItem::updateTypeWriter);
    m_timer->setInterval(qMax(0, m_typeDelay));
    start();
}

void TypeWriterItem::setRunning(bool running)
{
    if (running == m_running)
        return;
    m_running = running;
    emit runningChanged();
}

void TypeWriterItem::setFinished(bool finished)
{
    if (finished == m_finished)
        return;
    m_finished = finished;
    emit finishedChanged();
}

void TypeWriterItem::stopTimer()
{
    if (m_timer && m_timer->isActive()) {
        m_timer->stop();
        setRunning(false);
    }
}

void TypeWriterItem::revealAll()
{
    m_typeWriterText = m_textSource;
    emit typeWriterTextChanged();
    emit typeWriterFinished();
}

void TypeWriterItem::start()
{
    if (m_typeDelay < 1) {
        revealAll();
    } else if (m_timer) {
        m_timer->start();
        setRunning(true);
        setFinished(false);
    } else {
        warnNoTimer();
    }
}

void TypeWriterItem::pause()
{
    if (!m_timer) {
        warnNoTimer();
        return;
    }
    stopTimer();
}

void TypeWriterItem::stop()
{
    if (!m_timer)
        warnNoTimer();
    stopTimer();
    m_index = 0;
    m_typeWriterText.clear();
    emit typeWriterTextChanged();
}

void TypeWriterItem::updateTypeWriter()
{
    if (m_index < m_textSource.length()) {
        setFinished(false);
        m_typeWriterText.append(m_textSource.at(m_index));
        ++m_index;
        emit typeWriterTextChanged();
        return;
    }
    stopTimer();
    m_index = 0;
    // Silently: bindings go on showing the whole text.
    m_typeWriterText.clear();
    setFinished(true);
    emit typeWriterFinished();
}

void TypeWriterItem::setTextSource(const QString &textSource)
{
    if (textSource == m_textSource)
        return;
    m_textSource = textSource;
    if (!m_timer)
        warnNoTimer();
    stopTimer();
    m_index = 0;
    m_typeWriterText.clear();
    setFinished(false);
    emit typeWriterTextChanged();
    emit textSourceChanged();
}

void TypeWriterItem::setTypeDelay(int typeDelay)
{
    if (typeDelay == m_typeDelay)
        return;
    m_typeDelay = typeDelay;
    if (!m_timer) {
        warnNoTimer();
        emit typeDelayChanged();
        return;
    }
    if (m_timer->isActive()) {
        stopTimer();
        if (typeDelay > 0) {
            m_timer->setInterval(typeDelay);
            m_timer->start();
            setRunning(true);
            emit typeDelayChanged();
            return;
        }
    } else if (typeDelay > 0) {
        m_timer->setInterval(typeDelay);
        emit typeDelayChanged();
        return;
    }
    revealAll();
    emit typeDelayChanged();
}
