#include "box2dstatic.h"

#include "box2dworld.h"

#include <QQmlEngine>

/*!
    \qmltype Box2D
    \inqmlmodule Zarno
    \instantiates Box2DStatic
    \brief Singleton holding the default World.

    Bodies that name no world join the default world. The first World created
    becomes it; when it is destroyed, or set to null, a world that never steps
    takes its place.

    \qml
    Item {
        World { id: levelWorld }
        Component.onCompleted: Box2D.setDefaultWorld(levelWorld)
    }
    \endqml
*/

/*!
    \qmlproperty World Box2D::defaultWorld
    The world bodies join when they name none.
*/
/*!
    \qmlmethod Box2D::setDefaultWorld(World currentWorld)
    Makes \a currentWorld the default world; null restores the world that never steps.
*/

Box2DStatic *Box2DStatic::instance()
{
    static Box2DStatic *s_instance = nullptr;
    if (!s_instance) {
        s_instance = new Box2DStatic;
        // Shared by every engine of the process: none of them may delete it.
        QQmlEngine::setObjectOwnership(s_instance, QQmlEngine::CppOwnership);
    }
    return s_instance;
}

QObject *Box2DStatic::provider(QQmlEngine *, QJSEngine *)
{
    return instance();
}

Box2DWorld *Box2DStatic::defaultWorld() const
{
    return Box2DWorld::defaultWorld();
}

void Box2DStatic::setDefaultWorld(Box2DWorld *currentWorld)
{
    Box2DWorld *before = Box2DWorld::defaultWorld();
    Box2DWorld::setDefaultWorld(currentWorld);
    if (Box2DWorld::defaultWorld() != before)
        emit defaultWorldChanged();
}
