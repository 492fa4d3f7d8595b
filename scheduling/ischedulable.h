#ifndef ISCHEDULABLE_H
#define ISCHEDULABLE_H

#include <QtCore/QtPlugin>

// Implemented by every element that the frame scheduler steps.
class ISchedulable
{
public:
    virtual ~ISchedulable() = default;
    // Advances the element by the given number of seconds.
    virtual void tick(double seconds) = 0;
};

Q_DECLARE_INTERFACE(ISchedulable, "ISchedulable")

#endif
