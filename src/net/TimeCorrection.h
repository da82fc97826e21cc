#pragma once

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

#include "core/StateCodes.h"
#include "net/GuardedLink.h"
#include "net/Progress.h"
#include "platform/Clock.h"

class Inet;
class Module1;

// The internet setting of the computer's clock: a time server's answer, checked, turned into the moment it names
// and set, date and time in one step, each step reported as a progress line; then the newsflash of the update server.
// The outcome is left in NetStatus and LastClockOutcome; the window shows the lines, the newsflash and any advice.
//
// A large step is made only when the user agrees to it, and a clock the system keeps in step with network time is
// only compared, never set.
class TimeCorrection
{
public:
    enum class Outcome
    {
        Finished,   // ended with its status line; NetStatus says whether it completed
        Failed,     // a failed transfer: "bad link", the update server's other address next
        AdviceDue,  // the sixth try after five failed requests: no request, the user is pointed to the preferences
        ProxyNotSet // the named proxy mode without a usable name: no request
    };
    struct Result
    {
        Outcome outcome = Outcome::Failed;
        qint16 server = 0; // the time server tried
        ClockOutcome clock = ClockOutcome::NotChecked;
        std::optional<QString> newsflash; // fetched now; the notice that there is none stands for a missing file
    };
    // Puts a yes/no question to the user; true for yes.
    using Question = std::function<bool(const QString& question)>;

    // askUser is how a correction the user started asks before a large step. The daily run has nobody to ask and
    // passes none: it makes no large step, and the system may not ask for a password either.
    TimeCorrection(Module1& module, Inet& link, Progress progress, Question askUser = {});

    // curServer is the time server tried last in the window's life (0 after its load). newsflashWanted is true until
    // the window has shown a newsflash.
    Result run(qint16 curServer, bool newsflashWanted);

    // Whether a newsflash offers the new program file behind the fetch button.
    static bool offersProgramFile(const QString& newsflash);

private:
    // The moment an answer sets, and whether the server's own date is in it or only the day nearest the computer's.
    struct ServerTime
    {
        QDateTime moment;
        bool dated = false;
    };

    bool proxyNotSet() const;
    ClockOutcome setClockFrom(const QString& answer, int server);
    ClockOutcome dataError(QStringView code);
    ClockOutcome compareOnly(const QDateTime& computerTime, const QDateTime& serverTime);
    bool largeStepAgreed(const QDateTime& computerTime, const ServerTime& server);
    ClockOutcome setClock(const ServerTime& target);
    ClockOutcome refused(Clock::Setting setting, const QString& reason);
    bool localZoneDisagrees();
    std::optional<QString> fetchNewsflash();
    void fail(const QString& reason);
    Clock::Asking asking() const;

    Module1& m_module;
    GuardedLink m_link;
    Progress m_progress;
    Question m_askUser;
    QString m_statusText;
};
