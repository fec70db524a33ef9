#include "tool_bar_state.h"

namespace orvane {

namespace {

constexpr std::string_view kSection = kToolBarComponentName;

int Read(const SettingsStore& store, std::string_view name, int current) {
    return store.ReadInteger(kSection, name, current);
}

// A number no side has keeps the current side.
TToolBarAlign ReadAlign(const SettingsStore& store, TToolBarAlign current) {
    const int align = Read(store, "Align", static_cast<int>(current));
    return align >= 0 && align <= 5 ? static_cast<TToolBarAlign>(align) : current;
}

}  // namespace

TToolBarState ReadToolBarState(const SettingsStore& store, const TToolBarState& current) {
    TToolBarState state = current;
    state.docked = store.ReadBool(kSection, "Docked", current.docked);
    if (!state.docked) {
        ReadFloatingPosition(store, state.floatTop, state.floatLeft);
        state.align = ReadAlign(store, current.align);
        state.top = Read(store, "Top", current.top);
        state.left = Read(store, "Left", current.left);
        state.width = Read(store, "Width", current.width);
        state.height = Read(store, "Height", current.height);
        return state;
    }
    state.align = ReadAlign(store, current.align);
    switch (state.align) {
        case TToolBarAlign::None:
            state.top = Read(store, "Top", current.top);
            state.left = Read(store, "Left", current.left);
            break;
        case TToolBarAlign::Left:
        case TToolBarAlign::Right:
            state.width = Read(store, "Width", current.width);
            break;
        case TToolBarAlign::Top:
        case TToolBarAlign::Bottom:
            state.height = Read(store, "Height", current.height);
            break;
        case TToolBarAlign::Client:
            break;
    }
    return state;
}

void WriteToolBarState(SettingsStore& store, const TToolBarState& state) {
    store.WriteBool(kSection, "Docked", state.docked);
    store.WriteInteger(kSection, "Align", static_cast<int>(state.align));
    store.WriteInteger(kSection, "Top", state.top);
    store.WriteInteger(kSection, "Left", state.left);
    store.WriteInteger(kSection, "Width", state.width);
    store.WriteInteger(kSection, "Height", state.height);
}

void WriteFloatingPosition(SettingsStore& store, int floatTop, int floatLeft) {
    store.WriteInteger(kSection, "FTop", floatTop);
    store.WriteInteger(kSection, "FLeft", floatLeft);
}

void ReadFloatingPosition(const SettingsStore& store, int& floatTop, int& floatLeft) {
    floatTop = Read(store, "FTop", floatTop);
    floatLeft = Read(store, "FLeft", floatLeft);
}

}  // namespace orvane
