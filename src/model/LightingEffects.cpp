#include "model/LightingEffects.h"

namespace quenlar {

namespace {
using D = LightDirection;
constexpr std::array<std::optional<D>, 4> kNone{};
constexpr std::array<std::optional<D>, 4> kFour{D::Up, D::Down, D::Right, D::Left};
constexpr std::array<std::optional<D>, 4> kSideways{D::Right, D::Left};
constexpr std::array<std::optional<D>, 4> kUpDown{D::Up, D::Down};

constexpr std::array<LightingEffect, kLightingEffectCount> kEffects{{
    {1, "Static", "全亮", false, kNone},
    {2, "Breathing", "呼吸", true, kNone},
    {3, "Wave", "波浪", true, kFour},
    {4, "Reactive", "随按渐灭", true, kNone},
    {5, "Sidewinder", "蛇形跑马", true, kNone},
    {6, "Ripple", "涟漪", true, kNone},
    {10, "Raindrop", "雨滴", true, kNone},
    {11, "Vortex", "环形跑马", true, kNone},
    {12, "Spotlight", "对冲", true, kNone},
    {13, "Radar", "雷达", true, kSideways},
    {14, "Running water run mode", "流水跑马", true, kNone},
    {15, "Running mold", "奔跑模式", true, kSideways},
    {16, "Shade mold", "渐变模式", true, kUpDown},
    {51, "DIY1", "DIY1", false, kNone},
    {52, "DIY2", "DIY2", false, kNone},
    {53, "DIY3", "DIY3", false, kNone},
    {54, "DIY4", "DIY4", false, kNone},
    {55, "DIY5", "DIY5", false, kNone},
}};
} // namespace

const std::array<LightingEffect, kLightingEffectCount> &lightingEffects() { return kEffects; }

const LightingEffect *findLightingEffect(uint8_t code) {
    for (const auto &effect : kEffects)
        if (effect.code == code)
            return &effect;
    return nullptr;
}

std::string_view directionName(uint8_t direction) {
    switch (direction) {
    case 1: return "left";
    case 2: return "right";
    case 3: return "up";
    case 4: return "down";
    default: return "none";
    }
}

} // namespace quenlar
