#include "FieldAssignments.h"

#include "model/LightingEffects.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace quenlar::ctl {

namespace {

struct SettableField {
    const char *name;
    int min;
    int max;
    uint8_t KeyboardState::*member;
};

constexpr SettableField kFields[] = {
    {"lightEffect", 1, 55, &KeyboardState::lightEffect},
    {"lightSpeed", 0, 9, &KeyboardState::lightSpeed},
    {"lightBrightness", 0, 50, &KeyboardState::lightBrightness},
    {"lightColour", 1, 8, &KeyboardState::lightColour},
    {"lightDirection", 1, 4, &KeyboardState::lightDirection},
    {"gameMode", 0, 1, &KeyboardState::gameMode},
    {"winLock", 0, 1, &KeyboardState::winLock},
    {"responseTime", 1, 10, &KeyboardState::responseTime},
    {"reportRate", 0, 3, &KeyboardState::reportRate},
};

const SettableField *findField(const std::string &name) {
    for (const auto &f : kFields)
        if (name == f.name)
            return &f;
    return nullptr;
}

std::string fieldNames() {
    std::string names;
    for (const auto &f : kFields)
        names += std::string(names.empty() ? "" : ", ") + f.name;
    return names;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return std::tolower(x) == std::tolower(y); });
}

// An effect by its code or its English name ("Wave", "DIY3").
std::optional<int> effectValue(const std::string &text) {
    for (const auto &effect : lightingEffects())
        if (equalsIgnoringCase(effect.englishName, text))
            return effect.code;
    return std::nullopt;
}

} // namespace

std::optional<std::vector<FieldAssignment>> parseFieldAssignments(const std::vector<std::string> &args,
                                                                  std::string &error) {
    std::vector<FieldAssignment> assignments;
    for (const auto &arg : args) {
        const auto equals = arg.find('=');
        if (equals == std::string::npos) {
            error = "expected FIELD=VALUE, got \"" + arg + "\"";
            return std::nullopt;
        }
        const std::string name = arg.substr(0, equals), text = arg.substr(equals + 1);
        const SettableField *field = findField(name);
        if (!field) {
            error = "unknown field \"" + name + "\" (fields: " + fieldNames() + ")";
            return std::nullopt;
        }
        int value = -1;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        const bool number = ec == std::errc{} && end == text.data() + text.size() && !text.empty();
        if (!number && field->member == &KeyboardState::lightEffect) {
            if (auto code = effectValue(text)) {
                value = *code;
            }
        } else if (!number) {
            value = -1;
        }
        const bool effectOk = field->member != &KeyboardState::lightEffect ||
                              (value >= 0 && value <= 255 && findLightingEffect(static_cast<uint8_t>(value)));
        if (value < field->min || value > field->max || !effectOk) {
            error = "bad value \"" + text + "\" for " + name;
            if (field->member == &KeyboardState::lightEffect)
                error += " (an effect code 1-6, 10-16, 51-55, or its name such as Wave)";
            else
                error += " (" + std::to_string(field->min) + " to " + std::to_string(field->max) + ")";
            return std::nullopt;
        }
        assignments.push_back({name, static_cast<uint8_t>(value)});
    }
    return assignments;
}

void applyFieldAssignments(const std::vector<FieldAssignment> &assignments, KeyboardState &state) {
    for (const auto &a : assignments)
        state.*(findField(a.field)->member) = a.value;
}

} // namespace quenlar::ctl
