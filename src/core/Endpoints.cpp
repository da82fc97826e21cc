#include "Endpoints.h"

Endpoints shippedEndpoints()
{
    return Endpoints{
        {
            QStringLiteral("time1.huxo-clock.net/cgi-bin/date"),
            QStringLiteral("time2.huxo-clock.net/cgi-bin/date"),
            QStringLiteral("time3.huxo-clock.net/cgi-bin/date"),
        },
        QStringLiteral("www.huxo-clock.net/"),
        QStringLiteral("mirror.huxo-clock.net/huxo/"),
        {},
    };
}
