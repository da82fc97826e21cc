#include "Inet.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslConfiguration>
#include <QSslError>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <chrono>

#include "core/Cp1252.h"
#include "net/ProxyName.h"

namespace {

const QString HttpsScheme = QStringLiteral("https");

// Mode 0 asks the desktop's proxy settings afresh for every request, so a change there needs no restart.
class SystemProxyFactory final : public QNetworkProxyFactory
{
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override { return systemProxyForQuery(query); }
};

const QList<int> RedirectStatuses = {301, 302, 303, 307, 308};

bool isWebAddress(const QUrl& url)
{
    return url.isValid() && (url.scheme() == HttpsScheme || url.scheme() == QStringLiteral("http"))
           && !url.host().isEmpty();
}

int portOf(const QUrl& url)
{
    return url.port(url.scheme() == HttpsScheme ? 443 : 80);
}

// A redirect may move within the server that was asked, never to another host, port or scheme.
bool sameServer(const QUrl& a, const QUrl& b)
{
    return a.scheme() == b.scheme() && a.host() == b.host() && portOf(a) == portOf(b);
}

bool isSuccess(int status)
{
    return status >= 200 && status <= 299;
}

// An address without a scheme is the program's own kind, and goes over HTTPS; there is no plain HTTP to fall back
// on.
QUrl urlOf(const QString& address)
{
    const QString trimmed = address.trimmed();
    return QUrl(trimmed.contains(QStringLiteral("://")) ? trimmed : HttpsScheme + QStringLiteral("://") + trimmed);
}

bool isOutsideValidity(const QSslError& error)
{
    return error.error() == QSslError::CertificateExpired || error.error() == QSslError::CertificateNotYetValid;
}

} // namespace

struct Inet::Transfer
{
    QNetworkReply* reply = nullptr;
    QByteArray body;
    bool cancelled = false;
    bool tooLarge = false;
    bool tooSlow = false;
    QList<QSslError> certificateErrors; // those not ignored
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
    case Failure::Incomplete:
        return QStringLiteral("The connection ended before the server's whole answer had arrived.");
    case Failure::BadRedirect:
        return QStringLiteral("The server sent the request elsewhere too often or to another server.");
    case Failure::ErrorStatus:
        return QStringLiteral("The server does not have the file (it answered with status %1).").arg(m_lastStatus);
    case Failure::Untrusted:
        return QStringLiteral("The server could not prove who it is: %1").arg(m_lastCertificateError);
    case Failure::Other:
        break;
    }
    return QStringLiteral("The transfer failed.");
}

void Inet::applyConnectionMode()
{
    switch (m_accessType) {
    case Connection::Direct:
        m_manager->setProxy(QNetworkProxy::NoProxy);
        return;
    case Connection::Proxy: {
        const ProxyName name = parseProxyName(m_proxy);
        m_manager->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, name.host, name.port));
        return;
    }
    case Connection::SystemSettings:
        break;
    }
    m_manager->setProxyFactory(new SystemProxyFactory);
}

std::optional<QByteArray> Inet::fetch(const QString& address, qint64 maxBodyBytes, Pages pages, CertificateDates dates)
{
    m_lastFailure = Failure::None;
    m_lastStatus = 0;
    m_lastCertificateError.clear();
    const QUrl asked = urlOf(address);
    if (!isWebAddress(asked)) {
        m_lastFailure = Failure::Other;
        return std::nullopt;
    }
    applyConnectionMode();
    const QDeadlineTimer deadline(std::chrono::seconds(std::max(m_totalDeadlineSeconds, 1)));
    // Redirects are followed here rather than by Qt, so that each hop is checked to stay on the server asked.
    QUrl url = asked;
    for (int redirects = 0;; ++redirects) {
        Transfer transfer;
        const QPointer<Inet> alive(this);
        runTransfer(url, maxBodyBytes, dates, deadline, transfer);
        if (!alive) {
            return std::nullopt;
        }
        if (!transfer.certificateErrors.isEmpty()) {
            m_lastCertificateError = transfer.certificateErrors.constFirst().errorString();
        }
        m_lastStatus = transfer.reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QUrl next = redirectOf(transfer);
        transfer.reply->disconnect();
        transfer.reply->deleteLater();
        if (next.isEmpty()) {
            m_lastFailure = failureOf(transfer, pages);
            if (m_lastFailure != Failure::None) {
                return std::nullopt;
            }
            return transfer.body;
        }
        if (redirects == MaxRedirects || !sameServer(next, asked)) {
            m_lastFailure = Failure::BadRedirect;
            return std::nullopt;
        }
        url = next;
    }
}

QNetworkRequest Inet::requestFor(const QUrl& url, CertificateDates dates) const
{
    QNetworkRequest request(url);
    // A time-out of 0 would mean none at all, and a fetch that may never return.
    request.setTransferTimeout(std::max(m_requestTimeoutSeconds, 1) * 1000);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    if (!m_authorities.isEmpty()) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setCaCertificates(m_authorities);
        request.setSslConfiguration(tls);
    }
    if (dates == CertificateDates::Ignored) {
        // A connection whose certificate's dates were forgiven must not be kept for a later fetch that checks them;
        // HTTP/2 would share it.
        request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
        request.setRawHeader("Connection", "close");
    }
    return request;
}

void Inet::runTransfer(
    const QUrl& url, qint64 maxBodyBytes, CertificateDates dates, const QDeadlineTimer& deadline, Transfer& transfer)
{
    transfer.reply = m_manager->get(requestFor(url, dates));
    QNetworkReply* reply = transfer.reply;
    // Dates are forgiven only when they are all that is wrong: an untrusted chain or another name fails regardless.
    connect(reply, &QNetworkReply::sslErrors, reply, [&transfer, reply, dates](const QList<QSslError>& errors) {
        if (dates == CertificateDates::Ignored && std::all_of(errors.begin(), errors.end(), isOutsideValidity)) {
            reply->ignoreSslErrors(errors);
            return;
        }
        transfer.certificateErrors = errors;
    });
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
    QTimer totalDeadline;
    totalDeadline.setSingleShot(true);
    connect(&totalDeadline, &QTimer::timeout, reply, [&transfer, reply] {
        transfer.tooSlow = true;
        reply->abort();
    });
    totalDeadline.start(std::chrono::milliseconds(deadline.remainingTime()));
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
    if (reply->isOpen() && !transfer.tooLarge && !transfer.cancelled && !transfer.tooSlow) {
        transfer.body += reply->readAll();
    }
}

QUrl Inet::redirectOf(const Transfer& transfer)
{
    if (transfer.cancelled || transfer.tooLarge || transfer.tooSlow
        || transfer.reply->error() != QNetworkReply::NoError) {
        return {};
    }
    const int status = transfer.reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QUrl location = QUrl::fromEncoded(transfer.reply->rawHeader("Location").trimmed());
    if (!RedirectStatuses.contains(status) || location.isEmpty()) {
        return {};
    }
    return transfer.reply->url().resolved(location);
}

Inet::Failure Inet::failureOf(const Transfer& transfer, Pages pages)
{
    if (transfer.cancelled) {
        return Failure::Cancelled;
    }
    if (transfer.tooLarge) {
        return Failure::TooLarge;
    }
    if (transfer.tooSlow) {
        return Failure::TooSlow;
    }
    const QNetworkReply* reply = transfer.reply;
    const QNetworkReply::NetworkError error = reply->error();
    switch (error) {
    case QNetworkReply::NoError:
        break;
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
    case QNetworkReply::RemoteHostClosedError:
        return Failure::Incomplete;
    case QNetworkReply::SslHandshakeFailedError:
        return Failure::Untrusted;
    default: {
        // A complete answer with an error status (404, 500 ...) is a page like any other; anything else failed.
        const bool contentOrServerError =
            (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError)
            || (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError);
        if (!contentOrServerError) {
            return Failure::Other;
        }
        break;
    }
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) {
        return Failure::Other;
    }
    // A body shorter than announced was cut off. A compressed body is announced at its compressed size, and
    // Qt itself fails one that ends early.
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    if (announced.isValid() && !reply->hasRawHeader("Content-Encoding")
        && announced.toLongLong() != transfer.body.size()) {
        return Failure::Incomplete;
    }
    if (pages == Pages::SuccessOnly && !isSuccess(status.toInt())) {
        return Failure::ErrorStatus;
    }
    return Failure::None;
}
