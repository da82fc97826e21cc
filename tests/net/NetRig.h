#pragma once

#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>

#include "core/Module1.h"
#include "net/Inet.h"
#include "net/Progress.h"
#include "support/FakeServices.h"
#include "support/LoopbackHttpServer.h"

// An internet operation without any window: the shared module in a program folder of its own under a fake clock,
// the transfer component, a loopback server for the three time servers ("/s1/cgi-bin/date" ...) and both update
// server addresses ("/main/", "/mirror/"), and a progress list that records what it is told.
struct NetRig
{
    explicit NetRig(const QDateTime& now = QDateTime(QDate(2026, 12, 8), QTime(12, 59, 40), Qt::UTC))
        : module(fakes.services(), dir.path())
        , link(std::make_unique<Inet>())
    {
        fakes.clock.setNow(now);
        link->setAccessType(Connection::Direct); // the machine's proxy settings must not reach the loopback server
        const QString host = server.hostAndPort();
        for (int n = 1; n <= 3; ++n) {
            module.NetEndpoints.timeServers.at(n - 1) = host + QStringLiteral("/s%1/cgi-bin/date").arg(n);
        }
        module.NetEndpoints.primaryBase = host + QStringLiteral("/main/");
        module.NetEndpoints.fallbackBase = host + QStringLiteral("/mirror/");
    }

    Progress progress()
    {
        return Progress{[this] { lines.clear(); },
                        [this](const QString& line) { lines << line; },
                        [this] {
                            ++transfersStarted;
                            netStatusAtStart = module.NetStatus;
                        }};
    }

    QString file(const QString& bareName) const { return module.programFile(bareName); }

    QTemporaryDir dir;
    FakeServices fakes;
    Module1 module;
    LoopbackHttpServer server;
    std::unique_ptr<Inet> link;
    QStringList lines; // the progress list as it stands
    int transfersStarted = 0;
    std::optional<NetOutcome> netStatusAtStart; // as the first transfer began
};
