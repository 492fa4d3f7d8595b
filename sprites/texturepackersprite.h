#ifndef TEXTUREPACKERSPRITE_H
#define TEXTUREPACKERSPRITE_H

#include <QQuickItem>

// Draws frames of a packed sprite sheet through its own scene-graph material.
class TexturePackerSprite : public QQuickItem
{
    Q_OBJECT
public:
    explicit TexturePackerSprite(QQuickItem *parent = nullptr);
};

#endif
