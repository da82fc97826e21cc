#include "LoopbackService.h"

#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QThread>

namespace {

constexpr int StartWaitMs = 20000;

bool accepts(quint16 port)
{
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), port);
    return probe.waitForConnected(200);
}

} // namespace

LoopbackService::LoopbackService(const QString& program, const QStringList& arguments, quint16 port)
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(program, arguments);
    const QDeadlineTimer deadline(StartWaitMs);
    while (!deadline.hasExpired()) {
        if (m_process.state() == QProcess::NotRunning) {
            break;
        }
        if (accepts(port)) {
            return;
        }
        QThread::msleep(50);
    }
    m_process.waitForFinished(100);
    m_failure = QStringLiteral("%1 does not listen on port %2: %3")
                    .arg(program)
                    .arg(port)
                    .arg(QString::fromLocal8Bit(m_process.readAll()));
}

LoopbackService::~LoopbackService()
{
    if (m_process.state() == QProcess::NotRunning) {
        return;
    }
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}
