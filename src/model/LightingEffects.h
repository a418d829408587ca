#pragma once
// The eighteen lighting effects the keyboard offers, in the order the program lists them:
// thirteen built-in effects and five custom layers (codes 51 to 55 show layers 0 to 4).

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quenlar {

enum class LightDirection : uint8_t { Left = 1, Right = 2, Up = 3, Down = 4 };

struct LightingEffect {
    uint8_t code;
    std::string_view englishName;
    std::string_view chineseName;
    bool hasSpeed;
    // The directions the effect can run in (empty for most effects).
    std::array<std::optional<LightDirection>, 4> directions;
    constexpr bool isCustomLayer() const { return code >= 51 && code <= 55; }
};

inline constexpr int kLightingEffectCount = 18;
const std::array<LightingEffect, kLightingEffectCount> &lightingEffects();
// The first effect with this code, or nullptr for a code not in the list.
const LightingEffect *findLightingEffect(uint8_t code);
std::string_view directionName(uint8_t direction);

} // namespace quenlar
