#include "StateReport.h"

#include "device/ReportTrace.h"
#include "model/KeyNameTable.h"
#include "model/KeyTable.h"
#include "model/KeyboardStateFields.h"
#include "model/LightingEffects.h"

#include <cstdio>
#include <sstream>

namespace quenlar::ctl {

namespace {

std::string usageName(const KeyNameTable &names, uint8_t usage) {
    for (int vk = 0; vk < 256; ++vk)
        if (names.usage(static_cast<uint8_t>(vk)) == usage && !names.name(static_cast<uint8_t>(vk)).empty()) {
            std::string name(names.name(static_cast<uint8_t>(vk)));
            while (!name.empty() && name.back() == ' ')
                name.pop_back();
            return name;
        }
    char text[16];
    std::snprintf(text, sizeof text, "usage 0x%02X", usage);
    return text;
}

std::string describeAction(const KeyNameTable &names, KeyAction a) {
    char text[64];
    switch (a.kind) {
    case 0: {
        if (a.p1 == 0 && a.p2 == 0 && a.p3 == 0)
            return "nothing";
        std::string keys;
        for (uint8_t usage : {a.p1, a.p2, a.p3})
            if (usage)
                keys += (keys.empty() ? "" : " + ") + usageName(names, usage);
        return "key " + keys;
    }
    case 2:
        return "Fn";
    case 3:
        std::snprintf(text, sizeof text, "media control 0x%04X", a.p2 | (a.p3 << 8));
        return text;
    case 4:
        return "macro " + std::to_string(a.p2);
    case 10:
        return "computer action (code " + std::to_string(a.p2) + ")";
    default:
        std::snprintf(text, sizeof text, "kind %d (%d, %d, %d)", a.kind, a.p1, a.p2, a.p3);
        return text;
    }
}

} // namespace

std::string statusText(const KeyboardState &s, const DeviceInfo &device) {
    std::ostringstream out;
    const LightingEffect *effect = findLightingEffect(s.lightEffect);
    out << "Firmware version:  " << int(device.versionCopy[0]) << "." << int(device.versionCopy[1]) << "\n";
    out << "Lighting effect:   "
        << (effect ? std::string(effect->englishName) : "unknown (code " + std::to_string(s.lightEffect) + ")")
        << "\n";
    out << "Speed:             " << int(s.lightSpeed) << "\n";
    out << "Brightness:        " << int(s.lightBrightness) << "\n";
    out << "Colour:            " << int(s.lightColour) << "\n";
    out << "Direction:         " << directionName(s.lightDirection) << "\n";
    out << "Game mode:         " << (s.gameMode ? "on" : "off") << "\n";
    out << "Windows-key lock:  " << (s.winLock == 1 ? "on" : "off") << "\n";
    out << "Response time:     " << 2 * int(s.responseTime) << " ms\n";
    out << "Report rate step:  " << int(s.reportRate) << "\n";

    const KeyNameTable names;
    std::ostringstream changed;
    int count = 0;
    for (const auto &key : keyTable()) {
        const KeyAction action = s.keyAction(key.matrixSlot());
        if (action == key.defaultAction)
            continue;
        changed << "  " << key.label << ": " << describeAction(names, action) << " (default "
                << describeAction(names, key.defaultAction) << ")\n";
        ++count;
    }
    if (count == 0)
        out << "Changed keys:      none\n";
    else
        out << "Changed keys:      " << count << "\n" << changed.str();
    return out.str();
}

std::string stateJson(const KeyboardState &state) {
    std::ostringstream out;
    out << "{\n";
    const auto fields = keyboardStateFields();
    const auto bytes = state.bytes();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto &f = fields[i];
        out << "  \"" << f.name << "\": ";
        if (f.size == 1) {
            out << int(bytes[f.offset]);
        } else {
            std::string hex;
            for (std::size_t b = 0; b < f.size; ++b) {
                char two[3];
                std::snprintf(two, sizeof two, "%02X", bytes[f.offset + b]);
                hex += two;
            }
            out << '"' << hex << '"';
        }
        out << (i + 1 < fields.size() ? ",\n" : "\n");
    }
    out << "}\n";
    return out.str();
}

} // namespace quenlar::ctl
