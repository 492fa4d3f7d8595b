#include "steertopointbehavior.h"

#include <QTimer>
#include <cmath>

/*!
    \qmltype MoveToPointHelper
    \inqmlmodule Zarno
    \instantiates SteerToPointBehavior
    \brief Tells a moving item how to steer towards a target item or point.

    Every \l updateInterval milliseconds it compares the position and rotation
    of \l owningEntity (the parent item unless set) with \l targetObject, or with
    \l targetPoint when there is no target item, and offers \l outputXAxis
    (turn: -1 left, +1 right) and \l outputYAxis (drive: +1 forward, -1
    backward). Bindings turn these into movement. Owner and target are read in
    their own parents' coordinates, which must be the same space.

    \qml
    Rectangle {
        id: car
        MoveToPointHelper { id: steer; targetObject: flag }
        MovementAnimation { target: car; property: "rotation"; running: true; velocity: 180 * steer.outputXAxis }
    }
    \endqml
*/

/*!
    \qmlproperty QtObject MoveToPointHelper::targetObject
    The item to steer to. An object that is not an item is ignored with a warning.
*/
/*!
    \qmlproperty point MoveToPointHelper::targetPoint
    A fixed point to steer to when there is no target item.
*/
/*!
    \qmlproperty Item MoveToPointHelper::owningEntity
    The steered item; the parent item when not set.
*/
/*!
    \qmlproperty bool MoveToPointHelper::allowSteerForward
    Whether outputYAxis may become +1 (true).
*/
/*!
    \qmlproperty bool MoveToPointHelper::allowSteerBackward
    Whether outputYAxis becomes -1 when the target is behind (true).
*/
/*!
    \qmlproperty bool MoveToPointHelper::stopForwardMovementAtDifferentDirections
    With backward steering not allowed, stop driving while the target is behind (false).
*/
/*!
    \qmlproperty real MoveToPointHelper::rotationThreshold
    Heading error in degrees below which no turn is requested (5).
*/
/*!
    \qmlproperty real MoveToPointHelper::distanceToTargetThreshold
    Distance below which the target counts as reached (20).
*/
/*!
    \qmlproperty real MoveToPointHelper::distanceToTarget
    The current distance to the target.
*/
/*!
    \qmlproperty real MoveToPointHelper::absoluteRotationDifference
    The current heading error in degrees, 0 to 180.
*/
/*!
    \qmlproperty real MoveToPointHelper::outputXAxis
    Turn request: -1 when the target is on the left, +1 on the right, 0 within the threshold.
*/
/*!
    \qmlproperty real MoveToPointHelper::outputYAxis
    Drive request: +1 forward, -1 backward, 0 when reached or not allowed.
*/
/*!
    \qmlproperty int MoveToPointHelper::updateInterval
    Milliseconds between two updates (16).
*/
/*!
    \qmlsignal MoveToPointHelper::targetReached()
    Emitted once when the owner comes within distanceToTargetThreshold, again
    only after a new target or reset().
*/
/*!
    \qmlsignal MoveToPointHelper::targetItemChanged()
    Emitted when the item steered to changes, also when it is destroyed.
*/
/*!
    \qmlmethod MoveToPointHelper::update()
    Compares owner and target once and updates the outputs; the timer calls it.
*/
/*!
    \qmlmethod MoveToPointHelper::enabledHasChanged()
    Starts the timer when the item becomes enabled and stops it when disabled.
*/
/*!
    \qmlmethod MoveToPointHelper::targetItemDestroyed()
    Forgets the target item; called when it is destroyed.
*/
/*!
    \qmlmethod MoveToPointHelper::reset()
    Forgets that the target was reached and the target point, and stops driving.
*/

namespace {

constexpr float degreesPerRadian = 57.295776f;
constexpr float radiansPerHalfTurn = 3.1415927f;

}

void SteerToPointBehavior::Geometry::setOwner(float x, float y, float rotation)
{
    ownerChanged = !(x == ownerX && y == ownerY && rotation == ownerRotation);
    ownerX = x;
    ownerY = y;
    ownerRotation = rotation;
}

void SteerToPointBehavior::Geometry::setTarget(float x, float y, float z)
{
    targetChanged = !(x == targetX && y == targetY && z == targetZ);
    targetX = x;
    targetY = y;
    targetZ = z;
}

void SteerToPointBehavior::Geometry::compute()
{
    if (!ownerChanged && !targetChanged)
        return;
    dx = targetX - ownerX;
    dy = targetY - ownerY;
    distance = std::sqrt(dx * dx + dy * dy);
    const float phi = ownerRotation / 180.0f * radiansPerHalfTurn;
    const float headingX = std::cos(phi);
    const float headingY = -std::sin(phi);
    const float dot = headingX * dx + headingY * dy;
    if (distance > 0.0f) {
        const float headingLength = std::sqrt(headingX * headingX + headingY * headingY);
        const float t = dot / (headingLength * distance);
        // Rounding may carry t just past 1, where acos has no value.
        if (std::min(std::fabs(t), 1.0f) >= std::fabs(t - 1.0f) * 100000.0f)
            angleDifference = 0.0f;
        else
            angleDifference = std::acos(std::max(-1.0f, std::min(1.0f, t))) * degreesPerRadian;
    } else {
        // On the target every heading is as good as any other.
        angleDifference = 0.0f;
    }
    targetBehind = !(dot > 0.0f);
    targetOnLeft = !(-std::sin(phi) * dx > std::cos(phi) * dy);
}

SteerToPointBehavior::SteerToPointBehavior(QQuickItem *parent)
    : QQuickItem(parent)
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(16);
    connect(m_timer, &QTimer::timeout, this, &SteerToPointBehavior::update);
    connect(this, &QQuickItem::enabledChanged, this, &SteerToPointBehavior::enabledHasChanged);
}

SteerToPointBehavior::~SteerToPointBehavior()
{
    // Leaving a disabled parent in the base destructor changes the effective
    // enabled state: by then this object must not be called back.
    disconnect(this, nullptr, this, nullptr);
}

void SteerToPointBehavior::componentComplete()
{
    QQuickItem::componentComplete();
    if (!m_owningEntity)
        setOwningEntity(parentItem());
    if (!m_owningEntity) {
        qWarning("WARNING: SteerToPointBehavior: no owningEntity was set, but an owner is required for retrieving the position! Thus it will not be activated!");
        return;
    }
    m_active = true;
    if (isEnabled())
        m_timer->start();
}

void SteerToPointBehavior::enabledHasChanged()
{
    if (!m_active)
        return;
    if (isEnabled())
        m_timer->start();
    else
        m_timer->stop();
}

void SteerToPointBehavior::update()
{
    if (!isEnabled() || !m_owningEntity)
        return;

    QPointF target;
    if (m_targetItem) {
        target = m_targetItem->position();
    } else if (m_targetPointSet) {
        target = m_targetPoint;
    } else {
        m_targetReached = false;
        setDistanceToTarget(0);
        return;
    }

    const float previousAngle = m_geometry.angleDifference;
    m_geometry.setOwner(float(m_owningEntity->x()), float(-m_owningEntity->y()), float(m_owningEntity->rotation()));
    m_geometry.setTarget(float(target.x()), float(-target.y()), 0.0f);
    m_geometry.compute();
    setDistanceToTarget(m_geometry.distance);

    if (m_geometry.distance < m_distanceToTargetThreshold) {
        if (!m_targetReached) {
            m_targetReached = true;
            setOutputYAxis(0);
            emit targetReached();
        }
    } else if (!m_geometry.targetBehind) {
        setOutputYAxis(m_allowSteerForward ? 1 : 0);
    } else if (m_allowSteerBackward) {
        setOutputYAxis(-1);
    } else if (m_stopForwardAtDifferentDirections) {
        setOutputYAxis(0);
    }

    if (m_geometry.angleDifference > m_rotationThreshold)
        setOutputXAxis(m_geometry.targetOnLeft ? -1 : 1);
    else
        setOutputXAxis(0);

    if (m_geometry.angleDifference != previousAngle)
        emit absoluteRotationDifferenceChanged();
}

void SteerToPointBehavior::reset()
{
    m_targetReached = false;
    setDistanceToTarget(0);
    setOutputYAxis(0);
    m_targetPointSet = false;
}

void SteerToPointBehavior::setTargetObject(QObject *targetObject)
{
    if (targetObject == m_targetObject)
        return;
    m_targetObject = targetObject;
    auto *item = qobject_cast<QQuickItem *>(targetObject);
    if (targetObject && !item)
        qWarning("WARNING: SteerToPointBehavior: the targetObject is not an item, it is ignored!");
    setTargetItem(item);
    emit targetObjectChanged();
}

void SteerToPointBehavior::setTargetItem(QQuickItem *item)
{
    if (item == m_targetItem)
        return;
    if (m_targetItem)
        disconnect(m_targetItem, &QObject::destroyed, this, &SteerToPointBehavior::targetItemDestroyed);
    m_targetItem = item;
    if (item) {
        connect(item, &QObject::destroyed, this, &SteerToPointBehavior::targetItemDestroyed);
        // A new target may be reached anew.
        m_targetReached = false;
    } else {
        reset();
    }
    emit targetItemChanged();
}

void SteerToPointBehavior::targetItemDestroyed()
{
    // Both guarded pointers are already null while the item is being destroyed.
    m_targetItem = nullptr;
    reset();
    emit targetItemChanged();
    if (m_targetObject.isNull())
        emit targetObjectChanged();
}

void SteerToPointBehavior::setTargetPoint(const QPointF &targetPoint)
{
    if (targetPoint == m_targetPoint)
        return;
    m_targetPoint = targetPoint;
    setDistanceToTarget(0);
    m_targetReached = false;
    m_targetPointSet = true;
    emit targetPointChanged();
}

void SteerToPointBehavior::setOwningEntity(QQuickItem *owningEntity)
{
    if (owningEntity == m_owningEntity)
        return;
    m_owningEntity = owningEntity;
    emit owningEntityChanged();
}

void SteerToPointBehavior::setAllowSteerForward(bool allow)
{
    if (allow == m_allowSteerForward)
        return;
    m_allowSteerForward = allow;
    emit allowSteerForwardChanged();
}

void SteerToPointBehavior::setAllowSteerBackward(bool allow)
{
    if (allow == m_allowSteerBackward)
        return;
    m_allowSteerBackward = allow;
    emit allowSteerBackwardChanged();
}

void SteerToPointBehavior::setStopForwardMovementAtDifferentDirections(bool stop)
{
    if (stop == m_stopForwardAtDifferentDirections)
        return;
    m_stopForwardAtDifferentDirections = stop;
    emit stopForwardMovementAtDifferentDirectionsChanged();
}

void SteerToPointBehavior::setRotationThreshold(double threshold)
{
    if (threshold == m_rotationThreshold)
        return;
    m_rotationThreshold = threshold;
    emit rotationThresholdChanged();
}

void SteerToPointBehavior::setDistanceToTargetThreshold(double threshold)
{
    if (threshold == m_distanceToTargetThreshold)
        return;
    m_distanceToTargetThreshold = threshold;
    emit distanceToTargetThresholdChanged();
}

int SteerToPointBehavior::updateInterval() const
{
    return m_timer->interval();
}

void SteerToPointBehavior::setUpdateInterval(int interval)
{
    if (interval == m_timer->interval())
        return;
    m_timer->setInterval(interval);
    emit updateIntervalChanged();
}

void SteerToPointBehavior::setDistanceToTarget(double distance)
{
    if (distance == m_distanceToTarget)
        return;
    m_distanceToTarget = distance;
    emit distanceToTargetChanged();
}

void SteerToPointBehavior::setOutputXAxis(double value)
{
    if (value == m_outputXAxis)
        return;
    m_outputXAxis = value;
    emit outputXAxisChanged();
}

void SteerToPointBehavior::setOutputYAxis(double value)
{
    if (value == m_outputYAxis)
        return;
    m_outputYAxis = value;
    emit outputYAxisChanged();
}
