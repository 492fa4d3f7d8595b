#include "box2dplugin.h"

#include "box2dbody.h"
#include "box2dbox.h"
#include "box2dchain.h"
#include "box2dcircle.h"
#include "box2dcontact.h"
#include "box2dedge.h"
#include "box2dfixture.h"
#include "box2dpolygon.h"
#include "box2dprofile.h"
#include "box2draycast.h"
#include "box2dstatic.h"
#include "box2dworld.h"

#include <QtQml>

Box2DPlugin::Box2DPlugin(QObject *parent)
    : QQmlExtensionPlugin(parent)
{
}

void Box2DPlugin::registerTypes(const char *uri)
{
    qmlRegisterType<Box2DWorld>(uri, 2, 0, "World");
    qmlRegisterUncreatableType<Box2DProfile>(uri, 2, 0, "Profile", QStringLiteral("Property group of World"));
    qmlRegisterType<Box2DBody>(uri, 2, 0, "Body");
    qmlRegisterUncreatableType<Box2DFixture>(uri, 2, 0, "Fixture", QStringLiteral("Base type for Box, Circle etc."));
    qmlRegisterType<Box2DBox>(uri, 2, 0, "Box");
    qmlRegisterType<Box2DCircle>(uri, 2, 0, "Circle");
    qmlRegisterType<Box2DPolygon>(uri, 2, 0, "Polygon");
    qmlRegisterType<Box2DChain>(uri, 2, 0, "Chain");
    qmlRegisterType<Box2DEdge>(uri, 2, 0, "Edge");
    // DebugDraw and the joints join here, in this place of the list.
    qmlRegisterType<Box2DRayCast>(uri, 2, 0, "RayCast");
    qmlRegisterUncreatableType<Box2DContact>(uri, 2, 0, "Contact", QStringLiteral("Contact class"));
    qmlRegisterSingletonType<Box2DStatic>(uri, 2, 0, "Box2D", &Box2DStatic::provider);
}
