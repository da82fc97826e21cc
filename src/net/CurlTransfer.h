#pragma once

#include <QByteArray>
#include <QString>
#include <QTimer>
#include <QUrl>

#include "net/Inet.h"
#include "net/ResponseHead.h"

// One GET by libcurl within hard limits: the answer's header lines and its body (as unpacked) are counted as they
// arrive, and the transfer ends as soon as either passes its bound. A CurlLoop runs it.
class CurlTransfer final
{
public:
    struct Request
    {
        QUrl url;
        QByteArray proxy;       // the proxy's address ("http://host:port"); empty for none
        QByteArray authorities; // PEM, trusted in place of the system's store when not empty
        qint64 maxBodyBytes = 0;
        int idleSeconds = 1; // how long the answer may be silent
        qint64 totalMs = 1;  // the whole transfer, connecting included
        Inet::CertificateDates dates = Inet::CertificateDates::Checked;
    };

    explicit CurlTransfer(const Request& request);
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    void* handle() const { return m_handle; }
    // Times out when no byte of the answer has come for the idle time, counted from the start.
    QTimer& silence() { return m_silence; }

    // What libcurl's result code and the counted answer together say.
    Inet::Failure failureOf(int code) const;
    int status() const;
    // Where a redirect leads, resolved against the address asked; empty when the answer names no place.
    QUrl location() const;
    const QByteArray& body() const { return m_body; }
    // libcurl's own words on why the transfer failed.
    QString errorText() const;

private:
    static size_t onHeader(char* data, size_t size, size_t count, void* self);
    static size_t onBody(char* data, size_t size, size_t count, void* self);

    void* m_handle = nullptr;
    qint64 m_maxBodyBytes = 0;
    ResponseHead m_head;
    ResponseHead::Verdict m_headVerdict = ResponseHead::Verdict::Fine;
    QByteArray m_body;
    bool m_bodyTooLarge = false;
    QByteArray m_error;
    QTimer m_silence;
};
