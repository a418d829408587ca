// MacroDefine.bin of any length and content, then every macro's event lines.
#include "macro/MacroEditBuffer.h"
#include "macro/MacroEventLines.h"
#include "macro/MacroLibraryFile.h"
#include "macro/MacroSlots.h"
#include "model/FileIo.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace quenlar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const std::string file = "/tmp/quenlar-fuzz-macro-" + std::to_string(::getpid()) + ".bin";
    static const KeyNameTable names;
    if (!writeFileAtomically(file, std::span<const uint8_t>(data, size)))
        return 0;
    static MacroTable table;
    table = MacroTable{};
    (void)LoadMacroLibrary(file, table, Language::English);
    KeyboardState state;
    PackMacroSlots(table, state);
    for (const auto &record : table) {
        MacroEditBuffer buffer;
        fillEditBuffer(buffer, record.deviceEvents, record.hostEvents);
        if (buffer.usedBytes < 0 || buffer.usedBytes > kMacroStreamSize)
            std::abort();
        (void)buildEventLines(buffer, names);
    }
    return 0;
}
