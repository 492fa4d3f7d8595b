#include "particleitem.h"

#include "platform/system.h"
#include "platform/zarnofileutils.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtMath>

#include <cmath>
#include <limits>

namespace {

// Beyond this a parameter means nothing on screen, and past float range the
// vertex program would compute with infinities.
constexpr double FileNumberLimit = 1e9;

int clampToInt(double value, int minimum, int maximum)
{
    if (std::isnan(value))
        return qBound(minimum, 0, maximum);
    if (value <= minimum)
        return minimum;
    if (value >= maximum)
        return maximum;
    return int(value);
}

bool isNumber(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

// Text that stays well-formed XML whatever the name holds: markup escaped and
// the control characters XML 1.0 forbids dropped.
QString xmlText(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            clean.append(c);
    }
    return clean.toHtmlEscaped();
}

// The shortest text that reads back as the same double.
QString realText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

/*!
    \qmltype ParticleZarnoBase
    \inqmlmodule Zarno
    \instantiates ParticleItem
    \brief The parameters of a particle emitter, loaded from particle files and
    saved as property lists.

    An invisible item that only holds parameters; \l ParticleZarno draws the
    particles. Values written from QML win over values of a particle file,
    whether the file is loaded before or after the QML binding applies.

    \qml
    ParticleZarnoBase {
        fileName: "fire.json"
        speed: 120          // kept even if fire.json sets another speed
        autoStart: true
    }
    \endqml
*/

/*! \qmlproperty point ParticleZarnoBase::gravity
    Gravity-mode acceleration in scene units per second squared, with the y axis pointing up. */
/*! \qmlproperty real ParticleZarnoBase::speed
    Initial speed in scene units per second. */
/*! \qmlproperty real ParticleZarnoBase::speedVariance
    Variation of \l speed. */
/*! \qmlproperty real ParticleZarnoBase::radialAcceleration
    First component of the particles' constant acceleration. */
/*! \qmlproperty real ParticleZarnoBase::radialAccelVariance
    Variation of \l radialAcceleration. */
/*! \qmlproperty real ParticleZarnoBase::tangentialAcceleration
    Second component of the particles' constant acceleration. */
/*! \qmlproperty real ParticleZarnoBase::tangentialAccelVariance
    Variation of \l tangentialAcceleration. */
/*! \qmlproperty real ParticleZarnoBase::rotatePerSecond
    Radius mode: degrees per second around the emitter. */
/*! \qmlproperty real ParticleZarnoBase::rotatePerSecondVariance
    Variation of \l rotatePerSecond. */
/*! \qmlproperty real ParticleZarnoBase::minRadius
    Radius mode: distance from the emitter at birth. */
/*! \qmlproperty real ParticleZarnoBase::minRadiusVariance
    Variation of \l minRadius. */
/*! \qmlproperty real ParticleZarnoBase::maxRadius
    Radius mode: distance from the emitter at death. */
/*! \qmlproperty real ParticleZarnoBase::maxRadiusVariance
    Variation of \l maxRadius. */
/*! \qmlproperty real ParticleZarnoBase::emissionRate
    Particles per second: \l maxParticles divided by the lifespan (or its variance, or one second when neither is positive). Derived; the emitter computes its own. */
/*! \qmlproperty real ParticleZarnoBase::maxParticles
    Most particles alive at once, stored as a whole number from 0 to 100000. */
/*! \qmlproperty real ParticleZarnoBase::particleLifespan
    Seconds a particle lives. */
/*! \qmlproperty real ParticleZarnoBase::particleLifespanVariance
    Variation of \l particleLifespan. */
/*! \qmlproperty real ParticleZarnoBase::duration
    Seconds of emission after each start; 0 (\c Infinite) emits until stopped.
    \value Infinite 0 */
/*! \qmlproperty real ParticleZarnoBase::blendFuncSource
    Source blend factor (\c BlendFunction, default \c GL_ONE), kept for saving.
    \value GL_ZERO 0
    \value GL_ONE 1
    \value GL_SRC_COLOR 768
    \value GL_ONE_MINUS_SRC_COLOR 769
    \value GL_SRC_ALPHA 770
    \value GL_ONE_MINUS_SRC_ALPHA 771
    \value GL_DST_ALPHA 772
    \value GL_ONE_MINUS_DST_ALPHA 773
    \value GL_DST_COLOR 774
    \value GL_ONE_MINUS_DST_COLOR 775
    \value GL_SRC_ALPHA_SATURATE 776 */
/*! \qmlproperty real ParticleZarnoBase::blendFuncDestination
    Destination blend factor (default \c GL_ONE_MINUS_SRC_ALPHA), kept for saving. */
/*! \qmlproperty color ParticleZarnoBase::startColor
    Colour at birth. */
/*! \qmlproperty color ParticleZarnoBase::startColorVariance
    Per-channel variation of \l startColor. */
/*! \qmlproperty color ParticleZarnoBase::finishColor
    Colour at death. */
/*! \qmlproperty color ParticleZarnoBase::finishColorVariance
    Per-channel variation of \l finishColor. */
/*! \qmlproperty real ParticleZarnoBase::startColorAlpha
    Alpha (0 to 1) of \l startColor. */
/*! \qmlproperty real ParticleZarnoBase::startColorVarianceAlpha
    Alpha of \l startColorVariance. */
/*! \qmlproperty real ParticleZarnoBase::finishColorAlpha
    Alpha of \l finishColor. */
/*! \qmlproperty real ParticleZarnoBase::finishColorVarianceAlpha
    Alpha of \l finishColorVariance. */
/*! \qmlproperty real ParticleZarnoBase::startParticleSize
    Size in scene units at birth. */
/*! \qmlproperty real ParticleZarnoBase::startParticleSizeVariance
    Variation of \l startParticleSize. */
/*! \qmlproperty real ParticleZarnoBase::finishParticleSize
    Size in scene units at death. */
/*! \qmlproperty real ParticleZarnoBase::finishParticleSizeVariance
    Variation of \l finishParticleSize. */
/*! \qmlproperty point ParticleZarnoBase::sourcePositionVariance
    Half size of the emission rectangle centred on the item. */
/*! \qmlproperty real ParticleZarnoBase::angle
    Emission direction in degrees, clockwise from the positive x axis. */
/*! \qmlproperty real ParticleZarnoBase::angleVariance
    Variation of \l angle. */
/*! \qmlproperty real ParticleZarnoBase::rotationStart
    Spin of a particle at birth, in degrees. */
/*! \qmlproperty real ParticleZarnoBase::rotationStartVariance
    Variation of \l rotationStart. */
/*! \qmlproperty real ParticleZarnoBase::rotationEnd
    Spin of a particle at death, in degrees. */
/*! \qmlproperty real ParticleZarnoBase::rotationEndVariance
    Variation of \l rotationEnd. */
/*! \qmlproperty url ParticleZarnoBase::textureFileName
    Image of one particle. */
/*! \qmlproperty int ParticleZarnoBase::positionType
    \c Free: particles already emitted stay in place when the parent moves; \c Relative or \c Grouped: they move with it.
    \value Free 0
    \value Relative 1
    \value Grouped 2 */
/*! \qmlproperty int ParticleZarnoBase::emitterType
    \c Gravity (speed, acceleration and gravity) or \c Radius (spiralling around the emitter).
    \value Gravity 0
    \value Radius 1 */
/*! \qmlproperty url ParticleZarnoBase::fileName
    Particle file (JSON) to load: at completion, and again on every change. */
/*! \qmlproperty bool ParticleZarnoBase::autoStart
    Start running at completion. */
/*! \qmlproperty bool ParticleZarnoBase::running
    Whether particles are emitted. */
/*! \qmlmethod ParticleZarnoBase::start()
    Starts emitting. */
/*! \qmlmethod ParticleZarnoBase::stop()
    Stops emitting; living particles live out their lifespan. */
/*! \qmlmethod ParticleZarnoBase::stopLivingParticles()
    Stops emitting and removes every living particle at once. */
/*! \qmlmethod ParticleZarnoBase::saveAsPList(url fileUrl)
    Writes the parameters as an XML property list to \a fileUrl, replacing the
    file only once it is completely written. */

ParticleItem::ParticleItem(QQuickItem *parent)
    : QQuickItem(parent)
{
}

double ParticleItem::emissionLifespan(double lifespan, double lifespanVariance)
{
    const double life = lifespan > 0 ? lifespan : lifespanVariance;
    return life > 0 ? life : 1.0;
}

bool ParticleItem::mayWrite(const char *name)
{
    const QString key = QLatin1String(name);
    if (m_loading)
        return !isSetByUser(key);
    m_setByUser.insert(key, true);
    return true;
}

template <typename T>
bool ParticleItem::assign(const char *name, T &field, const T &value)
{
    if (!mayWrite(name) || field == value)
        return false;
    field = value;
    return true;
}

bool ParticleItem::assignInteger(const char *name, int &field, double value, int minimum, int maximum)
{
    if (!mayWrite(name))
        return false;
    const int stored = clampToInt(value, minimum, maximum);
    if (field == stored)
        return false;
    field = stored;
    return true;
}

// Returns a bit mask: 1 when the colour changed, 2 when its alpha did too.
static int storeColor(QColor &field, const QColor &value)
{
    if (field == value)
        return 0;
    const bool alphaChanged = field.alpha() != value.alpha();
    field = value;
    return 1 | (alphaChanged ? 2 : 0);
}

#define ZR_COLOR_SETTER(Name, name)                                                          \
    void ParticleItem::set##Name(const QColor &value)                                        \
    {                                                                                        \
        if (!mayWrite(#name))                                                                \
            return;                                                                          \
        QColor color = value;                                                                \
        /* An alpha chosen in QML survives a file that brings the whole colour. */           \
        if (m_loading && isSetByUser(QStringLiteral(#name "Alpha")))                         \
            color.setAlphaF(m_##name.alphaF());                                              \
        const int changed = storeColor(m_##name, color);                                     \
        if (changed & 1)                                                                     \
            emit name##Changed();                                                            \
        if (changed & 2)                                                                     \
            emit name##AlphaChanged();                                                       \
    }                                                                                        \
    void ParticleItem::set##Name##Alpha(double value)                                        \
    {                                                                                        \
        if (!mayWrite(#name "Alpha") || std::isnan(value))                                   \
            return;                                                                          \
        QColor color = m_##name;                                                             \
        color.setAlphaF(qBound(0.0, value, 1.0));                                            \
        if (storeColor(m_##name, color)) {                                                   \
            emit name##Changed();                                                            \
            emit name##AlphaChanged();                                                       \
        }                                                                                    \
    }

ZR_COLOR_SETTER(StartColor, startColor)
ZR_COLOR_SETTER(StartColorVariance, startColorVariance)
ZR_COLOR_SETTER(FinishColor, finishColor)
ZR_COLOR_SETTER(FinishColorVariance, finishColorVariance)
#undef ZR_COLOR_SETTER

void ParticleItem::setMaxParticles(double value)
{
    if (assignInteger("maxParticles", m_maxParticles, value, 0, MaxParticlesCeiling)) {
        emit maxParticlesChanged();
        updateEmissionRate();
    }
}

void ParticleItem::setParticleLifespan(double value)
{
    if (assign("particleLifespan", m_particleLifespan, value)) {
        emit particleLifespanChanged();
        updateEmissionRate();
    }
}

void ParticleItem::setParticleLifespanVariance(double value)
{
    if (assign("particleLifespanVariance", m_particleLifespanVariance, value)) {
        emit particleLifespanVarianceChanged();
        updateEmissionRate();
    }
}

// Derived from the two setters above whoever wrote them, so it never goes stale
// behind a value the user once set.
void ParticleItem::updateEmissionRate()
{
    const double rate = m_maxParticles / emissionLifespan(m_particleLifespan, m_particleLifespanVariance);
    if (rate == m_emissionRate)
        return;
    m_emissionRate = rate;
    emit emissionRateChanged();
}

void ParticleItem::setBlendFuncSource(double value)
{
    if (assignInteger("blendFuncSource", m_blendFuncSource, value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()))
        emit blendFuncSourceChanged();
}

void ParticleItem::setBlendFuncDestination(double value)
{
    if (assignInteger("blendFuncDestination", m_blendFuncDestination, value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()))
        emit blendFuncDestinationChanged();
}

void ParticleItem::setFileName(const QUrl &value)
{
    if (!assign("fileName", m_fileName, value))
        return;
    emit fileNameChanged();
    if (m_completed && m_system)
        loadFile();
}

void ParticleItem::setAutoStart(bool value)
{
    if (assign("autoStart", m_autoStart, value))
        emit autoStartChanged();
}

void ParticleItem::setRunning(bool value)
{
    if (assign("running", m_running, value))
        emit runningChanged(m_running);
}

void ParticleItem::start()
{
    if (m_running)
        return;
    m_running = true;
    emit runningChanged(true);
}

void ParticleItem::stop()
{
    if (!m_running)
        return;
    m_running = false;
    emit runningChanged(false);
}

void ParticleItem::stopLivingParticles()
{
    stop();
    // The drawing component clears what is alive; a bare element has nothing to clear.
    if (metaObject()->indexOfMethod("stopEmitter()") >= 0)
        QMetaObject::invokeMethod(this, "stopEmitter");
}

void ParticleItem::classBegin()
{
    QQuickItem::classBegin();
}

void ParticleItem::componentComplete()
{
    QQuickItem::componentComplete();
    m_completed = true;
    QQmlEngine *engine = qmlEngine(this);
    m_system = engine ? qobject_cast<System *>(engine->rootContext()->contextProperty(QStringLiteral("system")).value<QObject *>())
                      : nullptr;
    if (!m_system)
        qWarning("[ParticleItem] WARNING: System Context Property was not found!");
    else if (!m_fileName.isEmpty())
        loadFile();
    if (m_autoStart && !m_running) {
        m_running = true;
        emit runningChanged(true);
    }
}

void ParticleItem::geometryChanged(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    if (!m_loading) {
        if (newGeometry.x() != oldGeometry.x())
            m_setByUser.insert(QStringLiteral("x"), true);
        if (newGeometry.y() != oldGeometry.y())
            m_setByUser.insert(QStringLiteral("y"), true);
    }
    QQuickItem::geometryChanged(newGeometry, oldGeometry);
}

void ParticleItem::itemChange(ItemChange change, const ItemChangeData &value)
{
    if (change == ItemRotationHasChanged && !m_loading)
        m_setByUser.insert(QStringLiteral("rotation"), true);
    QQuickItem::itemChange(change, value);
}

void ParticleItem::loadFile()
{
    const QString path = ZarnoFileUtils::stripSchemeFromUrl(m_fileName);
    if (!QFileInfo::exists(path)) {
        qWarning().noquote() << QStringLiteral("[ParticleItem] WARNING: particle file %1 was not found").arg(m_fileName.toString());
        return;
    }
    const QVariantMap root = m_system->parse(ZarnoFileUtils::readFile(path));
    // The parameters are the first member in name order; the rest is ignored.
    if (root.isEmpty() || root.first().userType() != QMetaType::QVariantMap) {
        qWarning().noquote() << QStringLiteral("[ParticleItem] WARNING: particle file %1 holds no parameter object").arg(m_fileName.toString());
        return;
    }
    const QVariantMap parameters = root.first().toMap();
    const QString folder = QFileInfo(path).path();
    m_loading = true;
    for (auto it = parameters.cbegin(); it != parameters.cend(); ++it)
        applyFileMember(it.key(), it.value(), folder);
    m_loading = false;
}

void ParticleItem::applyFileMember(const QString &name, const QVariant &value, const QString &folder)
{
    const auto wrongType = [&]() {
        qWarning().noquote() << QStringLiteral("[ParticleItem] WARNING: %1 in particle file %2 has the wrong type, ignored")
                                    .arg(name, m_fileName.toString());
    };
    const auto number = [&](double *result) {
        if (!isNumber(value)) {
            wrongType();
            return false;
        }
        const double given = value.toDouble();
        *result = std::isnan(given) ? 0.0 : qBound(-FileNumberLimit, given, FileNumberLimit);
        if (*result != given) {
            qWarning().noquote() << QStringLiteral("[ParticleItem] WARNING: %1 in particle file %2 is out of range, %3 used")
                                        .arg(name, m_fileName.toString(), realText(*result));
        }
        return true;
    };

    double numeric = 0.0;
    if (name == QLatin1String("textureFileName")) {
        if (value.userType() != QMetaType::QString)
            return wrongType();
        const QString text = value.toString();
        const QString beside = QDir(folder).filePath(text);
        if (QFileInfo::exists(beside))
            setTextureFileName(ZarnoFileUtils::getUrlByAddingSchemeToFilename(beside));
        else
            setTextureFileName(ZarnoFileUtils().getPathUrl(text, this));
    } else if (name == QLatin1String("gravity") || name == QLatin1String("sourcePositionVariance")) {
        if (value.userType() != QMetaType::QString)
            return wrongType();
        const QPointF point = m_system->pointFFromString(value.toString());
        name == QLatin1String("gravity") ? setGravity(point) : setSourcePositionVariance(point);
    } else if (name == QLatin1String("angle") || name == QLatin1String("rotation")) {
        if (number(&numeric) && !isSetByUser(QStringLiteral("rotation")) && !isSetByUser(QStringLiteral("angle")))
            setAngle(numeric);
    } else if (name == QLatin1String("x") || name == QLatin1String("y")) {
        if (number(&numeric) && !isSetByUser(name))
            name == QLatin1String("x") ? setX(numeric) : setY(numeric);
    } else if (name == QLatin1String("fileName")) {
        // A file naming another file would load in a loop.
        qWarning().noquote() << QStringLiteral("[ParticleItem] WARNING: fileName in particle file %1 is ignored").arg(m_fileName.toString());
    } else {
        const int index = metaObject()->indexOfProperty(name.toUtf8().constData());
        if (index < 0) {
            // Unknown names are kept as dynamic properties, as any QML object would.
            setProperty(name.toUtf8().constData(), value);
            return;
        }
        if (index < ParticleItem::staticMetaObject.propertyOffset()) {
            qWarning().noquote() << QStringLiteral("[ParticleItem] WARNING: %1 in particle file %2 is no particle parameter, ignored")
                                        .arg(name, m_fileName.toString());
            return;
        }
        const QMetaProperty property = metaObject()->property(index);
        switch (property.userType()) {
        case QMetaType::Double:
            if (number(&numeric))
                property.write(this, numeric);
            break;
        case QMetaType::Int:
            if (number(&numeric)) {
                const int maximum = name == QLatin1String("positionType") ? int(Grouped) : int(Radius);
                if (numeric < 0 || numeric > maximum || numeric != std::floor(numeric))
                    wrongType();
                else
                    property.write(this, int(numeric));
            }
            break;
        case QMetaType::Bool:
            if (value.userType() != QMetaType::Bool)
                return wrongType();
            property.write(this, value);
            break;
        case QMetaType::QColor: {
            const QColor color = value.value<QColor>();
            if (!color.isValid())
                return wrongType();
            property.write(this, color);
            break;
        }
        default:
            if (value.userType() != QMetaType::QString)
                return wrongType();
            property.write(this, value);
            break;
        }
    }
}

void ParticleItem::saveAsPList(const QUrl &fileUrl)
{
    if (!m_system || fileUrl.isEmpty())
        return;
    ZarnoFileUtils().writeFile(fileUrl.toString(), propertyListText());
}

QString ParticleItem::propertyListText() const
{
    enum Kind { Real, Integer, String };
    // A sorted map keeps the keys in the ascending order tools expect.
    QMap<QString, QPair<Kind, QString>> entries;
    const auto real = [&](const char *key, double value) { entries.insert(QLatin1String(key), {Real, realText(value)}); };
    const auto color = [&](const char *prefix, const QColor &value) {
        const QString base = QLatin1String(prefix);
        entries.insert(base + QLatin1String("Alpha"), {Real, realText(value.alphaF())});
        entries.insert(base + QLatin1String("Blue"), {Real, realText(value.blueF())});
        entries.insert(base + QLatin1String("Green"), {Real, realText(value.greenF())});
        entries.insert(base + QLatin1String("Red"), {Real, realText(value.redF())});
    };
    real("angle", m_angle);
    real("angleVariance", m_angleVariance);
    entries.insert(QStringLiteral("blendFuncDestination"), {Integer, QString::number(m_blendFuncDestination)});
    entries.insert(QStringLiteral("blendFuncSource"), {Integer, QString::number(m_blendFuncSource)});
    real("duration", m_duration);
    entries.insert(QStringLiteral("emitterType"), {Real, QString::number(m_emitterType)});
    color("finishColor", m_finishColor);
    color("finishColorVariance", m_finishColorVariance);
    real("finishParticleSize", m_finishParticleSize);
    real("finishParticleSizeVariance", m_finishParticleSizeVariance);
    real("gravityx", m_gravity.x());
    real("gravityy", m_gravity.y());
    entries.insert(QStringLiteral("maxParticles"), {Real, QString::number(m_maxParticles)});
    real("maxRadius", m_maxRadius);
    real("maxRadiusVariance", m_maxRadiusVariance);
    real("minRadius", m_minRadius);
    real("minRadiusVariance", m_minRadiusVariance);
    real("particleLifespan", m_particleLifespan);
    real("particleLifespanVariance", m_particleLifespanVariance);
    real("radialAccelVariance", m_radialAccelVariance);
    real("radialAcceleration", m_radialAcceleration);
    real("rotatePerSecond", m_rotatePerSecond);
    real("rotatePerSecondVariance", m_rotatePerSecondVariance);
    real("sourcePositionVariancex", m_sourcePositionVariance.x());
    real("sourcePositionVariancey", m_sourcePositionVariance.y());
    real("sourcePositionx", x());
    real("sourcePositiony", y());
    real("speed", m_speed);
    real("speedVariance", m_speedVariance);
    color("startColor", m_startColor);
    color("startColorVariance", m_startColorVariance);
    real("startParticleSize", m_startParticleSize);
    real("startParticleSizeVariance", m_startParticleSizeVariance);
    real("tangentialAccelVariance", m_tangentialAccelVariance);
    real("tangentialAcceleration", m_tangentialAcceleration);
    entries.insert(QStringLiteral("textureFileName"), {String, m_textureFileName.fileName(QUrl::FullyDecoded)});
    entries.insert(QStringLiteral("textureImageData"), {String, QString()});

    static const char *const tags[] = {"real", "integer", "string"};
    QString text = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
        "<plist version=\"1.0\">\n"
        "<dict>\n");
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        const QLatin1String tag(tags[it.value().first]);
        text += QStringLiteral("<key>%1</key>\n<%2>%3</%2>\n").arg(it.key(), tag, xmlText(it.value().second));
    }
    text += QStringLiteral("</dict>\n</plist>\n");
    return text;
}

void ParticleItem::setGravity(const QPointF &value)
{
    if (assign("gravity", m_gravity, value))
        emit gravityChanged();
}

void ParticleItem::setSpeed(double value)
{
    if (assign("speed", m_speed, value))
        emit speedChanged();
}

void ParticleItem::setSpeedVariance(double value)
{
    if (assign("speedVariance", m_speedVariance, value))
        emit speedVarianceChanged();
}

void ParticleItem::setRadialAcceleration(double value)
{
    if (assign("radialAcceleration", m_radialAcceleration, value))
        emit radialAccelerationChanged();
}

void ParticleItem::setRadialAccelVariance(double value)
{
    if (assign("radialAccelVariance", m_radialAccelVariance, value))
        emit radialAccelVarianceChanged();
}

void ParticleItem::setTangentialAcceleration(double value)
{
    if (assign("tangentialAcceleration", m_tangentialAcceleration, value))
        emit tangentialAccelerationChanged();
}

void ParticleItem::setTangentialAccelVariance(double value)
{
    if (assign("tangentialAccelVariance", m_tangentialAccelVariance, value))
        emit tangentialAccelVarianceChanged();
}

void ParticleItem::setRotatePerSecond(double value)
{
    if (assign("rotatePerSecond", m_rotatePerSecond, value))
        emit rotatePerSecondChanged();
}

void ParticleItem::setRotatePerSecondVariance(double value)
{
    if (assign("rotatePerSecondVariance", m_rotatePerSecondVariance, value))
        emit rotatePerSecondVarianceChanged();
}

void ParticleItem::setMinRadius(double value)
{
    if (assign("minRadius", m_minRadius, value))
        emit minRadiusChanged();
}

void ParticleItem::setMinRadiusVariance(double value)
{
    if (assign("minRadiusVariance", m_minRadiusVariance, value))
        emit minRadiusVarianceChanged();
}

void ParticleItem::setMaxRadius(double value)
{
    if (assign("maxRadius", m_maxRadius, value))
        emit maxRadiusChanged();
}

void ParticleItem::setMaxRadiusVariance(double value)
{
    if (assign("maxRadiusVariance", m_maxRadiusVariance, value))
        emit maxRadiusVarianceChanged();
}

void ParticleItem::setEmissionRate(double value)
{
    if (assign("emissionRate", m_emissionRate, value))
        emit emissionRateChanged();
}


void ParticleItem::setDuration(double value)
{
    if (assign("duration", m_duration, value))
        emit durationChanged();
}

void ParticleItem::setStartParticleSize(double value)
{
    if (assign("startParticleSize", m_startParticleSize, value))
        emit startParticleSizeChanged();
}

void ParticleItem::setStartParticleSizeVariance(double value)
{
    if (assign("startParticleSizeVariance", m_startParticleSizeVariance, value))
        emit startParticleSizeVarianceChanged();
}

void ParticleItem::setFinishParticleSize(double value)
{
    if (assign("finishParticleSize", m_finishParticleSize, value))
        emit finishParticleSizeChanged();
}

void ParticleItem::setFinishParticleSizeVariance(double value)
{
    if (assign("finishParticleSizeVariance", m_finishParticleSizeVariance, value))
        emit finishParticleSizeVarianceChanged();
}

void ParticleItem::setSourcePositionVariance(const QPointF &value)
{
    if (assign("sourcePositionVariance", m_sourcePositionVariance, value))
        emit sourcePositionVarianceChanged();
}

void ParticleItem::setAngle(double value)
{
    if (assign("angle", m_angle, value))
        emit angleChanged();
}

void ParticleItem::setAngleVariance(double value)
{
    if (assign("angleVariance", m_angleVariance, value))
        emit angleVarianceChanged();
}

void ParticleItem::setRotationStart(double value)
{
    if (assign("rotationStart", m_rotationStart, value))
        emit rotationStartChanged();
}

void ParticleItem::setRotationStartVariance(double value)
{
    if (assign("rotationStartVariance", m_rotationStartVariance, value))
        emit rotationStartVarianceChanged();
}

void ParticleItem::setRotationEnd(double value)
{
    if (assign("rotationEnd", m_rotationEnd, value))
        emit rotationEndChanged();
}

void ParticleItem::setRotationEndVariance(double value)
{
    if (assign("rotationEndVariance", m_rotationEndVariance, value))
        emit rotationEndVarianceChanged();
}

void ParticleItem::setTextureFileName(const QUrl &value)
{
    if (assign("textureFileName", m_textureFileName, value))
        emit textureFileNameChanged();
}

void ParticleItem::setPositionType(int value)
{
    if (assign("positionType", m_positionType, value))
        emit positionTypeChanged();
}

void ParticleItem::setEmitterType(int value)
{
    if (assign("emitterType", m_emitterType, value))
        emit emitterTypeChanged();
}
