#pragma once

#include <QString>

// A proxy named as "host" or "host:port"; the port is 80 when none is given.
struct ProxyName
{
    QString host;
    quint16 port = 80;
};

// What the preferences window offers before the user names a proxy; it names none.
inline const QString ProxyPlaceholder = QStringLiteral("www.proxy.");

// Blanks around the name are ignored; a port that is not a number from 1 to 65535 leaves the default.
ProxyName parseProxyName(const QString& text);
