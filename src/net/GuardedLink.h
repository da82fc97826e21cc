#pragma once

#include <QPointer>

#include <optional>

#include "net/Inet.h"

// The transfer component as an operation uses it. The component belongs to a window, and the window may be closed
// while a fetch waits: from then on every fetch fails and every other use does nothing.
class GuardedLink
{
public:
    explicit GuardedLink(Inet& link);

    std::optional<QString> fetchText(const QString& url,
                                     Inet::Pages pages = Inet::Pages::Any,
                                     Inet::CertificateDates dates = Inet::CertificateDates::Checked);
    std::optional<QByteArray> fetchBytes(const QString& url, Inet::Pages pages = Inet::Pages::Any);
    void cancel();
    // The time-out drops to a second before the cancel, so that a hanging transfer ends at once.
    void stop();
    void setRequestTimeout(int seconds);
    Connection accessType() const;
    // Why the last fetch failed, in a sentence for the progress list.
    QString failureText() const;

private:
    QPointer<Inet> m_link;
};
