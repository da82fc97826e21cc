#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

// An HTTP server on 127.0.0.1 at a port of the system's choosing, run by the test's own event loop. Each route
// answers in its own way; a path without a route gets a 404 page. Every connection is closed after its answer.
class LoopbackHttpServer final : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* NotFoundPage = "<html><body>404 Not Found</body></html>";

    explicit LoopbackHttpServer(QObject* parent = nullptr);

    bool isListening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }
    // "http://127.0.0.1:port", ready to be followed by a path. The scheme is named: an address without one is
    // fetched over HTTPS.
    QString hostAndPort() const;

    void addBody(const QByteArray& path, const QByteArray& body, int status = 200);
    void addDelayed(const QByteArray& path, const QByteArray& body, int delayMs);
    // Reads the request and never answers.
    void addSilent(const QByteArray& path);
    // Sends the head (announcing announcedLength bytes, or no length when negative) and firstPart, then nothing.
    void addStalledBody(const QByteArray& path, const QByteArray& firstPart, qint64 announcedLength);
    // Sends a body without a length that goes on until the client hangs up.
    void addEndlessBody(const QByteArray& path);
    // Sends a status line, then header lines that go on until the client hangs up: many short ones, or one that
    // never ends.
    enum class HeadLines
    {
        Many,
        OneEndless
    };
    void addEndlessHead(const QByteArray& path, HeadLines lines);
    void addRedirect(const QByteArray& path, const QByteArray& location);
    // Sends a 200 answer of this body one byte every intervalMs, each byte in time for any idle time-out.
    void addDrip(const QByteArray& path, const QByteArray& body, int intervalMs);
    // Sends these bytes as they stand (a head and a body of the test's making, or no HTTP at all), then closes the
    // connection, or resets it as a crashed server would.
    enum class Ending
    {
        Close,
        Reset
    };
    void addRaw(const QByteArray& path, const QByteArray& bytes, Ending ending = Ending::Close);

    // Request targets in the order they arrived.
    QList<QByteArray> requestedTargets() const { return m_requestedTargets; }
    // Connections whose client hung up before the server finished with them.
    int hangUps() const { return m_hangUps; }

private:
    enum class Kind
    {
        Body,
        Delayed,
        Silent,
        Stalled,
        Endless,
        EndlessHead,
        EndlessHeadLine,
        Redirect,
        Drip,
        Raw,
        RawReset
    };
    struct Route
    {
        Kind kind = Kind::Body;
        QByteArray body;
        int status = 200;
        int delayMs = 0;
        qint64 announcedLength = -1;
    };

    void answer(QTcpSocket* socket, const QByteArray& target);
    // Sends the head, then the chunk over and over, as fast as the client reads.
    void streamEndlessly(QTcpSocket* socket, const QByteArray& head, const QByteArray& chunk);
    void drip(QTcpSocket* socket, const QByteArray& body, int intervalMs);
    static void resetAfter(QTcpSocket* socket, const QByteArray& bytes);

    QTcpServer m_server;
    QHash<QByteArray, Route> m_routes;
    QList<QByteArray> m_requestedTargets;
    int m_hangUps = 0;
};
