#include "GuardedLink.h"

GuardedLink::GuardedLink(Inet& link)
    : m_link(&link)
{
}

std::optional<QString> GuardedLink::fetchText(const QString& url, Inet::Pages pages, Inet::CertificateDates dates)
{
    return m_link ? m_link->FetchText(url, pages, dates) : std::nullopt;
}

std::optional<QByteArray> GuardedLink::fetchBytes(const QString& url, Inet::Pages pages)
{
    return m_link ? m_link->FetchBytes(url, pages) : std::nullopt;
}

void GuardedLink::cancel()
{
    if (m_link) {
        m_link->Cancel();
    }
}

void GuardedLink::stop()
{
    setRequestTimeout(1);
    cancel();
}

void GuardedLink::setRequestTimeout(int seconds)
{
    if (m_link) {
        m_link->setRequestTimeout(seconds);
    }
}

Connection GuardedLink::accessType() const
{
    return m_link ? m_link->accessType() : Connection::SystemSettings;
}

QString GuardedLink::failureText() const
{
    return m_link ? m_link->lastFailureText() : QStringLiteral("The transfer was stopped.");
}
