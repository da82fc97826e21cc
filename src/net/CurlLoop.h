#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <map>

class QSocketNotifier;

// Runs libcurl's transfers on the program's own event loop: libcurl names the sockets and the time it wants to be
// woken at, and the loop wakes it, so the windows, their timers and clicks keep running while a transfer waits.
// Transfers are libcurl easy handles, opaque here.
class CurlLoop final
{
public:
    using Handle = void;
    // Called from the event loop with libcurl's result code once the transfer has ended.
    using Done = std::function<void(int code)>;

    CurlLoop();
    ~CurlLoop();
    CurlLoop(const CurlLoop&) = delete;
    CurlLoop& operator=(const CurlLoop&) = delete;

    void start(Handle* transfer, Done done);
    // Ends the transfer at once, closing its connection; its done is not called.
    void stop(Handle* transfer);

private:
    struct Watch
    {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
    };

    static int onSocket(Handle* transfer, int socket, int wanted, void* self, void* socketData);
    static int onTimer(Handle* multi, long timeoutMs, void* self);
    void watch(int socket, int wanted);
    void act(int socket, int events);
    void reportEnded();

    Handle* m_multi = nullptr;
    QObject m_notifiers; // parent of the sockets' notifiers
    QTimer m_timer;
    std::map<int, Watch> m_watches;
    std::map<Handle*, Done> m_running;
};
