#pragma once

#include <QString>

#include <array>

// Where the program's internet requests go: the three time servers (each a host followed by "/cgi-bin/date")
// and the two base addresses of the update server (without scheme, ending with "/"). Held as a value so that
// tests can point every request at a server of their own.
struct Endpoints
{
    std::array<QString, 3> timeServers;
    QString primaryBase;
    QString fallbackBase;
};

// The addresses the program ships with.
Endpoints shippedEndpoints();
