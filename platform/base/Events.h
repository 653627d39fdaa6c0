#pragma once

#include <cstdint>
#include <functional>

class TObject;

// The set of modifier keys and mouse buttons that accompanies pointer and key events.
enum TShiftFlag : std::uint8_t {
    ssShift = 1 << 0,
    ssAlt = 1 << 1,
    ssCtrl = 1 << 2,
    ssLeft = 1 << 3,
    ssRight = 1 << 4,
    ssMiddle = 1 << 5,
    ssDouble = 1 << 6,
};

class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr TShiftState(TShiftFlag flag) : FBits(flag) {}
    static constexpr TShiftState FromBits(std::uint8_t bits) {
        TShiftState s;
        s.FBits = bits;
        return s;
    }

    constexpr bool Contains(TShiftFlag flag) const { return (FBits & flag) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr std::uint8_t Bits() const { return FBits; }
    constexpr TShiftState& operator<<(TShiftFlag flag) {
        FBits |= flag;
        return *this;
    }
    constexpr TShiftState& operator>>(TShiftFlag flag) {
        FBits &= static_cast<std::uint8_t>(~flag);
        return *this;
    }
    constexpr TShiftState operator|(TShiftState other) const {
        return FromBits(FBits | other.FBits);
    }
    constexpr bool operator==(const TShiftState&) const = default;

private:
    std::uint8_t FBits = 0;
};

constexpr TShiftState operator|(TShiftFlag a, TShiftFlag b) {
    return TShiftState(a) | TShiftState(b);
}

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// Events are a method bound to its object, or nothing (an empty function).
using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;

// Binds a member function to its object, the way a form binds its handlers.
template <class T, class R, class... Args>
std::function<R(Args...)> Bind(T* object, R (T::*method)(Args...)) {
    return [object, method](Args... args) -> R {
        return (object->*method)(args...);
    };
}
