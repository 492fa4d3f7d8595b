#include "globalkeyforwarder.h"

GlobalKeyForwarder::GlobalKeyForwarder(QObject *parent)
    : QObject(parent)
{
}
