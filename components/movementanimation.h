#ifndef MOVEMENTANIMATION_H
#define MOVEMENTANIMATION_H

#include "scheduling/ischedulable.h"

#include <QObject>
#include <QQmlParserStatus>

// Moves a numeric or point property by velocity and acceleration, stepped by the scheduler.
class MovementAnimation : public QObject, public QQmlParserStatus, public ISchedulable
{
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus ISchedulable)
public:
    explicit MovementAnimation(QObject *parent = nullptr);

    void classBegin() override {}
    void componentComplete() override {}
    void tick(double) override {}
};

#endif
