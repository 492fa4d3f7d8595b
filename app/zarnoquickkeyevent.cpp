#include "zarnoquickkeyevent.h"

ZarnoQuickKeyEvent::ZarnoQuickKeyEvent(const QKeyEvent &event, QObject *parent)
    : QObject(parent)
    , m_event(event)
{
    // The copy starts unaccepted whatever the window did to the original: only
    // a QML handler decides whether the press is consumed.
    m_event.setAccepted(false);
}

void ZarnoQuickKeyEvent::setAccepted(bool accepted)
{
    if (m_event.isAccepted() == accepted)
        return;
    m_event.setAccepted(accepted);
    emit acceptedChanged();
}
