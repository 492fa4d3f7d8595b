#include "spineeventdata.h"

#include "spine/spineskeletondata.h"

/*!
    \qmltype SpineEventData
    \inqmlmodule Zarno
    \instantiates SpineEventData
    \brief The declaration of a skeleton animation event: its name and default values.

    Reached through \l SpineEvent::data in a \l SkeletonAnimationFbo::skeletonEvent handler.

    \qml
    SkeletonAnimationFbo {
        onSkeletonEvent: console.log(event.data.name, event.data.intValue)
    }
    \endqml
*/

/*!
    \qmlproperty string SpineEventData::name
    The event's name in the skeleton file.
*/
/*!
    \qmlproperty int SpineEventData::intValue
    The declared integer value.
*/
/*!
    \qmlproperty real SpineEventData::floatValue
    The declared number value.
*/
/*!
    \qmlproperty string SpineEventData::stringValue
    The declared text, empty when there is none.
*/

SpineEventData::SpineEventData(QObject *parent)
    : QObject(parent)
{
}

SpineEventData::SpineEventData(const spine::EventData *data, QObject *parent)
    : QObject(parent)
{
    if (!data)
        return;
    m_name = data->name;
    m_intValue = data->intValue;
    m_floatValue = data->floatValue;
    m_stringValue = data->stringValue;
}
