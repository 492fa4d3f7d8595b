#include "movementanimation.h"

#include "scheduling/zarnoscheduler.h"

#include <QMetaProperty>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtMath>

/*!
    \qmltype MovementAnimation
    \inqmlmodule Zarno
    \instantiates MovementAnimation
    \brief Moves a property by a velocity for as long as it runs.

    An \l acceleration changes the \l velocity, the velocity changes the value
    of \l property on \l target, and optional limits bound the velocity, the
    change per step and the value. There is no duration or end value: it runs
    until stopped. A number property takes numbers for every setting, a point
    property (such as \c pos) takes points. It is stepped by the frame
    scheduler (ZarnoScheduler), so it stops while the game is paused. The
    properties \c x, \c y, \c rotation and \c pos of an item are read and
    written directly; any other number property is read by name on every step
    and logs a warning that this is slow.

    \qml
    Image {
        id: row
        source: "../assets/img/ground.png"
        MovementAnimation {
            target: row
            property: "x"
            velocity: -1000            // pixels per second
            minPropertyValue: -1500
            running: true
            onLimitReached: row.x = 0  // start over
        }
    }
    \endqml
*/

/*!
    \qmlproperty bool MovementAnimation::running
    Whether it moves the value; false by default. Setting it to true re-reads
    the current value from the target.
*/

/*!
    \qmlproperty QtObject MovementAnimation::target
    The object whose \l property is moved. Set it (and \l property) in the
    declaration: the kind of value is decided once, when the element is
    complete.
*/

/*!
    \qmlproperty string MovementAnimation::property
    The name of the moved property of \l target.
*/

/*!
    \qmlproperty var MovementAnimation::velocity
    Units of the property per second; 0 when unset. Updated while
    \l acceleration changes it.
*/

/*!
    \qmlproperty var MovementAnimation::acceleration
    Change of \l velocity per second; 0 when unset.
*/

/*!
    \qmlproperty var MovementAnimation::maxVelocity
    \qmlproperty var MovementAnimation::minVelocity
    Bounds of \l velocity; unset by default (no bound).
*/

/*!
    \qmlproperty var MovementAnimation::maxPropertyValue
    \qmlproperty var MovementAnimation::minPropertyValue
    Bounds of the value. A step that would pass one clamps the value to it
    (or, with \l wrapping and both bounds set, puts it on the opposite bound)
    and emits limitReached(). A value exactly on a bound is not reported.
*/

/*!
    \qmlproperty var MovementAnimation::maxPropertyValueDifference
    The largest change of the value in one step, whatever the velocity; unset
    by default.
*/

/*!
    \qmlproperty bool MovementAnimation::wrapping
    At a value bound, jump to the opposite bound instead of stopping there.
    False by default; needs both bounds.
*/

/*!
    \qmlproperty int MovementAnimation::updateInterval
    Steps per second when the scheduler hands out fixed steps
    (ZarnoScheduler.Accumulated); 60 by default. With the default scheduling
    the element steps once per frame whatever this is.
*/

/*!
    \qmlmethod MovementAnimation::start()
    Same as setting \l running to true.
*/

/*!
    \qmlmethod MovementAnimation::stop()
    Same as setting \l running to false.
*/

/*!
    \qmlsignal MovementAnimation::started()
    \qmlsignal MovementAnimation::stopped()
    Emitted when \l running becomes true (after the element is complete) or
    false. An element declared with \c{running: true} emits no started().
*/

/*!
    \qmlsignal MovementAnimation::limitReached()
    Emitted after a step that clamped or wrapped the value at a bound; the
    handler sees the bounded value and may overwrite it. Emitted on every step
    while the velocity keeps pushing against the bound.
*/

/*!
    \qmlsignal MovementAnimation::pausedChanged(bool paused)
    Declared for compatibility and never emitted; \a paused is unused.
*/

namespace {

bool isFinitePoint(const QPointF &p)
{
    return qIsFinite(p.x()) && qIsFinite(p.y());
}

// Bounds one step's change to the magnitude of the limit; a negative limit is
// read as its magnitude so that it can never turn the movement around.
double boundedChange(double delta, double limit)
{
    const double magnitude = qAbs(limit);
    if (qAbs(delta) > magnitude)
        return delta > 0 ? magnitude : -magnitude;
    return delta;
}

void warnNoFiniteStep()
{
    qWarning("WARNING: MovementAnimation: the step gives no finite value, the property keeps its value!");
}

} // namespace

MovementAnimation::MovementAnimation(QQuickItem *parent)
    : QQuickItem(parent)
{
}

MovementAnimation::~MovementAnimation()
{
    if (m_scheduler && m_scheduler->isScheduled(this))
        m_scheduler->removeSchedulable(this);
}

void MovementAnimation::setRunning(bool running)
{
    if (running == m_running)
        return;
    m_running = running;

    if (!running) {
        if (m_scheduler && m_scheduler->isScheduled(this))
            m_scheduler->removeSchedulable(this);
        emit stopped();
    } else if (m_completed) {
        bool ready = false;
        if (m_target.isNull() || m_property.isEmpty())
            qWarning("WARNING: MovementAnimation: no property or target defined, nothing to do");
        else if (m_prepared)
            ready = readCurrentValue();
        else
            // Completion had nothing to move; target and property were given since.
            ready = prepare();

        if (ready) {
            if (m_scheduler && !m_scheduler->isScheduled(this))
                m_scheduler->addSchedulable(this, 1.0 / m_updateInterval);
            else if (!m_scheduler)
                qWarning("WARNING: No scheduler found! MovementAnimation will not work correctly!");
        }
        emit started();
    }
    // Before completion only the flag changes: completion registers the element.

    emit runningChanged(running);
}

void MovementAnimation::start()
{
    setRunning(true);
}

void MovementAnimation::stop()
{
    setRunning(false);
}

void MovementAnimation::setTarget(QObject *target)
{
    if (target == m_target)
        return;
    m_target = target;
    m_targetItem = qobject_cast<QQuickItem *>(target);
    emit targetChanged();
}

void MovementAnimation::setProperty(const QString &property)
{
    if (property == m_property)
        return;
    m_property = property;
    m_propertyName = property.toLocal8Bit();
    emit propertyChanged();
}

void MovementAnimation::cacheNumber(Setting &setting)
{
    setting.number = setting.value.toDouble();
}

void MovementAnimation::cachePoint(Setting &setting)
{
    setting.point = setting.value.toPointF();
}

bool MovementAnimation::writeSetting(Setting &setting, const QVariant &value, const char *name)
{
    if (value == setting.value)
        return false;
    // A non-finite velocity or limit would turn every later position into NaN or
    // infinity, which the items cannot recover from: keep the previous setting.
    if (!qIsFinite(value.toDouble()) || !isFinitePoint(value.toPointF())) {
        qWarning("WARNING: MovementAnimation: %s is not a finite value, keeping the previous one!", name);
        return false;
    }
    setting.value = value;
    setting.set = value.isValid();
    // Both forms are cached for every setting: the mode is fixed at completion
    // and a step must never convert a variant.
    cacheNumber(setting);
    cachePoint(setting);
    return true;
}

void MovementAnimation::setVelocity(const QVariant &velocity)
{
    if (writeSetting(m_velocity, velocity, "velocity"))
        emit velocityChanged();
}

void MovementAnimation::setAcceleration(const QVariant &acceleration)
{
    if (writeSetting(m_acceleration, acceleration, "acceleration"))
        emit accelerationChanged();
}

void MovementAnimation::setMaxVelocity(const QVariant &maxVelocity)
{
    if (writeSetting(m_maxVelocity, maxVelocity, "maxVelocity"))
        emit maxVelocityChanged();
}

void MovementAnimation::setMinVelocity(const QVariant &minVelocity)
{
    if (writeSetting(m_minVelocity, minVelocity, "minVelocity"))
        emit minVelocityChanged();
}

void MovementAnimation::setMaxPropertyValue(const QVariant &maxPropertyValue)
{
    if (writeSetting(m_maxPropertyValue, maxPropertyValue, "maxPropertyValue"))
        emit maxPropertyValueChanged();
}

void MovementAnimation::setMinPropertyValue(const QVariant &minPropertyValue)
{
    if (writeSetting(m_minPropertyValue, minPropertyValue, "minPropertyValue"))
        emit minPropertyValueChanged();
}

void MovementAnimation::setMaxPropertyValueDifference(const QVariant &maxPropertyValueDifference)
{
    if (writeSetting(m_maxPropertyValueDifference, maxPropertyValueDifference, "maxPropertyValueDifference"))
        emit maxPropertyValueDifferenceChanged();
}

void MovementAnimation::setWrapping(bool wrapping)
{
    if (wrapping == m_wrapping)
        return;
    m_wrapping = wrapping;
    emit wrappingChanged();
}

void MovementAnimation::setUpdateInterval(int updateInterval)
{
    if (updateInterval == m_updateInterval)
        return;
    // The step interval is 1 / updateInterval: zero would never step in the
    // accumulated method and a negative rate has no meaning.
    if (updateInterval <= 0) {
        qWarning("WARNING: MovementAnimation: updateInterval %d is not positive, keeping %d!",
                 updateInterval, m_updateInterval);
        return;
    }
    m_updateInterval = updateInterval;
    if (m_scheduler)
        m_scheduler->setStepInterval(this, 1.0 / m_updateInterval);
    emit updateIntervalChanged();
}

void MovementAnimation::classBegin()
{
    QQuickItem::classBegin();
}

void MovementAnimation::componentComplete()
{
    QQuickItem::componentComplete();
    m_completed = true;

    if (!prepare())
        return;

    if (m_running) {
        if (m_scheduler)
            m_scheduler->addSchedulable(this, 1.0 / m_updateInterval);
        else
            qWarning("WARNING: No scheduler found! MovementAnimation will not work correctly!");
    }
}

bool MovementAnimation::prepare()
{
    if (m_property.isEmpty() || m_target.isNull()) {
        qWarning("WARNING: MovementAnimation: no property or target defined, nothing to do");
        return false;
    }

    FastPath fastPath = FastPath::None;
    if (m_property == QLatin1String("x"))
        fastPath = FastPath::X;
    else if (m_property == QLatin1String("y"))
        fastPath = FastPath::Y;
    else if (m_property == QLatin1String("pos"))
        fastPath = FastPath::Pos;
    else if (m_property == QLatin1String("rotation"))
        fastPath = FastPath::Rotation;
    m_fastPath = fastPath;

    // An item's position has no property of its own: it is the x/y pair.
    if (fastPath == FastPath::Pos && m_targetItem) {
        m_pointMode = true;
        m_pointValue = m_targetItem->position();
    } else {
        // Writing a missing name would only add a dynamic property that nothing
        // reads, and a read-only one would silently never move.
        const QMetaObject *meta = m_target->metaObject();
        const int index = meta->indexOfProperty(m_propertyName.constData());
        const bool writable = index >= 0 ? meta->property(index).isWritable()
                                         : m_target->dynamicPropertyNames().contains(m_propertyName);
        if (!writable) {
            qWarning("WARNING: MovementAnimation: the target has no writable property \"%s\", nothing to do",
                     m_propertyName.constData());
            return false;
        }

        const QVariant value = m_target->property(m_propertyName.constData());
        bool isNumber = false;
        const double number = value.toDouble(&isNumber);
        if (isNumber) {
            m_pointMode = false;
            m_value = number;
        } else if (value.canConvert<QPointF>()) {
            m_pointMode = true;
            m_pointValue = value.toPointF();
        } else {
            qWarning("WARNING: MovementAnimation: property \"%s\" of the target is neither a number nor a point, nothing to do",
                     m_propertyName.constData());
            return false;
        }
    }

    QQmlContext *context = qmlContext(this);
    if (!context) {
        qWarning("MovementAnimation: WARNING: Context was not found in Context Property!");
    } else {
        QQmlEngine *engine = context->engine();
        QObject *object = engine ? engine->rootContext()->contextProperty(QStringLiteral("zarnoScheduler")).value<QObject *>()
                                 : nullptr;
        m_scheduler = qobject_cast<ZarnoScheduler *>(object);
        if (!m_scheduler)
            qWarning("MovementAnimation: WARNING: Zarno Scheduler was not found in Context Property!");
    }

    m_prepared = true;
    return true;
}

bool MovementAnimation::readCurrentValue()
{
    if (m_pointMode && m_fastPath == FastPath::Pos && m_targetItem) {
        m_pointValue = m_targetItem->position();
        return true;
    }
    const QVariant value = m_target->property(m_propertyName.constData());
    if (m_pointMode)
        m_pointValue = value.toPointF();
    else
        m_value = value.toDouble();
    return true;
}

void MovementAnimation::stopForLostTarget()
{
    qWarning("WARNING: MovementAnimation: the target is gone, stopping");
    setRunning(false);
}

void MovementAnimation::tick(double seconds)
{
    if (!m_running || !m_prepared)
        return;
    if (!(seconds >= 0) || !qIsFinite(seconds)) {
        qWarning("WARNING: MovementAnimation: ignoring a step of %g seconds!", seconds);
        return;
    }
    if (m_target.isNull()) {
        stopForLostTarget();
        return;
    }
    if (m_pointMode)
        tickPoint(seconds);
    else
        tickNumber(seconds);
}

void MovementAnimation::tickNumber(double dt)
{
    double v = m_velocity.number + m_acceleration.number * dt;
    if (m_minVelocity.set && v < m_minVelocity.number)
        v = m_minVelocity.number;
    if (m_maxVelocity.set && v > m_maxVelocity.number)
        v = m_maxVelocity.number;
    if (!qIsFinite(v)) {
        warnNoFiniteStep();
        return;
    }

    // Stored exactly rather than through the variant comparison, which is fuzzy
    // and would swallow a small steady acceleration on a large velocity.
    if (m_velocity.value.userType() != QMetaType::Double || m_velocity.number != v) {
        m_velocity.value = QVariant(v);
        m_velocity.set = true;
        m_velocity.number = v;
        m_velocity.point = QPointF();
        emit velocityChanged();
        // A handler may have stopped the element or dropped its target.
        if (!m_running || m_target.isNull())
            return;
    }

    double delta = v * dt;
    if (m_maxPropertyValueDifference.set)
        delta = boundedChange(delta, m_maxPropertyValueDifference.number);

    QQuickItem *item = m_targetItem.data();
    double present;
    if (item && m_fastPath == FastPath::X) {
        present = item->x();
    } else if (item && m_fastPath == FastPath::Y) {
        present = item->y();
    } else if (item && m_fastPath == FastPath::Rotation) {
        present = item->rotation();
    } else {
        present = m_target->property(m_propertyName.constData()).toDouble();
        qWarning("WARNING: MovementAnimation: reading this property value is slow!");
    }

    double value = present + delta;
    if (!qIsFinite(value)) {
        warnNoFiniteStep();
        return;
    }

    bool limit = false;
    if (m_minPropertyValue.set && value < m_minPropertyValue.number) {
        value = m_wrapping && m_maxPropertyValue.set ? m_maxPropertyValue.number : m_minPropertyValue.number;
        limit = true;
    }
    if (m_maxPropertyValue.set && value > m_maxPropertyValue.number) {
        value = m_wrapping && m_minPropertyValue.set ? m_minPropertyValue.number : m_maxPropertyValue.number;
        limit = true;
    }

    m_value = value;
    if (item && m_fastPath == FastPath::X)
        item->setX(value);
    else if (item && m_fastPath == FastPath::Y)
        item->setY(value);
    else if (item && m_fastPath == FastPath::Rotation)
        item->setRotation(value);
    else
        m_target->setProperty(m_propertyName.constData(), value);

    if (limit)
        emit limitReached();
}

void MovementAnimation::tickPoint(double dt)
{
    double vx = m_velocity.point.x() + m_acceleration.point.x() * dt;
    double vy = m_velocity.point.y() + m_acceleration.point.y() * dt;
    if (m_minVelocity.set) {
        vx = qMax(vx, m_minVelocity.point.x());
        vy = qMax(vy, m_minVelocity.point.y());
    }
    if (m_maxVelocity.set) {
        vx = qMin(vx, m_maxVelocity.point.x());
        vy = qMin(vy, m_maxVelocity.point.y());
    }
    const QPointF v(vx, vy);
    if (!isFinitePoint(v)) {
        warnNoFiniteStep();
        return;
    }

    if (m_velocity.value.userType() != QMetaType::QPointF || m_velocity.point.x() != vx
        || m_velocity.point.y() != vy) {
        m_velocity.value = QVariant(v);
        m_velocity.set = true;
        m_velocity.number = 0;
        m_velocity.point = v;
        emit velocityChanged();
        if (!m_running || m_target.isNull())
            return;
    }

    double dx = vx * dt;
    double dy = vy * dt;
    if (m_maxPropertyValueDifference.set) {
        dx = boundedChange(dx, m_maxPropertyValueDifference.point.x());
        dy = boundedChange(dy, m_maxPropertyValueDifference.point.y());
    }

    QQuickItem *item = m_targetItem.data();
    const bool onItem = item && m_fastPath == FastPath::Pos;
    // Other point properties are not read back while running: the stored value
    // is what this element last wrote.
    const QPointF present = onItem ? QPointF(item->x(), item->y()) : m_pointValue;

    double x = present.x() + dx;
    double y = present.y() + dy;
    if (!qIsFinite(x) || !qIsFinite(y)) {
        warnNoFiniteStep();
        return;
    }

    bool limit = false;
    const bool wrapToMax = m_wrapping && m_maxPropertyValue.set;
    const bool wrapToMin = m_wrapping && m_minPropertyValue.set;
    if (m_minPropertyValue.set) {
        const QPointF &min = m_minPropertyValue.point;
        if (x < min.x()) {
            x = wrapToMax ? m_maxPropertyValue.point.x() : min.x();
            limit = true;
        }
        if (y < min.y()) {
            y = wrapToMax ? m_maxPropertyValue.point.y() : min.y();
            limit = true;
        }
    }
    if (m_maxPropertyValue.set) {
        const QPointF &max = m_maxPropertyValue.point;
        if (x > max.x()) {
            x = wrapToMin ? m_minPropertyValue.point.x() : max.x();
            limit = true;
        }
        if (y > max.y()) {
            y = wrapToMin ? m_minPropertyValue.point.y() : max.y();
            limit = true;
        }
    }

    m_pointValue = QPointF(x, y);
    if (onItem) {
        item->setX(x);
        item->setY(y);
    } else {
        m_target->setProperty(m_propertyName.constData(), m_pointValue);
    }

    if (limit)
        emit limitReached();
}
