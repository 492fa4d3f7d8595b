#ifndef ZARNOURLINTERCEPTOR_H
#define ZARNOURLINTERCEPTOR_H

#include <QQmlAbstractUrlInterceptor>
#include <QSize>
#include <QString>

class QFileSelector;

// Finds resource URLs that are not embedded on disk beside the working directory,
// then lets the density selector pick a +hd2/+hd variant of the file.
// A URL with the query item coverSize=WxH (either part 0 for "any") names a
// picture read at that pixel size: it resolves to the lowest density whose
// file still has that many pixels, at most the one the selector picks. The
// query stays on the result, so resolving it again gives the same file.
class ZarnoUrlInterceptor : public QQmlAbstractUrlInterceptor
{
public:
    ZarnoUrlInterceptor() = default;
    ~ZarnoUrlInterceptor() override = default;

    QUrl intercept(const QUrl &url, DataType type) override;

    void setFileSelector(QFileSelector *selector) { fileSelector = selector; }
    void setBaseUrlText(const QString &text) { baseUrlText = text; }

private:
    QUrl onDiskIfNotEmbedded(const QUrl &url) const;
    QUrl selectedVariant(const QUrl &url) const;
    QUrl coveringVariant(const QUrl &url, const QSize &cover) const;

    QFileSelector *fileSelector = nullptr;
    QString baseUrlText;
};

#endif
