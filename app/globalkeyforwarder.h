#ifndef GLOBALKEYFORWARDER_H
#define GLOBALKEYFORWARDER_H

#include <QObject>

// Re-publishes key presses that reach a window's root item as pressed(event).
class GlobalKeyForwarder : public QObject
{
    Q_OBJECT
public:
    explicit GlobalKeyForwarder(QObject *parent = nullptr);
};

#endif
