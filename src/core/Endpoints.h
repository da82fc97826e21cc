#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// Where the program's internet requests go, and whom they trust: the three time servers (each a host followed by
// "/cgi-bin/date") and the two base addresses of the update server (without scheme, so over HTTPS, ending with
// "/"). Held as a value so that tests can point every request at a server of their own, and trust its certificate.
struct Endpoints
{
    std::array<QString, 3> timeServers;
    QString primaryBase;
    QString fallbackBase;
    // Certificate authorities (PEM) trusted in place of the system's store; the program has none and trusts the
    // system.
    QByteArray authorities;
};

// The addresses the program ships with.
Endpoints shippedEndpoints();
