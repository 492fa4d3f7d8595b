#include "nativeutils.h"

#include <QQmlEngine>

NativeUtils::NativeUtils(QQmlEngine *engine, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
{
}
