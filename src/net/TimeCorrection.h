#pragma once

#include <QString>

#include <optional>

#include "net/GuardedLink.h"
#include "net/Progress.h"

class Inet;
class Module1;

// The internet setting of the computer's clock: a time server's answer, checked, turned into the user's local time
// and set, each step reported as a progress line; then the newsflash of the update server. The outcome is left in
// NetStatus; the window shows the lines, the newsflash and any advice.
class TimeCorrection
{
public:
    enum class Outcome
    {
        Finished,   // ended with its status line; NetStatus says whether the time was set
        Failed,     // a failed transfer or a refused clock: "bad link", the update server's other address next
        AdviceDue,  // the sixth try after five failed requests: no request, the user is pointed to the preferences
        ProxyNotSet // the named proxy mode without a usable name: no request
    };
    struct Result
    {
        Outcome outcome = Outcome::Failed;
        qint16 server = 0; // the time server tried
        bool clockSet = false;
        std::optional<QString> newsflash; // fetched now; the notice that there is none stands for a missing file
    };

    TimeCorrection(Module1& module, Inet& link, Progress progress);

    // curServer is the time server tried last in the window's life (0 after its load). newsflashWanted is true until
    // the window has shown a newsflash.
    Result run(qint16 curServer, bool newsflashWanted);

    // Whether a newsflash offers the new program file behind the fetch button.
    static bool offersProgramFile(const QString& newsflash);

private:
    enum class ClockSetting
    {
        Set,
        NotSet, // the answer or the zones stopped it; reported in the progress list
        Refused // by the system; the error path has been taken
    };

    bool proxyNotSet() const;
    ClockSetting setClockFrom(const QString& answer, int server);
    ClockSetting refused(const QString& reason);
    bool localZoneDisagrees();
    std::optional<QString> fetchNewsflash();
    void fail(const QString& reason);

    Module1& m_module;
    GuardedLink m_link;
    Progress m_progress;
    QString m_statusText;
};
