#include "box2dplugin.h"

#include "box2dbody.h"
#include "box2dbox.h"
#include "box2dchain.h"
#include "box2dcircle.h"
#include "box2dcontact.h"
#include "box2ddebugdraw.h"
#include "box2ddistancejoint.h"
#include "box2dfrictionjoint.h"
#include "box2dgearjoint.h"
#include "box2dmotorjoint.h"
#include "box2dmousejoint.h"
#include "box2dprismaticjoint.h"
#include "box2dpulleyjoint.h"
#include "box2drevolutejoint.h"
#include "box2dropejoint.h"
#include "box2dweldjoint.h"
#include "box2dwheeljoint.h"
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
    qmlRegisterType<Box2DDebugDraw>(uri, 2, 0, "DebugDraw");
    qmlRegisterUncreatableType<Box2DJoint>(uri, 2, 0, "Joint",
                                           QStringLiteral("Base type for DistanceJoint, RevoluteJoint etc."));
    qmlRegisterType<Box2DDistanceJoint>(uri, 2, 0, "DistanceJoint");
    qmlRegisterType<Box2DPrismaticJoint>(uri, 2, 0, "PrismaticJoint");
    qmlRegisterType<Box2DRevoluteJoint>(uri, 2, 0, "RevoluteJoint");
    qmlRegisterType<Box2DMotorJoint>(uri, 2, 0, "MotorJoint");
    qmlRegisterType<Box2DWeldJoint>(uri, 2, 0, "WeldJoint");
    qmlRegisterType<Box2DPulleyJoint>(uri, 2, 0, "PulleyJoint");
    qmlRegisterType<Box2DFrictionJoint>(uri, 2, 0, "FrictionJoint");
    qmlRegisterType<Box2DWheelJoint>(uri, 2, 0, "WheelJoint");
    qmlRegisterType<Box2DMouseJoint>(uri, 2, 0, "MouseJoint");
    qmlRegisterType<Box2DGearJoint>(uri, 2, 0, "GearJoint");
    qmlRegisterType<Box2DRopeJoint>(uri, 2, 0, "RopeJoint");
    qmlRegisterType<Box2DRayCast>(uri, 2, 0, "RayCast");
    qmlRegisterUncreatableType<Box2DContact>(uri, 2, 0, "Contact", QStringLiteral("Contact class"));
    qmlRegisterSingletonType<Box2DStatic>(uri, 2, 0, "Box2D", &Box2DStatic::provider);
}
