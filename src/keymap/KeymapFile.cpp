#include "keymap/KeymapFile.h"

#include "model/FileIo.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <system_error>

namespace quenlar {

namespace {
std::string cannotSave(const std::filesystem::path &file, Language language, const std::string &detail) {
    const std::string name = file.filename().string();
    if (language == Language::Chinese)
        return "无法保存按键设置文件 " + name + "。\n" + detail;
    return "Cannot save the key settings file " + name + ".\n" + detail;
}

std::string cannotRead(const std::filesystem::path &file, Language language) {
    const std::string name = file.filename().string();
    if (language == Language::Chinese)
        return "无法读取按键设置文件 " + name + "。\n";
    return "Cannot read the key settings file " + name + ".\n";
}

std::span<uint8_t> recordBytes(HostKeyRecords &records) {
    return {reinterpret_cast<uint8_t *>(records.data()), kHostKeyRecordsSize};
}

std::span<const uint8_t> recordBytes(const HostKeyRecords &records) {
    return {reinterpret_cast<const uint8_t *>(records.data()), kHostKeyRecordsSize};
}
} // namespace

std::optional<std::vector<uint8_t>> readConfigurationFile(const std::filesystem::path &file) {
    return readWholeFile(file);
}

std::vector<uint8_t> keymapFileBytes(const KeyboardState &state, const HostKeyRecords &records) {
    std::vector<uint8_t> bytes;
    bytes.reserve(kKeymapFileSize);
    const auto stateBytes = state.bytes();
    const auto recordView = recordBytes(records);
    bytes.insert(bytes.end(), stateBytes.begin(), stateBytes.end());
    bytes.insert(bytes.end(), recordView.begin(), recordView.end());
    return bytes;
}

void takeKeymapFileBytes(std::span<const uint8_t> bytes, KeymapLoadMode mode, KeyboardState &state,
                         HostKeyRecords &records) {
    const std::size_t stateCount = std::min(bytes.size(), kKeyboardStateSize);
    if (mode == KeymapLoadMode::Full && stateCount > 0)  // an empty file has no data pointer
        std::memcpy(state.bytes().data(), bytes.data(), stateCount);
    if (bytes.size() > kKeyboardStateSize) {
        const std::size_t recordCount = std::min(bytes.size() - kKeyboardStateSize, kHostKeyRecordsSize);
        std::memcpy(recordBytes(records).data(), bytes.data() + kKeyboardStateSize, recordCount);
    }
}

Result loadKeymapFile(const std::filesystem::path &file, KeymapLoadMode mode, KeyboardState &state,
                      HostKeyRecords &records, Language language) {
    Result result = Result::success();
    std::error_code error;
    if (const auto bytes = readConfigurationFile(file)) {
        takeKeymapFileBytes(*bytes, mode, state, records);
    } else if (!std::filesystem::exists(file, error) && !error) {
        records = HostKeyRecords{};
        const Result written = writeFileAtomically(file, keymapFileBytes(state, records));
        if (!written)
            result = Result::failure(cannotSave(file, language, written.message()));
    } else {
        // There is a file, but it cannot be read: never replace it with an empty one.
        result = Result::failure(cannotRead(file, language));
    }
    fillVirtualKeys(records);
    return result;
}

Result saveKeymapFile(const std::filesystem::path &file, const KeyboardState &state, const HostKeyRecords &records,
                      Language language) {
    const Result written = writeFileAtomically(file, keymapFileBytes(state, records));
    if (!written)
        return Result::failure(cannotSave(file, language, written.message()));
    return written;
}

} // namespace quenlar
