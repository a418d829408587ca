#pragma once
// What the main window's commands do to the program's images, records and files, apart from
// drawing: apply, revert, factory reset, close, the refresh after a read, and the checks that
// decide whether a firmware update is offered. The window calls these and shows the outcome.

#include "app/ApplicationState.h"
#include "device/HidLink.h"
#include "model/Result.h"

#include <filesystem>

namespace quenlar {

// VER.bin: a 12-byte text whose characters at offsets 5 and 7 are the major and minor digits.
// A missing or short file gives 0.0.
PackagedVersion readPackagedVersion(const std::filesystem::path &file);

// The refresh's question: never for a keyboard 1.x with x below 10; otherwise when the packaged
// firmware is newer than the keyboard's.
bool firmwareUpdateOffered(const VersionCopy &keyboard, PackagedVersion packaged);

struct ApplyOutcome {
    bool keyboardPresent = false;  // false: nothing was sent or committed
    WriteAllOutcome write;         // how write-all went (when the keyboard was present)
    Result saved = Result::success();
    bool ok() const { return keyboardPresent && write.result.ok(); }
};

// Apply: write-all, then commit images and records and save keymap.bin. Without a keyboard, or
// when the keyboard does not answer, nothing is committed; the working image and records stay
// and are saved to keymap.bin so that the changes are not lost.
ApplyOutcome applyChanges(ApplicationState &app, HidLink &link);

// Revert: the working image and records become the synced ones again, the key marks are
// recomputed and keymap.bin is saved. Nothing is sent.
Result revertChanges(ApplicationState &app);

// Factory reset after the user agreed: the keyboard's reset and read, then the key marks and
// records of a fresh keyboard; committed and saved only when keymap.bin can be written. On a
// failed reset or read nothing in memory changes.
struct FactoryResetOutcome {
    LinkResult link;
    Result saved = Result::success();
};
FactoryResetOutcome factoryReset(ApplicationState &app, HidLink &link);

// Close: keymap.bin from SyncedState and SyncedHostKeyRecords, dropping what was never applied.
Result saveSyncedKeymap(const ApplicationState &app);

// The refresh's data steps: the keyboard's own report rate (and, for a full refresh, its
// lighting) back into the working image, the key marks recomputed and keymap.bin saved. Without
// a keyboard the report rate it last reported or accepted is put back.
Result refreshData(ApplicationState &app, HidLink &link, bool withLighting);

} // namespace quenlar
