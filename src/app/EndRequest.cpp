#include "EndRequest.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler's end of the pair, and the loop's.
int requestSockets[2] = {-1, -1};

void onEndSignal(int)
{
    const char request = 1;
    // Nothing to do if it fails: a request is already waiting.
    (void)!::write(requestSockets[0], &request, 1);
}

} // namespace

EndRequest::EndRequest(QObject* parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, requestSockets) != 0) {
        return;
    }
    m_notifier = new QSocketNotifier(requestSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char request = 0;
        while (::read(requestSockets[1], &request, 1) == 1) {
        }
        emit received();
    });
    struct sigaction action = {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
}

EndRequest::~EndRequest()
{
    signal(SIGTERM, SIG_DFL);
    for (int& socket : requestSockets) {
        if (socket >= 0) {
            ::close(socket);
            socket = -1;
        }
    }
}
