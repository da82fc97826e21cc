#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

#include "core/StateCodes.h"

class HttpEngine;

// The program's one HTTP component. A fetch returns only when its transfer has ended, while the event loop keeps
// running (timers fire, clicks are handled); a failure (time-out, unknown host, refused connection, cancel, a body
// cut short, an answer beyond its limits) is an empty optional that the caller's error path handles.
//
// A fetch started while another one waits (from a timer or a click) runs its own transfer; the outer fetch gets
// its own answer once the inner one has returned. Cancel ends every transfer in progress.
class Inet final : public QObject
{
    Q_OBJECT

public:
    // Why the last fetch failed, for messages and for tests.
    enum class Failure
    {
        None,
        TimedOut, // silence beyond the request time-out
        TooSlow,  // still running at the total deadline
        HostNotFound,
        Refused,
        Cancelled,
        TooLarge,
        HeaderTooLarge,
        Incomplete,  // the connection ended before the body had arrived, or without proving that it had
        Undecodable, // a packed body that does not unpack
        Malformed,   // not HTTP, or lengths that contradict each other
        BadRedirect,
        ErrorStatus, // an error page where only a successful answer counts
        Untrusted,   // the server's certificate does not prove that it is the server asked
        NoModule,    // the network module could not be loaded
        Other
    };

    // Which answers a fetch returns. Any page: a server's error page is a body like any other (the newsflash and
    // the newsletter show a missing-file page as text). Success only: what is stored in a file must be the file.
    enum class Pages
    {
        Any,
        SuccessOnly
    };

    // Whether a certificate outside its validity period fails the fetch. Only the time request ignores the dates:
    // the computer's clock may be what is wrong, and mending it is why the time is asked for. Chain and name are
    // checked all the same.
    enum class CertificateDates
    {
        Checked,
        Ignored
    };

    // A body beyond this (as unpacked) is a failure, and so are header lines beyond 64 KiB: a broken or hostile
    // server cannot exhaust memory.
    static constexpr qint64 MaxTextBytes = qint64{1} << 20;
    static constexpr qint64 MaxByteBodyBytes = qint64{32} << 20;
    static constexpr int MaxRedirects = 3;
    // What every operation sets before its first request.
    static constexpr int RequestTimeoutSeconds = 45;
    // The request time-out restarts with every byte; this one does not, so a server that drips its answer
    // cannot hold a fetch, and every operation waiting behind it, for minutes.
    static constexpr int TotalDeadlineSeconds = 60;

    explicit Inet(QObject* parent = nullptr);
    ~Inet() override;

    // As the NetAccess setting.
    Connection accessType() const { return m_accessType; }
    void setAccessType(Connection mode) { m_accessType = mode; }
    // "host" or "host:port" (port 80 when none is given), used with Connection::Proxy.
    QString proxy() const { return m_proxy; }
    void setProxy(const QString& name) { m_proxy = name; }
    int requestTimeout() const { return m_requestTimeoutSeconds; }
    void setRequestTimeout(int seconds) { m_requestTimeoutSeconds = seconds; }
    int totalDeadline() const { return m_totalDeadlineSeconds; }
    void setTotalDeadline(int seconds) { m_totalDeadlineSeconds = seconds; }
    // The certificate authorities (PEM) trusted in place of the system's store; none (the program's case) means the
    // system's.
    void setAuthorities(const QByteArray& authorities) { m_authorities = authorities; }

    // url is a host with an optional path, fetched over HTTPS; a URL that names its scheme may be plain HTTP (only
    // tests' loopback servers are named so). Text bodies are read as Windows-1252, like every other text file of
    // the program. A redirect is followed only on the same server and scheme.
    [[nodiscard]] std::optional<QString>
    FetchText(const QString& url, Pages pages = Pages::Any, CertificateDates dates = CertificateDates::Checked);
    [[nodiscard]] std::optional<QByteArray> FetchBytes(const QString& url, Pages pages = Pages::Any);
    // Ends the transfer in progress at once and makes its fetch fail; harmless when none runs.
    void Cancel();

    Failure lastFailure() const { return m_lastFailure; }
    // A sentence for the user about the last failure; empty after a fetch that succeeded.
    QString lastFailureText() const;

private:
    std::optional<QByteArray> fetch(const QString& url, qint64 maxBodyBytes, Pages pages, CertificateDates dates);
    // The HTTP client, loaded with the first fetch; false, with the reason kept, when its module cannot be.
    bool engineLoaded();

    Connection m_accessType = Connection::SystemSettings;
    QString m_proxy;
    int m_requestTimeoutSeconds = RequestTimeoutSeconds;
    int m_totalDeadlineSeconds = TotalDeadlineSeconds;
    QByteArray m_authorities; // PEM
    Failure m_lastFailure = Failure::None;
    int m_lastStatus = 0;        // of the last answer, for the error-page message
    QString m_lastFailureDetail; // why the certificate was refused, or the module could not be loaded
    std::unique_ptr<HttpEngine> m_engine;
};
