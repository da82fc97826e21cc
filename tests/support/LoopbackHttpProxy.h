#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;

// A forwarding HTTP proxy on 127.0.0.1: it takes requests in absolute form ("GET http://host/path") and passes
// them to the origin server on originPort whatever host they name, so tests can use names that resolve nowhere
// else and know that a request arrived only through the proxy.
class LoopbackHttpProxy final : public QObject
{
    Q_OBJECT

public:
    explicit LoopbackHttpProxy(quint16 originPort, QObject* parent = nullptr);

    bool isListening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }

    // The absolute targets asked for, in order.
    QList<QByteArray> requestedTargets() const { return m_requestedTargets; }

private:
    void forward(QTcpSocket* client, const QByteArray& target);

    QTcpServer m_server;
    quint16 m_originPort;
    QList<QByteArray> m_requestedTargets;
};
