#pragma once
// The application object: everything the program's windows share for one run. main() owns it
// and hands it to the main window and the dialogs by reference; nothing here is global.

#include "device/HidLink.h"
#include "keymap/HostKeyRecord.h"
#include "keymap/KeyChanged.h"
#include "keymap/ProgramFolder.h"
#include "macro/MacroRecord.h"
#include "model/KeyNameTable.h"
#include "model/KeyboardState.h"
#include "model/Language.h"

#include <cstdint>
#include <optional>

namespace quenlar {

// The firmware version packaged with the program (VER.bin); 0.0 when the file is missing.
struct PackagedVersion {
    uint8_t major = 0;
    uint8_t minor = 0;
};

struct ApplicationState {
    ApplicationState(Language interfaceLanguage, DataPaths dataPaths)
        : language(interfaceLanguage), paths(std::move(dataPaths)) {}

    Language language;
    DataPaths paths;

    KeyboardImages images;         // working image and SyncedState
    HostKeyRecordImages records;   // HostKeyRecords and SyncedHostKeyRecords
    MacroTable macros{};           // the macro library (MacroDefine.bin)
    KeyNameTable keyNames;
    KeyChangedFlags keyChanged{};  // KeyChangedFlags: 1 = the picture shows the key lit

    DeviceInfo device{};           // the keyboard's firmware version as last read
    PackagedVersion packaged{};
    // The report-rate step the keyboard itself last reported or accepted; the refresh puts it
    // back into the working image (a profile does not choose the report rate).
    std::optional<uint8_t> keyboardReportRate;
};

} // namespace quenlar
