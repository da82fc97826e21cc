#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

#include "net/Inet.h"

// The HTTP client behind Inet, in the network module that the first fetch loads: one fetch, with its redirects,
// within the limits that Inet names.
class HttpEngine : public QObject
{
public:
    struct Settings
    {
        Connection accessType = Connection::SystemSettings;
        QString proxy;
        int requestTimeoutSeconds = Inet::RequestTimeoutSeconds;
        int totalDeadlineSeconds = Inet::TotalDeadlineSeconds;
        QByteArray authorities; // PEM; empty for the system's store
    };
    struct Outcome
    {
        std::optional<QByteArray> body;
        Inet::Failure failure = Inet::Failure::None;
        int status = 0;           // of the last answer
        QString certificateError; // why the server's certificate was refused
    };

    // Returns when the transfer has ended, while the event loop keeps running; this object may be gone by then.
    virtual Outcome fetch(
        const QString& url, qint64 maxBodyBytes, Inet::Pages pages, Inet::CertificateDates dates, const Settings&) = 0;
    // Ends every transfer in progress at once; each of their fetches fails as cancelled.
    virtual void cancel() = 0;

    // The module's file and its factory.
    static constexpr const char* FileName = "libhuxo-net.so";
    static constexpr const char* FactoryName = "huxoMakeHttpEngine";
};
