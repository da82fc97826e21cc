#include "ProxyName.h"

ProxyName parseProxyName(const QString& text)
{
    ProxyName proxy;
    const QString trimmed = text.trimmed();
    const qsizetype colon = trimmed.lastIndexOf(u':');
    if (colon < 0) {
        proxy.host = trimmed;
        return proxy;
    }
    proxy.host = trimmed.left(colon);
    bool ok = false;
    const uint port = trimmed.mid(colon + 1).toUInt(&ok);
    if (ok && port >= 1 && port <= 65535) {
        proxy.port = static_cast<quint16>(port);
    }
    return proxy;
}
