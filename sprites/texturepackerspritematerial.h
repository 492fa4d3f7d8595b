#ifndef TEXTUREPACKERSPRITEMATERIAL_H
#define TEXTUREPACKERSPRITEMATERIAL_H

#include <QPointer>
#include <QSGMaterial>
#include <QSGTexture>
#include <QVector4D>

// Draws one frame of a sheet texture: every pixel of the quad samples the
// texture at animPos.xy + texCoord * animData.xy, blended toward the same
// place of the next frame (animPos.zw) by the interpolation progress.
class TexturePackerSpriteMaterial : public QSGMaterial
{
public:
    TexturePackerSpriteMaterial();

    QSGMaterialType *type() const override;
    QSGMaterialShader *createShader() const override;
    int compare(const QSGMaterial *other) const override;

    // Guarded: the texture belongs to the process-wide texture cache.
    QSGTexture *texture() const { return m_texture.data(); }
    void setTexture(QSGTexture *texture) { m_texture = texture; }

    // Per material rather than on the shared texture, so sprites of one sheet
    // can differ in smoothing.
    QSGTexture::Filtering filtering() const { return m_filtering; }
    void setFiltering(QSGTexture::Filtering filtering) { m_filtering = filtering; }

    float progress() const { return m_progress; }
    void setProgress(float progress) { m_progress = progress; }

    // Current frame x, y and next frame x, y, in texture units.
    QVector4D animPos() const { return m_animPos; }
    void setAnimPos(const QVector4D &animPos) { m_animPos = animPos; }

    // Frame width and height in texture units.
    float animWidth() const { return m_animWidth; }
    float animHeight() const { return m_animHeight; }
    void setAnimSize(float width, float height)
    {
        m_animWidth = width;
        m_animHeight = height;
    }

private:
    QPointer<QSGTexture> m_texture;
    QSGTexture::Filtering m_filtering = QSGTexture::Linear;
    float m_progress = 0.0f;
    QVector4D m_animPos;
    float m_animWidth = 1.0f;
    float m_animHeight = 1.0f;
};

#endif
