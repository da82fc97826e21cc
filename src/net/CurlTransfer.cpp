#include "CurlTransfer.h"

#include <curl/curl.h>
#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>

namespace {

// During the chain's check: a certificate outside its validity period passes as if it were inside; every other
// fault fails as always, and the host name is checked after this by libcurl.
int forgiveDates(int verified, X509_STORE_CTX* store)
{
    const int error = X509_STORE_CTX_get_error(store);
    if (!verified && (error == X509_V_ERR_CERT_HAS_EXPIRED || error == X509_V_ERR_CERT_NOT_YET_VALID)) {
        X509_STORE_CTX_set_error(store, X509_V_OK);
        return 1;
    }
    return verified;
}

CURLcode installDateForgiveness(CURL*, void* context, void*)
{
    auto* tls = static_cast<SSL_CTX*>(context);
    SSL_CTX_set_verify(tls, SSL_CTX_get_verify_mode(tls), forgiveDates);
    return CURLE_OK;
}

} // namespace

CurlTransfer::CurlTransfer(const Request& request)
    : m_handle(curl_easy_init())
    , m_maxBodyBytes(request.maxBodyBytes)
    , m_error(CURL_ERROR_SIZE, '\0')
{
    CURL* curl = m_handle;
    curl_easy_setopt(curl, CURLOPT_URL, request.url.toEncoded().constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_error.data());
    curl_easy_setopt(curl, CURLOPT_PROXY, request.proxy.constData());
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &CurlTransfer::onHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &CurlTransfer::onBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    // Packed bodies are unpacked by libcurl, and one that does not unpack fails; the unpacked size is what counts.
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "gzip, deflate");
    // An announced length beyond the limit fails before any of the body arrives.
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t{request.maxBodyBytes});
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, long(request.totalMs));
    curl_easy_setopt(curl, CURLOPT_SSLVERSION, long(CURL_SSLVERSION_TLSv1_2));
    if (!request.authorities.isEmpty()) {
        curl_blob authorities{
            const_cast<char*>(request.authorities.constData()), size_t(request.authorities.size()), CURL_BLOB_COPY};
        curl_easy_setopt(curl, CURLOPT_CAINFO_BLOB, &authorities);
        curl_easy_setopt(curl, CURLOPT_CAPATH, nullptr);
    }
    if (request.dates == Inet::CertificateDates::Ignored) {
        curl_easy_setopt(curl, CURLOPT_SSL_CTX_FUNCTION, &installDateForgiveness);
        // A connection whose certificate's dates were forgiven is never kept for a fetch that checks them, nor
        // shared with one while it runs, as HTTP/2 would.
        curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
        curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    }
    // libcurl's own low-speed check averages over several seconds; silence is timed here, from byte to byte.
    m_silence.setSingleShot(true);
    m_silence.start(request.idleSeconds * 1000);
}

CurlTransfer::~CurlTransfer()
{
    curl_easy_cleanup(m_handle);
}

size_t CurlTransfer::onHeader(char* data, size_t, size_t count, void* self)
{
    auto* transfer = static_cast<CurlTransfer*>(self);
    transfer->m_silence.start();
    transfer->m_headVerdict = transfer->m_head.add(QByteArrayView(data, qsizetype(count)));
    // Taking less than was given ends the transfer.
    return transfer->m_headVerdict == ResponseHead::Verdict::Fine ? count : 0;
}

size_t CurlTransfer::onBody(char* data, size_t, size_t count, void* self)
{
    auto* transfer = static_cast<CurlTransfer*>(self);
    transfer->m_silence.start();
    if (transfer->m_body.size() + qint64(count) > transfer->m_maxBodyBytes) {
        transfer->m_bodyTooLarge = true;
        return 0;
    }
    transfer->m_body.append(data, qsizetype(count));
    return count;
}

Inet::Failure CurlTransfer::failureOf(int code) const
{
    using Failure = Inet::Failure;
    switch (CURLcode(code)) {
    case CURLE_OK:
        return m_head.bodyEndIsProven() ? Failure::None : Failure::Incomplete;
    case CURLE_WRITE_ERROR:
        if (m_headVerdict == ResponseHead::Verdict::TooLarge) {
            return Failure::HeaderTooLarge;
        }
        if (m_headVerdict == ResponseHead::Verdict::BadLength) {
            return Failure::Malformed;
        }
        return m_bodyTooLarge ? Failure::TooLarge : Failure::Other;
    case CURLE_FILESIZE_EXCEEDED:
        return Failure::TooLarge;
    // libcurl refuses a single header line beyond its own bound before the line reaches onHeader.
    case CURLE_OUT_OF_MEMORY:
        return m_head.isComplete() ? Failure::Other : Failure::HeaderTooLarge;
    case CURLE_OPERATION_TIMEDOUT: // only the total deadline is libcurl's
        return Failure::TooSlow;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return Failure::HostNotFound;
    case CURLE_COULDNT_CONNECT:
        return Failure::Refused;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
        return Failure::Untrusted;
    case CURLE_BAD_CONTENT_ENCODING:
        return Failure::Undecodable;
    // A chunk size that is no number, or too large for one, is told apart from a connection cut only in words.
    case CURLE_RECV_ERROR:
        return m_error.contains("chunk") ? Failure::Malformed : Failure::Incomplete;
    case CURLE_PARTIAL_FILE:
    case CURLE_GOT_NOTHING:
    case CURLE_HTTP2_STREAM:
    case CURLE_SEND_ERROR:
        return Failure::Incomplete;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_HTTP2:
        return Failure::Malformed;
    default:
        return Failure::Other;
    }
}

int CurlTransfer::status() const
{
    long status = 0;
    curl_easy_getinfo(m_handle, CURLINFO_RESPONSE_CODE, &status);
    return int(status);
}

QUrl CurlTransfer::location() const
{
    const char* location = nullptr;
    curl_easy_getinfo(m_handle, CURLINFO_REDIRECT_URL, &location);
    return location ? QUrl::fromEncoded(location) : QUrl();
}

QString CurlTransfer::errorText() const
{
    QString text = QString::fromUtf8(m_error.constData()).trimmed();
    for (const QString& prefix : {QStringLiteral("SSL certificate problem: "), QStringLiteral("SSL: ")}) {
        if (text.startsWith(prefix)) {
            text.remove(0, prefix.size());
        }
    }
    return text;
}
