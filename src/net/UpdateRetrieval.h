#pragma once

#include <QString>

#include <optional>

#include "net/GuardedLink.h"
#include "net/Progress.h"

class Inet;
class Module1;

// The update retrieval from the maker's server: the daylight-saving text stored as "dst.txt", and the newsletter's
// headline, text and picture ("pic.gif"), each step reported as a progress line. The outcome is left in
// NetStatus; the window shows the lines and the newsletter.
class UpdateRetrieval
{
public:
    struct Newsletter
    {
        QString headline;
        QString text;
        bool offersDownload = false;
    };
    struct Result
    {
        bool completed = false;
        std::optional<Newsletter> newsletter; // when the news is long enough to make one
    };

    UpdateRetrieval(Module1& module, Inet& link, Progress progress);

    Result run();

    // Whether the newsletter's text offers the file behind its download button.
    static bool offersDownload(const QString& news);

private:
    Result fail(const QString& reason);

    Module1& m_module;
    GuardedLink m_link;
    Progress m_progress;
};

// Fetches a program file the update server offers ("new.ex", "self.ex") and saves it whole under bareName in the
// program folder, as a new file that nobody may run: it arrives with nothing to show where it came from, so the
// program never starts it. A failure gives false, the reason in failure when one is given, and leaves any older file
// of that name as it was.
[[nodiscard]] bool fetchProgramFile(
    Module1& module, Inet& link, const QString& serverName, const QString& bareName, QString* failure = nullptr);
