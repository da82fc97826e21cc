#include <QPointer>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include "core/Cp1252.h"
#include "core/Module1.h"
#include "net/Inet.h"
#include "net/ProxyName.h"
#include "net/SetMserver.h"
#include "support/FakeServices.h"
#include "support/LoopbackHttpProxy.h"
#include "support/LoopbackHttpServer.h"

using namespace Qt::StringLiterals;

namespace {

// Long enough that a test which should end by other means would fail by its failure kind, not hang.
constexpr int PatientTimeoutSeconds = 30;

QByteArray everyByte()
{
    QByteArray bytes;
    for (int value = 0; value < 256; ++value) {
        bytes.append(static_cast<char>(value));
    }
    return bytes;
}

// Sets an environment variable (or removes it, for an empty value) and puts back what was there before.
class EnvironmentOverride
{
public:
    EnvironmentOverride(const char* name, const QByteArray& value)
        : m_name(name)
        , m_wasSet(qEnvironmentVariableIsSet(name))
        , m_previous(qgetenv(name))
    {
        set(value);
    }
    ~EnvironmentOverride() { set(m_wasSet ? m_previous : QByteArray()); }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    void set(const QByteArray& value) const
    {
        if (value.isEmpty()) {
            qunsetenv(m_name);
        } else {
            qputenv(m_name, value);
        }
    }

    const char* m_name;
    bool m_wasSet;
    QByteArray m_previous;
};

} // namespace

class tst_Inet : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void textAndBytesArriveUnchanged();
    void errorPagesAreBodies();
    void urlsWithoutSchemeAreHttpsAndOtherSchemesAreRefused();
    void silenceBeyondTheTimeOutFails();
    void aDripEndsAtTheTotalDeadline();
    void cutShortResetAndMalformedAnswersFail_data();
    void cutShortResetAndMalformedAnswersFail();
    void onlySuccessfulAnswersCountWhereAsked();
    void refusedConnectionAndUnknownNameFail();
    void cancelFromATimerEndsTheFetchWhileTimersRun();
    void cancelWithoutTransferIsHarmless();
    void oversizeBodiesFail();
    void redirectsStayWithinHttpAndAreFew();
    void redirectsStayOnTheServerAsked();
    void namedProxyCarriesTheRequest();
    void systemSettingsModeUsesTheDesktopProxy();
    void proxyNameGivesHostAndPort();
    void fetchStartedDuringAFetchKeepsBothAnswers();
    void destroyingTheComponentDuringAFetchEndsIt();

    void setMserverPicksTheBaseAddress();

private:
    QString urlOf(const char* path) const { return m_server->hostAndPort() + QLatin1String(path); }

    std::unique_ptr<LoopbackHttpServer> m_server;
    std::unique_ptr<Inet> m_inet;
};

void tst_Inet::init()
{
    m_server = std::make_unique<LoopbackHttpServer>();
    QVERIFY(m_server->isListening());
    m_inet = std::make_unique<Inet>();
    // Direct unless a test says otherwise: the machine's proxy settings must not reach the loopback server.
    m_inet->setAccessType(Connection::Direct);
    m_inet->setRequestTimeout(PatientTimeoutSeconds);
}

void tst_Inet::textAndBytesArriveUnchanged()
{
    m_server->addBody("/bytes", everyByte());
    m_server->addBody("/cgi-bin/date", "Tue Dec  8 03:25:23 UTC 2026\n");
    m_server->addBody("/cp1252", "caf\xe9 \x80 5");
    m_server->addBody("/empty", "");

    QCOMPARE(m_inet->FetchBytes(urlOf("/bytes")), std::optional(everyByte()));
    QCOMPARE(m_inet->FetchText(urlOf("/cgi-bin/date")), std::optional(u"Tue Dec  8 03:25:23 UTC 2026\n"_s));
    QCOMPARE(m_inet->FetchText(urlOf("/cp1252")), std::optional(u"caf\u00e9 \u20ac 5"_s));
    QCOMPARE(m_inet->FetchText(urlOf("/empty")), std::optional(QString()));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::None);
    QVERIFY(m_inet->lastFailureText().isEmpty());
}

void tst_Inet::errorPagesAreBodies()
{
    m_server->addBody("/broken", "server trouble", 500);

    const std::optional<QString> missing = m_inet->FetchText(urlOf("/x__c51/flash51.txt"));
    QVERIFY(missing);
    QCOMPARE(*missing, QString::fromLatin1(LoopbackHttpServer::NotFoundPage));
    QCOMPARE(m_inet->FetchBytes(urlOf("/broken")), std::optional(QByteArray("server trouble")));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::None);
}

void tst_Inet::urlsWithoutSchemeAreHttpsAndOtherSchemesAreRefused()
{
    m_server->addBody("/here", "here");
    QCOMPARE(m_inet->FetchText(urlOf("/here")), std::optional(u"here"_s));
    QCOMPARE(m_server->requestedTargets(), QList<QByteArray>{"/here"});

    // Without a scheme the address is the program's own kind: HTTPS, and a server that speaks only plain HTTP
    // fails it instead of being asked again in plain.
    const QString withoutScheme = u"127.0.0.1:%1/here"_s.arg(m_server->port());
    QVERIFY(!m_inet->FetchText(withoutScheme));
    QVERIFY(m_inet->lastFailure() != Inet::Failure::None);
    QCOMPARE(m_server->requestedTargets(), QList<QByteArray>{"/here"});

    QVERIFY(!m_inet->FetchBytes(u"file:///etc/passwd"_s));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::Other);
    QVERIFY(!m_inet->FetchText(QString()));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::Other);
}

void tst_Inet::silenceBeyondTheTimeOutFails()
{
    m_server->addSilent("/silent");
    m_server->addStalledBody("/stalled", "Tue Dec", 28);
    m_inet->setRequestTimeout(1);

    QVERIFY(!m_inet->FetchText(urlOf("/silent")));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::TimedOut);
    QVERIFY(!m_inet->FetchText(urlOf("/stalled")));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::TimedOut);
    QVERIFY(!m_inet->lastFailureText().isEmpty());
}

void tst_Inet::aDripEndsAtTheTotalDeadline()
{
    // Each byte comes well within the idle time-out; the whole answer would take twenty seconds.
    m_server->addDrip("/drip", "Tue Dec  8 03:25:23 UTC 2026", 700);
    m_inet->setRequestTimeout(2);
    m_inet->setTotalDeadline(3);

    QVERIFY(!m_inet->FetchText(urlOf("/drip")));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::TooSlow);
    QVERIFY(!m_inet->lastFailureText().isEmpty());
    QTRY_COMPARE(m_server->hangUps(), 1);
}

void tst_Inet::cutShortResetAndMalformedAnswersFail_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("reset");
    QTest::addColumn<Inet::Failure>("failure");

    const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 28\r\n\r\n";
    QTest::newRow("closed before the announced length") << head + "Tue Dec  8" << false << Inet::Failure::Incomplete;
    QTest::newRow("reset in the middle of the body") << head + "Tue Dec  8" << true << Inet::Failure::Incomplete;
    QTest::newRow("reset before any answer") << QByteArray() << true << Inet::Failure::Incomplete;
    QTest::newRow("no HTTP at all") << QByteArray("Tue Dec  8 03:25:23 UTC 2026\r\n\r\n") << false
                                    << Inet::Failure::Malformed;
    QTest::newRow("a status line without a status")
        << QByteArray("HTTP/1.1 OK\r\nContent-Length: 2\r\n\r\nok") << false << Inet::Failure::Malformed;
}

void tst_Inet::cutShortResetAndMalformedAnswersFail()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, reset);
    QFETCH(Inet::Failure, failure);
    m_server->addRaw("/raw", bytes, reset ? LoopbackHttpServer::Ending::Reset : LoopbackHttpServer::Ending::Close);

    QVERIFY(!m_inet->FetchBytes(urlOf("/raw")));
    QCOMPARE(m_inet->lastFailure(), failure);
    QVERIFY(!m_inet->lastFailureText().isEmpty());
}

void tst_Inet::onlySuccessfulAnswersCountWhereAsked()
{
    m_server->addBody("/file", "the file");
    m_server->addBody("/broken", "server trouble", 500);
    m_server->addBody("/choices", "pick one", 300);

    QCOMPARE(m_inet->FetchBytes(urlOf("/file"), Inet::Pages::SuccessOnly), std::optional(QByteArray("the file")));
    for (const char* path : {"/missing", "/broken", "/choices"}) {
        QVERIFY(m_inet->FetchText(urlOf(path)));
        QVERIFY2(!m_inet->FetchText(urlOf(path), Inet::Pages::SuccessOnly), path);
        QCOMPARE(m_inet->lastFailure(), Inet::Failure::ErrorStatus);
    }
    QVERIFY(!m_inet->FetchBytes(urlOf("/missing"), Inet::Pages::SuccessOnly));
    QVERIFY2(m_inet->lastFailureText().contains(u"404"_s), qPrintable(m_inet->lastFailureText()));
}

void tst_Inet::refusedConnectionAndUnknownNameFail()
{
    quint16 closedPort = 0;
    {
        QTcpServer briefly;
        QVERIFY(briefly.listen(QHostAddress::LocalHost, 0));
        closedPort = briefly.serverPort();
    }
    QVERIFY(!m_inet->FetchText(u"http://127.0.0.1:%1/cgi-bin/date"_s.arg(closedPort)));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::Refused);

    QVERIFY(!m_inet->FetchBytes(u"time1.huxo-nowhere.invalid/cgi-bin/date"_s));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::HostNotFound);
}

void tst_Inet::cancelFromATimerEndsTheFetchWhileTimersRun()
{
    m_server->addSilent("/silent");
    int ticks = 0;
    int ticksWhenCancelled = -1;
    QTimer animation;
    connect(&animation, &QTimer::timeout, this, [&ticks] { ++ticks; });
    animation.start(10);
    QTimer::singleShot(150, this, [&] {
        ticksWhenCancelled = ticks;
        m_inet->Cancel();
    });

    QVERIFY(!m_inet->FetchText(urlOf("/silent")));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::Cancelled);
    QVERIFY2(ticksWhenCancelled > 1, "the animation timer must keep firing while the fetch waits");
    QTRY_COMPARE(m_server->hangUps(), 1);
}

void tst_Inet::cancelWithoutTransferIsHarmless()
{
    m_inet->Cancel();
    m_server->addBody("/after", "after");
    QCOMPARE(m_inet->FetchText(urlOf("/after")), std::optional(u"after"_s));
    m_inet->Cancel();
    QCOMPARE(m_inet->FetchText(urlOf("/after")), std::optional(u"after"_s));
}

void tst_Inet::oversizeBodiesFail()
{
    m_server->addBody("/limit", QByteArray(Inet::MaxTextBytes, 'a'));
    m_server->addBody("/beyond", QByteArray(Inet::MaxTextBytes + 1, 'a'));
    m_server->addEndlessBody("/endless");
    // Announces a huge body and then sends nothing more: only the announced length can end this before the time-out.
    m_server->addStalledBody("/announced", "a", Inet::MaxByteBodyBytes + 1);

    const std::optional<QString> atLimit = m_inet->FetchText(urlOf("/limit"));
    QVERIFY(atLimit);
    QCOMPARE(atLimit->size(), Inet::MaxTextBytes);
    QVERIFY(!m_inet->FetchText(urlOf("/beyond")));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::TooLarge);
    QVERIFY(m_inet->FetchBytes(urlOf("/beyond")));

    QVERIFY(!m_inet->FetchText(urlOf("/endless")));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::TooLarge);
    QVERIFY(!m_inet->FetchBytes(urlOf("/endless")));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::TooLarge);
    QVERIFY(!m_inet->FetchBytes(urlOf("/announced")));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::TooLarge);
    QTRY_COMPARE(m_server->hangUps(), 3);
}

void tst_Inet::redirectsStayWithinHttpAndAreFew()
{
    const QByteArray origin = m_server->hostAndPort().toLatin1();
    m_server->addBody("/target", "arrived");
    m_server->addRedirect("/hop1", origin + "/target");
    m_server->addRedirect("/hop2", "/hop1");
    m_server->addRedirect("/hop3", origin + "/hop2");
    m_server->addRedirect("/hop4", "/hop3");
    m_server->addRedirect("/secure", "https://127.0.0.1:" + QByteArray::number(m_server->port()) + "/target");

    QCOMPARE(m_inet->FetchText(urlOf("/hop3")), std::optional(u"arrived"_s));
    const QList<QByteArray> chain{"/hop3", "/hop2", "/hop1", "/target"};
    QCOMPARE(m_server->requestedTargets(), chain);
    QVERIFY(!m_inet->FetchText(urlOf("/hop4")));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::BadRedirect);
    QVERIFY(!m_inet->FetchText(urlOf("/secure")));
    QCOMPARE(m_inet->lastFailure(), Inet::Failure::BadRedirect);
}

void tst_Inet::redirectsStayOnTheServerAsked()
{
    const QByteArray port = QByteArray::number(m_server->port());
    m_server->addBody("/target", "arrived");
    // localhost is this very server under another name: only the rule can refuse it.
    m_server->addRedirect("/other-name", "http://localhost:" + port + "/target");
    LoopbackHttpServer other;
    other.addBody("/target", "elsewhere");
    m_server->addRedirect("/other-port", "http://127.0.0.1:" + QByteArray::number(other.port()) + "/target");

    for (const char* path : {"/other-name", "/other-port"}) {
        QVERIFY2(!m_inet->FetchText(urlOf(path)), path);
        QCOMPARE(m_inet->lastFailure(), Inet::Failure::BadRedirect);
    }
    QCOMPARE(m_server->requestedTargets(), (QList<QByteArray>{"/other-name", "/other-port"}));
    QVERIFY(other.requestedTargets().isEmpty());
}

void tst_Inet::namedProxyCarriesTheRequest()
{
    m_server->addBody("/cgi-bin/date", "Tue Dec  8 03:25:23 UTC 2026");
    LoopbackHttpProxy proxy(m_server->port());
    QVERIFY(proxy.isListening());
    // The name resolves nowhere, so an answer can only have come through the proxy.
    const QString url = u"http://time1.huxo-proxied.invalid/cgi-bin/date"_s;

    QVERIFY(!m_inet->FetchText(url));
    m_inet->setAccessType(Connection::Proxy);
    m_inet->setProxy(u"127.0.0.1:%1"_s.arg(proxy.port()));
    QCOMPARE(m_inet->FetchText(url), std::optional(u"Tue Dec  8 03:25:23 UTC 2026"_s));
    QCOMPARE(proxy.requestedTargets(), QList<QByteArray>{"http://time1.huxo-proxied.invalid/cgi-bin/date"});

    m_inet->setAccessType(Connection::Direct);
    QVERIFY(!m_inet->FetchText(url));
    QCOMPARE(proxy.requestedTargets().size(), 1);
}

void tst_Inet::systemSettingsModeUsesTheDesktopProxy()
{
    m_server->addBody("/news", "news");
    LoopbackHttpProxy proxy(m_server->port());
    std::optional<QString> answer;
    {
        const EnvironmentOverride proxyVariable("http_proxy", "http://127.0.0.1:" + QByteArray::number(proxy.port()));
        const EnvironmentOverride noExceptions("no_proxy", {});
        m_inet->setAccessType(Connection::SystemSettings);
        answer = m_inet->FetchText(u"http://www.huxo-proxied.invalid/news"_s);
    }

    QCOMPARE(answer, std::optional(u"news"_s));
    QCOMPARE(proxy.requestedTargets(), QList<QByteArray>{"http://www.huxo-proxied.invalid/news"});
}

void tst_Inet::proxyNameGivesHostAndPort()
{
    const ProxyName bare = parseProxyName(u"cache.example.net"_s);
    QCOMPARE(bare.host, u"cache.example.net"_s);
    QCOMPARE(bare.port, quint16{80});
    const ProxyName withPort = parseProxyName(u" cache.example.net:3128 "_s);
    QCOMPARE(withPort.host, u"cache.example.net"_s);
    QCOMPARE(withPort.port, quint16{3128});
    QCOMPARE(parseProxyName(u"cache:http"_s).port, quint16{80});
    QCOMPARE(parseProxyName(u"cache:70000"_s).port, quint16{80});
    QCOMPARE(parseProxyName(u"cache:70000"_s).host, u"cache"_s);
}

void tst_Inet::fetchStartedDuringAFetchKeepsBothAnswers()
{
    m_server->addDelayed("/slow", "slow answer", 1000);
    m_server->addBody("/quick", "quick answer");
    std::optional<QString> inner;
    QTimer::singleShot(50, this, [&] { inner = m_inet->FetchText(urlOf("/quick")); });

    QCOMPARE(m_inet->FetchText(urlOf("/slow")), std::optional(u"slow answer"_s));
    QCOMPARE(inner, std::optional(u"quick answer"_s));
}

void tst_Inet::destroyingTheComponentDuringAFetchEndsIt()
{
    m_server->addSilent("/silent");
    // The window that owns the component may be closed from a click while its fetch waits.
    QPointer<Inet> inet = m_inet.release();
    inet->setRequestTimeout(PatientTimeoutSeconds);
    QTimer::singleShot(50, this, [inet] { delete inet.data(); });

    QVERIFY(!inet->FetchText(urlOf("/silent")));
    QVERIFY(inet.isNull());
}

void tst_Inet::setMserverPicksTheBaseAddress()
{
    FakeServices fakes;
    Module1 module(fakes.services(), u"/nonexistent"_s);
    module.NetEndpoints.primaryBase = m_server->hostAndPort() + u"/primary/"_s;
    module.NetEndpoints.fallbackBase = m_server->hostAndPort() + u"/fallback/"_s;

    module.MServer = ServerBase::Fallback;
    SetMserver(module);
    QCOMPARE(module.MServerBase, module.NetEndpoints.fallbackBase);
    for (const ServerBase other : {ServerBase::Primary, ServerBase::Fresh, ServerBase(3)}) {
        module.MServer = other;
        SetMserver(module);
        QCOMPARE(module.MServerBase, module.NetEndpoints.primaryBase);
    }

    module.MServer = ServerBase::Fallback;
    SetMserver(module);
    m_server->addBody("/fallback/x__c51/flash51.txt", "from the fallback");
    QCOMPARE(m_inet->FetchText(module.MServerBase + u"x__c51/flash51.txt"_s), std::optional(u"from the fallback"_s));
}

QTEST_GUILESS_MAIN(tst_Inet)
#include "tst_Inet.moc"
