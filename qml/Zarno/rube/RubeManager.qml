import QtQuick 2.0

/*!
    \qmltype RubeManager
    \inqmlmodule Zarno
    \brief Loads each document of a physics scene once and makes objects from it.

    \qml
    RubeManager { id: manager }
    // manager.createObject(Qt.resolvedUrl("Crate.qml"), container, { x: 10 })
    \endqml
*/
QtObject {
    property var __components: ({})

    /*! Returns a new object of the document at \a url in \a parent with the initial \a properties, or null. */
    function createObject(url, parent, properties) {
        var key = String(url)
        var component = __components[key]
        if (!component) {
            component = Qt.createComponent(key)
            if (component.status !== Component.Ready) {
                console.warn("RubeManager: Component for \"" + key + "\" is not ready!")
                console.warn("RubeManager: errorString: " + component.errorString())
                return null
            }
            __components[key] = component
        }
        var object = component.createObject(parent, properties || {})
        if (!object)
            console.warn("RubeManager: Error creating object from component \"" + key + "\".")
        return object
    }
}
