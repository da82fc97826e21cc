#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// One copy of the program per folder of settings: two copies on one "huxo.ini" would each save over the other's
// changes. The first copy listens on a local socket named after the folder; a later start finds it there, asks it
// to come forward and ends. The socket and its lock live in a folder that only the user can enter, and either side
// heeds the other only when it runs as the same user: nobody else can make HUXO end or come forward.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString& folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when no other copy of this user runs on the folder: this one then answers the later starts. False when
    // one does; it has been asked to come forward.
    [[nodiscard]] bool claim();

    // Where the socket lives: in the user's runtime folder when that is the user's alone, else in a folder of the
    // program's own in the user's cache folder. Empty when neither can be had: every start then runs.
    QString socketPath() const { return m_socketPath; }

signals:
    // A later start asked this copy to come forward, with the activation token its desktop gave it (empty if none).
    void laterStartSeen(const QByteArray& activationToken);

private:
    void listen();
    void acceptLaterStarts();

    QString m_socketPath;
    QString m_lockPath;
    int m_listener = -1;
    QSocketNotifier* m_acceptable = nullptr;
};
