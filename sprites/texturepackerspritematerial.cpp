#include "texturepackerspritematerial.h"

#include <QOpenGLShaderProgram>
#include <QSGMaterialShader>

namespace {

// Two programs: most sprites do not interpolate, and a second texture lookup
// per pixel costs them dearly where pixels are filled in software.
const char *const VertexProgram = R"(
attribute highp vec4 vPos;
attribute highp vec2 vTex;
uniform highp mat4 qt_Matrix;
varying highp vec2 fTex;

void main()
{
    fTex = vTex;
    gl_Position = qt_Matrix * vPos;
}
)";

const char *const FragmentProgram = R"(
uniform sampler2D _qt_texture;
uniform lowp float qt_Opacity;
varying highp vec2 fTex;

void main()
{
    gl_FragColor = texture2D(_qt_texture, fTex) * qt_Opacity;
}
)";

const char *const InterpolatingVertexProgram = R"(
attribute highp vec4 vPos;
attribute highp vec2 vTex;
attribute highp vec4 animPos;  // frame x, y and next frame x, y
attribute highp vec3 animData; // frame width, frame height, progress
uniform highp mat4 qt_Matrix;
varying highp vec4 fTexS;
varying lowp float progress;

void main()
{
    progress = animData.z;
    fTexS.xy = animPos.xy + vTex * animData.xy;
    fTexS.zw = animPos.zw + vTex * animData.xy;
    gl_Position = qt_Matrix * vPos;
}
)";

const char *const InterpolatingFragmentProgram = R"(
uniform sampler2D _qt_texture;
uniform lowp float qt_Opacity;
varying highp vec4 fTexS;
varying lowp float progress;

void main()
{
    gl_FragColor = mix(texture2D(_qt_texture, fTexS.xy), texture2D(_qt_texture, fTexS.zw), progress) * qt_Opacity;
}
)";

class TexturePackerSpriteMaterialData : public QSGMaterialShader
{
public:
    explicit TexturePackerSpriteMaterialData(bool interpolating)
        : m_interpolating(interpolating)
    {
    }

    char const *const *attributeNames() const override
    {
        // The order of the geometry's attributes.
        static const char *const names[] = {"vPos", "vTex", "animPos", "animData", nullptr};
        static const char *const plainNames[] = {"vPos", "vTex", nullptr};
        return m_interpolating ? names : plainNames;
    }

    void updateState(const RenderState &state, QSGMaterial *newMaterial, QSGMaterial *) override
    {
        auto *material = static_cast<TexturePackerSpriteMaterial *>(newMaterial);
        // A sprite whose texture is missing or already released draws a
        // collapsed quad; nothing is bound for it.
        if (QSGTexture *texture = material->texture()) {
            texture->setFiltering(material->filtering());
            texture->bind();
        }
        if (state.isOpacityDirty())
            program()->setUniformValue(m_opacity, state.opacity());
        if (state.isMatrixDirty())
            program()->setUniformValue(m_matrix, state.combinedMatrix());
    }

protected:
    const char *vertexShader() const override
    {
        return m_interpolating ? InterpolatingVertexProgram : VertexProgram;
    }
    const char *fragmentShader() const override
    {
        return m_interpolating ? InterpolatingFragmentProgram : FragmentProgram;
    }

    void initialize() override
    {
        m_matrix = program()->uniformLocation("qt_Matrix");
        m_opacity = program()->uniformLocation("qt_Opacity");
    }

private:
    bool m_interpolating;
    int m_matrix = -1;
    int m_opacity = -1;
};

template<typename T>
int order(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

TexturePackerSpriteMaterial::TexturePackerSpriteMaterial()
{
    setFlag(Blending, true);
}

QSGMaterialType *TexturePackerSpriteMaterial::type() const
{
    // Each program is its own type: the renderer keeps one program per type.
    static QSGMaterialType plain;
    static QSGMaterialType interpolating;
    return m_interpolating ? &interpolating : &plain;
}

QSGMaterialShader *TexturePackerSpriteMaterial::createShader() const
{
    return new TexturePackerSpriteMaterialData(m_interpolating);
}

int TexturePackerSpriteMaterial::compare(const QSGMaterial *other) const
{
    // Equal materials merge into one draw call: only what is bound per draw
    // call takes part, the animation state is in the vertices.
    const auto *o = static_cast<const TexturePackerSpriteMaterial *>(other);
    if (int c = order(quintptr(texture()), quintptr(o->texture())))
        return c;
    return order(int(m_filtering), int(o->m_filtering));
}

const QSGGeometry::AttributeSet &TexturePackerSpriteMaterial::attributes(bool interpolating)
{
    static const QSGGeometry::Attribute list[] = {
        QSGGeometry::Attribute::createWithAttributeType(0, 2, QSGGeometry::FloatType, QSGGeometry::PositionAttribute),
        QSGGeometry::Attribute::createWithAttributeType(1, 2, QSGGeometry::FloatType, QSGGeometry::TexCoordAttribute),
        QSGGeometry::Attribute::createWithAttributeType(2, 4, QSGGeometry::FloatType, QSGGeometry::UnknownAttribute),
        QSGGeometry::Attribute::createWithAttributeType(3, 3, QSGGeometry::FloatType, QSGGeometry::UnknownAttribute),
    };
    static const QSGGeometry::AttributeSet set = {4, int(sizeof(InterpolatingVertex)), list};
    static const QSGGeometry::AttributeSet plain = {2, int(sizeof(Vertex)), list};
    return interpolating ? set : plain;
}
