#pragma once

#include <QListWidget>
#include <QTcpServer>

#include "SystemRig.h"
#include "support/Control.h"
#include "support/LoopbackHttpServer.h"
#include "ui/system/SystTimeFrm.h"

inline const QString Flash = QStringLiteral("/main/x__c51/flash51.txt");

inline QByteArray dateRoute(int server)
{
    return "/s" + QByteArray::number(server) + "/cgi-bin/date";
}

// A shown system time window whose requests all go to a loopback server: the three time servers and both update
// server addresses, told apart by path.
struct InternetRig : SystemRig
{
    explicit InternetRig(Settings stored = {}, QDateTime now = QDateTime(QDate(2026, 12, 8), QTime(12, 59, 40)))
        : SystemRig(stored)
    {
        fakes.clock.setNow(now);
        const QString host = server.hostAndPort();
        for (int n = 1; n <= 3; ++n) {
            module->NetEndpoints.timeServers.at(n - 1) = host + QString::fromLatin1(dateRoute(n));
        }
        module->NetEndpoints.primaryBase = host + QStringLiteral("/main/");
        module->NetEndpoints.fallbackBase = host + QStringLiteral("/mirror/");
        server.addBody(Flash.toLatin1(), "All clocks are right today.");
        server.addBody("/mirror/x__c51/flash51.txt", "From the mirror.");
        frm = &forms->get<SystTimeFrm>();
        frm->show();
    }

    void answer(int timeServer, const QByteArray& line) { server.addBody(dateRoute(timeServer), line); }

    // Sends these time servers' requests to a port where nothing listens.
    void unplugTimeServers(std::initializer_list<int> servers = {1, 2, 3})
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const QString closed = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
        probe.close();
        for (int n : servers) {
            module->NetEndpoints.timeServers.at(n - 1) = closed + QString::fromLatin1(dateRoute(n));
        }
    }

    QStringList stat() const
    {
        QStringList lines;
        for (int row = 0; row < control<QListWidget>(frm, "Stat")->count(); ++row) {
            lines << control<QListWidget>(frm, "Stat")->item(row)->text();
        }
        return lines;
    }

    // The second line of the progress list names the server asked.
    QString serverAsked() const { return stat().value(1); }

    QList<QByteArray> requests() const { return server.requestedTargets(); }

    LoopbackHttpServer server;
    SystTimeFrm* frm = nullptr;
};
