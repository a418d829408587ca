#include "macro/MacroLibraryFile.h"

#include "macro/MacroMessages.h"
#include "model/FileIo.h"

#include <algorithm>
#include <system_error>

namespace quenlar {

namespace {
Result failure(MacroMessageId id, Language language, const std::string &detail) {
    return Result::failure(macroMessage(id, language).text + detail);
}
} // namespace

Result LoadMacroLibrary(const std::filesystem::path &file, MacroTable &table, Language language) {
    table = MacroTable{};
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        const Result written = writeFileAtomically(file, tableBytes(table));
        if (!written)
            return failure(MacroMessageId::LibraryNotCreated, language, written.message());
        return Result::success();
    }
    const bool regular = !error && status.type() == std::filesystem::file_type::regular;
    const auto bytes = regular ? readWholeFile(file) : std::nullopt;
    if (!bytes)
        return failure(MacroMessageId::LibraryUnreadable, language, file.string());
    const std::size_t count = std::min(bytes->size(), kMacroTableSize);
    std::copy_n(bytes->begin(), count, tableBytes(table).begin());
    return Result::success();
}

Result SaveMacroLibrary(const std::filesystem::path &file, const MacroTable &table, Language language) {
    const Result written = writeFileAtomically(file, tableBytes(table));
    if (!written)
        return failure(MacroMessageId::LibraryNotSaved, language, written.message());
    return Result::success();
}

} // namespace quenlar
