#include "AssignmentChoice.h"

#include "CtlSupport.h"

#include "keymap/BasicFunction.h"
#include "keymap/Utf16.h"
#include "model/KeyTable.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

namespace quenlar::ctl {

namespace {

std::optional<uint8_t> deviceKey(const std::string &text, const KeyNameTable &names, std::string &error) {
    const auto vk = parseVirtualKey(text, names, error);
    if (!vk)
        return std::nullopt;
    if (names.usage(*vk) == 0) {
        error = "key \"" + text + "\" has no code on this keyboard";
        return std::nullopt;
    }
    return vk;
}

std::optional<AssignmentCategory> hostActionCategory(const std::string &word) {
    if (word == "sound")
        return AssignmentCategory::PlaySound;
    if (word == "program")
        return AssignmentCategory::Startup;
    if (word == "file")
        return AssignmentCategory::OpenFile;
    if (word == "folder")
        return AssignmentCategory::OpenFolder;
    return std::nullopt;
}

std::vector<std::string> splitOnPlus(const std::string &text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        // "+" on its own is the name of the numeric-pad plus key.
        std::size_t plus = text.find('+', start == text.size() ? start : start + 1);
        if (plus == std::string::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, plus - start));
        start = plus + 1;
    }
}

} // namespace

std::optional<AssignmentChoice> parseAssignmentChoice(const std::vector<std::string> &action, const KeyNameTable &names,
                                                      Language language, std::string &error) {
    if (action.empty()) {
        error = "assign needs an action: key, combo, basic, macro, sound, program, file, folder, default, disable "
                "or enable";
        return std::nullopt;
    }
    const std::string &word = action[0];
    AssignmentChoice choice;
    auto needs = [&](std::size_t count, const char *what) {
        if (action.size() == count + 1)
            return true;
        error = "assign ... " + word + " needs " + what;
        return false;
    };
    if (word == "default" || word == "disable" || word == "enable") {
        if (!needs(0, "nothing after it"))
            return std::nullopt;
        choice.kind = word == "default"   ? AssignmentChoice::Kind::Default
                      : word == "disable" ? AssignmentChoice::Kind::Disable
                                          : AssignmentChoice::Kind::Enable;
        return choice;
    }
    if (word == "key") {
        if (!needs(1, "one key (a virtual-key code or a key name)"))
            return std::nullopt;
        const auto vk = deviceKey(action[1], names, error);
        if (!vk)
            return std::nullopt;
        choice.kind = AssignmentChoice::Kind::Key;
        choice.keys = {*vk};
        return choice;
    }
    if (word == "combo") {
        if (!needs(1, "two or three keys joined by +, such as LCtrl+C"))
            return std::nullopt;
        const auto parts = splitOnPlus(action[1]);
        if (parts.size() < 2 || parts.size() > 3) {
            error = "a combination has two or three keys joined by +, such as LCtrl+C";
            return std::nullopt;
        }
        for (const auto &part : parts) {
            const auto vk = deviceKey(part, names, error);
            if (!vk)
                return std::nullopt;
            choice.keys.push_back(*vk);
        }
        choice.kind = AssignmentChoice::Kind::Combo;
        return choice;
    }
    if (word == "basic") {
        if (!needs(1, "a function name, such as \"Volume Up\""))
            return std::nullopt;
        auto function = findBasicFunction(action[1], Language::English);
        if (!function)
            function = findBasicFunction(action[1], Language::Chinese);
        if (!function) {
            error = "no basic function called \"" + action[1] + "\"; they are:";
            for (const auto &f : basicFunctions())
                error += std::string(" \"") + std::string(f.name(language)) + "\"";
            return std::nullopt;
        }
        choice.kind = AssignmentChoice::Kind::Basic;
        choice.functionName = std::string(function->name(language));
        return choice;
    }
    if (word == "macro") {
        if (!needs(1, "a macro number (quenlar-ctl macro list)"))
            return std::nullopt;
        int number = -1;
        const auto &text = action[1];
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (ec != std::errc{} || end != text.data() + text.size() || number < 0) {
            error = "bad macro number \"" + text + "\"";
            return std::nullopt;
        }
        choice.kind = AssignmentChoice::Kind::Macro;
        choice.macro = number;
        return choice;
    }
    if (const auto category = hostActionCategory(word)) {
        if (!needs(1, "a path"))
            return std::nullopt;
        if (action[1].empty()) {
            error = "the path is empty";
            return std::nullopt;
        }
        std::error_code ec;
        const auto absolute = std::filesystem::absolute(action[1], ec);
        choice.kind = AssignmentChoice::Kind::HostAction;
        choice.hostAction = *category;
        choice.path = ec ? action[1] : absolute.lexically_normal().string();
        return choice;
    }
    error = "unknown action \"" + word + "\"";
    return std::nullopt;
}

std::optional<AssignmentRequest> dialogRequest(int key, const AssignmentChoice &choice, const KeyboardState &state,
                                               const HostKeyRecords &records, Language language, std::string &error) {
    const KeyTableEntry &entry = keyAt(key);
    const HostKeyRecord &record = records[key];
    AssignmentRequest request;
    // As the dialog opens: the record's category and captured keys, the Disable box from the mask.
    request.category = static_cast<AssignmentCategory>(record.category);
    request.keyCount = record.keyCount;
    request.keyEnabled = state.enableBit(entry.enableBit);

    using Kind = AssignmentChoice::Kind;
    switch (choice.kind) {
    case Kind::Key:
    case Kind::Combo:
        request.capturedKeys.fill(0);
        std::copy(choice.keys.begin(), choice.keys.end(), request.capturedKeys.begin());
        request.keyCount = static_cast<int32_t>(choice.keys.size());
        request.category = choice.kind == Kind::Key ? AssignmentCategory::Single : AssignmentCategory::Combine;
        return request;
    case Kind::Basic:
        request.category = AssignmentCategory::Basic;
        request.functionName = choice.functionName;
        return request;
    case Kind::Macro:
        request.category = AssignmentCategory::Macro;
        request.macroIndex = choice.macro;
        return request;
    case Kind::HostAction:
        request.category = choice.hostAction;
        request.actionPath = utf8ToUtf16(choice.path);
        return request;
    case Kind::Default:
        request.keyCount = kRestoreDefaultKeyCount;
        return request;
    case Kind::Disable:
    case Kind::Enable:
        break;
    }

    // disable / enable: Save on the page the dialog opened on, with everything as it was loaded.
    request.keyEnabled = choice.kind == Kind::Enable;
    const auto leadingKeys = [&] {
        const auto end = std::find(record.keyData.begin(), record.keyData.end(), uint8_t{0});
        return static_cast<int32_t>(end - record.keyData.begin());
    };
    switch (record.category) {
    case 0:
    case 1:
        request.capturedKeys = record.keyData;
        request.keyCount = leadingKeys();
        request.category = request.keyCount == 0 ? AssignmentCategory::RestoreKey
                                                 : static_cast<AssignmentCategory>(record.category);
        return request;
    case 2:
        if (record.keyData[0] == 4) {
            request.category = AssignmentCategory::Macro;
            request.macroIndex = record.keyData[2];
        } else {
            // The dialog stays on its first page with nothing captured.
            request.keyCount = 0;
            request.category = AssignmentCategory::RestoreKey;
        }
        return request;
    case 3: {
        const auto function =
            findBasicFunction(KeyAction{record.keyData[0], record.keyData[1], record.keyData[2], record.keyData[3]});
        if (!function) {
            error = "the key's basic function is not in the catalogue; give it another action first";
            return std::nullopt;
        }
        request.category = AssignmentCategory::Basic;
        request.functionName = std::string(function->name(language));
        return request;
    }
    case 4:
    case 5:
    case 6:
    case 7:
        request.actionPath = record.actionPathText();
        return request;
    default:
        // A category no version of the program stores: nothing is selected anywhere.
        request.keyCount = 0;
        request.category = AssignmentCategory::RestoreKey;
        return request;
    }
}

} // namespace quenlar::ctl
