#include "CommandLine.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/ProgramTitle.h"

using namespace std::string_view_literals;

namespace {

// The toolkit's documented options: those followed by a value, those that take it after "=" as well, and switches.
constexpr std::array ToolkitOptionsWithValue = {"-platform"sv,
                                                "-platformpluginpath"sv,
                                                "-platformtheme"sv,
                                                "-plugin"sv,
                                                "-qwindowgeometry"sv,
                                                "-qwindowicon"sv,
                                                "-qwindowtitle"sv,
                                                "-session"sv,
                                                "-display"sv,
                                                "-geometry"sv,
                                                "-style"sv,
                                                "-stylesheet"sv};
constexpr std::array ToolkitOptionsWithEquals = {"-style="sv, "-stylesheet="sv};
constexpr std::array ToolkitSwitches = {"-reverse"sv, "-widgetcount"sv};

constexpr const char* Help =
    "Usage: huxo [OPTION]...\n"
    "Shows the world time-zone clock: the local time, GMT / UTC and five clocks set to places of your choice.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "The window takes the usual options of Qt programs as well, among them -platform NAME, -display DISPLAY,\n"
    "-style NAME and -reverse. In a Wayland session HUXO runs through XWayland when the session has it, so that\n"
    "it can stay on top and open where it was; -platform wayland or QT_QPA_PLATFORM chooses otherwise.\n"
    "\n"
    "The settings are kept in huxo.ini beside the program, or in ~/.local/share/huxo/ when the program's folder\n"
    "cannot be written. See huxo(1).\n";

constexpr int Success = 0;
constexpr int UsageError = 2;

bool isSet(const char* variable)
{
    const char* value = std::getenv(variable);
    return value && *value;
}

// Only an X11 window can keep itself above the others and be put back where it was: in a Wayland session the
// window goes through XWayland when there is one, with the native platform as the fallback should it not answer.
bool goesThroughXWayland()
{
    const char* sessionType = std::getenv("XDG_SESSION_TYPE");
    const bool waylandSession = isSet("WAYLAND_DISPLAY") || (sessionType && sessionType == "wayland"sv);
    return waylandSession && isSet("DISPLAY") && !isSet("QT_QPA_PLATFORM");
}

int usageError(const char* problem, std::string_view argument)
{
    std::fprintf(stderr,
                 "huxo: %s '%.*s'\nTry 'huxo --help' for more information.\n",
                 problem,
                 int(argument.size()),
                 argument.data());
    return UsageError;
}

} // namespace

CommandLine::CommandLine(int argc, char** argv)
{
    bool platformChosen = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            std::fputs(Help, stdout);
            m_exitStatus = Success;
            return;
        }
        if (argument == "--version") {
            std::printf("%s\n", ProgramTitle().toLocal8Bit().constData());
            m_exitStatus = Success;
            return;
        }
        // The toolkit takes its options with one dash or two.
        const std::string_view option = argument.starts_with("--") ? argument.substr(1) : argument;
        const auto is = [option](std::string_view name) { return option == name; };
        const auto startsWith = [option](std::string_view prefix) { return option.starts_with(prefix); };
        if (std::ranges::any_of(ToolkitOptionsWithValue, is)) {
            if (i + 1 == argc) {
                m_exitStatus = usageError("a value is missing after", argument);
                return;
            }
            platformChosen = platformChosen || option == "-platform";
            ++i;
        } else if (!std::ranges::any_of(ToolkitSwitches, is)
                   && !std::ranges::any_of(ToolkitOptionsWithEquals, startsWith)) {
            m_exitStatus = usageError(argument.starts_with('-') ? "unknown option" : "unexpected argument", argument);
            return;
        }
    }

    m_toolkitArgv.assign(argv, argv + argc);
    if (!platformChosen && goesThroughXWayland()) {
        static char platform[] = "-platform";
        static char xWaylandFirst[] = "xcb;wayland";
        m_toolkitArgv.push_back(platform);
        m_toolkitArgv.push_back(xWaylandFirst);
    }
    m_toolkitArgc = int(m_toolkitArgv.size());
    m_toolkitArgv.push_back(nullptr);
}
