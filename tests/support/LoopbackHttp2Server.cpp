#include "LoopbackHttp2Server.h"

#include <QFile>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>

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
const QByteArray ClientPreface = "PRI * HTTP/2.0\r\n\r\nSM\r\n\r\n";
// ":status: 200" is entry 8 of the header compression's static table.
const QByteArray StatusOk = "\x88";

QByteArray bigEndian(quint32 value, int bytes)
{
    QByteArray out;
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
        out.append(char((value >> shift) & 0xff));
    }
    return out;
}

QByteArray frame(quint8 type, quint8 flags, quint32 stream, const QByteArray& payload = {})
{
    return bigEndian(quint32(payload.size()), 3) + char(type) + char(flags) + bigEndian(stream, 4) + payload;
}

quint32 readBigEndian(const QByteArray& bytes, int from, int count)
{
    quint32 value = 0;
    for (int i = from; i < from + count; ++i) {
        value = (value << 8) | quint8(bytes.at(i));
    }
    return value;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

LoopbackHttp2Server::LoopbackHttp2Server(const QString& certificateFile,
                                         const QString& keyFile,
                                         const QByteArray& bodyStart,
                                         Ending ending)
    : m_bodyStart(bodyStart)
    , m_ending(ending)
{
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(fileBytes(certificateFile)));
    tls.setPrivateKey(QSslKey(fileBytes(keyFile), QSsl::Ec));
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
    auto prefaceSeen = std::make_shared<bool>(false);
    const auto readFrames = [this, socket, buffer, prefaceSeen] {
        *buffer += socket->readAll();
        if (!*prefaceSeen) {
            if (buffer->size() < ClientPreface.size()) {
                return;
            }
            if (!buffer->startsWith(ClientPreface)) {
                socket->disconnectFromHost();
                return;
            }
            buffer->remove(0, ClientPreface.size());
            *prefaceSeen = true;
        }
        while (buffer->size() >= FrameHeadBytes) {
            const int length = int(readBigEndian(*buffer, 0, 3));
            if (buffer->size() < FrameHeadBytes + length) {
                return;
            }
            const quint8 type = quint8(buffer->at(3));
            const quint8 flags = quint8(buffer->at(4));
            const quint32 stream = readBigEndian(*buffer, 5, 4) & 0x7fffffff;
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
    switch (m_ending) {
    case Ending::Reset:
        socket->write(frame(ResetStream, 0, stream, bigEndian(2, 4)));
        break;
    case Ending::ResetWithoutError:
        socket->write(frame(ResetStream, 0, stream, bigEndian(0, 4)));
        break;
    case Ending::Close:
        socket->disconnectFromHost();
        break;
    }
}
