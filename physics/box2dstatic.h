#ifndef BOX2DSTATIC_H
#define BOX2DSTATIC_H

#include <QObject>

class Box2DWorld;
class QJSEngine;
class QQmlEngine;

// The QML singleton Box2D: the process-wide default world.
class Box2DStatic : public QObject
{
    Q_OBJECT
    Q_PROPERTY(Box2DWorld *defaultWorld READ defaultWorld WRITE setDefaultWorld NOTIFY defaultWorldChanged)

public:
    static Box2DStatic *instance();
    static QObject *provider(QQmlEngine *engine, QJSEngine *scriptEngine);

    Box2DWorld *defaultWorld() const;

public slots:
    void setDefaultWorld(Box2DWorld *currentWorld);

signals:
    // Emitted for writes through this object only; the first World claims the
    // default without it.
    void defaultWorldChanged();

private:
    Box2DStatic() = default;
};

#endif
