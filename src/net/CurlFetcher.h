#pragma once

#include <QList>
#include <QUrl>

#include <memory>

#include "net/HttpEngine.h"

class CurlLoop;

// Inet's fetches made by libcurl on the program's event loop. A fetch started while another one waits (from a
// timer or a click) runs its own transfer; the outer fetch gets its own answer once the inner one has returned.
class CurlFetcher final : public HttpEngine
{
public:
    CurlFetcher();
    ~CurlFetcher() override;

    Outcome fetch(const QString& url,
                  qint64 maxBodyBytes,
                  Inet::Pages pages,
                  Inet::CertificateDates dates,
                  const Settings& settings) override;
    void cancel() override;

private:
    struct Transfer;

    // The proxy for this address in the connection mode, as libcurl names one; empty for none.
    static QByteArray proxyFor(const QUrl& url, const Settings& settings);
    // Waits until the transfer has ended; this object may be gone when it returns.
    void runTransfer(Transfer& transfer);
    // Ends a transfer from this side, at once.
    void end(Transfer& transfer, Inet::Failure why);

    std::unique_ptr<CurlLoop> m_curl;
    QList<Transfer*> m_transfers; // innermost last
};
