#pragma once

#include <QObject>

class QSocketNotifier;

// A request to end the program from outside (SIGTERM: the session or the system stopping, or a kill), handed to
// the event loop, since a signal handler may do next to nothing itself.
class EndRequest final : public QObject
{
    Q_OBJECT

public:
    explicit EndRequest(QObject* parent = nullptr);
    ~EndRequest() override;

signals:
    void received();

private:
    QSocketNotifier* m_notifier = nullptr;
};
