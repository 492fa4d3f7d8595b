import QtQuick 2.0

/*!
    \qmltype ComponentBase
    \inqmlmodule Zarno
    \brief Base of a part that belongs to an entity, such as a collider or a controller.

    A component placed inside an \l EntityBase takes that entity as its owner.

    \qml
    EntityBase {
        entityType: "enemy"
        ComponentBase { id: brain }   // brain.owningEntity is the enemy
    }
    \endqml
*/
Item {
    /*!
        The entity this component belongs to; by default its parent. It becomes
        null when the owner is destroyed first.
    */
    property QtObject owningEntity: parent
}
