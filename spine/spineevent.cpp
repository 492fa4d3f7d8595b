#include "spineevent.h"

#include "spine/spineanimation.h"

/*!
    \qmltype SpineEvent
    \inqmlmodule Zarno
    \instantiates SpineEvent
    \brief An animation event raised by \l SkeletonAnimationFbo, with the values of its key.

    The object is deleted at the next \l {SkeletonAnimationFbo::updateSkeletonAnimation()}
    {updateSkeletonAnimation()}: read what you need inside the handler.

    \qml
    SkeletonAnimationFbo {
        onSkeletonEvent: if (event.data.name === "step") stepSound.play()
    }
    \endqml
*/

/*!
    \qmlproperty SpineEventData SpineEvent::data
    The event's declaration.
*/
/*!
    \qmlproperty int SpineEvent::intValue
    The integer value of this key.
*/
/*!
    \qmlproperty real SpineEvent::floatValue
    The number value of this key.
*/
/*!
    \qmlproperty string SpineEvent::stringValue
    The text of this key.
*/

SpineEvent::SpineEvent(QObject *parent)
    : QObject(parent), m_data(new SpineEventData(this))
{
}

SpineEvent::SpineEvent(const spine::Event &event, QObject *parent)
    : QObject(parent), m_data(new SpineEventData(event.data, this)),
      m_intValue(event.intValue), m_floatValue(event.floatValue), m_stringValue(event.stringValue)
{
}
