#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A server program of the system's (the project's web server, Debian's proxy) that a test runs in its private
// network, where the ports are its own. Ready once its port on 127.0.0.1 accepts connections; ended with this
// object.
class LoopbackService
{
public:
    LoopbackService(const QString& program, const QStringList& arguments, quint16 port);
    ~LoopbackService();
    LoopbackService(const LoopbackService&) = delete;
    LoopbackService& operator=(const LoopbackService&) = delete;

    // Empty when the service listens; otherwise why not, with what it printed.
    QString failure() const { return m_failure; }

private:
    QProcess m_process;
    QString m_failure;
};
