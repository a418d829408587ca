#include "app/WindowCommands.h"

#include "keymap/KeymapFile.h"
#include "model/FileIo.h"

namespace quenlar {

PackagedVersion readPackagedVersion(const std::filesystem::path &file) {
    PackagedVersion version;
    const auto bytes = readWholeFile(file);
    if (!bytes || bytes->size() < 8)
        return version;
    version.major = static_cast<uint8_t>((*bytes)[5] - '0');
    version.minor = static_cast<uint8_t>((*bytes)[7] - '0');
    return version;
}

bool firmwareUpdateOffered(const VersionCopy &keyboard, PackagedVersion packaged) {
    const uint8_t major = keyboard[0], minor = keyboard[1];
    if (major == 1 && minor < 10)
        return false;
    return packaged.major > major || (packaged.major == major && packaged.minor > minor);
}

ApplyOutcome applyChanges(ApplicationState &app, HidLink &link) {
    ApplyOutcome outcome;
    outcome.keyboardPresent = link.configOpen() && link.eventOpen();
    if (outcome.keyboardPresent) {
        outcome.write = link.writeAll(app.images);
        if (outcome.write.result.ok()) {
            app.images.commit();
            app.records.commit();
            app.keyboardReportRate = app.images.synced.reportRate;
        }
    } else {
        outcome.write.result = LinkResult::fail(LinkFailure::NoKeyboard, "WriteAll");
    }
    outcome.saved = saveKeymapFile(app.paths.keymapFile(), app.images.working, app.records.working, app.language);
    return outcome;
}

Result revertChanges(ApplicationState &app) {
    app.images.revert();
    app.records.revert();
    recomputeKeyChangedFlags(app.keyChanged, app.images.working, app.records.working);
    return saveKeymapFile(app.paths.keymapFile(), app.images.working, app.records.working, app.language);
}

FactoryResetOutcome factoryReset(ApplicationState &app, HidLink &link) {
    FactoryResetOutcome outcome;
    if (!link.configOpen()) {
        outcome.link = LinkResult::fail(LinkFailure::NoKeyboard, "FactoryReset");
        return outcome;
    }
    KeyboardState state = app.images.working;
    state.keyEnableMask.fill(0xFF);  // replaced by the keyboard's mask during the read
    outcome.link = link.factoryReset(state);
    if (!outcome.link.ok())
        return outcome;
    app.images.working = state;
    app.keyboardReportRate = state.reportRate;
    app.keyChanged.fill(0);
    app.records.working = HostKeyRecords{};
    fillVirtualKeys(app.records.working);
    // Commit only together with a keymap.bin that says the same.
    outcome.saved = saveKeymapFile(app.paths.keymapFile(), app.images.working, app.records.working, app.language);
    if (outcome.saved.ok()) {
        app.images.commit();
        app.records.commit();
    }
    return outcome;
}

Result saveSyncedKeymap(const ApplicationState &app) {
    return saveKeymapFile(app.paths.keymapFile(), app.images.synced, app.records.synced, app.language);
}

Result refreshData(ApplicationState &app, HidLink &link, bool withLighting) {
    if (link.getReportRate(app.images.working))
        app.keyboardReportRate = app.images.working.reportRate;
    else if (app.keyboardReportRate)
        app.images.working.reportRate = *app.keyboardReportRate;
    if (withLighting)
        (void)link.getLighting(app.images.working);
    recomputeKeyChangedFlags(app.keyChanged, app.images.working, app.records.working);
    return saveKeymapFile(app.paths.keymapFile(), app.images.working, app.records.working, app.language);
}

} // namespace quenlar
