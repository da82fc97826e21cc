#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

// The program's one HTTP component. A fetch returns only when its transfer has ended, while the event loop keeps
// running (timers fire, clicks are handled); a failure (time-out, unknown host, refused connection, cancel) is
// an empty optional that the caller's error path handles. A server's error page is a body like any other.
class Inet final : public QObject
{
    Q_OBJECT

public:
    explicit Inet(QObject* parent = nullptr);
    ~Inet() override;

    // 0 the system's proxy settings, 1 direct, 2 the named proxy; as the NetAccess setting.
    int accessType() const { return m_accessType; }
    void setAccessType(int mode) { m_accessType = mode; }
    // "host" or "host:port" (port 80 when none is given), used in mode 2.
    QString proxy() const { return m_proxy; }
    void setProxy(const QString& name) { m_proxy = name; }
    int requestTimeout() const { return m_requestTimeoutSeconds; }
    void setRequestTimeout(int seconds) { m_requestTimeoutSeconds = seconds; }

    // url is without scheme: a host with an optional path.
    [[nodiscard]] std::optional<QString> FetchText(const QString& url);
    [[nodiscard]] std::optional<QByteArray> FetchBytes(const QString& url);
    // Ends the transfer in progress at once and makes its fetch fail; harmless when none runs.
    void Cancel();

private:
    int m_accessType = 0;
    QString m_proxy;
    int m_requestTimeoutSeconds = 45;
};
