#ifndef WARNINGCOLLECTOR_H
#define WARNINGCOLLECTOR_H

#include <QStringList>
#include <QtGlobal>

// Collects every warning logged while it lives, for asserting that code stayed
// silent (QTest::ignoreMessage covers the opposite case).
class WarningCollector
{
public:
    WarningCollector() { s_current = this; m_previous = qInstallMessageHandler(&WarningCollector::handler); }
    ~WarningCollector() { qInstallMessageHandler(m_previous); s_current = nullptr; }
    QStringList warnings;

private:
    static void handler(QtMsgType type, const QMessageLogContext &, const QString &message)
    {
        if (s_current && (type == QtWarningMsg || type == QtCriticalMsg))
            s_current->warnings.append(message);
    }
    QtMessageHandler m_previous = nullptr;
    static inline WarningCollector *s_current = nullptr;
};

#endif
