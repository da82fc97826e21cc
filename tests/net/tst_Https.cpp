#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>

#include "NetRig.h"
#include "net/TimeCorrection.h"
#include "support/LoopbackService.h"

using namespace Qt::StringLiterals;

namespace {

const QString SourceDir = QStringLiteral(HUXO_SOURCE_DIR);
constexpr quint16 ProxyPort = 18888;

// The certificates the web server is run with, each on ports of its own: https on 18440 + n, plain http (which
// serve.sh always offers as well) on 18080 + n.
const QStringList CertificateNames{u"server"_s,
                                   u"expired"_s,
                                   u"not-yet-valid"_s,
                                   u"wrong-name"_s,
                                   u"expired-wrong-name"_s,
                                   u"self-signed"_s,
                                   u"other-authority"_s};

quint16 httpsPort(const QString& certificate)
{
    return quint16(18440 + CertificateNames.indexOf(certificate));
}

// Without a scheme, as the program names its servers.
QString timeLineAt(const QString& certificate)
{
    return u"127.0.0.1:%1/cgi-bin/date"_s.arg(httpsPort(certificate));
}

} // namespace

// HTTPS against the project's own web server, run with good and bad certificates, directly and through Debian's
// proxy: the chain and the name are always checked, the dates everywhere but for the time request.
class tst_Https : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void certificatesAreChecked_data();
    void certificatesAreChecked();
    void onlyTheSystemsAuthoritiesAreTrustedByDefault();
    void theNamedProxyCarriesHttpsAndItsChecks();
    void theTimeRequestAloneForgivesAnExpiredCertificate();

private:
    QString file(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QByteArray m_authority; // PEM
    std::map<QString, std::unique_ptr<LoopbackService>> m_servers;
    std::unique_ptr<LoopbackService> m_proxy;
    std::unique_ptr<Inet> m_inet;
};

void tst_Https::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QProcess certificates;
    certificates.setProcessChannelMode(QProcess::MergedChannels);
    certificates.start(SourceDir + u"/tests/support/make_test_certificates.sh"_s, {m_dir.path()});
    QVERIFY(certificates.waitForFinished(60000));
    QVERIFY2(certificates.exitCode() == 0, certificates.readAll().constData());
    QFile authority(file(u"ca.pem"_s));
    QVERIFY(authority.open(QIODevice::ReadOnly));
    m_authority = authority.readAll();

    for (const QString& name : CertificateNames) {
        const quint16 port = httpsPort(name);
        const QStringList arguments{u"--http"_s,
                                    QString::number(port - 360),
                                    u"--https"_s,
                                    QString::number(port),
                                    u"--cert"_s,
                                    file(name + u".pem"_s),
                                    u"--key"_s,
                                    file(name + u".key"_s),
                                    file(u"work-"_s + name)};
        m_servers[name] = std::make_unique<LoopbackService>(SourceDir + u"/server/serve.sh"_s, arguments, port);
        QVERIFY2(m_servers[name]->failure().isEmpty(), qPrintable(m_servers[name]->failure()));
    }
    m_proxy = std::make_unique<LoopbackService>(SourceDir + u"/tests/support/run_tinyproxy.sh"_s,
                                                QStringList{QString::number(ProxyPort), m_dir.path()},
                                                ProxyPort);
    QVERIFY2(m_proxy->failure().isEmpty(), qPrintable(m_proxy->failure()));
}

void tst_Https::init()
{
    m_inet = std::make_unique<Inet>();
    m_inet->setAccessType(Connection::Direct);
    m_inet->setAuthorities(m_authority);
}

void tst_Https::certificatesAreChecked_data()
{
    QTest::addColumn<QString>("certificate");
    QTest::addColumn<bool>("passesChecked");
    QTest::addColumn<bool>("passesWithoutDates");
    QTest::addColumn<QString>("reason");

    QTest::newRow("valid") << u"server"_s << true << true << QString();
    QTest::newRow("expired") << u"expired"_s << false << true << u"expired"_s;
    QTest::newRow("not yet valid") << u"not-yet-valid"_s << false << true << u"not yet valid"_s;
    QTest::newRow("another name") << u"wrong-name"_s << false << false << u"name"_s;
    // Checked, the dates fail first; without them, the name still fails.
    QTest::newRow("expired and another name") << u"expired-wrong-name"_s << false << false << u"expired"_s;
    QTest::newRow("self-signed") << u"self-signed"_s << false << false << u"self-signed"_s;
    QTest::newRow("an untrusted authority") << u"other-authority"_s << false << false << u"issuer"_s;
}

void tst_Https::certificatesAreChecked()
{
    QFETCH(QString, certificate);
    QFETCH(bool, passesChecked);
    QFETCH(bool, passesWithoutDates);
    QFETCH(QString, reason);

    const std::optional<QString> checked = m_inet->FetchText(timeLineAt(certificate));
    QCOMPARE(checked.has_value(), passesChecked);
    if (!passesChecked) {
        QCOMPARE(m_inet->lastFailure(), Inet::Failure::Untrusted);
        QVERIFY2(m_inet->lastFailureText().contains(reason, Qt::CaseInsensitive),
                 qPrintable(m_inet->lastFailureText()));
    }
    const std::optional<QString> withoutDates =
        m_inet->FetchText(timeLineAt(certificate), Inet::Pages::Any, Inet::CertificateDates::Ignored);
    QCOMPARE(withoutDates.has_value(), passesWithoutDates);
    if (withoutDates) {
        QVERIFY2(withoutDates->endsWith(u" UTC %1\n"_s.arg(QDate::currentDate().year())), qPrintable(*withoutDates));
    }
    // Bytes are never fetched without the dates checked.
    QCOMPARE(m_inet->FetchBytes(timeLineAt(certificate)).has_value(), passesChecked);
}

void tst_Https::onlyTheSystemsAuthoritiesAreTrustedByDefault()
{
    Inet program;
    program.setAccessType(Connection::Direct);
    QVERIFY(!program.FetchText(timeLineAt(u"server"_s)));
    QCOMPARE(program.lastFailure(), Inet::Failure::Untrusted);
}

void tst_Https::theNamedProxyCarriesHttpsAndItsChecks()
{
    m_inet->setAccessType(Connection::Proxy);
    m_inet->setProxy(u"127.0.0.1:%1"_s.arg(ProxyPort));
    QVERIFY(m_inet->FetchText(timeLineAt(u"server"_s)));
    QVERIFY(!m_inet->FetchText(timeLineAt(u"wrong-name"_s)));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::Untrusted);

    QFile log(file(u"tinyproxy.log"_s));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray logged = log.readAll();
    for (const QString& certificate : {u"server"_s, u"wrong-name"_s}) {
        const QByteArray connect = "CONNECT 127.0.0.1:" + QByteArray::number(httpsPort(certificate));
        QVERIFY2(logged.contains(connect), logged.constData());
    }
}

void tst_Https::theTimeRequestAloneForgivesAnExpiredCertificate()
{
    NetRig rig(QDateTime::currentDateTimeUtc());
    rig.link->setAuthorities(m_authority);
    const QString expired = u"127.0.0.1:%1/"_s.arg(httpsPort(u"expired"_s));
    rig.module.NetEndpoints.timeServers.at(0) = expired + u"cgi-bin/date"_s;
    rig.module.NetEndpoints.primaryBase = expired;
    rig.module.MServer = ServerBase::Primary;
    const TimeCorrection::Result result = TimeCorrection(rig.module, *rig.link, rig.progress()).run(0, true);

    QCOMPARE(result.clock, ClockOutcome::Set);
    QCOMPARE(rig.fakes.clock.setCount(), 1);
    QVERIFY(!result.newsflash);
    const QString said = rig.lines.join(u'|');
    QVERIFY2(said.contains(u"Newsflash not fetched: The server could not prove who it is"_s), qPrintable(said));
    QCOMPARE(rig.lines.last(), u"TIME SET COMPLETE."_s);
}

QTEST_GUILESS_MAIN(tst_Https)
#include "tst_Https.moc"
