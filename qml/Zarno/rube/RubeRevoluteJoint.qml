import QtQuick 2.0
import Zarno 2.0

/*!
    \qmltype RubeRevoluteJoint
    \inqmlmodule Zarno
    \brief A revolute joint made by RubeParser from a scene joint of type "revolute".

    Limits and motor speed arrive as clockwise degrees, as everywhere in QML.

    \qml
    RubeRevoluteJoint { onInitialized: console.log("limits", lowerAngle, upperAngle) }
    \endqml
*/
RevoluteJoint {
    /*! Emitted with the scene joint's JSON object and the world after the parser has applied it. */
    signal internalInit(var json, var world)
    /*! Emitted when the whole scene is built. */
    signal initialized()
}
