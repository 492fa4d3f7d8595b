#ifndef ZARNOURLINTERCEPTOR_H
#define ZARNOURLINTERCEPTOR_H

#include <QQmlAbstractUrlInterceptor>
#include <QString>

class QFileSelector;

// Finds resource URLs that are not embedded on disk beside the working directory,
// then lets the density selector pick a +hd2/+hd variant of the file.
class ZarnoUrlInterceptor : public QQmlAbstractUrlInterceptor
{
public:
    ZarnoUrlInterceptor() = default;
    ~ZarnoUrlInterceptor() override = default;

    QUrl intercept(const QUrl &url, DataType type) override;

    void setFileSelector(QFileSelector *selector) { fileSelector = selector; }
    void setBaseUrlText(const QString &text) { baseUrlText = text; }

private:
    QFileSelector *fileSelector = nullptr;
    QString baseUrlText;
};

#endif
