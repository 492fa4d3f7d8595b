#ifndef MOVEMENTANIMATION_H
#define MOVEMENTANIMATION_H

#include "scheduling/ischedulable.h"

#include <QByteArray>
#include <QPointF>
#include <QPointer>
#include <QQuickItem>
#include <QVariant>

class ZarnoScheduler;

// Moves one numeric or point property of a target for as long as it runs: an
// acceleration changes a velocity, the velocity changes the value, and optional
// limits bound the velocity, the change per step and the value. Stepped by the
// frame scheduler. The parser-status interface comes with QQuickItem.
class MovementAnimation : public QQuickItem, public ISchedulable
{
    Q_OBJECT
    Q_INTERFACES(ISchedulable)
    Q_PROPERTY(bool running READ running WRITE setRunning NOTIFY runningChanged)
    Q_PROPERTY(QObject *target READ target WRITE setTarget NOTIFY targetChanged)
    Q_PROPERTY(QString property READ property WRITE setProperty NOTIFY propertyChanged)
    Q_PROPERTY(QVariant velocity READ velocity WRITE setVelocity NOTIFY velocityChanged)
    Q_PROPERTY(QVariant acceleration READ acceleration WRITE setAcceleration NOTIFY accelerationChanged)
    Q_PROPERTY(QVariant maxVelocity READ maxVelocity WRITE setMaxVelocity NOTIFY maxVelocityChanged)
    Q_PROPERTY(QVariant minVelocity READ minVelocity WRITE setMinVelocity NOTIFY minVelocityChanged)
    Q_PROPERTY(QVariant maxPropertyValue READ maxPropertyValue WRITE setMaxPropertyValue NOTIFY maxPropertyValueChanged)
    Q_PROPERTY(QVariant minPropertyValue READ minPropertyValue WRITE setMinPropertyValue NOTIFY minPropertyValueChanged)
    Q_PROPERTY(QVariant maxPropertyValueDifference READ maxPropertyValueDifference WRITE setMaxPropertyValueDifference NOTIFY maxPropertyValueDifferenceChanged)
    Q_PROPERTY(bool wrapping READ wrapping WRITE setWrapping NOTIFY wrappingChanged)
    Q_PROPERTY(int updateInterval READ updateInterval WRITE setUpdateInterval NOTIFY updateIntervalChanged)

public:
    explicit MovementAnimation(QQuickItem *parent = nullptr);
    ~MovementAnimation() override;

    bool running() const { return m_running; }
    void setRunning(bool running);

    QObject *target() const { return m_target; }
    void setTarget(QObject *target);

    QString property() const { return m_property; }
    void setProperty(const QString &property);
    // The accessors of the moved property's name must not hide QObject's.
    using QObject::property;
    using QObject::setProperty;

    QVariant velocity() const { return m_velocity.value; }
    void setVelocity(const QVariant &velocity);
    QVariant acceleration() const { return m_acceleration.value; }
    void setAcceleration(const QVariant &acceleration);
    QVariant maxVelocity() const { return m_maxVelocity.value; }
    void setMaxVelocity(const QVariant &maxVelocity);
    QVariant minVelocity() const { return m_minVelocity.value; }
    void setMinVelocity(const QVariant &minVelocity);
    QVariant maxPropertyValue() const { return m_maxPropertyValue.value; }
    void setMaxPropertyValue(const QVariant &maxPropertyValue);
    QVariant minPropertyValue() const { return m_minPropertyValue.value; }
    void setMinPropertyValue(const QVariant &minPropertyValue);
    QVariant maxPropertyValueDifference() const { return m_maxPropertyValueDifference.value; }
    void setMaxPropertyValueDifference(const QVariant &maxPropertyValueDifference);

    bool wrapping() const { return m_wrapping; }
    void setWrapping(bool wrapping);

    int updateInterval() const { return m_updateInterval; }
    void setUpdateInterval(int updateInterval);

    // Whether the moved property holds a point (decided at component completion).
    bool isPointMode() const { return m_pointMode; }

    void classBegin() override;
    void componentComplete() override;
    void tick(double seconds) override;

public slots:
    void start();
    void stop();

signals:
    void started();
    void stopped();
    void runningChanged(bool running);
    void pausedChanged(bool paused);
    void limitReached();
    void targetChanged();
    void velocityChanged();
    void accelerationChanged();
    void maxVelocityChanged();
    void minVelocityChanged();
    void maxPropertyValueChanged();
    void minPropertyValueChanged();
    void maxPropertyValueDifferenceChanged();
    void wrappingChanged();
    void propertyChanged();
    void updateIntervalChanged();

private:
    // A velocity, acceleration or limit as written from QML, with its cached
    // numeric and point forms so that a step never converts variants.
    struct Setting
    {
        QVariant value;
        bool set = false;
        double number = 0;
        QPointF point;
    };
    enum class FastPath { None, X, Y, Pos, Rotation };

    bool writeSetting(Setting &setting, const QVariant &value, const char *name);
    static void cacheNumber(Setting &setting);
    static void cachePoint(Setting &setting);
    bool prepare();
    bool readCurrentValue();
    void tickNumber(double dt);
    void tickPoint(double dt);
    void stopForLostTarget();

    QPointer<QObject> m_target;
    QPointer<QQuickItem> m_targetItem;
    QString m_property;
    QByteArray m_propertyName;
    QPointer<ZarnoScheduler> m_scheduler;

    Setting m_velocity;
    Setting m_acceleration;
    Setting m_maxVelocity;
    Setting m_minVelocity;
    Setting m_maxPropertyValue;
    Setting m_minPropertyValue;
    Setting m_maxPropertyValueDifference;

    double m_value = 0;
    QPointF m_pointValue;
    FastPath m_fastPath = FastPath::None;
    int m_updateInterval = 60;
    bool m_running = false;
    bool m_wrapping = false;
    bool m_pointMode = false;
    bool m_completed = false;
    // Completion found a target, its property and looked up the scheduler.
    bool m_prepared = false;
};

#endif
