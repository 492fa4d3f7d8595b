#include "texturepackerspritematerial.h"

#include <QOpenGLShaderProgram>
#include <QSGMaterialShader>

namespace {

const char *const VertexProgram = R"(
attribute highp vec2 vPos;
attribute highp vec2 vTex;
uniform highp mat4 qt_Matrix;
uniform highp vec3 animData; // frame width, frame height, progress
uniform highp vec4 animPos;  // frame x, y and next frame x, y
varying highp vec4 fTexS;
varying lowp float progress;

void main()
{
    progress = animData.z;
    fTexS.xy = animPos.xy + vTex * animData.xy;
    fTexS.zw = animPos.zw + vTex * animData.xy;
    gl_Position = qt_Matrix * vec4(vPos, 0.0, 1.0);
}
)";

const char *const FragmentProgram = R"(
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
    char const *const *attributeNames() const override
    {
        // Position first, texture coordinate second: the order of the
        // geometry's attributes.
        static const char *const names[] = {"vPos", "vTex", nullptr};
        return names;
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
        program()->setUniformValue(m_opacity, state.opacity());
        program()->setUniformValue(m_animData, material->animWidth(), material->animHeight(), material->progress());
        program()->setUniformValue(m_animPos, material->animPos());
        if (state.isMatrixDirty())
            program()->setUniformValue(m_matrix, state.combinedMatrix());
    }

protected:
    const char *vertexShader() const override { return VertexProgram; }
    const char *fragmentShader() const override { return FragmentProgram; }

    void initialize() override
    {
        m_matrix = program()->uniformLocation("qt_Matrix");
        m_opacity = program()->uniformLocation("qt_Opacity");
        m_animData = program()->uniformLocation("animData");
        m_animPos = program()->uniformLocation("animPos");
    }

private:
    int m_matrix = -1;
    int m_opacity = -1;
    int m_animData = -1;
    int m_animPos = -1;
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
    static QSGMaterialType type;
    return &type;
}

QSGMaterialShader *TexturePackerSpriteMaterial::createShader() const
{
    return new TexturePackerSpriteMaterialData;
}

int TexturePackerSpriteMaterial::compare(const QSGMaterial *other) const
{
    // The renderer merges nodes whose materials compare equal into one draw
    // call with one set of uniforms, so every uniform input takes part.
    const auto *o = static_cast<const TexturePackerSpriteMaterial *>(other);
    if (int c = order(quintptr(texture()), quintptr(o->texture())))
        return c;
    if (int c = order(int(m_filtering), int(o->m_filtering)))
        return c;
    for (int i = 0; i < 4; ++i) {
        if (int c = order(m_animPos[i], o->m_animPos[i]))
            return c;
    }
    if (int c = order(m_animWidth, o->m_animWidth))
        return c;
    if (int c = order(m_animHeight, o->m_animHeight))
        return c;
    return order(m_progress, o->m_progress);
}
