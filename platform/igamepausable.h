#ifndef IGAMEPAUSABLE_H
#define IGAMEPAUSABLE_H

#include <QtCore/QtPlugin>

// Implemented by native elements that move by a clock of their own rather than
// by a toolkit timer, a toolkit animation or the step driver (packed-sheet
// sprites, particle emitters, skeletons), so that System::pauseGameForObject
// stops them together with everything else below an object.
class IGamePausable
{
public:
    virtual ~IGamePausable() = default;
    // Stops the element's clock if it is moving. Returns whether it was, that
    // is whether the matching resumeForGame() is due.
    virtual bool pauseForGame() = 0;
    // Undoes a pauseForGame() that returned true.
    virtual void resumeForGame() = 0;
};

Q_DECLARE_INTERFACE(IGamePausable, "IGamePausable")

#endif
