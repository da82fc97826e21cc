#pragma once

#include <optional>
#include <vector>

// The program's own options, answered before any window system is touched, and the toolkit's usual ones (-platform,
// -display, -style, ...), left for it.
class CommandLine final
{
public:
    CommandLine(int argc, char** argv);

    // The exit status when the command line asked for help or the version (0), which are printed, or could not be
    // understood (2, after a short usage message on the standard error); nothing when the window is to start.
    std::optional<int> answer() const { return m_exitStatus; }

    // The arguments for the application object: a Wayland session is run through XWayland when it has one and the
    // user chose no platform, since only an X11 window can keep itself on top and be placed where it was.
    int& toolkitArgc() { return m_toolkitArgc; }
    char** toolkitArgv() { return m_toolkitArgv.data(); }

private:
    std::optional<int> m_exitStatus;
    std::vector<char*> m_toolkitArgv;
    int m_toolkitArgc = 0;
};
