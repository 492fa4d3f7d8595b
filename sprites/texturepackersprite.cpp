#include "texturepackersprite.h"

TexturePackerSprite::TexturePackerSprite(QQuickItem *parent)
    : QQuickItem(parent)
{
}
