#include "system.h"

#include "platform/igamepausable.h"

#include "zarnofileutils.h"

#include <QAbstractAnimation>
#include <QColor>
#include <QCoreApplication>
#include <QDebug>
#include <QJSValue>
#include <QMetaProperty>
#include <QNetworkInterface>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTimer>
#include <QUrl>

#include <cmath>
#include <cstdio>
#include <cstdlib>

/*!
    \qmltype System
    \inqmlmodule Zarno
    \instantiates System
    \brief Platform facts, the configuration file, JSON text and game-wide pause.

    One instance exists, reachable in every document as the context object
    \c system; QML cannot create another. It reads \c{qml/config.json} (on disk
    relative to the working directory, else from the resources; the launcher
    reads the game folder's own file) once per process.

    \qml
    Text {
        text: system.getConfigValue("title") + " " + system.zarnoVersion
        MouseArea {
            anchors.fill: parent
            onClicked: system.gamePaused ? system.resumeGameForObject(scene)
                                         : system.pauseGameForObject(scene)
        }
    }
    \endqml
*/

/*!
    \qmlproperty enumeration System::platform
    The operating system the engine was built for: \c System.Linux on Linux,
    \c System.Windows on Windows, \c System.Mac on macOS. Compare with
    \l isPlatform().
    \value System.Unknown
    \value System.IOS
    \value System.Android
    \value System.Mac
    \value System.Windows
    \value System.Symbian
    \value System.Meego
    \value System.Linux
    \value System.BlackBerry
    \value System.WindowsPhone
    \value System.WindowsRT
*/

/*!
    \qmlproperty enumeration System::screenOrientation
    The orientation named by the configuration key "orientation" (compared
    case-sensitively); \c ScreenOrientationAuto when the key is missing or unknown.
    \value System.ScreenOrientationPortrait "portrait"
    \value System.ScreenOrientationLandscape "landscape"
    \value System.ScreenOrientationAuto any other value
    \value System.ScreenOrientationSensorPortrait "sensorPortrait"
    \value System.ScreenOrientationSensorLandscape "sensorLandscape"
*/

/*!
    \qmlproperty bool System::debugBuild
    Always false: the engine is built without its debug flag.
*/

/*!
    \qmlproperty bool System::publishBuild
    True when the configuration key "stage" is exactly "publish". A publish
    build switches log output off (\l logOutputEnabled).
*/

/*!
    \qmlproperty bool System::logOutputEnabled
    Whether Qt's normal message output is active. When false, debug and info
    messages are dropped and warnings go to standard error as
    "Warning: text (file:line, function)". In a publish build it starts false
    and setting it to true is ignored.
*/

/*!
    \qmlproperty bool System::cocosRenderer
    Always false: the flag of a renderer this engine does not have, kept so
    that games reading it still run.
*/

/*!
    \qmlproperty bool System::desktopPlatform
    True: the engine runs on desktop systems.
*/

/*!
    \qmlproperty int System::maxTextureSize
    2048, the largest texture side, in pixels, a game should rely on.
*/

/*!
    \qmlproperty bool System::gamePaused
    True after \l pauseGameForObject() until the next \l resumeGameForObject().
*/

/*!
    \qmlproperty string System::macAddress
    The hardware address of the first network interface that is not a
    loop-back one; empty when there is none.
*/

/*!
    \qmlproperty string System::UDID
    A device identifier: the decimal text of a hash of \l macAddress.
*/

/*!
    \qmlproperty string System::qtVersion
    The run-time Qt version, for example "5.15.8".
*/

/*!
    \qmlproperty int System::zarnoVersionNumber
    The engine version as a number, 280.
*/

/*!
    \qmlproperty string System::zarnoVersion
    The engine version as text, "2.8.0".
*/

/*!
    \qmlproperty string System::appIdentifier
    The configuration key "identifier" as text; empty when missing.
*/

/*!
    \qmlproperty int System::appVersionCode
    The configuration key "versioncode" as a number; -1 when missing.
*/

/*!
    \qmlmethod bool System::isPlatform(Platform platform)
    Returns whether \a platform is the value of \l{System::platform}{platform}.
*/

/*!
    \qmlmethod System::quit()
    Ends the process at once with exit status 0, without returning to the
    event loop: save what must be kept before calling it.
*/

/*!
    \qmlmethod System::pauseGameForObject(QtObject object)
    Pauses everything that moves in the object tree of \a object: running
    timers, animations, animated sprites and sprite sequences, the engine's
    packed-sheet sprites, and the step driver that feeds MovementAnimation and
    the physics worlds. What it stopped is remembered; several pauses add up.
    Sets \l gamePaused.
*/

/*!
    \qmlmethod System::resumeGameForObject(QtObject object)
    Restarts everything the pauses since the last resume stopped (objects
    destroyed meanwhile are skipped) and the step driver. \a object is only
    used to find the step driver. Clears \l gamePaused.
*/

/*!
    \qmlmethod point System::pointFFromString(string source)
    Reads a point written as "x,y" in \a source, the form the JSON methods
    write; (0, 0) when the text has not exactly one comma or a number is bad.
*/

/*!
    \qmlmethod System::captureScreenshot(string fileName, real x, real y, real with, real height)
    Not supported: logs a warning and does nothing. The parameters \a fileName,
    \a x, \a y, \a with and \a height are ignored.
*/

/*!
    \qmlmethod System::recreateSprite(QtObject object)
    Calls the method \c createEngine() of \a object; logs a warning when it has
    none.
*/

/*!
    \qmlmethod var System::getConfigValue(string configPath)
    Returns the value of the top-level key \a configPath of the configuration
    file (no path syntax), or \c undefined when it is missing.
    \code
    var title = system.getConfigValue("title")
    \endcode
*/

/*!
    \qmlmethod object System::parse(string stringData)
    Parses the JSON text \a stringData and returns the object it holds. Numbers
    with a decimal point become reals, others integers (an exponent without a
    decimal point reads as 0). Malformed text logs a warning and gives an empty
    object.
*/

/*!
    \qmlmethod string System::stringify(var data, list<string> includes, QtObject sourceObject)
    Returns \a data as JSON text. With \a includes, only those keys of a map are
    written, in that order (missing ones as null). File URLs are written
    relative to the folder of the document that created \a sourceObject. The
    two last parameters are optional. A value that cannot be written logs a
    warning and gives an empty text.
*/

/*!
    \qmlmethod string System::stringifyWithBasePath(var data, list<string> includes, string basePath)
    Like \l stringify() but file URLs below \a basePath are written relative to
    it; \a data and \a includes as there.
*/

/*!
    \qmlmethod string System::stringifyObject(QtObject data, list<string> includedProperties)
    Returns the readable properties of the object \a data as JSON text, only
    those named in \a includedProperties when it is not empty.
*/

/*!
    \qmlmethod object System::jsonMapWithPropertiesResolved(var data, list<string> includes, QtObject sourceObject)
    Returns an empty object in this engine; \a data, \a includes and
    \a sourceObject are ignored.
*/

/*!
    \qmlmethod object System::jsonMapForObjectWithPropertiesResolved(var data, list<string> includes, QtObject sourceObject)
    Returns an empty object in this engine; \a data, \a includes and
    \a sourceObject are ignored.
*/

/*!
    \qmlmethod string System::typeOf(var variant)
    Names the type of \a variant: "null", "list", "stringlist", "hash", "map",
    "string", "bytearray", "double", "boolean", "number" (whole numbers),
    "point", "color" or "url".
*/

/*!
    \qmlsignal System::logOutputEnabledChanged()
    \qmlsignal System::gamePausedChanged()
    Notifications of \l logOutputEnabled and \l gamePaused; the latter is
    emitted on every pause and resume, also when the value stays.
*/

namespace {

// Deeper structures are refused on both reading and writing: the reader and
// the writer recurse once per level and must not run out of stack.
const int MaxJsonDepth = 512;

// ---------------------------------------------------------------------------
// Configuration file

struct ConfigurationCache
{
    QVariantMap values;
    bool loaded = false;
};

QString &configurationFileOverride()
{
    static QString path;
    return path;
}

ConfigurationCache &configurationCache()
{
    static ConfigurationCache cache;
    return cache;
}

// ---------------------------------------------------------------------------
// Publish-build message filter

// The handler that was active when the filter went in. When it is Qt's own
// output, the filter prints in its own format; when a host or a test framework
// had installed a handler, warnings keep going there (so the host's log and
// the test framework's expected-message checks keep working) and only debug
// and info output is dropped.
QtMessageHandler s_displacedHandler = nullptr;

QtMessageHandler qtDefaultMessageHandler()
{
    static const QtMessageHandler handler = [] {
        // Installing null installs Qt's default; putting the current one back
        // hands us the default's address.
        const QtMessageHandler current = qInstallMessageHandler(nullptr);
        return qInstallMessageHandler(current);
    }();
    return handler;
}

void publishMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    if (s_displacedHandler && s_displacedHandler != qtDefaultMessageHandler()) {
        s_displacedHandler(type, context, message);
        if (type == QtFatalMsg)
            std::abort();
        return;
    }
    const char *format = "Warning: %s (%s:%u, %s)\n";
    if (type == QtCriticalMsg)
        format = "Critical: %s (%s:%u, %s)\n";
    else if (type == QtFatalMsg)
        format = "Fatal: %s (%s:%u, %s)\n";
    const QByteArray text = message.toLocal8Bit();
    std::fprintf(stderr, format, text.constData(), context.file ? context.file : "", unsigned(context.line),
                 context.function ? context.function : "");
    std::fflush(stderr);
    if (type == QtFatalMsg)
        std::abort();
}

void installPublishMessageHandler()
{
    qtDefaultMessageHandler();
    const QtMessageHandler previous = qInstallMessageHandler(publishMessageHandler);
    if (previous != publishMessageHandler)
        s_displacedHandler = previous;
}

void removePublishMessageHandler()
{
    const QtMessageHandler current = qInstallMessageHandler(s_displacedHandler);
    if (current != publishMessageHandler) {
        // Someone replaced the filter meanwhile; theirs stays.
        qInstallMessageHandler(current);
        return;
    }
    s_displacedHandler = nullptr;
}

// ---------------------------------------------------------------------------
// JSON reading

class JsonReader
{
public:
    explicit JsonReader(const QString &text) : m_text(text) {}

    // False on a syntax error or too deep nesting; error() tells which.
    bool read(QVariant *result)
    {
        skipWhitespace();
        if (atEnd()) {
            *result = QVariant();
            return true;
        }
        if (!readValue(result, 0))
            return false;
        skipWhitespace();
        if (!atEnd())
            return fail(QStringLiteral("unexpected text after the value"));
        return true;
    }

    QString error() const { return m_error; }
    bool tooDeep() const { return m_tooDeep; }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar current() const { return m_text.at(m_pos); }

    bool fail(const QString &what)
    {
        if (m_error.isEmpty())
            m_error = QStringLiteral("%1 at offset %2").arg(what).arg(m_pos);
        return false;
    }

    void skipWhitespace()
    {
        while (!atEnd()) {
            const QChar c = current();
            if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
                break;
            ++m_pos;
        }
    }

    bool readValue(QVariant *out, int depth)
    {
        skipWhitespace();
        if (atEnd())
            return fail(QStringLiteral("unexpected end of text"));
        const QChar c = current();
        if (c == QLatin1Char('{') || c == QLatin1Char('[')) {
            if (depth >= MaxJsonDepth) {
                m_tooDeep = true;
                return fail(QStringLiteral("nesting deeper than %1 levels").arg(MaxJsonDepth));
            }
            return c == QLatin1Char('{') ? readObject(out, depth + 1) : readArray(out, depth + 1);
        }
        if (c == QLatin1Char('"')) {
            QString text;
            if (!readString(&text))
                return false;
            *out = text;
            return true;
        }
        if (readLiteral("true")) {
            *out = true;
            return true;
        }
        if (readLiteral("false")) {
            *out = false;
            return true;
        }
        if (readLiteral("null")) {
            *out = QVariant();
            return true;
        }
        return readNumber(out);
    }

    bool readLiteral(const char *word)
    {
        const QLatin1String literal(word);
        if (m_text.midRef(m_pos, literal.size()) != literal)
            return false;
        m_pos += literal.size();
        return true;
    }

    bool readObject(QVariant *out, int depth)
    {
        ++m_pos; // {
        QVariantMap map;
        skipWhitespace();
        if (!atEnd() && current() == QLatin1Char('}')) {
            ++m_pos;
            *out = map;
            return true;
        }
        for (;;) {
            skipWhitespace();
            if (atEnd() || current() != QLatin1Char('"'))
                return fail(QStringLiteral("expected a member name"));
            QString key;
            if (!readString(&key))
                return false;
            skipWhitespace();
            if (atEnd() || current() != QLatin1Char(':'))
                return fail(QStringLiteral("expected ':'"));
            ++m_pos;
            QVariant value;
            if (!readValue(&value, depth))
                return false;
            map.insert(key, value);
            skipWhitespace();
            if (atEnd())
                return fail(QStringLiteral("unexpected end of text"));
            if (current() == QLatin1Char(',')) {
                ++m_pos;
                continue;
            }
            if (current() == QLatin1Char('}')) {
                ++m_pos;
                *out = map;
                return true;
            }
            return fail(QStringLiteral("expected ',' or '}'"));
        }
    }

    bool readArray(QVariant *out, int depth)
    {
        ++m_pos; // [
        QVariantList list;
        skipWhitespace();
        if (!atEnd() && current() == QLatin1Char(']')) {
            ++m_pos;
            *out = list;
            return true;
        }
        for (;;) {
            QVariant value;
            if (!readValue(&value, depth))
                return false;
            list.append(value);
            skipWhitespace();
            if (atEnd())
                return fail(QStringLiteral("unexpected end of text"));
            if (current() == QLatin1Char(',')) {
                ++m_pos;
                continue;
            }
            if (current() == QLatin1Char(']')) {
                ++m_pos;
                *out = list;
                return true;
            }
            return fail(QStringLiteral("expected ',' or ']'"));
        }
    }

    bool readString(QString *out)
    {
        ++m_pos; // opening quote
        QString text;
        while (!atEnd()) {
            const QChar c = current();
            ++m_pos;
            if (c == QLatin1Char('"')) {
                *out = text;
                return true;
            }
            if (c != QLatin1Char('\\')) {
                text.append(c);
                continue;
            }
            if (atEnd())
                break;
            const QChar e = current();
            ++m_pos;
            switch (e.unicode()) {
            case '"': text.append(QLatin1Char('"')); break;
            case '\\': text.append(QLatin1Char('\\')); break;
            case '/': text.append(QLatin1Char('/')); break;
            case 'b': text.append(QLatin1Char('\b')); break;
            case 'f': text.append(QLatin1Char('\f')); break;
            case 'n': text.append(QLatin1Char('\n')); break;
            case 'r': text.append(QLatin1Char('\r')); break;
            case 't': text.append(QLatin1Char('\t')); break;
            case 'u': {
                bool ok = false;
                const ushort unit = m_text.midRef(m_pos, 4).toUShort(&ok, 16);
                if (!ok || m_pos + 4 > m_text.size())
                    return fail(QStringLiteral("bad \\u escape"));
                m_pos += 4;
                text.append(QChar(unit));
                break;
            }
            default:
                --m_pos;
                return fail(QStringLiteral("unknown escape"));
            }
        }
        return fail(QStringLiteral("unterminated string"));
    }

    bool readNumber(QVariant *out)
    {
        static const QString numberCharacters = QStringLiteral("0123456789+-.eE");
        const int start = m_pos;
        while (!atEnd() && numberCharacters.contains(current()))
            ++m_pos;
        const QString number = m_text.mid(start, m_pos - start);
        if (number.isEmpty())
            return fail(QStringLiteral("unexpected character"));
        bool ok = false;
        const bool floating = number.contains(QLatin1Char('.')) || number.contains(QLatin1Char('e'))
                              || number.contains(QLatin1Char('E'));
        if (!floating) {
            if (number.startsWith(QLatin1Char('-'))) {
                const qlonglong value = number.toLongLong(&ok);
                if (ok)
                    *out = value;
            } else {
                const qulonglong value = number.toULongLong(&ok);
                if (ok)
                    *out = value;
            }
            if (ok)
                return true;
        }
        // Exponents, fractions and integers too large for 64 bits.
        const double value = number.toDouble(&ok);
        if (!ok) {
            m_pos = start;
            return fail(QStringLiteral("malformed number"));
        }
        *out = value;
        return true;
    }

    const QString &m_text;
    int m_pos = 0;
    QString m_error;
    bool m_tooDeep = false;
};

// ---------------------------------------------------------------------------
// JSON writing

QVariant unwrapScriptValue(const QVariant &value)
{
    if (value.userType() == qMetaTypeId<QJSValue>())
        return value.value<QJSValue>().toVariant();
    return value;
}

QByteArray quoted(const QString &text)
{
    QByteArray out;
    const QByteArray utf8 = text.toUtf8();
    out.reserve(utf8.size() + 2);
    out.append('"');
    for (const char c : utf8) {
        switch (c) {
        case '\\': out.append("\\\\"); break;
        case '"': out.append("\\\""); break;
        case '\b': out.append("\\b"); break;
        case '\f': out.append("\\f"); break;
        case '\n': out.append("\\n"); break;
        case '\r': out.append("\\r"); break;
        case '\t': out.append("\\t"); break;
        default:
            if (uchar(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(uchar(c)));
                out.append(escape);
            } else {
                out.append(c);
            }
        }
    }
    out.append('"');
    return out;
}

QByteArray formatDouble(double value)
{
    // JSON has no NaN or infinities.
    if (!std::isfinite(value))
        return QByteArrayLiteral("null");
    QByteArray text = QByteArray::number(value, 'g', 20);
    if (!text.contains('.') && !text.contains('e'))
        text.append(".0");
    return text;
}

// The file part of a location in one comparable form: without the "qrc"
// resource scheme and without "file:".
QString comparableLocation(const QString &location)
{
    return ZarnoFileUtils::stripSchemeFromUrl(location);
}

class JsonWriter
{
public:
    explicit JsonWriter(const QString &basePath) : m_basePath(basePath) {}

    void write(const QVariant &data, QByteArray &out, int depth = 0) const
    {
        const QVariant value = unwrapScriptValue(data);
        const int type = value.userType();
        if (!value.isValid() || type == QMetaType::Nullptr) {
            out.append("null");
            return;
        }
        if (type == QMetaType::QVariantList || type == QMetaType::QStringList) {
            if (!enter(depth, out))
                return;
            const QVariantList list = value.toList();
            out.append("[ ");
            for (int i = 0; i < list.size(); ++i) {
                if (i > 0)
                    out.append(", ");
                write(list.at(i), out, depth + 1);
            }
            out.append(" ]");
            return;
        }
        if (type == QMetaType::QVariantMap || type == QMetaType::QVariantHash) {
            if (!enter(depth, out))
                return;
            out.append("{ ");
            bool first = true;
            auto entry = [&](const QString &key, const QVariant &item) {
                if (!first)
                    out.append(", ");
                first = false;
                out.append(quoted(key));
                out.append(" : ");
                write(item, out, depth + 1);
            };
            if (type == QMetaType::QVariantMap) {
                const QVariantMap map = value.toMap();
                for (auto it = map.cbegin(); it != map.cend(); ++it)
                    entry(it.key(), it.value());
            } else {
                const QVariantHash hash = value.toHash();
                for (auto it = hash.cbegin(); it != hash.cend(); ++it)
                    entry(it.key(), it.value());
            }
            out.append(" }");
            return;
        }
        switch (type) {
        case QMetaType::QString:
            out.append(quoted(value.toString()));
            return;
        case QMetaType::QByteArray:
            out.append(quoted(QString::fromUtf8(value.toByteArray())));
            return;
        case QMetaType::Double:
        case QMetaType::Float:
            out.append(formatDouble(value.toDouble()));
            return;
        case QMetaType::Bool:
            out.append(value.toBool() ? "true" : "false");
            return;
        case QMetaType::ULongLong:
            out.append(QByteArray::number(value.toULongLong()));
            return;
        case QMetaType::QPointF: {
            const QPointF point = value.toPointF();
            out.append(quoted(QString::fromLatin1(formatDouble(point.x()) + ", " + formatDouble(point.y()))));
            return;
        }
        case QMetaType::QColor: {
            const QColor color = value.value<QColor>();
            // The alpha channel is kept when the colour is not opaque.
            out.append(quoted(color.name(color.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb)));
            return;
        }
        case QMetaType::QUrl:
            out.append(quoted(relativeUrl(value.toUrl())));
            return;
        default:
            break;
        }
        if (value.canConvert<qlonglong>()) {
            out.append(QByteArray::number(value.toLongLong()));
            return;
        }
        if (value.canConvert<long>()) {
            out.append(QByteArray::number(qlonglong(value.value<long>())));
            return;
        }
        if (value.canConvert<QString>()) {
            out.append(quoted(value.toString()));
            return;
        }
        QString text = value.toString();
        if (text.isEmpty())
            text = QString::fromLatin1(value.typeName());
        qWarning().noquote() << QStringLiteral("[WARNING]: serializeData can't load \"%1\"").arg(text);
        out.append("null");
    }

private:
    bool enter(int depth, QByteArray &out) const
    {
        if (depth < MaxJsonDepth)
            return true;
        qWarning("[WARNING]: serializeData can't write data nested deeper than %d levels", MaxJsonDepth);
        out.append("null");
        return false;
    }

    // A file URL below the base folder is written relative to it.
    QString relativeUrl(const QUrl &url) const
    {
        QString text = url.toString();
        if (m_basePath.isEmpty())
            return text;
        text = comparableLocation(text);
        const QString base = comparableLocation(m_basePath);
        if (!base.isEmpty() && text.startsWith(base))
            text.remove(0, base.size());
        return text.replace(QLatin1Char('\\'), QLatin1Char('/'));
    }

    QString m_basePath;
};

// The object and everything below it in the QObject tree.
QObjectList objectTree(QObject *object)
{
    QObjectList tree{object};
    tree += object->findChildren<QObject *>();
    return tree;
}

} // namespace

System::System(QObject *parent)
    : QObject(parent)
{
#if defined(Q_OS_IOS)
    m_platform = IOS;
#elif defined(Q_OS_ANDROID)
    m_platform = Android;
#elif defined(Q_OS_MACOS)
    m_platform = Mac;
#elif defined(Q_OS_WIN)
    m_platform = Windows;
#elif defined(Q_OS_LINUX)
    m_platform = Linux;
#else
    m_platform = Unknown;
#endif

    const QString orientation = configurationValue(QStringLiteral("orientation")).toString();
    if (orientation == QLatin1String("portrait"))
        m_screenOrientation = ScreenOrientationPortrait;
    else if (orientation == QLatin1String("landscape"))
        m_screenOrientation = ScreenOrientationLandscape;
    else if (orientation == QLatin1String("sensorPortrait"))
        m_screenOrientation = ScreenOrientationSensorPortrait;
    else if (orientation == QLatin1String("sensorLandscape"))
        m_screenOrientation = ScreenOrientationSensorLandscape;
    else
        m_screenOrientation = ScreenOrientationAuto;

    m_appIdentifier = configurationValue(QStringLiteral("identifier")).toString();
    const QVariant versionCode = configurationValue(QStringLiteral("versioncode"));
    if (versionCode.isValid())
        m_appVersionCode = versionCode.toInt();
    m_publishBuild = configurationValue(QStringLiteral("stage")).toString() == QLatin1String("publish");
    setLogOutputEnabled(!m_publishBuild);

    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &networkInterface : interfaces) {
        if (networkInterface.flags().testFlag(QNetworkInterface::IsLoopBack) || networkInterface.hardwareAddress().isEmpty())
            continue;
        m_macAddress = networkInterface.hardwareAddress();
        break;
    }
    m_UDID = QString::number(qHash(m_macAddress, 0));
}

QVariant System::configurationValue(const QString &key)
{
    ConfigurationCache &cache = configurationCache();
    if (!cache.loaded) {
        cache.loaded = true;
        const QString &override = configurationFileOverride();
        const QString path = !override.isEmpty()
            ? override
            : ZarnoFileUtils::findFileOrDirectoryIncludingResources(QStringLiteral("qml/config.json"));
        const QString text = path.isEmpty() ? QString() : ZarnoFileUtils::readFile(path);
        if (text.trimmed().isEmpty()) {
            qWarning("WARNING: cant find config.json file");
        } else {
            JsonReader reader(text);
            QVariant value;
            if (!reader.read(&value))
                qWarning("WARNING: config.json is not valid JSON (%s), the configuration is empty", qPrintable(reader.error()));
            else if (value.userType() != QMetaType::QVariantMap)
                qWarning("WARNING: config.json does not hold a JSON object, the configuration is empty");
            else
                cache.values = value.toMap();
        }
    }
    return cache.values.value(key);
}

void System::reloadConfiguration()
{
    configurationCache() = ConfigurationCache();
}

void System::setConfigurationFile(const QString &path)
{
    configurationFileOverride() = path;
    reloadConfiguration();
}

void System::setLogOutputEnabled(bool enabled)
{
    // A publish build keeps its log output off.
    if (m_publishBuild && enabled)
        return;
    if (enabled)
        removePublishMessageHandler();
    else
        installPublishMessageHandler();
    if (m_logOutputEnabled == enabled)
        return;
    m_logOutputEnabled = enabled;
    emit logOutputEnabledChanged();
}

QString System::qtVersion() const
{
    if (m_qtVersion.isEmpty())
        m_qtVersion = QString::fromLatin1(qVersion());
    return m_qtVersion;
}

void System::quit()
{
    // Leaving through the event loop lets the engine, the audio back end and
    // the settings database shut down in order; queued, so that a quit asked
    // for before the loop runs still takes effect as soon as it does.
    if (QCoreApplication::instance())
        QMetaObject::invokeMethod(QCoreApplication::instance(), "quit", Qt::QueuedConnection);
    else
        std::exit(0);
}

void System::pauseGameForObject(QObject *object)
{
    if (!object) {
        qWarning("WARNING: System: pauseGameForObject() needs an object, nothing was paused");
        return;
    }
    const QObjectList tree = objectTree(object);

    for (QObject *candidate : tree) {
        if (candidate->inherits("QQmlTimer") && candidate->property("running").toBool()) {
            candidate->setProperty("running", false);
            m_pausedQmlTimers.append(candidate);
        }
    }
    for (QObject *candidate : tree) {
        auto *timer = qobject_cast<QTimer *>(candidate);
        if (timer && timer->isActive()) {
            timer->stop();
            m_pausedTimers.append(timer);
        }
    }
    for (QObject *candidate : tree) {
        auto *animation = qobject_cast<QAbstractAnimation *>(candidate);
        if (animation && animation->state() == QAbstractAnimation::Running) {
            animation->pause();
            m_pausedAnimations.append(animation);
        }
    }
    for (QObject *candidate : tree) {
        if (candidate->inherits("QQuickAbstractAnimation") && candidate->property("running").toBool()
            && !candidate->property("paused").toBool()) {
            candidate->setProperty("paused", true);
            m_pausedQmlAnimations.append(candidate);
        }
    }
    for (QObject *candidate : tree) {
        if ((candidate->inherits("QQuickAnimatedSprite") || candidate->inherits("QQuickSpriteSequence"))
            && candidate->property("running").toBool()) {
            candidate->setProperty("running", false);
            m_pausedSprites.append(candidate);
        }
    }
    // The engine's own elements that keep a clock of their own.
    for (QObject *candidate : tree) {
        auto *element = qobject_cast<IGamePausable *>(candidate);
        if (element && element->pauseForGame())
            m_pausedOwnClocks.append(candidate);
    }

    pauseOrResumeStepDriver(object, true);
    setGamePaused(true);
}

void System::resumeGameForObject(QObject *object)
{
    if (!object) {
        qWarning("WARNING: System: resumeGameForObject() needs an object, nothing was resumed");
        return;
    }
    for (const QPointer<QTimer> &timer : qAsConst(m_pausedTimers)) {
        if (timer)
            timer->start();
    }
    for (const QPointer<QObject> &timer : qAsConst(m_pausedQmlTimers)) {
        if (timer)
            timer->setProperty("running", true);
    }
    for (const QPointer<QAbstractAnimation> &animation : qAsConst(m_pausedAnimations)) {
        if (animation && animation->state() == QAbstractAnimation::Paused)
            animation->resume();
    }
    for (const QPointer<QObject> &animation : qAsConst(m_pausedQmlAnimations)) {
        if (animation)
            animation->setProperty("paused", false);
    }
    for (const QPointer<QObject> &sprite : qAsConst(m_pausedSprites)) {
        if (sprite)
            sprite->setProperty("running", true);
    }
    for (const QPointer<QObject> &element : qAsConst(m_pausedOwnClocks)) {
        if (auto *pausable = qobject_cast<IGamePausable *>(element.data()))
            pausable->resumeForGame();
    }
    m_pausedTimers.clear();
    m_pausedQmlTimers.clear();
    m_pausedAnimations.clear();
    m_pausedQmlAnimations.clear();
    m_pausedSprites.clear();
    m_pausedOwnClocks.clear();

    pauseOrResumeStepDriver(object, false);
    setGamePaused(false);
}

void System::pauseOrResumeStepDriver(QObject *object, bool pause)
{
    QQmlContext *context = QQmlEngine::contextForObject(object);
    QQmlEngine *engine = context ? context->engine() : nullptr;
    if (!engine) {
        qWarning("WARNING: System: Context was not found in Context Property!");
        return;
    }
    auto *driver = qobject_cast<QAbstractAnimation *>(
        engine->rootContext()->contextProperty(QStringLiteral("stepDriver")).value<QObject *>());
    if (!driver) {
        qWarning("WARNING: System: Zarno Scheduler was not found in Context Property!");
        return;
    }
    // Only a running driver can pause and only a paused one resume.
    if (pause && driver->state() == QAbstractAnimation::Running)
        driver->pause();
    else if (!pause && driver->state() == QAbstractAnimation::Paused)
        driver->resume();
}

void System::setGamePaused(bool paused)
{
    if (m_gamePaused == paused)
        return;
    m_gamePaused = paused;
    emit gamePausedChanged();
}

QPointF System::pointFFromString(const QString &source) const
{
    if (source.count(QLatin1Char(',')) != 1)
        return QPointF();
    const int comma = source.indexOf(QLatin1Char(','));
    bool okX = false;
    bool okY = false;
    const double x = source.left(comma).trimmed().toDouble(&okX);
    const double y = source.mid(comma + 1).trimmed().toDouble(&okY);
    if (!okX || !okY)
        return QPointF();
    return QPointF(x, y);
}

void System::captureScreenshot(const QString &, float, float, float, float)
{
    qWarning("System::captureScreenshot() is not supported in Zarno 2.0 yet");
}

void System::recreateSprite(QObject *object)
{
    if (object && object->metaObject()->indexOfMethod("createEngine()") >= 0) {
        QMetaObject::invokeMethod(object, "createEngine");
        return;
    }
    qWarning() << "WARNING: the object" << object << "does not have a createEngine() slot";
}

QVariantMap System::parse(const QString &stringData)
{
    JsonReader reader(stringData);
    QVariant value;
    if (!reader.read(&value)) {
        if (reader.tooDeep())
            qWarning("[System]- [WARNING]: System can't parse stringData file, it nests deeper than %d levels", MaxJsonDepth);
        else
            qWarning().noquote() << QStringLiteral("[System]- [WARNING]: System can't parse stringData file \"%1\"").arg(stringData);
        return QVariantMap();
    }
    return value.userType() == QMetaType::QVariantMap ? value.toMap() : QVariantMap();
}

QString System::stringify(const QVariant &data, const QStringList &includes, QObject *sourceObject)
{
    return stringifyWithBasePath(data, includes, ZarnoFileUtils::getBasePath(sourceObject));
}

QString System::stringifyWithBasePath(const QVariant &data, const QStringList &includes, const QString &basePath)
{
    const QVariant value = unwrapScriptValue(data);
    const JsonWriter writer(basePath);
    QByteArray out;
    if (includes.isEmpty()) {
        writer.write(value, out);
        return QString::fromUtf8(out);
    }
    const QVariantMap map = value.toMap();
    out.append('{');
    for (int i = 0; i < includes.size(); ++i) {
        if (i > 0)
            out.append(',');
        out.append(' ');
        out.append(quoted(includes.at(i)));
        out.append(" : ");
        writer.write(map.value(includes.at(i)), out, 1);
    }
    out.append(" }");
    return QString::fromUtf8(out);
}

QString System::stringifyObject(QObject *data, const QStringList &includedProperties)
{
    return stringify(qobject2qvariant(data, includedProperties), includedProperties, data);
}

QVariantMap System::jsonMapWithPropertiesResolved(const QVariant &, const QStringList &, QObject *)
{
    return QVariantMap();
}

QVariantMap System::jsonMapForObjectWithPropertiesResolved(const QVariant &, const QStringList &, QObject *)
{
    return QVariantMap();
}

QVariant System::qobject2qvariant(const QObject *object, const QStringList &includedProperties)
{
    if (!object)
        return QVariant();
    QVariantMap map;
    const QMetaObject *meta = object->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QString name = QString::fromLatin1(property.name());
        if (!includedProperties.isEmpty() && !includedProperties.contains(name))
            continue;
        if (!property.isReadable())
            continue;
        map.insert(name, property.read(object));
    }
    return map;
}

QString System::typeOf(const QVariant &variant) const
{
    const QVariant value = unwrapScriptValue(variant);
    // A script null arrives as a null pointer value.
    if (!value.isValid() || value.userType() == QMetaType::Nullptr)
        return QStringLiteral("null");
    switch (value.userType()) {
    case QMetaType::QVariantList: return QStringLiteral("list");
    case QMetaType::QStringList: return QStringLiteral("stringlist");
    case QMetaType::QVariantHash: return QStringLiteral("hash");
    case QMetaType::QVariantMap: return QStringLiteral("map");
    case QMetaType::QString: return QStringLiteral("string");
    case QMetaType::QByteArray: return QStringLiteral("bytearray");
    case QMetaType::Double:
    case QMetaType::Float: return QStringLiteral("double");
    case QMetaType::Bool: return QStringLiteral("boolean");
    case QMetaType::ULongLong: return QStringLiteral("number");
    case QMetaType::QPointF: return QStringLiteral("point");
    case QMetaType::QColor: return QStringLiteral("color");
    case QMetaType::QUrl: return QStringLiteral("url");
    default: break;
    }
    if (value.canConvert<qlonglong>() || value.canConvert<long>())
        return QStringLiteral("number");
    if (value.canConvert<QString>())
        return QStringLiteral("string");
    return QStringLiteral("null");
}
