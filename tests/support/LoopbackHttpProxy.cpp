#include "LoopbackHttpProxy.h"

#include <QTcpSocket>
#include <QUrl>

#include "HttpRequestHead.h"

LoopbackHttpProxy::LoopbackHttpProxy(quint16 originPort, QObject* parent)
    : QObject(parent)
    , m_originPort(originPort)
{
    serveRequests(
        m_server, this, [this](QTcpSocket* client, const HttpRequestHead& head) { forward(client, head.target); });
    m_server.listen(QHostAddress::LocalHost, 0);
}

void LoopbackHttpProxy::forward(QTcpSocket* client, const QByteArray& target)
{
    m_requestedTargets.append(target);
    const QUrl url(QString::fromLatin1(target));
    if (url.scheme() != QStringLiteral("http")) {
        client->write("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        client->disconnectFromHost();
        return;
    }
    auto* origin = new QTcpSocket(client);
    const QByteArray path = url.path(QUrl::FullyEncoded).toLatin1();
    connect(origin, &QTcpSocket::connected, origin, [origin, path, url] {
        origin->write("GET " + (path.isEmpty() ? QByteArray("/") : path) + " HTTP/1.1\r\nHost: " + url.host().toLatin1()
                      + "\r\nConnection: close\r\n\r\n");
    });
    connect(origin, &QTcpSocket::readyRead, client, [origin, client] { client->write(origin->readAll()); });
    connect(origin, &QTcpSocket::disconnected, client, [client] { client->disconnectFromHost(); });
    connect(client, &QTcpSocket::disconnected, origin, [origin] { origin->abort(); });
    origin->connectToHost(QHostAddress::LocalHost, m_originPort);
}
