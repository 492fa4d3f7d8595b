#ifndef STEERTOPOINTBEHAVIOR_H
#define STEERTOPOINTBEHAVIOR_H

#include <QPointF>
#include <QPointer>
#include <QQuickItem>

class QTimer;

// Tells a moving item how to steer towards a target item or point: on its own
// timer it compares the owner's position and heading with the target and
// offers a turn axis and a drive axis (-1, 0, +1) for bindings to act on.
class SteerToPointBehavior : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QObject *targetObject READ targetObject WRITE setTargetObject NOTIFY targetObjectChanged)
    Q_PROPERTY(QPointF targetPoint READ targetPoint WRITE setTargetPoint NOTIFY targetPointChanged)
    Q_PROPERTY(QQuickItem *owningEntity READ owningEntity WRITE setOwningEntity NOTIFY owningEntityChanged)
    Q_PROPERTY(bool allowSteerForward READ allowSteerForward WRITE setAllowSteerForward NOTIFY allowSteerForwardChanged)
    Q_PROPERTY(bool allowSteerBackward READ allowSteerBackward WRITE setAllowSteerBackward NOTIFY allowSteerBackwardChanged)
    Q_PROPERTY(bool stopForwardMovementAtDifferentDirections READ stopForwardMovementAtDifferentDirections
               WRITE setStopForwardMovementAtDifferentDirections NOTIFY stopForwardMovementAtDifferentDirectionsChanged)
    Q_PROPERTY(double rotationThreshold READ rotationThreshold WRITE setRotationThreshold NOTIFY rotationThresholdChanged)
    Q_PROPERTY(double distanceToTargetThreshold READ distanceToTargetThreshold WRITE setDistanceToTargetThreshold NOTIFY distanceToTargetThresholdChanged)
    Q_PROPERTY(double distanceToTarget READ distanceToTarget NOTIFY distanceToTargetChanged)
    Q_PROPERTY(float absoluteRotationDifference READ absoluteRotationDifference NOTIFY absoluteRotationDifferenceChanged)
    Q_PROPERTY(double outputXAxis READ outputXAxis NOTIFY outputXAxisChanged)
    Q_PROPERTY(double outputYAxis READ outputYAxis NOTIFY outputYAxisChanged)
    Q_PROPERTY(int updateInterval READ updateInterval WRITE setUpdateInterval NOTIFY updateIntervalChanged)

public:
    explicit SteerToPointBehavior(QQuickItem *parent = nullptr);
    ~SteerToPointBehavior() override;

    QObject *targetObject() const { return m_targetObject; }
    void setTargetObject(QObject *targetObject);
    QPointF targetPoint() const { return m_targetPoint; }
    void setTargetPoint(const QPointF &targetPoint);
    QQuickItem *owningEntity() const { return m_owningEntity; }
    void setOwningEntity(QQuickItem *owningEntity);
    bool allowSteerForward() const { return m_allowSteerForward; }
    void setAllowSteerForward(bool allow);
    bool allowSteerBackward() const { return m_allowSteerBackward; }
    void setAllowSteerBackward(bool allow);
    bool stopForwardMovementAtDifferentDirections() const { return m_stopForwardAtDifferentDirections; }
    void setStopForwardMovementAtDifferentDirections(bool stop);
    double rotationThreshold() const { return m_rotationThreshold; }
    void setRotationThreshold(double threshold);
    double distanceToTargetThreshold() const { return m_distanceToTargetThreshold; }
    void setDistanceToTargetThreshold(double threshold);
    double distanceToTarget() const { return m_distanceToTarget; }
    float absoluteRotationDifference() const { return m_geometry.angleDifference; }
    double outputXAxis() const { return m_outputXAxis; }
    double outputYAxis() const { return m_outputYAxis; }
    int updateInterval() const;
    void setUpdateInterval(int interval);

    void componentComplete() override;

public slots:
    void update();
    void reset();
    void enabledHasChanged();
    void targetItemDestroyed();

signals:
    void targetItemChanged();
    void targetObjectChanged();
    void targetPointChanged();
    void outputXAxisChanged();
    void outputYAxisChanged();
    void targetReached();
    void absoluteRotationDifferenceChanged();
    void distanceToTargetChanged();
    void rotationThresholdChanged();
    void owningEntityChanged();
    void allowSteerForwardChanged();
    void allowSteerBackwardChanged();
    void stopForwardMovementAtDifferentDirectionsChanged();
    void distanceToTargetThresholdChanged();
    void updateIntervalChanged();

private:
    // Positions with y pointing up, headings in degrees; single precision as the
    // outputs only ever need three values.
    struct Geometry
    {
        float ownerX = 0, ownerY = 0, ownerRotation = 0;
        float targetX = 0, targetY = 0, targetZ = 0;
        float dx = 0, dy = 0;
        float angleDifference = 0;
        float distance = 0;
        bool ownerChanged = false;
        bool targetChanged = false;
        bool targetOnLeft = false;
        bool targetBehind = false;

        void setOwner(float x, float y, float rotation);
        void setTarget(float x, float y, float z);
        void compute();
    };

    void setTargetItem(QQuickItem *item);
    void setDistanceToTarget(double distance);
    void setOutputXAxis(double value);
    void setOutputYAxis(double value);

    QPointer<QObject> m_targetObject;
    QPointer<QQuickItem> m_targetItem;
    QPointer<QQuickItem> m_owningEntity;
    QPointF m_targetPoint;
    QTimer *m_timer = nullptr;
    Geometry m_geometry;
    double m_rotationThreshold = 5.0;
    double m_distanceToTargetThreshold = 20.0;
    double m_distanceToTarget = 0;
    double m_outputXAxis = 0;
    double m_outputYAxis = 0;
    bool m_allowSteerForward = true;
    bool m_allowSteerBackward = true;
    bool m_stopForwardAtDifferentDirections = false;
    bool m_targetPointSet = false;
    bool m_targetReached = false;
    // Completion found an owner: only then may the timer run.
    bool m_active = false;
};

#endif
