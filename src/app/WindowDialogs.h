#pragma once
// The three windows the main window opens: key assignment, the macro manager and the profile
// manager. The main window only knows this interface; the dialogs implement it. Each call runs
// its dialog modally and returns when it closed.

#include "keymap/AssignmentRequest.h"
#include "keymap/HostKeyRecord.h"
#include "macro/MacroRecord.h"
#include "model/KeyNameTable.h"
#include "model/KeyboardState.h"
#include "model/Language.h"

#include <filesystem>
#include <optional>

class QWidget;

namespace quenlar {

// What every dialog may read: the program's images, records and tables (owned by the
// application object) and where its files and skins are.
struct DialogContext {
    Language language = Language::English;
    std::filesystem::path programFolder;  // executables and skins (png/english/, png/chinese/)
    std::filesystem::path dataFolder;     // keymap.bin, MacroDefine.bin, Configure/
    KeyboardImages &images;
    HostKeyRecordImages &records;
    MacroTable &macros;                   // the macro library as last saved (MacroDefine.bin)
    const KeyNameTable &keyNames;
};

class WindowDialogs {
public:
    virtual ~WindowDialogs() = default;

    // The key-assignment dialog for KeyTable index `keyIndex`. nullopt = Cancel; otherwise the
    // request the main window applies through ApplyAssignment.
    virtual std::optional<AssignmentRequest> runKeyAssignment(QWidget *parent, DialogContext &context,
                                                              int keyIndex) = 0;

    // The macro manager. On OK the dialog has handed its working table back into
    // context.macros and returns true; the main window then repacks the macro slots and saves
    // keymap.bin and the macro library. On Cancel nothing changed and it returns false.
    virtual bool runMacroManager(QWidget *parent, DialogContext &context) = 0;

    // The profile manager. Profiles may have replaced context.images.working and the records;
    // the main window refreshes afterwards (the refresh with lParam 1).
    virtual void runProfileManager(QWidget *parent, DialogContext &context) = 0;
};

} // namespace quenlar
