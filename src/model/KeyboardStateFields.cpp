#include "model/KeyboardStateFields.h"

#include "model/KeyboardState.h"

#include <array>

namespace quenlar {

namespace {
#define QUENLAR_FIELD(f) KeyboardStateField{#f, offsetof(KeyboardState, f), sizeof(KeyboardState::f)}
constexpr std::array kFields{
    QUENLAR_FIELD(headerReserved), QUENLAR_FIELD(reportRate),      QUENLAR_FIELD(reservedArea),
    QUENLAR_FIELD(keyMatrix),      QUENLAR_FIELD(macroSlots),      QUENLAR_FIELD(spareByte),
    QUENLAR_FIELD(responseTime),   QUENLAR_FIELD(lightEffect),     QUENLAR_FIELD(lightSpeed),
    QUENLAR_FIELD(lightBrightness), QUENLAR_FIELD(lightColour),    QUENLAR_FIELD(lightDirection),
    QUENLAR_FIELD(presetColours),  QUENLAR_FIELD(gameMode),        QUENLAR_FIELD(keyEnableMask),
    QUENLAR_FIELD(winLock),        QUENLAR_FIELD(customLayers),
};
#undef QUENLAR_FIELD

constexpr bool fieldsCoverImage() {
    std::size_t next = 0;
    for (const auto &f : kFields) {
        if (f.offset != next)
            return false;
        next += f.size;
    }
    return next == sizeof(KeyboardState);
}
static_assert(fieldsCoverImage(), "the field list must cover the image without gaps");
} // namespace

std::span<const KeyboardStateField> keyboardStateFields() { return kFields; }

std::optional<KeyboardStateField> findKeyboardStateField(std::string_view name) {
    for (const auto &f : kFields)
        if (f.name == name)
            return f;
    return std::nullopt;
}

} // namespace quenlar
