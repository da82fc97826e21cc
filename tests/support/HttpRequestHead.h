#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>
#include <optional>

// The first line of an HTTP request as the loopback servers need it.
struct HttpRequestHead
{
    QByteArray method;
    QByteArray target; // "/path" from a client, "http://host/path" from a client talking to a proxy
};

// Reads a request head once its blank line has arrived in buffer; nullopt while it is incomplete.
inline std::optional<HttpRequestHead> parseHttpRequestHead(const QByteArray& buffer)
{
    if (!buffer.contains("\r\n\r\n")) {
        return std::nullopt;
    }
    const QList<QByteArray> words = buffer.left(buffer.indexOf("\r\n")).split(' ');
    if (words.size() < 3) {
        return HttpRequestHead{};
    }
    return HttpRequestHead{words.at(0), words.at(1)};
}

// Calls onHead once the socket's request head has arrived; the socket is the caller's to answer.
template <typename OnHead>
void whenRequestHeadArrives(QTcpSocket* socket, OnHead onHead)
{
    auto buffer = std::make_shared<QByteArray>();
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, buffer, onHead] {
        if (buffer->contains("\r\n\r\n")) {
            socket->readAll(); // a body after the head is of no interest
            return;
        }
        *buffer += socket->readAll();
        if (const std::optional<HttpRequestHead> head = parseHttpRequestHead(*buffer)) {
            onHead(*head);
        }
    });
}

// Hands every request that reaches server to onRequest(socket, head); each socket goes when its client hangs up.
template <typename OnRequest>
void serveRequests(QTcpServer& server, QObject* context, OnRequest onRequest)
{
    QObject::connect(&server, &QTcpServer::newConnection, context, [&server, onRequest] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            whenRequestHeadArrives(socket,
                                   [socket, onRequest](const HttpRequestHead& head) { onRequest(socket, head); });
        }
    });
}
