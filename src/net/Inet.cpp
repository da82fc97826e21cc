#include "Inet.h"

#include <QPointer>

#include "core/Cp1252.h"
#include "net/HttpEngine.h"
#include "platform/ProgramModule.h"

Inet::Inet(QObject* parent)
    : QObject(parent)
{
}

Inet::~Inet()
{
    // A fetch still waiting in its event loop must wake up and fail, not wait for a reply that is deleted with us.
    Cancel();
}

std::optional<QString> Inet::FetchText(const QString& url, Pages pages, CertificateDates dates)
{
    const std::optional<QByteArray> body = fetch(url, MaxTextBytes, pages, dates);
    if (!body) {
        return std::nullopt;
    }
    return fromCp1252(*body);
}

std::optional<QByteArray> Inet::FetchBytes(const QString& url, Pages pages)
{
    return fetch(url, MaxByteBodyBytes, pages, CertificateDates::Checked);
}

void Inet::Cancel()
{
    if (m_engine) {
        m_engine->cancel();
    }
}

QString Inet::lastFailureText() const
{
    switch (m_lastFailure) {
    case Failure::None:
        return {};
    case Failure::TimedOut:
        return QStringLiteral("The server did not answer in time.");
    case Failure::TooSlow:
        return QStringLiteral("The server's answer took too long to arrive.");
    case Failure::HostNotFound:
        return QStringLiteral("The server's name could not be found.");
    case Failure::Refused:
        return QStringLiteral("The server refused the connection.");
    case Failure::Cancelled:
        return QStringLiteral("The transfer was stopped.");
    case Failure::TooLarge:
        return QStringLiteral("The server's answer was too large.");
    case Failure::HeaderTooLarge:
        return QStringLiteral("The header of the server's answer was too large.");
    case Failure::Incomplete:
        return QStringLiteral("The connection ended before the server's whole answer had arrived.");
    case Failure::Undecodable:
        return QStringLiteral("The server's packed answer could not be unpacked.");
    case Failure::Malformed:
        return QStringLiteral("The server's answer was not valid HTTP.");
    case Failure::BadRedirect:
        return QStringLiteral("The server sent the request elsewhere too often or to another server.");
    case Failure::ErrorStatus:
        return QStringLiteral("The server does not have the file (it answered with status %1).").arg(m_lastStatus);
    case Failure::Untrusted:
        return QStringLiteral("The server could not prove who it is: %1").arg(m_lastFailureDetail);
    case Failure::NoModule:
        return m_lastFailureDetail;
    case Failure::Other:
        break;
    }
    return QStringLiteral("The transfer failed.");
}

bool Inet::engineLoaded()
{
    // Tried again at every fetch, so that a module put back while the program runs is found.
    if (!m_engine) {
        m_engine = makeFromModule<HttpEngine>(HttpEngine::FileName, HttpEngine::FactoryName, &m_lastFailureDetail);
    }
    return m_engine != nullptr;
}

std::optional<QByteArray> Inet::fetch(const QString& url, qint64 maxBodyBytes, Pages pages, CertificateDates dates)
{
    m_lastFailure = Failure::None;
    m_lastStatus = 0;
    m_lastFailureDetail.clear();
    if (!engineLoaded()) {
        m_lastFailure = Failure::NoModule;
        return std::nullopt;
    }
    const HttpEngine::Settings settings{
        m_accessType, m_proxy, m_requestTimeoutSeconds, m_totalDeadlineSeconds, m_authorities};
    const QPointer<Inet> alive(this);
    HttpEngine::Outcome outcome = m_engine->fetch(url, maxBodyBytes, pages, dates, settings);
    if (!alive) {
        return std::nullopt;
    }
    m_lastFailure = outcome.failure;
    m_lastStatus = outcome.status;
    m_lastFailureDetail = outcome.certificateError;
    return std::move(outcome.body);
}
