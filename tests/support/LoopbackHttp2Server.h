#pragma once

#include <QByteArray>
#include <QObject>
#include <QSslServer>

class QSslSocket;

// An HTTP/2 server over TLS on 127.0.0.1 for the stream faults no stock server produces: it answers every request
// with status 200 and the start of a body without a length, then ends the stream as told instead of finishing it.
class LoopbackHttp2Server final : public QObject
{
    Q_OBJECT

public:
    enum class Ending
    {
        Reset,             // RST_STREAM with INTERNAL_ERROR
        ResetWithoutError, // RST_STREAM with NO_ERROR, which only a finished stream may take
        Close              // the connection closes
    };

    // The certificate and its key in PEM files.
    LoopbackHttp2Server(const QString& certificateFile,
                        const QString& keyFile,
                        const QByteArray& bodyStart,
                        Ending ending);

    bool isListening() const { return m_server.isListening(); }
    // "127.0.0.1:port", which the program's addresses reach over HTTPS.
    QString hostAndPort() const;
    int streamsAnswered() const { return m_streamsAnswered; }

private:
    void serve(QSslSocket* socket);
    void answer(QSslSocket* socket, quint32 stream);

    QSslServer m_server;
    QByteArray m_bodyStart;
    Ending m_ending;
    int m_streamsAnswered = 0;
};
