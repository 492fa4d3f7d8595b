#ifndef ZRAPPLICATION_H
#define ZRAPPLICATION_H

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

class QFileSelector;
class QQmlEngine;
class GlobalKeyForwarder;
class System;
class ZarnoFileUtils;
class ZarnoScheduler;
class ZarnoUrlInterceptor;
class ZRStepDriver;

// Prepares a QML engine for a game: services, types, import paths, content scale.
class ZRApplication : public QObject
{
    Q_OBJECT
public:
    explicit ZRApplication(QObject *parent = nullptr);
    ~ZRApplication() override;

    void initialize(QQmlEngine *engine);
    void initialize(QQmlEngine *engine, const char *uri);

    void setMainQmlFileName(const QString &name);
    QString mainQmlFileName() const { return m_mainQmlFileName; }
    void setDefaultFontDisabled(bool disabled) { m_defaultFontDisabled = disabled; }

    void addGameWindowIsItemSelector();
    void setExtraFileSelectors(const QStringList &selectors);
    void setupScreenContext();
    void applyContentScale(double scale);

    double contentScaleFactor() const { return m_contentScaleFactor; }
    double internalContentScaleFactor() const { return m_internalContentScaleFactor; }
    QVariantMap contentScaleTable() const { return m_contentScaleTable; }
    QStringList extraFileSelectors() const { return m_extraFileSelectors; }
    QFileSelector *fileSelector() const { return m_fileSelector; }

    ZarnoScheduler *scheduler() const { return m_scheduler; }
    ZRStepDriver *stepDriver() const { return m_stepDriver; }
    System *system() const { return m_system; }
    ZarnoFileUtils *fileUtils() const { return m_fileUtils; }
    GlobalKeyForwarder *keyForwarder() const { return m_keyForwarder; }

    // The import path of "plugins", normalised as the QML engine normalises import paths.
    static QString normalizedImportPath(const QString &path);

public slots:
    void objectCreatedHandler(QObject *object, const QUrl &url);

private:
    void registerQmlTypes(const char *uri);
    void setupImportPaths();
    void installDefaultFont();

    QPointer<QQmlEngine> m_engine;
    ZarnoScheduler *m_scheduler = nullptr;
    ZRStepDriver *m_stepDriver = nullptr;
    System *m_system = nullptr;
    QStringList m_extraFileSelectors;
    QString m_mainQmlFileName;
    GlobalKeyForwarder *m_keyForwarder = nullptr;
    ZarnoFileUtils *m_fileUtils = nullptr;
    ZarnoUrlInterceptor *m_urlInterceptor = nullptr;
    QFileSelector *m_fileSelector = nullptr;
    double m_contentScaleFactor = 0;
    double m_internalContentScaleFactor = 0;
    QVariantMap m_contentScaleTable;
    bool m_defaultFontDisabled = false;
};

#endif
