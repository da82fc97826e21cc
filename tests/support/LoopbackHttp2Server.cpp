#include "LoopbackHttp2Server.h"

#include <QFile>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <memory>

namespace {

enum FrameType : quint8
{
    Data = 0,
    Headers = 1,
    ResetStream = 3,
    Settings = 4
};
constexpr quint8 EndHeaders = 0x4;
constexpr quint8 Acknowledged = 0x1;
constexpr int FrameHeadBytes = 9;
constexpr qsizetype ClientPrefaceBytes = 24; // "PRI * HTTP/2.0\r\n\r\nSM\r\n\r\n"
constexpr quint32 InternalError = 2;
constexpr int BreakDelayMs = 200;
// ":status: 200" is entry 8 of the header compression's static table.
const QByteArray StatusOk = "\x88";

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray frame(quint8 type, quint8 flags, quint32 stream, const QByteArray& payload = {})
{
    return bigEndian(quint32(payload.size()) << 8).left(3) + char(type) + char(flags) + bigEndian(stream) + payload;
}

} // namespace

LoopbackHttp2Server::LoopbackHttp2Server(const QString& certificateFile,
                                         const QString& keyFile,
                                         const QByteArray& bodyStart,
                                         Ending ending)
    : m_bodyStart(bodyStart)
    , m_ending(ending)
{
    QFile key(keyFile);
    key.open(QIODevice::ReadOnly);
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate::fromPath(certificateFile).value(0));
    tls.setPrivateKey(QSslKey(&key, QSsl::Ec));
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    tls.setAllowedNextProtocols({QSslConfiguration::ALPNProtocolHTTP2});
    m_server.setSslConfiguration(tls);
    connect(&m_server, &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            serve(static_cast<QSslSocket*>(socket));
        }
    });
    m_server.listen(QHostAddress::LocalHost, 0);
}

QString LoopbackHttp2Server::hostAndPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort());
}

void LoopbackHttp2Server::serve(QSslSocket* socket)
{
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    socket->write(frame(Settings, 0, 0));
    auto buffer = std::make_shared<QByteArray>();
    auto prefaceLeft = std::make_shared<qsizetype>(ClientPrefaceBytes);
    const auto readFrames = [this, socket, buffer, prefaceLeft] {
        *buffer += socket->readAll();
        const qsizetype preface = std::min(*prefaceLeft, buffer->size());
        buffer->remove(0, preface);
        *prefaceLeft -= preface;
        while (buffer->size() >= FrameHeadBytes) {
            const int length = int(qFromBigEndian<quint32>(buffer->constData()) >> 8);
            if (buffer->size() < FrameHeadBytes + length) {
                return;
            }
            const quint8 type = quint8(buffer->at(3));
            const quint8 flags = quint8(buffer->at(4));
            const quint32 stream = qFromBigEndian<quint32>(buffer->constData() + 5) & 0x7fffffff;
            buffer->remove(0, FrameHeadBytes + length);
            if (type == Settings && !(flags & Acknowledged)) {
                socket->write(frame(Settings, Acknowledged, 0));
            } else if (type == Headers) {
                answer(socket, stream);
            }
        }
    };
    connect(socket, &QTcpSocket::readyRead, socket, readFrames);
    readFrames();
}

void LoopbackHttp2Server::answer(QSslSocket* socket, quint32 stream)
{
    ++m_streamsAnswered;
    socket->write(frame(Headers, EndHeaders, stream, StatusOk));
    socket->write(frame(Data, 0, stream, m_bodyStart));
    // The break comes a moment later, once the client has taken the body's start as a body.
    QTimer::singleShot(BreakDelayMs, socket, [this, socket, stream] {
        if (m_ending == Ending::Close) {
            socket->disconnectFromHost();
            return;
        }
        socket->write(frame(ResetStream, 0, stream, bigEndian(m_ending == Ending::Reset ? InternalError : 0)));
    });
}
