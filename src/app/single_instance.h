#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace novu {

// Only one window program runs per user: the first one listens on a local socket, and a
// second start asks it to restore its window and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(QString name, QObject* parent = nullptr);

    // The socket name of this user's instance.
    static QString DefaultName();

    // Whether another instance runs; if so it has been asked to restore its window.
    bool AskRunningInstance();
    // Makes this process the running instance. A socket left behind by a crashed instance
    // is removed first (nobody answered on it). False when listening fails.
    bool Listen();

signals:
    void restoreRequested();

private:
    void OnConnection();

    QString name_;
    QLocalServer server_;
};

}  // namespace novu
