#include "zrapplication.h"

#include "app/globalkeyforwarder.h"
#include "app/startuptrace.h"
#include "app/zarnourlinterceptor.h"
#include "components/itemeditor.h"
#include "components/movementanimation.h"
#include "components/steertopointbehavior.h"
#include "components/typewriteritem.h"
#include "particles/particleitem.h"
#include "physics/box2dplugin.h"
#include "platform/nativeutils.h"
#include "platform/system.h"
#include "platform/zarnofileutils.h"
#include "platform/zarnowebsocket.h"
#include "scheduling/everyframe.h"
#include "scheduling/zarnoscheduler.h"
#include "scheduling/zrstepdriver.h"
#include "spine/bonetransform.h"
#include "spine/ikjoint.h"
#include "spine/skeletonanimationfbo.h"
#include "spine/spineevent.h"
#include "spine/spineeventdata.h"
#include "spine/spinemeshitem.h"
#include "spine/spineskinnedmeshitem.h"
#include "sprites/texturepackersprite.h"
#include "sprites/trimmedimage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSelector>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QScreen>
#include <QVariantAnimation>
#include <QtQml>

static void initFrameworkResources()
{
    // The framework QML lives in the engine's static library, whose resources
    // are not registered automatically.
    Q_INIT_RESOURCE(zarno_framework);
}

// Animates lists of numbers element by element.
static QVariant interpolateVariantList(const QVariantList &from, const QVariantList &to, qreal progress)
{
    QVariantList result;
    result.reserve(from.size());
    for (int i = 0; i < from.size(); ++i) {
        const double start = from.at(i).toDouble();
        // A shorter end list leaves the remaining elements at their start value.
        const double end = i < to.size() ? to.at(i).toDouble() : start;
        result.append(start + (end - start) * progress);
    }
    return result;
}

ZRApplication::ZRApplication(QObject *parent)
    : QObject(parent)
{
    initFrameworkResources();

    auto entry = [](const QVariant &threshold, const QVariant &factor) {
        return QVariantMap{{QStringLiteral("scaleThreshold"), threshold},
                           {QStringLiteral("internalContentScaleFactor"), factor}};
    };
    m_contentScaleTable.insert(QStringLiteral("sd"), entry(1, 1));
    m_contentScaleTable.insert(QStringLiteral("hd"), entry(2, 2));
    m_contentScaleTable.insert(QStringLiteral("hd2"), entry(2.8, 4));
}

ZRApplication::~ZRApplication()
{
    // An engine that outlives us must not keep calling into a deleted interceptor.
    // When the engine is our parent it is already being destroyed and the guard is null.
    if (m_engine && m_engine->urlInterceptor() == m_urlInterceptor)
        m_engine->setUrlInterceptor(nullptr);
    delete m_urlInterceptor;
}

void ZRApplication::initialize(QQmlEngine *engine)
{
    initialize(engine, "Zarno");
}

void ZRApplication::initialize(QQmlEngine *engine, const char *uri)
{
    if (!engine) {
        qWarning("ZRApplication WARNING: initialize needs a QML engine, nothing is set up");
        return;
    }
    if (!uri)
        uri = "Zarno";
    m_engine = engine;

    m_system = new System(this);
    QCoreApplication::setApplicationName(System::configurationValue(QStringLiteral("title")).toString());
    QCoreApplication::setOrganizationDomain(System::configurationValue(QStringLiteral("identifier")).toString());
    QCoreApplication::setApplicationVersion(System::configurationValue(QStringLiteral("versionname")).toString());

    if (!m_defaultFontDisabled)
        installDefaultFont();

    registerQmlTypes(uri);
    Box2DPlugin physics;
    physics.registerTypes(uri);

    QQmlContext *context = engine->rootContext();
    m_scheduler = new ZarnoScheduler(this);
    context->setContextProperty(QStringLiteral("zarnoScheduler"), m_scheduler);

    context->setContextProperty(QStringLiteral("nativeUtils"), new NativeUtils(engine, this));

    m_keyForwarder = new GlobalKeyForwarder(this);
    context->setContextProperty(QStringLiteral("globalKeyForwarder"), m_keyForwarder);

    m_stepDriver = new ZRStepDriver(m_scheduler);
    context->setContextProperty(QStringLiteral("stepDriver"), m_stepDriver);

    setupImportPaths();
    setupScreenContext();

    if (!m_urlInterceptor)
        m_urlInterceptor = new ZarnoUrlInterceptor;
    m_urlInterceptor->setFileSelector(m_fileSelector);
    m_urlInterceptor->setBaseUrlText(engine->baseUrl().toString());
    engine->setUrlInterceptor(m_urlInterceptor);

    if (auto *appEngine = qobject_cast<QQmlApplicationEngine *>(engine)) {
        connect(appEngine, &QQmlApplicationEngine::objectCreated, this, &ZRApplication::objectCreatedHandler);
        StartupTrace::attachIfRequested(appEngine);
    }

    qputenv("QSG_RENDER_LOOP", "basic");
}

void ZRApplication::installDefaultFont()
{
    QFont font;
    font.setPixelSize(14);
    const QString fontFile = ZarnoFileUtils::findFileOrDirectoryIncludingResources(QStringLiteral("qml/Zarno/fonts/pts-regular.ttf"));
    const int id = fontFile.isEmpty() ? -1 : QFontDatabase::addApplicationFont(fontFile);
    if (id >= 0) {
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty())
            font.setFamily(families.first());
    }
    QGuiApplication::setFont(font);
}

void ZRApplication::registerQmlTypes(const char *uri)
{
    QQmlContext *context = m_engine->rootContext();
    context->setContextProperty(QStringLiteral("system"), m_system);
    m_fileUtils = new ZarnoFileUtils(this);
    context->setContextProperty(QStringLiteral("fileUtils"), m_fileUtils);

    const auto reason = [](const char *name) {
        return QStringLiteral("Creation of %1 is not allowed, this is set by the system and only exists once in the application.")
            .arg(QLatin1String(name));
    };
    qmlRegisterUncreatableType<ZarnoFileUtils>(uri, 2, 0, "FileUtils", reason("FileUtils"));
    qmlRegisterUncreatableType<System>(uri, 2, 0, "System", reason("System"));
    qmlRegisterUncreatableType<NativeUtils>(uri, 2, 0, "NativeUtils", reason("NativeUtils"));
    qmlRegisterUncreatableType<ZarnoScheduler>(uri, 2, 0, "ZarnoScheduler", reason("ZarnoScheduler"));
    qmlRegisterType<MovementAnimation>(uri, 2, 0, "MovementAnimation");
    qmlRegisterType<SteerToPointBehavior>(uri, 2, 0, "MoveToPointHelper");
    qmlRegisterType<ItemEditor>(uri, 2, 0, "ItemEditorBase");
    qmlRegisterType<EveryFrame>(uri, 2, 0, "EveryFrame");
    qmlRegisterType<ParticleItem>(uri, 2, 0, "ParticleZarnoBase");
    qmlRegisterType<TypeWriterItem>(uri, 2, 0, "TypeWriterItem");
    qmlRegisterType<ZarnoWebSocket>(uri, 2, 0, "WebSocket");
    qmlRegisterType<TexturePackerSprite>(uri, 2, 0, "TexturePackerSprite");
    qmlRegisterType<TrimmedImage>(uri, 2, 0, "TrimmedImage");
    qmlRegisterType<SpineEventData>(uri, 2, 0, "SpineEventData");
    qmlRegisterType<SpineEvent>(uri, 2, 0, "SpineEvent");
    qmlRegisterType<SkeletonAnimationFbo>(uri, 2, 0, "SkeletonAnimationFbo");
    qRegisterAnimationInterpolator<QVariantList>(interpolateVariantList);
    qmlRegisterType<SpineMeshItem>(uri, 2, 0, "SpineMeshItem");
    qmlRegisterType<SpineSkinnedMeshItem>(uri, 2, 0, "SpineSkinnedMeshItem");
    qmlRegisterType<BoneTransform>(uri, 2, 0, "BoneTransform");
    qmlRegisterType<IKJoint>(uri, 2, 0, "IKJoint");
    // The item editor is registered here once it is added to the engine.
}

void ZRApplication::setupImportPaths()
{
    QStringList paths;
    paths << ZarnoFileUtils::findFileOrDirectoryIncludingResources(QStringLiteral("qml"));
    paths << (paths.contains(QStringLiteral(":/qml")) ? QString() : QStringLiteral(":/qml"));
    for (int i = paths.size() - 1; i >= 0; --i)
        m_engine->addImportPath(paths.at(i));

    const QString plugins = normalizedImportPath(ZarnoFileUtils::findFileOrDirectoryIncludingResources(QStringLiteral("plugins")));
    if (!plugins.isEmpty()) {
        QStringList list = m_engine->importPathList();
        list.append(plugins);
        m_engine->setImportPathList(list);
    }
}

QString ZRApplication::normalizedImportPath(const QString &path)
{
    const QUrl url(path);
    if (url.isLocalFile())
        return QDir::cleanPath(url.toLocalFile());
    if (path.startsWith(QLatin1Char(':')))
        return QStringLiteral("qrc") + path;
    if ((url.isRelative() || url.scheme().size() == 1) && QFileInfo(path).exists())
        return QFileInfo(path).canonicalFilePath();
    return QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

void ZRApplication::setMainQmlFileName(const QString &name)
{
    m_mainQmlFileName = name;
    if (name.startsWith(QLatin1String(":/")) || name.startsWith(QLatin1String("qrc:/")))
        return;
    if (!m_system || !m_system->publishBuild())
        return;
    const QString hashes(37, QLatin1Char('#'));
    qWarning("\n\n%s\nWARNING: you are building a publishBuild, but your mainQmlFile entry point is not loaded from RESOURCES.\n"
             "This lets others inspect your QML sources. To protect them:\n"
             "1. Add your QML documents to a resource file (.qrc) so they are embedded in the binary.\n"
             "2. Stop deploying the qml folder as plain files next to the application.\n"
             "3. Set the main QML file to \"qrc:/qml/Main.qml\".\n%s\n\n",
             qPrintable(hashes), qPrintable(hashes));
}

void ZRApplication::objectCreatedHandler(QObject *, const QUrl &)
{
    if (m_stepDriver)
        m_stepDriver->start(QAbstractAnimation::KeepWhenStopped);
}

void ZRApplication::setExtraFileSelectors(const QStringList &selectors)
{
    m_extraFileSelectors = selectors;
    if (!m_fileSelector)
        m_fileSelector = new QFileSelector(this);
    m_fileSelector->setExtraSelectors(selectors);
}

void ZRApplication::addGameWindowIsItemSelector()
{
    setExtraFileSelectors(m_extraFileSelectors + QStringList{QStringLiteral("gameWindowIsItem")});
}

void ZRApplication::setupScreenContext()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(480, 320);
    const auto *guiApp = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    const double ratio = guiApp ? guiApp->devicePixelRatio() : 1.0;
    const int physicalHeight = int(size.height() * ratio);
    const int physicalWidth = int(size.width() * ratio);
    const int longer = qMax(physicalHeight, physicalWidth);
    double scale = longer / 480.0;
    if (scale < 1)
        scale = 1;
    applyContentScale(scale);

    if (!m_engine)
        return;
    QQmlContext *context = m_engine->rootContext();
    context->setContextProperty(QStringLiteral("defaultSceneWidth"), 480);
    context->setContextProperty(QStringLiteral("defaultSceneHeight"), 320);
    context->setContextProperty(QStringLiteral("screenDpi"), (screen ? screen->logicalDotsPerInch() : 96.0) * ratio);
    context->setContextProperty(QStringLiteral("devicePixelRatio"), ratio);
    context->setContextProperty(QStringLiteral("devicePixelRatioInverse"), 1.0 / ratio);
}

void ZRApplication::applyContentScale(double scale)
{
    QStringList names;
    for (auto it = m_contentScaleTable.cbegin(); it != m_contentScaleTable.cend(); ++it) {
        const double threshold = it.value().toMap().value(QStringLiteral("scaleThreshold")).toReal();
        if (!(threshold <= scale))
            continue;
        int pos = 0;
        while (pos < names.size()
               && m_contentScaleTable.value(names.at(pos)).toMap().value(QStringLiteral("scaleThreshold")).toReal() >= threshold)
            ++pos;
        names.insert(pos, it.key());
    }

    double factor = 1;
    QQmlContext *context = m_engine ? m_engine->rootContext() : nullptr;
    if (!names.isEmpty()) {
        factor = m_contentScaleTable.value(names.first()).toMap().value(QStringLiteral("internalContentScaleFactor")).toReal();
        if (context)
            context->setContextProperty(QStringLiteral("fileSelectorForImages"), names.first());
    }
    if (context)
        context->setContextProperty(QStringLiteral("fileSelectorListForImages"), names);
    setExtraFileSelectors(names);
    if (context) {
        context->setContextProperty(QStringLiteral("internalContentScaleFactorForImages"), 1.0 / factor);
        context->setContextProperty(QStringLiteral("contentScaleFactorForImages"), factor);
        context->setContextProperty(QStringLiteral("contentScaleFactorDefault"), scale);
    }
    m_contentScaleFactor = scale;
    m_internalContentScaleFactor = factor;
}
