#include "Inet.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrl>

#include <algorithm>

#include "core/Cp1252.h"
#include "net/ProxyName.h"

namespace {

const QString HttpScheme = QStringLiteral("http");

// Mode 0 asks the desktop's proxy settings afresh for every request, so a change there needs no restart.
class SystemProxyFactory final : public QNetworkProxyFactory
{
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override { return systemProxyForQuery(query); }
};

const QList<int> RedirectStatuses = {301, 302, 303, 307, 308};

bool isHttp(const QUrl& url)
{
    return url.isValid() && url.scheme() == HttpScheme && !url.host().isEmpty();
}

QUrl urlOf(const QString& address)
{
    const QString trimmed = address.trimmed();
    return QUrl(trimmed.contains(QStringLiteral("://")) ? trimmed : QStringLiteral("http://") + trimmed);
}

} // namespace

struct Inet::Transfer
{
    QNetworkReply* reply = nullptr;
    QByteArray body;
    bool cancelled = false;
    bool tooLarge = false;
};

Inet::Inet(QObject* parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
}

Inet::~Inet()
{
    // A fetch still waiting in its event loop must wake up and fail, not wait for a reply that is deleted with us.
    Cancel();
}

std::optional<QString> Inet::FetchText(const QString& url)
{
    const std::optional<QByteArray> body = fetch(url, MaxTextBytes);
    if (!body) {
        return std::nullopt;
    }
    return fromCp1252(*body);
}

std::optional<QByteArray> Inet::FetchBytes(const QString& url)
{
    return fetch(url, MaxByteBodyBytes);
}

void Inet::Cancel()
{
    // Aborting finishes the reply at once, which lets its fetch's loop return; the list is a copy because an
    // abort may end a fetch that removes itself.
    const QList<Transfer*> running = m_transfers;
    for (Transfer* transfer : running) {
        transfer->cancelled = true;
        transfer->reply->abort();
    }
}

QString Inet::lastFailureText() const
{
    switch (m_lastFailure) {
    case Failure::None:
        return {};
    case Failure::TimedOut:
        return QStringLiteral("The server did not answer in time.");
    case Failure::HostNotFound:
        return QStringLiteral("The server's name could not be found.");
    case Failure::Refused:
        return QStringLiteral("The server refused the connection.");
    case Failure::Cancelled:
        return QStringLiteral("The transfer was stopped.");
    case Failure::TooLarge:
        return QStringLiteral("The server's answer was too large.");
    case Failure::BadRedirect:
        return QStringLiteral("The server sent the request elsewhere too often or to a place that is not HTTP.");
    case Failure::Other:
        break;
    }
    return QStringLiteral("The transfer failed.");
}

void Inet::applyConnectionMode()
{
    switch (m_accessType) {
    case 1:
        m_manager->setProxy(QNetworkProxy::NoProxy);
        break;
    case 2: {
        const ProxyName name = parseProxyName(m_proxy);
        m_manager->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, name.host, name.port));
        break;
    }
    default:
        m_manager->setProxyFactory(new SystemProxyFactory);
        break;
    }
}

std::optional<QByteArray> Inet::fetch(const QString& address, qint64 maxBodyBytes)
{
    m_lastFailure = Failure::None;
    QUrl url = urlOf(address);
    if (!isHttp(url)) {
        m_lastFailure = Failure::Other;
        return std::nullopt;
    }
    applyConnectionMode();
    // Redirects are followed here rather than by Qt, so that each hop is checked to stay on plain HTTP.
    for (int redirects = 0;; ++redirects) {
        Transfer transfer;
        const QPointer<Inet> alive(this);
        runTransfer(url, maxBodyBytes, transfer);
        if (!alive) {
            return std::nullopt;
        }
        const QUrl next = redirectOf(transfer);
        transfer.reply->disconnect();
        transfer.reply->deleteLater();
        if (next.isEmpty()) {
            m_lastFailure = failureOf(transfer);
            if (m_lastFailure != Failure::None) {
                return std::nullopt;
            }
            return transfer.body;
        }
        if (redirects == MaxRedirects || !isHttp(next)) {
            m_lastFailure = Failure::BadRedirect;
            return std::nullopt;
        }
        url = next;
    }
}

void Inet::runTransfer(const QUrl& url, qint64 maxBodyBytes, Transfer& transfer)
{
    QNetworkRequest request(url);
    // A time-out of 0 would mean none at all, and a fetch that may never return.
    request.setTransferTimeout(std::max(m_requestTimeoutSeconds, 1) * 1000);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);

    transfer.reply = m_manager->get(request);
    QNetworkReply* reply = transfer.reply;
    // The announced length lets an oversize body fail before any of it arrives.
    connect(reply, &QNetworkReply::metaDataChanged, reply, [&transfer, reply, maxBodyBytes] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > maxBodyBytes) {
            transfer.tooLarge = true;
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::readyRead, reply, [&transfer, reply, maxBodyBytes] {
        transfer.body += reply->readAll();
        if (transfer.body.size() > maxBodyBytes) {
            transfer.tooLarge = true;
            reply->abort();
        }
    });
    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    const QPointer<Inet> alive(this);
    m_transfers.append(&transfer);
    if (!reply->isFinished()) {
        loop.exec();
    }
    if (!alive) {
        return;
    }
    m_transfers.removeOne(&transfer);
    if (reply->isOpen() && !transfer.tooLarge && !transfer.cancelled) {
        transfer.body += reply->readAll();
    }
}

QUrl Inet::redirectOf(const Transfer& transfer)
{
    if (transfer.cancelled || transfer.tooLarge || transfer.reply->error() != QNetworkReply::NoError) {
        return {};
    }
    const int status = transfer.reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QUrl location = QUrl::fromEncoded(transfer.reply->rawHeader("Location").trimmed());
    if (!RedirectStatuses.contains(status) || location.isEmpty()) {
        return {};
    }
    return transfer.reply->url().resolved(location);
}

Inet::Failure Inet::failureOf(const Transfer& transfer)
{
    if (transfer.cancelled) {
        return Failure::Cancelled;
    }
    if (transfer.tooLarge) {
        return Failure::TooLarge;
    }
    const QNetworkReply::NetworkError error = transfer.reply->error();
    switch (error) {
    case QNetworkReply::NoError:
        return Failure::None;
    // Qt ends a transfer that passed its time-out by cancelling it; our own cancels are flagged above.
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::ProxyTimeoutError:
        return Failure::TimedOut;
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::ProxyNotFoundError:
        return Failure::HostNotFound;
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::ProxyConnectionRefusedError:
        return Failure::Refused;
    default:
        break;
    }
    // A complete answer with an error status (404, 500 ...) is a page the callers read like any other body.
    const bool answered = transfer.reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    const bool contentOrServerError =
        (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError)
        || (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError);
    return answered && contentOrServerError ? Failure::None : Failure::Other;
}
