#include "CurlLoop.h"

#include <QSocketNotifier>

#include <algorithm>
#include <curl/curl.h>
#include <limits>

namespace {

// A notifier may be the one whose signal is being handled when libcurl lets go of its socket: it is switched off at
// once and deleted later.
void retire(QSocketNotifier* notifier)
{
    notifier->setEnabled(false);
    notifier->deleteLater();
}

} // namespace

CurlLoop::CurlLoop()
{
    // libcurl's own set-up, once for the program and before its first handle.
    [[maybe_unused]] static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    m_multi = curl_multi_init();
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, &CurlLoop::onSocket);
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, &CurlLoop::onTimer);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERDATA, this);
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { act(CURL_SOCKET_TIMEOUT, 0); });
}

CurlLoop::~CurlLoop()
{
    for (const auto& [transfer, done] : m_running) {
        curl_multi_remove_handle(m_multi, transfer);
    }
    // Closing the connections kept for later tells onSocket about their sockets, so everything is still here.
    curl_multi_cleanup(m_multi);
}

void CurlLoop::start(Handle* transfer, Done done)
{
    m_running[transfer] = std::move(done);
    curl_multi_add_handle(m_multi, transfer);
}

void CurlLoop::stop(Handle* transfer)
{
    if (m_running.erase(transfer) > 0) {
        curl_multi_remove_handle(m_multi, transfer);
    }
}

int CurlLoop::onSocket(Handle*, int socket, int wanted, void* self, void*)
{
    static_cast<CurlLoop*>(self)->watch(socket, wanted);
    return 0;
}

int CurlLoop::onTimer(Handle*, long timeoutMs, void* self)
{
    QTimer& timer = static_cast<CurlLoop*>(self)->m_timer;
    if (timeoutMs < 0) {
        timer.stop();
    } else {
        // A time-out of 0 must not call libcurl back from inside itself: the event loop does it next.
        timer.start(int(std::min<long>(timeoutMs, std::numeric_limits<int>::max())));
    }
    return 0;
}

void CurlLoop::watch(int socket, int wanted)
{
    if (wanted == CURL_POLL_REMOVE) {
        const auto found = m_watches.find(socket);
        if (found != m_watches.end()) {
            retire(found->second.read);
            retire(found->second.write);
            m_watches.erase(found);
        }
        return;
    }
    Watch& watch = m_watches[socket];
    if (!watch.read) {
        watch.read = new QSocketNotifier(socket, QSocketNotifier::Read, &m_notifiers);
        watch.write = new QSocketNotifier(socket, QSocketNotifier::Write, &m_notifiers);
        QObject::connect(
            watch.read, &QSocketNotifier::activated, &m_notifiers, [this, socket] { act(socket, CURL_CSELECT_IN); });
        QObject::connect(
            watch.write, &QSocketNotifier::activated, &m_notifiers, [this, socket] { act(socket, CURL_CSELECT_OUT); });
    }
    watch.read->setEnabled(wanted == CURL_POLL_IN || wanted == CURL_POLL_INOUT);
    watch.write->setEnabled(wanted == CURL_POLL_OUT || wanted == CURL_POLL_INOUT);
}

void CurlLoop::act(int socket, int events)
{
    int running = 0;
    curl_multi_socket_action(m_multi, socket, events, &running);
    reportEnded();
}

void CurlLoop::reportEnded()
{
    int queued = 0;
    while (const CURLMsg* message = curl_multi_info_read(m_multi, &queued)) {
        if (message->msg != CURLMSG_DONE) {
            continue;
        }
        // The message lives only until its handle is removed.
        Handle* transfer = message->easy_handle;
        const CURLcode code = message->data.result;
        const auto found = m_running.find(transfer);
        if (found == m_running.end()) {
            continue;
        }
        const Done done = std::move(found->second);
        m_running.erase(found);
        curl_multi_remove_handle(m_multi, transfer);
        done(code);
    }
}
