#pragma once

#include "app/shell/InstrumentKeys.h"

#include <Qt>

#include <array>
#include <optional>
#include <string_view>

// The instrument's keys: which key with which modifiers does what, and how
// --help names it. Escape (close) and Enter (the alarms' acknowledgement,
// as A, where the panel has no default button) are the window's own.
struct KeyBinding {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    InstrumentKey action;
    std::string_view name; // as --help lists it
    std::string_view help;
};

inline constexpr std::size_t keyBindingCount = 23;
inline constexpr auto keyBindings = std::to_array<KeyBinding>({
    {.key = Qt::Key_1,
     .action = InstrumentKey::chooseThrottle,
     .name = "1",
     .help = "choose the throttle for the arrow and page keys"},
    {.key = Qt::Key_2,
     .action = InstrumentKey::choosePropeller,
     .name = "2",
     .help = "choose the propeller"},
    {.key = Qt::Key_3,
     .action = InstrumentKey::chooseMixture,
     .name = "3",
     .help = "choose the mixture"},
    {.key = Qt::Key_Up,
     .action = InstrumentKey::knobIn,
     .name = "Up",
     .help = "push the chosen knob in by one step"},
    {.key = Qt::Key_Down,
     .action = InstrumentKey::knobOut,
     .name = "Down",
     .help = "pull it out by one step"},
    {.key = Qt::Key_PageUp,
     .action = InstrumentKey::knobInTenth,
     .name = "Page Up",
     .help = "push it in by a tenth of its travel"},
    {.key = Qt::Key_PageDown,
     .action = InstrumentKey::knobOutTenth,
     .name = "Page Down",
     .help = "pull it out by a tenth of its travel"},
    {.key = Qt::Key_C,
     .action = InstrumentKey::stepCylinder,
     .name = "C",
     .help = "step the boxed cylinder, as the bezel button"},
    {.key = Qt::Key_D, .action = InstrumentKey::toggleDemoMode, .name = "D", .help = "Demo Mode"},
    {.key = Qt::Key_M, .action = InstrumentKey::toggleMute, .name = "M", .help = "Mute"},
    {.key = Qt::Key_L,
     .action = InstrumentKey::toggleLeanFind,
     .name = "L",
     .help = "lean-find on and off: each cylinder's EGT peak, rich or lean of it"},
    {.key = Qt::Key_F11,
     .action = InstrumentKey::toggleFullscreen,
     .name = "F11",
     .help = "fullscreen on and off"},
    {.key = Qt::Key_Space,
     .action = InstrumentKey::pauseReplay,
     .name = "Space",
     .help = "replay: pause and resume; at the end, play again from the start"},
    {.key = Qt::Key_Left,
     .action = InstrumentKey::seekBack,
     .name = "Left",
     .help = "replay: 10 s back"},
    {.key = Qt::Key_Right,
     .action = InstrumentKey::seekForward,
     .name = "Right",
     .help = "replay: 10 s forward"},
    {.key = Qt::Key_Left,
     .modifiers = Qt::ShiftModifier,
     .action = InstrumentKey::seekBackLong,
     .name = "Shift+Left",
     .help = "replay: 60 s back"},
    {.key = Qt::Key_Right,
     .modifiers = Qt::ShiftModifier,
     .action = InstrumentKey::seekForwardLong,
     .name = "Shift+Right",
     .help = "replay: 60 s forward"},
    {.key = Qt::Key_Plus,
     .action = InstrumentKey::replayFaster,
     .name = "+",
     .help = "replay: double the speed (up to 64x)"},
    {.key = Qt::Key_Minus,
     .action = InstrumentKey::replaySlower,
     .name = "-",
     .help = "replay: halve the speed (down to 1/4x)"},
    {.key = Qt::Key_Home,
     .action = InstrumentKey::replayToStart,
     .name = "Home",
     .help = "replay: back to the start"},
    {.key = Qt::Key_A,
     .action = InstrumentKey::acknowledgeAlarms,
     .name = "A",
     .help = "acknowledge the alarms: flashing and chime stop (also a click on the status bar)"},
    {.key = Qt::Key_N,
     .action = InstrumentKey::nextAlarm,
     .name = "N",
     .help = "replay: to the next lean sweep, or alarm start with alarms on"},
    {.key = Qt::Key_P,
     .action = InstrumentKey::previousAlarm,
     .name = "P",
     .help = "replay: to the previous lean sweep, or alarm start with alarms on"},
});
static_assert(keyBindings.size() == keyBindingCount);

// The binding for a key as pressed; keypad and other modifiers than Shift
// do not matter, so "+" on the keypad works as on the main keys.
std::optional<InstrumentKey> boundKey(int key, Qt::KeyboardModifiers modifiers);
