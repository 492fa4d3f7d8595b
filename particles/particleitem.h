#ifndef PARTICLEITEM_H
#define PARTICLEITEM_H

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QPointF>
#include <QQmlParserStatus>
#include <QQuickItem>
#include <QUrl>
#include <QVariantMap>

class System;

// The parameters of one particle emitter, with no content of its own: the
// framework component draws the particles from them. Values written from QML
// win over values read from a particle file, whichever comes first.
class ParticleItem : public QQuickItem
{
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(QPointF gravity READ gravity WRITE setGravity NOTIFY gravityChanged)
    Q_PROPERTY(double speed READ speed WRITE setSpeed NOTIFY speedChanged)
    Q_PROPERTY(double speedVariance READ speedVariance WRITE setSpeedVariance NOTIFY speedVarianceChanged)
    Q_PROPERTY(double radialAcceleration READ radialAcceleration WRITE setRadialAcceleration NOTIFY radialAccelerationChanged)
    Q_PROPERTY(double radialAccelVariance READ radialAccelVariance WRITE setRadialAccelVariance NOTIFY radialAccelVarianceChanged)
    Q_PROPERTY(double tangentialAcceleration READ tangentialAcceleration WRITE setTangentialAcceleration NOTIFY tangentialAccelerationChanged)
    Q_PROPERTY(double tangentialAccelVariance READ tangentialAccelVariance WRITE setTangentialAccelVariance NOTIFY tangentialAccelVarianceChanged)
    Q_PROPERTY(double rotatePerSecond READ rotatePerSecond WRITE setRotatePerSecond NOTIFY rotatePerSecondChanged)
    Q_PROPERTY(double rotatePerSecondVariance READ rotatePerSecondVariance WRITE setRotatePerSecondVariance NOTIFY rotatePerSecondVarianceChanged)
    Q_PROPERTY(double minRadius READ minRadius WRITE setMinRadius NOTIFY minRadiusChanged)
    Q_PROPERTY(double minRadiusVariance READ minRadiusVariance WRITE setMinRadiusVariance NOTIFY minRadiusVarianceChanged)
    Q_PROPERTY(double maxRadius READ maxRadius WRITE setMaxRadius NOTIFY maxRadiusChanged)
    Q_PROPERTY(double maxRadiusVariance READ maxRadiusVariance WRITE setMaxRadiusVariance NOTIFY maxRadiusVarianceChanged)
    Q_PROPERTY(double emissionRate READ emissionRate WRITE setEmissionRate NOTIFY emissionRateChanged)
    Q_PROPERTY(double maxParticles READ maxParticles WRITE setMaxParticles NOTIFY maxParticlesChanged)
    Q_PROPERTY(double particleLifespan READ particleLifespan WRITE setParticleLifespan NOTIFY particleLifespanChanged)
    Q_PROPERTY(double particleLifespanVariance READ particleLifespanVariance WRITE setParticleLifespanVariance NOTIFY particleLifespanVarianceChanged)
    Q_PROPERTY(double duration READ duration WRITE setDuration NOTIFY durationChanged)
    Q_PROPERTY(double blendFuncSource READ blendFuncSource WRITE setBlendFuncSource NOTIFY blendFuncSourceChanged)
    Q_PROPERTY(double blendFuncDestination READ blendFuncDestination WRITE setBlendFuncDestination NOTIFY blendFuncDestinationChanged)
    Q_PROPERTY(QColor startColor READ startColor WRITE setStartColor NOTIFY startColorChanged)
    Q_PROPERTY(QColor startColorVariance READ startColorVariance WRITE setStartColorVariance NOTIFY startColorVarianceChanged)
    Q_PROPERTY(QColor finishColor READ finishColor WRITE setFinishColor NOTIFY finishColorChanged)
    Q_PROPERTY(QColor finishColorVariance READ finishColorVariance WRITE setFinishColorVariance NOTIFY finishColorVarianceChanged)
    Q_PROPERTY(double startColorAlpha READ startColorAlpha WRITE setStartColorAlpha NOTIFY startColorAlphaChanged)
    Q_PROPERTY(double startColorVarianceAlpha READ startColorVarianceAlpha WRITE setStartColorVarianceAlpha NOTIFY startColorVarianceAlphaChanged)
    Q_PROPERTY(double finishColorAlpha READ finishColorAlpha WRITE setFinishColorAlpha NOTIFY finishColorAlphaChanged)
    Q_PROPERTY(double finishColorVarianceAlpha READ finishColorVarianceAlpha WRITE setFinishColorVarianceAlpha NOTIFY finishColorVarianceAlphaChanged)
    Q_PROPERTY(double startParticleSize READ startParticleSize WRITE setStartParticleSize NOTIFY startParticleSizeChanged)
    Q_PROPERTY(double startParticleSizeVariance READ startParticleSizeVariance WRITE setStartParticleSizeVariance NOTIFY startParticleSizeVarianceChanged)
    Q_PROPERTY(double finishParticleSize READ finishParticleSize WRITE setFinishParticleSize NOTIFY finishParticleSizeChanged)
    Q_PROPERTY(double finishParticleSizeVariance READ finishParticleSizeVariance WRITE setFinishParticleSizeVariance NOTIFY finishParticleSizeVarianceChanged)
    Q_PROPERTY(QPointF sourcePositionVariance READ sourcePositionVariance WRITE setSourcePositionVariance NOTIFY sourcePositionVarianceChanged)
    Q_PROPERTY(double angle READ angle WRITE setAngle NOTIFY angleChanged)
    Q_PROPERTY(double angleVariance READ angleVariance WRITE setAngleVariance NOTIFY angleVarianceChanged)
    Q_PROPERTY(double rotationStart READ rotationStart WRITE setRotationStart NOTIFY rotationStartChanged)
    Q_PROPERTY(double rotationStartVariance READ rotationStartVariance WRITE setRotationStartVariance NOTIFY rotationStartVarianceChanged)
    Q_PROPERTY(double rotationEnd READ rotationEnd WRITE setRotationEnd NOTIFY rotationEndChanged)
    Q_PROPERTY(double rotationEndVariance READ rotationEndVariance WRITE setRotationEndVariance NOTIFY rotationEndVarianceChanged)
    Q_PROPERTY(QUrl textureFileName READ textureFileName WRITE setTextureFileName NOTIFY textureFileNameChanged)
    Q_PROPERTY(int positionType READ positionType WRITE setPositionType NOTIFY positionTypeChanged)
    Q_PROPERTY(int emitterType READ emitterType WRITE setEmitterType NOTIFY emitterTypeChanged)
    Q_PROPERTY(QUrl fileName READ fileName WRITE setFileName NOTIFY fileNameChanged)
    Q_PROPERTY(bool autoStart READ autoStart WRITE setAutoStart NOTIFY autoStartChanged)
    Q_PROPERTY(bool running READ running WRITE setRunning NOTIFY runningChanged)
public:
    enum BlendFunction {
        GL_ZERO = 0,
        GL_ONE = 1,
        GL_SRC_COLOR = 768,
        GL_ONE_MINUS_SRC_COLOR = 769,
        GL_SRC_ALPHA = 770,
        GL_ONE_MINUS_SRC_ALPHA = 771,
        GL_DST_ALPHA = 772,
        GL_ONE_MINUS_DST_ALPHA = 773,
        GL_DST_COLOR = 774,
        GL_ONE_MINUS_DST_COLOR = 775,
        GL_SRC_ALPHA_SATURATE = 776
    };
    Q_ENUM(BlendFunction)
    enum Duration { Infinite = 0 };
    Q_ENUM(Duration)
    enum PositionType { Free = 0, Relative = 1, Grouped = 2 };
    Q_ENUM(PositionType)
    enum EmitterType { Gravity = 0, Radius = 1 };
    Q_ENUM(EmitterType)

    // The most particles one emitter may keep alive: the toolkit allocates
    // per-particle buffers up front, so a file asking for billions would
    // exhaust memory before anything showed.
    static constexpr int MaxParticlesCeiling = 100000;

    explicit ParticleItem(QQuickItem *parent = nullptr);

    // Lifespan that the emitter divides by: the life if positive, else its
    // variance, else one second.
    static double emissionLifespan(double lifespan, double lifespanVariance);

    bool isSetByUser(const QString &name) const { return m_setByUser.value(name, false); }

    void setGravity(const QPointF &value);
    void setSpeed(double value);
    void setSpeedVariance(double value);
    void setRadialAcceleration(double value);
    void setRadialAccelVariance(double value);
    void setTangentialAcceleration(double value);
    void setTangentialAccelVariance(double value);
    void setRotatePerSecond(double value);
    void setRotatePerSecondVariance(double value);
    void setMinRadius(double value);
    void setMinRadiusVariance(double value);
    void setMaxRadius(double value);
    void setMaxRadiusVariance(double value);
    void setEmissionRate(double value);
    void setMaxParticles(double value);
    void setParticleLifespan(double value);
    void setParticleLifespanVariance(double value);
    void setDuration(double value);
    void setBlendFuncSource(double value);
    void setBlendFuncDestination(double value);
    void setStartColor(const QColor &value);
    void setStartColorVariance(const QColor &value);
    void setFinishColor(const QColor &value);
    void setFinishColorVariance(const QColor &value);
    void setStartColorAlpha(double value);
    void setStartColorVarianceAlpha(double value);
    void setFinishColorAlpha(double value);
    void setFinishColorVarianceAlpha(double value);
    void setStartParticleSize(double value);
    void setStartParticleSizeVariance(double value);
    void setFinishParticleSize(double value);
    void setFinishParticleSizeVariance(double value);
    void setSourcePositionVariance(const QPointF &value);
    void setAngle(double value);
    void setAngleVariance(double value);
    void setRotationStart(double value);
    void setRotationStartVariance(double value);
    void setRotationEnd(double value);
    void setRotationEndVariance(double value);
    void setTextureFileName(const QUrl &value);
    void setPositionType(int value);
    void setEmitterType(int value);
    void setFileName(const QUrl &value);
    void setAutoStart(bool value);
    void setRunning(bool value);

    QPointF gravity() const { return m_gravity; }
    double speed() const { return m_speed; }
    double speedVariance() const { return m_speedVariance; }
    double radialAcceleration() const { return m_radialAcceleration; }
    double radialAccelVariance() const { return m_radialAccelVariance; }
    double tangentialAcceleration() const { return m_tangentialAcceleration; }
    double tangentialAccelVariance() const { return m_tangentialAccelVariance; }
    double rotatePerSecond() const { return m_rotatePerSecond; }
    double rotatePerSecondVariance() const { return m_rotatePerSecondVariance; }
    double minRadius() const { return m_minRadius; }
    double minRadiusVariance() const { return m_minRadiusVariance; }
    double maxRadius() const { return m_maxRadius; }
    double maxRadiusVariance() const { return m_maxRadiusVariance; }
    double emissionRate() const { return m_emissionRate; }
    double maxParticles() const { return m_maxParticles; }
    double particleLifespan() const { return m_particleLifespan; }
    double particleLifespanVariance() const { return m_particleLifespanVariance; }
    double duration() const { return m_duration; }
    double blendFuncSource() const { return m_blendFuncSource; }
    double blendFuncDestination() const { return m_blendFuncDestination; }
    QColor startColor() const { return m_startColor; }
    QColor startColorVariance() const { return m_startColorVariance; }
    QColor finishColor() const { return m_finishColor; }
    QColor finishColorVariance() const { return m_finishColorVariance; }
    double startColorAlpha() const { return m_startColor.alphaF(); }
    double startColorVarianceAlpha() const { return m_startColorVariance.alphaF(); }
    double finishColorAlpha() const { return m_finishColor.alphaF(); }
    double finishColorVarianceAlpha() const { return m_finishColorVariance.alphaF(); }
    double startParticleSize() const { return m_startParticleSize; }
    double startParticleSizeVariance() const { return m_startParticleSizeVariance; }
    double finishParticleSize() const { return m_finishParticleSize; }
    double finishParticleSizeVariance() const { return m_finishParticleSizeVariance; }
    QPointF sourcePositionVariance() const { return m_sourcePositionVariance; }
    double angle() const { return m_angle; }
    double angleVariance() const { return m_angleVariance; }
    double rotationStart() const { return m_rotationStart; }
    double rotationStartVariance() const { return m_rotationStartVariance; }
    double rotationEnd() const { return m_rotationEnd; }
    double rotationEndVariance() const { return m_rotationEndVariance; }
    QUrl textureFileName() const { return m_textureFileName; }
    int positionType() const { return m_positionType; }
    int emitterType() const { return m_emitterType; }
    QUrl fileName() const { return m_fileName; }
    bool autoStart() const { return m_autoStart; }
    bool running() const { return m_running; }

public slots:
    void start();
    void stop();
    void stopLivingParticles();
    void saveAsPList(const QUrl &fileUrl);

signals:
    void gravityChanged();
    void speedChanged();
    void speedVarianceChanged();
    void radialAccelerationChanged();
    void radialAccelVarianceChanged();
    void tangentialAccelerationChanged();
    void tangentialAccelVarianceChanged();
    void rotatePerSecondChanged();
    void rotatePerSecondVarianceChanged();
    void minRadiusChanged();
    void minRadiusVarianceChanged();
    void maxRadiusChanged();
    void maxRadiusVarianceChanged();
    void emissionRateChanged();
    void maxParticlesChanged();
    void particleLifespanChanged();
    void particleLifespanVarianceChanged();
    void durationChanged();
    void blendFuncSourceChanged();
    void blendFuncDestinationChanged();
    void startColorChanged();
    void startColorVarianceChanged();
    void finishColorChanged();
    void finishColorVarianceChanged();
    void startColorAlphaChanged();
    void startColorVarianceAlphaChanged();
    void finishColorAlphaChanged();
    void finishColorVarianceAlphaChanged();
    void startParticleSizeChanged();
    void startParticleSizeVarianceChanged();
    void finishParticleSizeChanged();
    void finishParticleSizeVarianceChanged();
    void sourcePositionVarianceChanged();
    void angleChanged();
    void angleVarianceChanged();
    void rotationStartChanged();
    void rotationStartVarianceChanged();
    void rotationEndChanged();
    void rotationEndVarianceChanged();
    void textureFileNameChanged();
    void positionTypeChanged();
    void emitterTypeChanged();
    void fileNameChanged();
    void autoStartChanged();
    void runningChanged(bool running);

protected:
    void classBegin() override;
    void componentComplete() override;
    void geometryChanged(const QRectF &newGeometry, const QRectF &oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData &value) override;

private:
    bool mayWrite(const char *name);
    template <typename T> bool assign(const char *name, T &field, const T &value);
    bool assignInteger(const char *name, int &field, double value, int minimum, int maximum);
    bool assignColor(const char *name, const char *alphaName, QColor &field, QColor value);
    void setAlpha(const char *alphaName, const char *colorName, QColor &field, double alpha);
    void updateEmissionRate();
    void loadFile();
    void applyFileMember(const QString &name, const QVariant &value, const QString &folder);
    QString propertyListText() const;

    QHash<QString, bool> m_setByUser;
    bool m_loading = false;
    bool m_completed = false;
    QPointer<System> m_system;

    QPointF m_gravity;
    double m_speed = 0.0;
    double m_speedVariance = 0.0;
    double m_radialAcceleration = 0.0;
    double m_radialAccelVariance = 0.0;
    double m_tangentialAcceleration = 0.0;
    double m_tangentialAccelVariance = 0.0;
    double m_rotatePerSecond = 0.0;
    double m_rotatePerSecondVariance = 0.0;
    double m_minRadius = 0.0;
    double m_minRadiusVariance = 0.0;
    double m_maxRadius = 0.0;
    double m_maxRadiusVariance = 0.0;
    double m_emissionRate = 0.0;
    int m_maxParticles = 0;
    double m_particleLifespan = 0.0;
    double m_particleLifespanVariance = 0.0;
    double m_duration = 0.0;
    int m_blendFuncSource = 1;
    int m_blendFuncDestination = 771;
    QColor m_startColor = QColor(0, 0, 0, 0);
    QColor m_startColorVariance = QColor(0, 0, 0, 0);
    QColor m_finishColor = QColor(0, 0, 0, 0);
    QColor m_finishColorVariance = QColor(0, 0, 0, 0);
    double m_startParticleSize = 0.0;
    double m_startParticleSizeVariance = 0.0;
    double m_finishParticleSize = 0.0;
    double m_finishParticleSizeVariance = 0.0;
    QPointF m_sourcePositionVariance;
    double m_angle = 0.0;
    double m_angleVariance = 0.0;
    double m_rotationStart = 0.0;
    double m_rotationStartVariance = 0.0;
    double m_rotationEnd = 0.0;
    double m_rotationEndVariance = 0.0;
    QUrl m_textureFileName;
    int m_positionType = 0;
    int m_emitterType = 0;
    QUrl m_fileName;
    bool m_autoStart = false;
    bool m_running = false;
};

#endif
