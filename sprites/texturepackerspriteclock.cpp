#include "texturepackerspriteclock.h"

#include "sprites/texturepackersprite.h"

#include <QPointer>
#include <QQuickWindow>

#include <algorithm>

TexturePackerSpriteClock *TexturePackerSpriteClock::forWindow(QQuickWindow *window)
{
    auto *clock = window->findChild<TexturePackerSpriteClock *>(QString(), Qt::FindDirectChildrenOnly);
    return clock ? clock : new TexturePackerSpriteClock(window);
}

TexturePackerSpriteClock::TexturePackerSpriteClock(QQuickWindow *window)
    : QObject(window)
    , m_window(window)
{
    // Emitted on the GUI thread whatever the render loop, so frame signals
    // reach QML where it runs.
    connect(window, &QQuickWindow::afterAnimating, this, &TexturePackerSpriteClock::tick, Qt::DirectConnection);
}

void TexturePackerSpriteClock::add(TexturePackerSprite *sprite)
{
    if (sprite->m_clockIndex >= 0)
        return;
    sprite->m_clockIndex = int(m_sprites.size());
    m_sprites.push_back(sprite);
}

void TexturePackerSpriteClock::remove(TexturePackerSprite *sprite)
{
    const int index = sprite->m_clockIndex;
    if (index < 0 || index >= int(m_sprites.size()) || m_sprites[size_t(index)] != sprite)
        return;
    sprite->m_clockIndex = -1;
    if (m_ticking) {
        m_sprites[size_t(index)] = nullptr;
        ++m_holes;
        return;
    }
    TexturePackerSprite *last = m_sprites.back();
    m_sprites[size_t(index)] = last;
    last->m_clockIndex = index;
    m_sprites.pop_back();
}

void TexturePackerSpriteClock::tick()
{
    if (m_sprites.empty())
        return;
    // A frame signal's handler may add or remove sprites, or end the window.
    QPointer<TexturePackerSpriteClock> alive(this);
    m_ticking = true;
    bool shown = false;
    const size_t count = m_sprites.size();
    for (size_t i = 0; i < count; ++i) {
        if (TexturePackerSprite *sprite = m_sprites[i])
            shown |= sprite->advanceFrameClock();
        if (alive.isNull())
            return;
    }
    m_ticking = false;
    if (m_holes > 0)
        compact();
    // The clocks need the next frame as long as any sprite shows.
    if (shown)
        m_window->update();
}

void TexturePackerSpriteClock::compact()
{
    m_sprites.erase(std::remove(m_sprites.begin(), m_sprites.end(), nullptr), m_sprites.end());
    for (size_t i = 0; i < m_sprites.size(); ++i)
        m_sprites[i]->m_clockIndex = int(i);
    m_holes = 0;
}
