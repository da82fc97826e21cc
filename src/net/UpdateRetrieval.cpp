#include "UpdateRetrieval.h"

#include "core/DateFormat.h"
#include "core/Module1.h"
#include "core/NumberText.h"
#include "core/Pattern.h"
#include "core/StateCodes.h"
#include "core/WholeFile.h"
#include "net/SetMserver.h"
#include "platform/Clock.h"
#include "zones/DstText.h"

namespace {

// Shorter news is no newsletter.
constexpr int MinimumNewsLength = 6;

QString serverFolder(const Module1& module)
{
    return module.MServerBase + QStringLiteral("x__c51/");
}

QString notSaved(const QString& bareName, const QString& reason)
{
    return QStringLiteral("%1 could not be saved: %2").arg(bareName, reason);
}

} // namespace

UpdateRetrieval::UpdateRetrieval(Module1& module, Inet& link, Progress progress)
    : m_module(module)
    , m_link(link)
    , m_progress(std::move(progress))
{
}

bool UpdateRetrieval::offersDownload(const QString& news)
{
    return matchesPattern(news, u"*free*space*") || matchesPattern(news, u"*HUXO 5*saved*folder");
}

UpdateRetrieval::Result UpdateRetrieval::run()
{
    SetMserver(m_module);
    m_link.setRequestTimeout(Inet::RequestTimeoutSeconds);
    m_progress.clear();
    m_progress.add(QStringLiteral("Establishing connection..."));
    m_progress.add(QStringLiteral("HUXO server ") + numberToText(int(m_module.MServer)));
    // Completed only once everything has arrived, so that nobody reads a running retrieval as done.
    m_module.NetStatus = NetOutcome::Pending;
    m_progress.transferStarted();
    m_progress.add(QStringLiteral("Retrieving Updates..."));
    m_progress.add(QStringLiteral("PLEASE WAIT"));

    // Stored files come only from a successful, complete answer, so that an error page never replaces them.
    const QString folder = serverFolder(m_module);
    const std::optional<QString> dst = m_link.fetchText(folder + QStringLiteral("dst.txt"), Inet::Pages::SuccessOnly);
    if (!dst) {
        return fail(m_link.failureText());
    }
    QString reason;
    if (!DstText::writeFile(m_module.programFile(QStringLiteral("dst.txt")), *dst, &reason)) {
        return fail(notSaved(QStringLiteral("dst.txt"), reason));
    }
    m_link.cancel();
    const std::optional<QString> head = m_link.fetchText(folder + QStringLiteral("head.txt"));
    m_link.cancel();
    const std::optional<QString> news = head ? m_link.fetchText(folder + QStringLiteral("news.txt")) : std::nullopt;
    m_link.cancel();
    const std::optional<QByteArray> picture =
        news ? m_link.fetchBytes(folder + QStringLiteral("picc.gif"), Inet::Pages::SuccessOnly) : std::nullopt;
    if (!picture) {
        return fail(m_link.failureText());
    }
    if (!writeNewRegularFile(m_module.programFile(QStringLiteral("pic.gif")), *picture, &reason)) {
        return fail(notSaved(QStringLiteral("pic.gif"), reason));
    }
    m_progress.add(QStringLiteral("Retrieved dst.txt at ") + formatDate(m_module.services().clock.now(), u"hh:mm:ss")
                   + QStringLiteral(" (local)"));

    Result result;
    result.completed = true;
    if (news->size() < MinimumNewsLength) {
        m_progress.add(QStringLiteral("No HUXO TIMES today."));
    } else {
        result.newsletter = Newsletter{*head, *news, offersDownload(*news)};
    }
    m_link.cancel();
    m_module.NetStatus = NetOutcome::Completed;
    m_progress.add(QStringLiteral("RETRIEVAL COMPLETE"));
    return result;
}

// Files stored before the failure stay; the update server's address is not switched here.
UpdateRetrieval::Result UpdateRetrieval::fail(const QString& reason)
{
    m_link.stop();
    m_progress.add(reason);
    m_progress.add(QStringLiteral("bad link"));
    m_module.NetStatus = NetOutcome::Failed;
    return Result{};
}

bool fetchProgramFile(Module1& module, Inet& link, const QString& serverName, const QString& bareName, QString* failure)
{
    GuardedLink guarded(link);
    const std::optional<QByteArray> bytes =
        guarded.fetchBytes(serverFolder(module) + serverName, Inet::Pages::SuccessOnly);
    QString reason;
    if (bytes && writeNewRegularFile(module.programFile(bareName), *bytes, &reason)) {
        return true;
    }
    if (failure) {
        *failure = bytes ? notSaved(bareName, reason) : guarded.failureText();
    }
    return false;
}
