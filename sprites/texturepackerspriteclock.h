#ifndef TEXTUREPACKERSPRITECLOCK_H
#define TEXTUREPACKERSPRITECLOCK_H

#include <QObject>

#include <vector>

class QQuickWindow;
class TexturePackerSprite;

// Advances the frame clocks of all sprites of one window once per rendered
// frame, in one pass, before the scene is synchronised. A sprite is repainted
// only when its frame (or anything else it shows) changed, instead of every
// sprite asking for a repaint of its own every frame.
class TexturePackerSpriteClock : public QObject
{
    Q_OBJECT
public:
    // The window's clock, created on first use; the window owns it.
    static TexturePackerSpriteClock *forWindow(QQuickWindow *window);

    void add(TexturePackerSprite *sprite);
    void remove(TexturePackerSprite *sprite);

private:
    explicit TexturePackerSpriteClock(QQuickWindow *window);
    void tick();
    void compact();

    QQuickWindow *m_window;
    // In the order of joining; a sprite leaving during a pass leaves a hole
    // that is closed after the pass.
    std::vector<TexturePackerSprite *> m_sprites;
    int m_holes = 0;
    bool m_ticking = false;
};

#endif
