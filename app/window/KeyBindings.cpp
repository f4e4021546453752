#include "app/window/KeyBindings.h"

std::optional<InstrumentKey> boundKey(int key, Qt::KeyboardModifiers modifiers) {
    // Chords with Ctrl, Alt or Meta belong to the window system (Alt+F4, Alt+Space).
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    std::optional<InstrumentKey> unshifted;
    for (const KeyBinding& binding : keyBindings) {
        if (binding.key != key)
            continue;
        const bool wantsShift = binding.modifiers.testFlag(Qt::ShiftModifier);
        if (wantsShift == shift)
            return binding.action;
        if (!wantsShift)
            unshifted = binding.action; // "+" is typed with Shift on many layouts
    }
    return unshifted;
}
