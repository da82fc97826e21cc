#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;

// One copy of the program per folder of settings: two copies on one "huxo.ini" would each save over the other's
// changes. The first copy listens on a local socket named after the folder; a later start finds it there, asks it
// to come forward and ends.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString& folder, QObject* parent = nullptr);

    // True when no other copy runs on the folder: this one then answers the later starts. False when one does; it
    // has been asked to come forward.
    [[nodiscard]] bool claim();

    // Where the socket lives, in the user's runtime folder.
    QString socketPath() const { return m_socketPath; }

signals:
    // A later start asked this copy to come forward, with the activation token its desktop gave it (empty if none).
    void laterStartSeen(const QByteArray& activationToken);

private:
    bool askRunningCopy() const;
    void answerLaterStarts();

    QString m_socketPath;
    QString m_lockPath;
    QLocalServer* m_server = nullptr;
};
