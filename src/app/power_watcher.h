#pragma once

#include <QObject>

namespace novu {

// The power broadcast of the desktop: logind announces on the system bus when the computer
// goes to sleep and when it wakes up again. After waking the mouse may have lost what it
// held, so the window sends the whole device image again. Without a system bus nothing is
// watched.
class PowerWatcher : public QObject {
    Q_OBJECT

public:
    // `watch` false never touches the system bus (tests).
    explicit PowerWatcher(bool watch = true, QObject* parent = nullptr);

signals:
    void resumed();

public slots:
    // logind's PrepareForSleep: true before sleeping, false after waking.
    void PrepareForSleep(bool sleeping);
};

}  // namespace novu
