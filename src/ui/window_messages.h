#pragma once

#include <QEvent>

namespace novu::window_message {

// Numbered messages other windows and threads post the main window. They arrive as a
// WindowMessage event on the window's thread, so a sender on any thread never blocks and
// never touches the window itself.
inline constexpr int kRestoreLighting = 0x040C;  // the sound-reactive window ended: resync

// The Qt event carrying one numbered message.
class WindowMessage final : public QEvent {
public:
    static inline const QEvent::Type kType = static_cast<QEvent::Type>(QEvent::registerEventType());

    explicit WindowMessage(int message) : QEvent(kType), message_(message) {}
    int Message() const { return message_; }

private:
    int message_;
};

}  // namespace novu::window_message
