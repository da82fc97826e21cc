#pragma once

class Clock;
class Dialogs;
class Launcher;
class Notifier;
class Printer;
class Sound;
class Uptime;
class WindowOrder;

// The operating-system services the program uses. main.cpp fills it with the real ones, a test with fakes.
struct Services
{
    Clock& clock;
    Sound& sound;
    Dialogs& dialogs;
    Launcher& launcher;
    Printer& printer;
    WindowOrder& windowOrder;
    Uptime& uptime;
    Notifier& notifier;
};
