#ifndef BOX2DPLUGIN_H
#define BOX2DPLUGIN_H

#include <QQmlExtensionPlugin>

// Registers the physics types under the engine's module name.
class Box2DPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT

public:
    explicit Box2DPlugin(QObject *parent = nullptr);
    void registerTypes(const char *uri) override;
};

#endif
