#include "movementanimation.h"

MovementAnimation::MovementAnimation(QObject *parent)
    : QObject(parent)
{
}
