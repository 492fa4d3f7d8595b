#include "box2dfixture.h"

#include "box2dbody.h"
#include "box2dworld.h"

#include <QDebug>
#include <QMetaMethod>

/*!
    \qmltype Fixture
    \inqmlmodule Zarno
    \instantiates Box2DFixture
    \brief Base of the shapes of a Body: material, collision filter, contact signals.

    Not created directly: use \l Box, \l Circle, \l Polygon, \l Chain or \l Edge.
    Geometry is given in pixels relative to the body origin (the target item's
    top-left corner). A fixture whose geometry Box2D cannot hold is refused with a
    warning and takes part in nothing until a later change makes it valid.

    \qml
    Box {
        width: 32; height: 32
        density: 1; friction: 0.3; restitution: 0.5
        categories: Box.Category2; collidesWith: Box.Category1 | Box.Category3
        onBeginContact: console.log("hit", other.getBody().target, contactNormal)
    }
    \endqml
*/

/*!
    \qmlsignal Fixture::beginContact(Fixture other, point contactNormal)
    This fixture started touching \a other. \a contactNormal is a unit vector in
    screen orientation (y down) pointing from this fixture towards \a other; it is
    (0, 0) for sensors. Emitted after the step, when bodies may be changed freely.
*/
/*!
    \qmlsignal Fixture::endContact(Fixture other)
    This fixture stopped touching \a other.
*/
/*!
    \qmlsignal Fixture::contactChanged(Fixture other)
    Emitted after every step for each fixture \a other that this one touches.
*/
/*!
    \qmlmethod Body Fixture::getBody()
    The body the fixture was created on, or null.
*/

namespace {

const char *qmlName(const QObject *object)
{
    const char *name = object->metaObject()->className();
    return qstrncmp(name, "Box2D", 5) == 0 ? name + 5 : name;
}

} // namespace

Box2DFixture::Box2DFixture(QObject *parent)
    : QObject(parent)
{
    m_fixtureDef.userData.pointer = reinterpret_cast<uintptr_t>(this);
}

Box2DFixture::~Box2DFixture()
{
    if (m_contactChangedWatched)
        --s_contactChangedWatchers;
    // A Box2D fixture must never outlive the element named in its user data.
    Box2DWorld *world = m_body ? m_body->world() : nullptr;
    if (world) {
        destroyFixtures();
        world->forgetFixture(this);
    }
}

void Box2DFixture::connectNotify(const QMetaMethod &signal)
{
    if (!m_contactChangedWatched && signal == QMetaMethod::fromSignal(&Box2DFixture::contactChanged)) {
        m_contactChangedWatched = true;
        ++s_contactChangedWatchers;
    }
}

Box2DBody *Box2DFixture::getBody() const
{
    return m_body;
}

Box2DWorld *Box2DFixture::bodyWorld() const
{
    if (m_body)
        return m_body->world();
    return Box2DWorld::defaultWorld();
}

float Box2DFixture::pixelsPerMeter() const
{
    Box2DWorld *world = bodyWorld();
    return world ? world->pixelsPerMeter() : 32.0f;
}

void Box2DFixture::createFixture(Box2DBody *body)
{
    m_body = body;
    if (!body || !body->body() || !body->world())
        return;
    Box2DWorld *world = body->world();
    if (world->isLocked()) {
        world->whenUnlocked(this, [this] { recreateFixture(); });
        return;
    }
    destroyFixtures();
    std::unique_ptr<b2Shape> shape = createShape();
    if (!shape || !massIsSafe(*shape))
        return;
    std::unique_ptr<b2Shape> reverse = createReverseShape();
    m_fixture = createOn(body->body(), *shape);
    if (reverse)
        m_reverseFixture = createOn(body->body(), *reverse);
}

b2Fixture *Box2DFixture::createOn(b2Body *body, const b2Shape &shape)
{
    m_fixtureDef.shape = &shape;
    b2Fixture *fixture = body->CreateFixture(&m_fixtureDef);
    m_fixtureDef.shape = nullptr;
    return fixture;
}

// Box2D asserts that a dynamic body's inertia about its centre of mass stays
// positive; in single precision it cancels out for a small shape far from the
// body origin. The body's ratio is never below the smallest ratio of its fixtures.
bool Box2DFixture::massIsSafe(const b2Shape &shape) const
{
    if (!(m_fixtureDef.density > 0))
        return true;
    b2MassData mass;
    shape.ComputeMass(&mass, m_fixtureDef.density);
    if (mass.mass == 0)
        return true;
    const double centred = double(mass.I) - double(mass.mass) * (double(mass.center.x) * mass.center.x + double(mass.center.y) * mass.center.y);
    if (!qIsFinite(mass.mass) || !qIsFinite(mass.I) || mass.mass > 1e18f || mass.I > 1e30f) {
        qWarning("%s: the mass is too large", qmlName(this));
        return false;
    }
    if (!(centred > 1e-5 * double(mass.I))) {
        qWarning("%s: the shape is too small for its distance from the body origin", qmlName(this));
        return false;
    }
    return true;
}

void Box2DFixture::recreateFixture()
{
    if (!m_body)
        return;
    Box2DWorld *world = m_body->world();
    if (world && world->isLocked()) {
        world->whenUnlocked(this, [this] { recreateFixture(); });
        return;
    }
    destroyFixtures();
    createFixture(m_body);
}

void Box2DFixture::destroyFixtures()
{
    Box2DWorld *world = m_body ? m_body->world() : nullptr;
    b2Fixture *fixture = m_fixture;
    b2Fixture *reverse = m_reverseFixture;
    m_fixture = m_reverseFixture = nullptr;
    if (!world)
        return;
    world->destroyFixture(fixture);
    world->destroyFixture(reverse);
}

void Box2DFixture::forgetFixture(b2Fixture *fixture)
{
    if (m_fixture == fixture)
        m_fixture = nullptr;
    if (m_reverseFixture == fixture)
        m_reverseFixture = nullptr;
}

void Box2DFixture::nullifyFixtures()
{
    m_fixture = m_reverseFixture = nullptr;
}

int Box2DFixture::childIndex(const b2Fixture *fixture, int childIndex) const
{
    return fixture && fixture == m_reverseFixture ? reverseChildIndex(childIndex) : childIndex;
}

bool Box2DFixture::verticesToMeters(const QVariantList &vertices, std::vector<b2Vec2> &out, const char *typeName) const
{
    const float scale = pixelsPerMeter();
    out.clear();
    out.reserve(vertices.size());
    for (const QVariant &vertex : vertices) {
        QPointF point;
        bool ok = false;
        if (vertex.canConvert<QPointF>()) {
            point = vertex.toPointF();
            ok = true;
        } else if (vertex.canConvert<QVariantMap>()) {
            const QVariantMap map = vertex.toMap();
            point = QPointF(map.value(QStringLiteral("x")).toDouble(&ok), 0);
            bool okY = false;
            point.setY(map.value(QStringLiteral("y")).toDouble(&okY));
            ok = ok && okY;
        }
        const b2Vec2 converted(float(point.x() / scale), float(-point.y() / scale));
        if (!ok || !converted.IsValid()) {
            qWarning() << qPrintable(QStringLiteral("%1: Invalid vertex:").arg(QLatin1String(typeName))) << vertex;
            return false;
        }
        out.push_back(converted);
    }
    return true;
}

bool Box2DFixture::tooClose(const b2Vec2 &a, const b2Vec2 &b)
{
    return !(b2DistanceSquared(a, b) > b2_linearSlop * b2_linearSlop);
}

/*!
    \qmlproperty real Fixture::density
    Mass per square pixel (0 by default). Negative values are refused. A change on a
    live fixture counts once the body's resetMassData() runs.
*/
float Box2DFixture::density() const
{
    const float scale = pixelsPerMeter();
    return m_fixtureDef.density / (scale * scale);
}

void Box2DFixture::setDensity(float density)
{
    if (!qIsFinite(density) || density < 0) {
        qWarning("%s: Invalid density: %g", qmlName(this), double(density));
        return;
    }
    const float scale = pixelsPerMeter();
    const float converted = density * scale * scale;
    if (converted == m_fixtureDef.density)
        return;
    const float previous = m_fixtureDef.density;
    m_fixtureDef.density = converted;
    if (m_fixture && !massIsSafe(*m_fixture->GetShape())) {
        m_fixtureDef.density = previous;
        return;
    }
    if (m_fixture)
        m_fixture->SetDensity(converted);
    emit densityChanged();
}

/*!
    \qmlproperty real Fixture::friction
    Friction coefficient (0.2 by default); negative values are refused.
*/
void Box2DFixture::setFriction(float friction)
{
    if (friction == m_fixtureDef.friction)
        return;
    if (!qIsFinite(friction) || friction < 0) {
        qWarning("%s: Invalid friction: %g", qmlName(this), double(friction));
        return;
    }
    m_fixtureDef.friction = friction;
    if (m_fixture)
        m_fixture->SetFriction(friction);
    if (m_reverseFixture)
        m_reverseFixture->SetFriction(friction);
    emit frictionChanged();
}

/*!
    \qmlproperty real Fixture::restitution
    Bounciness, 0 (default) to 1; negative values are refused.
*/
void Box2DFixture::setRestitution(float restitution)
{
    if (restitution == m_fixtureDef.restitution)
        return;
    if (!qIsFinite(restitution) || restitution < 0) {
        qWarning("%s: Invalid restitution: %g", qmlName(this), double(restitution));
        return;
    }
    m_fixtureDef.restitution = restitution;
    if (m_fixture)
        m_fixture->SetRestitution(restitution);
    if (m_reverseFixture)
        m_reverseFixture->SetRestitution(restitution);
    emit restitutionChanged();
}

/*!
    \qmlproperty bool Fixture::sensor
    A sensor reports contacts but never collides.
*/
void Box2DFixture::setSensor(bool sensor)
{
    if (sensor == m_fixtureDef.isSensor)
        return;
    m_fixtureDef.isSensor = sensor;
    if (Box2DWorld *world = m_fixture ? bodyWorld() : nullptr) {
        world->whenUnlocked(this, [this] {
            if (m_fixture)
                m_fixture->SetSensor(m_fixtureDef.isSensor);
            if (m_reverseFixture)
                m_reverseFixture->SetSensor(m_fixtureDef.isSensor);
        });
    }
    emit sensorChanged();
}

void Box2DFixture::refilter()
{
    if (Box2DWorld *world = m_fixture ? bodyWorld() : nullptr) {
        world->whenUnlocked(this, [this] {
            if (m_fixture)
                m_fixture->SetFilterData(m_fixtureDef.filter);
            if (m_reverseFixture)
                m_reverseFixture->SetFilterData(m_fixtureDef.filter);
        });
    }
}

/*!
    \qmlproperty flags Fixture::categories
    The categories this fixture belongs to (\c Fixture.Category1 by default;
    \c Category1 to \c Category16, \c All, \c None).
*/
void Box2DFixture::setCategories(CategoryFlags categories)
{
    const uint16 bits = uint16(categories);
    if (bits == m_fixtureDef.filter.categoryBits)
        return;
    m_fixtureDef.filter.categoryBits = bits;
    refilter();
    emit categoriesChanged();
}

/*!
    \qmlproperty flags Fixture::collidesWith
    The categories this fixture collides with (\c Fixture.All by default).
*/
void Box2DFixture::setCollidesWith(CategoryFlags collidesWith)
{
    const uint16 bits = uint16(collidesWith);
    if (bits == m_fixtureDef.filter.maskBits)
        return;
    m_fixtureDef.filter.maskBits = bits;
    refilter();
    emit collidesWithChanged();
}

/*!
    \qmlproperty int Fixture::groupIndex
    Fixtures sharing a positive group always collide, a negative one never
    (0 by default: categories decide).
*/
void Box2DFixture::setGroupIndex(int groupIndex)
{
    const int16 index = int16(groupIndex);
    if (index == m_fixtureDef.filter.groupIndex)
        return;
    m_fixtureDef.filter.groupIndex = index;
    refilter();
    emit groupIndexChanged();
}
