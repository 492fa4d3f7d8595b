#ifndef TEXTUREPACKERSPRITEMATERIAL_H
#define TEXTUREPACKERSPRITEMATERIAL_H

#include <QPointer>
#include <QSGGeometry>
#include <QSGMaterial>
#include <QSGTexture>

// Draws sprites of one sheet texture. A sprite that does not interpolate
// carries its frame's texture coordinates in its vertices; one that does
// samples at animPos.xy + texCoord * animData.xy, blended toward the same place
// of the next frame (animPos.zw) by the interpolation progress (animData.z).
//
// The animation state travels in the vertices, not in uniforms, so the material
// of every sprite of a sheet compares equal and the renderer merges them all
// into one draw call; a frame change rewrites four vertices.
class TexturePackerSpriteMaterial : public QSGMaterial
{
public:
    // Small, since the renderer copies every vertex of a batch again whenever
    // one sprite of it changes frame.
    struct Vertex
    {
        float x, y;   // position
        float tx, ty; // texture coordinate in the sheet
    };
    struct InterpolatingVertex
    {
        float x, y;                 // position
        float tx, ty;               // texture coordinate of the corner
        float ax, ay, bx, by;       // animPos: frame x, y and next frame x, y
        float width, height, progress; // animData: frame size and progress
    };
    // The layout of InterpolatingVertex, or of Vertex.
    static const QSGGeometry::AttributeSet &attributes(bool interpolating);

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

    // Whether the next frame is blended in; a sprite that does not blend
    // samples the texture once per pixel.
    bool interpolating() const { return m_interpolating; }
    void setInterpolating(bool interpolating) { m_interpolating = interpolating; }

private:
    QPointer<QSGTexture> m_texture;
    QSGTexture::Filtering m_filtering = QSGTexture::Linear;
    bool m_interpolating = false;
};

#endif
