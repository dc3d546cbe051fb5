#pragma once

#include <mutex>
#include <optional>

#include "macro/macro_record.h"

namespace novu {

// The macro of the last pressed macro button, as the device event thread keeps it: the
// mouse's offset events adjust its vertical offset, and the release of the hold-signal
// button writes it back to its group file. Shared with the window, so every access holds a
// lock.
//
// Besides the record it keeps the macro position (group and index of the last user macro
// loaded) and whether the record now held is that user macro: a recoil preset or built-in
// macro loaded later keeps the position but must never be written over the user macro.
class CurrentMacro {
public:
    struct State {
        MacroRecord record;
        int group = 0;  // the macro position
        int index = 0;
        bool userMacro = false;  // the record is the existing user macro at the position
        bool changed = false;    // its offset changed since it was loaded or written

        bool operator==(const State&) const = default;
    };

    // A user macro read from the library; `exists` tells whether the library has it (a
    // missing one reads as an all-zero record).
    void LoadUserMacro(const MacroRecord& record, int group, int index, bool exists);
    // A recoil preset or built-in macro: the position stays.
    void LoadOther(const MacroRecord& record);

    void EnableYOffset();
    // +1, wrapping from 255 to 0.
    void RaiseYOffset();
    // -1 while above 0.
    void LowerYOffset();

    State Get() const;
    // The user macro to write back: present when the record is a user macro whose offset
    // changed since it was loaded or last written.
    std::optional<State> PendingWrite() const;
    // `written` reached its file: unless the record changed again meanwhile, nothing is
    // pending any more.
    void Written(const State& written);

private:
    void SetOffset(std::uint8_t enabled, std::uint8_t offset);

    mutable std::mutex mutex_;
    State state_;
};

}  // namespace novu
