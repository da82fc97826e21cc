#include "LoopbackHttpServer.h"

#include <QTcpSocket>
#include <QTimer>

#include <memory>
#include <sys/socket.h>

#include "HttpRequestHead.h"

namespace {

constexpr qint64 EndlessChunkBytes = 64 * 1024;

QByteArray reasonOf(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}

QByteArray headOf(int status, qint64 contentLength, const QByteArray& extraHeaders = {})
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonOf(status) + "\r\n";
    head += "Content-Type: text/plain\r\nConnection: close\r\n" + extraHeaders;
    if (contentLength >= 0) {
        head += "Content-Length: " + QByteArray::number(contentLength) + "\r\n";
    }
    return head + "\r\n";
}

void sendAndClose(QTcpSocket* socket, int status, const QByteArray& body, const QByteArray& extraHeaders = {})
{
    socket->write(headOf(status, body.size(), extraHeaders) + body);
    socket->disconnectFromHost();
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer(QObject* parent)
    : QObject(parent)
{
    serveRequests(
        m_server, this, [this](QTcpSocket* socket, const HttpRequestHead& head) { answer(socket, head.target); });
    m_server.listen(QHostAddress::LocalHost, 0);
}

QString LoopbackHttpServer::hostAndPort() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

void LoopbackHttpServer::addBody(const QByteArray& path, const QByteArray& body, int status)
{
    m_routes.insert(path, Route{Kind::Body, body, status, 0, -1});
}

void LoopbackHttpServer::addDelayed(const QByteArray& path, const QByteArray& body, int delayMs)
{
    m_routes.insert(path, Route{Kind::Delayed, body, 200, delayMs, -1});
}

void LoopbackHttpServer::addSilent(const QByteArray& path)
{
    m_routes.insert(path, Route{Kind::Silent, {}, 200, 0, -1});
}

void LoopbackHttpServer::addStalledBody(const QByteArray& path, const QByteArray& firstPart, qint64 announcedLength)
{
    m_routes.insert(path, Route{Kind::Stalled, firstPart, 200, 0, announcedLength});
}

void LoopbackHttpServer::addEndlessBody(const QByteArray& path)
{
    m_routes.insert(path, Route{Kind::Endless, {}, 200, 0, -1});
}

void LoopbackHttpServer::addEndlessHead(const QByteArray& path, HeadLines lines)
{
    m_routes.insert(path, Route{lines == HeadLines::Many ? Kind::EndlessHead : Kind::EndlessHeadLine, {}, 200, 0, -1});
}

void LoopbackHttpServer::addRedirect(const QByteArray& path, const QByteArray& location)
{
    m_routes.insert(path, Route{Kind::Redirect, location, 302, 0, -1});
}

void LoopbackHttpServer::addDrip(const QByteArray& path, const QByteArray& body, int intervalMs)
{
    m_routes.insert(path, Route{Kind::Drip, body, 200, intervalMs, -1});
}

void LoopbackHttpServer::addRaw(const QByteArray& path, const QByteArray& bytes, Ending ending)
{
    m_routes.insert(path, Route{ending == Ending::Reset ? Kind::RawReset : Kind::Raw, bytes, 200, 0, -1});
}

void LoopbackHttpServer::answer(QTcpSocket* socket, const QByteArray& target)
{
    m_requestedTargets.append(target);
    const auto route = m_routes.constFind(target);
    if (route == m_routes.cend()) {
        sendAndClose(socket, 404, NotFoundPage);
        return;
    }
    switch (route->kind) {
    case Kind::Body:
        sendAndClose(socket, route->status, route->body);
        break;
    case Kind::Delayed:
        QTimer::singleShot(route->delayMs, socket, [socket, body = route->body] { sendAndClose(socket, 200, body); });
        break;
    case Kind::Silent:
        connect(socket, &QTcpSocket::disconnected, this, [this] { ++m_hangUps; });
        break;
    case Kind::Stalled:
        connect(socket, &QTcpSocket::disconnected, this, [this] { ++m_hangUps; });
        socket->write(headOf(200, route->announcedLength) + route->body);
        break;
    case Kind::Endless:
        streamEndlessly(socket, headOf(200, -1), QByteArray(EndlessChunkBytes, 'x'));
        break;
    case Kind::EndlessHead:
        streamEndlessly(
            socket, "HTTP/1.1 200 OK\r\n", QByteArray("X-Filler: " + QByteArray(1014, 'a') + "\r\n").repeated(64));
        break;
    case Kind::EndlessHeadLine:
        streamEndlessly(socket, "HTTP/1.1 200 OK\r\nX-Filler: ", QByteArray(EndlessChunkBytes, 'a'));
        break;
    case Kind::Redirect:
        sendAndClose(socket, route->status, {}, "Location: " + route->body + "\r\n");
        break;
    case Kind::Drip:
        drip(socket, route->body, route->delayMs);
        break;
    case Kind::Raw:
        socket->write(route->body);
        socket->disconnectFromHost();
        break;
    case Kind::RawReset:
        resetAfter(socket, route->body);
        break;
    }
}

void LoopbackHttpServer::resetAfter(QTcpSocket* socket, const QByteArray& bytes)
{
    // Written out first, so that the client has the bytes before it loses the connection; a zero linger time makes
    // the close a reset instead of an orderly end.
    socket->write(bytes);
    socket->waitForBytesWritten(1000);
    const linger immediately{1, 0};
    ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &immediately, sizeof immediately);
    socket->abort();
}

void LoopbackHttpServer::drip(QTcpSocket* socket, const QByteArray& body, int intervalMs)
{
    connect(socket, &QTcpSocket::disconnected, this, [this] { ++m_hangUps; });
    socket->write(headOf(200, body.size()));
    auto* timer = new QTimer(socket);
    auto sent = std::make_shared<qsizetype>(0);
    connect(timer, &QTimer::timeout, socket, [socket, timer, body, sent] {
        if (*sent == body.size()) {
            timer->stop();
            socket->disconnectFromHost();
            return;
        }
        socket->write(body.mid((*sent)++, 1));
    });
    timer->start(intervalMs);
}

void LoopbackHttpServer::streamEndlessly(QTcpSocket* socket, const QByteArray& head, const QByteArray& chunk)
{
    connect(socket, &QTcpSocket::disconnected, this, [this] { ++m_hangUps; });
    socket->write(head);
    // Refill whenever the previous chunk has gone, so the answer keeps coming as fast as the client reads it.
    connect(socket, &QTcpSocket::bytesWritten, socket, [socket, chunk] {
        if (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < EndlessChunkBytes) {
            socket->write(chunk);
        }
    });
    socket->write(chunk);
}
