#include "MacroText.h"

#include "macro/MacroEventLines.h"

#include <charconv>
#include <sstream>

namespace quenlar::ctl {

namespace {

// The key whose name `name` is, when exactly one key has it.
std::optional<uint8_t> uniqueKeyNamed(std::string_view name, const KeyNameTable &names) {
    std::optional<uint8_t> found;
    for (int vk = 1; vk < 256; ++vk) {
        if (names.usage(static_cast<uint8_t>(vk)) == 0 || names.name(static_cast<uint8_t>(vk)) != name)
            continue;
        if (found)
            return std::nullopt;
        found = static_cast<uint8_t>(vk);
    }
    return found;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

} // namespace

std::string macroText(const MacroEditBuffer &buffer, const KeyNameTable &names) {
    std::string text;
    for (const EventLine &line : buildEventLines(buffer, names)) {
        text += line.text;
        if (!line.isDelay()) {
            const uint8_t vk = buffer.hostEvents[line.eventOffset + 1];
            if (uniqueKeyNamed(names.name(vk), names) != vk)
                text += "  #vk=" + std::to_string(vk);
        }
        text += '\n';
    }
    return text;
}

std::optional<std::vector<MacroTextEvent>> parseMacroText(const std::string &text, const KeyNameTable &names,
                                                          std::string &error) {
    std::vector<MacroTextEvent> events;
    int pendingDelay = 0;
    std::istringstream lines(text);
    std::string raw;
    for (int number = 1; std::getline(lines, raw); ++number) {
        auto fail = [&](const std::string &why) {
            error = "line " + std::to_string(number) + ": " + why;
            return std::nullopt;
        };
        std::string_view line = raw;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::optional<int> vkNote;
        if (const auto hash = line.find('#'); hash != std::string_view::npos) {
            const std::string_view comment = trimmed(line.substr(hash + 1));
            if (comment.starts_with("vk=")) {
                int vk = 0;
                const auto digits = comment.substr(3);
                const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), vk);
                if (ec != std::errc{} || end != digits.data() + digits.size() || vk < 1 || vk > 255)
                    return fail("bad key code \"" + std::string(comment) + "\"");
                vkNote = vk;
            }
            line = line.substr(0, hash);
        }
        // The key name's own trailing blank is part of the line, so only the ends are trimmed
        // for the delay test and the line's end for the key test.
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (trimmed(line).empty()) {
            if (vkNote)
                return fail("a key code without a key line");
            continue;
        }
        if (line.ends_with(" ms") && !vkNote) {
            const std::string_view digits = trimmed(line.substr(0, line.size() - 3));
            int ms = 0;
            const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), ms);
            if (ec != std::errc{} || end != digits.data() + digits.size() || ms < 2 || ms > kMaxMacroDelayMs)
                return fail("a delay is 2 to 60000 ms");
            if (pendingDelay != 0)
                return fail("two delays in a row");
            pendingDelay = ms;
            continue;
        }
        MacroTextEvent event;
        std::string_view name;
        if (line == "dn" || line == "up" || line.ends_with(" dn") || line.ends_with(" up")) {
            // "<name> dn": the name (with its own trailing blank), one blank, then dn or up.
            event.release = line.ends_with("up");
            name = line.substr(0, line.size() >= 3 ? line.size() - 3 : 0);
        } else {
            return fail("expected \"<key> dn\", \"<key> up\" or \"<n> ms\"");
        }
        if (vkNote) {
            event.vk = static_cast<uint8_t>(*vkNote);
        } else if (auto vk = uniqueKeyNamed(name, names)) {
            event.vk = *vk;
        } else if (auto vk = uniqueKeyNamed(std::string(trimmed(name)) + " ", names)) {
            event.vk = *vk;  // typed by hand with the blank left out or doubled
        } else if (auto vk = uniqueKeyNamed(trimmed(name), names)) {
            event.vk = *vk;
        } else {
            return fail("no single key is named \"" + std::string(trimmed(name)) + "\" (add #vk=CODE)");
        }
        if (names.usage(event.vk) == 0)
            return fail("the keyboard has no code for key " + std::to_string(event.vk));
        event.delayMs = pendingDelay;
        pendingDelay = 0;
        events.push_back(event);
    }
    if (pendingDelay != 0) {
        error = "the last delay has no key line after it";
        return std::nullopt;
    }
    return events;
}

} // namespace quenlar::ctl
