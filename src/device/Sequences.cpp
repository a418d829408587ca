#include "device/Sequences.h"

#include "device/BlockTransfers.h"

#include <algorithm>

namespace quenlar {

namespace {

// Runs each step in turn and stops at the first failure.
#define QUENLAR_TRY(expr)                                                                                          \
    do {                                                                                                           \
        if (LinkResult r_ = (expr); !r_)                                                                           \
            return r_;                                                                                             \
    } while (0)

LinkResult queryInto(ConfigInterface &config, const CommandReport &request, KeyboardState &state,
                     void (*apply)(const CommandReport &, KeyboardState &)) {
    CommandReport answer{};
    QUENLAR_TRY(config.query(request, answer, commandName(static_cast<Command>(request[1]))));
    apply(answer, state);
    return LinkResult::success();
}

LinkResult getPresetColours(ConfigInterface &config, KeyboardState &state) {
    for (int n = 0; n < kPresetColourCount; ++n) {
        CommandReport answer{};
        QUENLAR_TRY(config.query(getPresetColourReport(n), answer, stepName(Command::GetPresetColour, n)));
        applyPresetColourAnswer(answer, state, n);
    }
    return LinkResult::success();
}

LinkResult getGameMode(ConfigInterface &config, KeyboardState &state) {
    return queryInto(config, makeCommandReport(Command::GetGameMode), state, applyGameModeAnswer);
}

LinkResult getResponseTime(ConfigInterface &config, KeyboardState &state) {
    return queryInto(config, makeCommandReport(Command::GetResponseTime), state, applyResponseTimeAnswer);
}

// Everything both read sequences read after the version, up to the macro slots.
LinkResult readSettingsAndMatrix(ConfigInterface &config, KeyboardState &state) {
    QUENLAR_TRY(getLighting(config, state));
    QUENLAR_TRY(getPresetColours(config, state));
    QUENLAR_TRY(getGameMode(config, state));
    QUENLAR_TRY(getReportRate(config, state));
    QUENLAR_TRY(getResponseTime(config, state));
    QUENLAR_TRY(readKeyMatrix(config, state));
    return readKeyEnableMask(config, state);
}

bool differs(std::span<const uint8_t> a, std::span<const uint8_t> b) { return !std::ranges::equal(a, b); }

bool lightingDiffers(const KeyboardState &a, const KeyboardState &b) {
    return a.lightEffect != b.lightEffect || a.lightSpeed != b.lightSpeed || a.lightBrightness != b.lightBrightness ||
           a.lightColour != b.lightColour || a.lightDirection != b.lightDirection;
}

// Clears the flag, runs the step, and waits for the keyboard's acknowledgement of each of its
// `commands` set commands.
template <typename Step>
LinkResult acknowledgedStep(ConfigInterface &config, WriteAck &ack, const std::string &name, Step step,
                            int commands = 1) {
    ack.clear();
    QUENLAR_TRY(step());
    if (!ack.waitFor(config.timeouts().acknowledgement, commands))
        return LinkResult::fail(LinkFailure::NoAcknowledgement, name);
    return LinkResult::success();
}

} // namespace

LinkResult getReportRate(ConfigInterface &config, KeyboardState &state) {
    return queryInto(config, makeCommandReport(Command::GetReportRate), state, applyReportRateAnswer);
}

LinkResult getLighting(ConfigInterface &config, KeyboardState &state) {
    return queryInto(config, makeCommandReport(Command::GetLighting), state, applyLightingAnswer);
}

LinkResult setGameModeValue1(ConfigInterface &config) {
    return config.set(setGameModeReport(1), stepName(Command::SetGameMode));
}

LinkResult setGameModeFromField(ConfigInterface &config, KeyboardState &state) {
    QUENLAR_TRY(config.set(setGameModeReport(state.gameMode), stepName(Command::SetGameMode)));
    state.applyWinLockToMask();
    return LinkResult::success();
}

LinkResult getVersion(ConfigInterface &config, DeviceVersion &version, VersionCopy &versionCopy) {
    CommandReport answer{};
    QUENLAR_TRY(config.query(makeCommandReport(Command::GetVersion), answer, stepName(Command::GetVersion)));
    applyVersionAnswer(answer, version, versionCopy);
    return LinkResult::success();
}

LinkResult readAllWorkerSequence(ConfigInterface &config, KeyboardState &state, DeviceVersion &version,
                                 VersionCopy &versionCopy) {
    QUENLAR_TRY(setGameModeValue1(config));
    QUENLAR_TRY(getVersion(config, version, versionCopy));
    QUENLAR_TRY(readSettingsAndMatrix(config, state));
    for (int n = 0; n < kMacroSlotCount; ++n) {
        QUENLAR_TRY(readMacroSlot(config, state, n));
        config.pause(0);
    }
    QUENLAR_TRY(readCustomLayers(config, state));
    return getReportRate(config, state);
}

LinkResult readAllSections(ConfigInterface &config, KeyboardState &state) {
    QUENLAR_TRY(setGameModeValue1(config));
    config.pause(10);
    QUENLAR_TRY(readSettingsAndMatrix(config, state));
    for (int n = 0; n < kMacroSlotCount; ++n)
        QUENLAR_TRY(readMacroSlot(config, state, n));
    return readCustomLayers(config, state);
}

LinkResult readCustomLayers(ConfigInterface &config, KeyboardState &state) {
    for (int n = 0; n < kCustomLayerCount; ++n)
        QUENLAR_TRY(readCustomLayer(config, state, n));
    return LinkResult::success();
}

WriteAllOutcome writeAll(ConfigInterface &config, KeyboardImages &images, WriteAck &ack) {
    KeyboardState &working = images.working;
    const KeyboardState &synced = images.synced;
    working.applyWinLockToMask();

    const bool presets = differs(working.presetColours, synced.presetColours);
    const bool gameMode = working.gameMode != synced.gameMode;
    const bool reportRate = working.reportRate != synced.reportRate;
    const bool responseTime = working.responseTime != synced.responseTime;
    const bool keyMatrix = differs(working.keyMatrix, synced.keyMatrix);
    const bool enableMask = differs(working.keyEnableMask, synced.keyEnableMask);
    bool macroSlots[kMacroSlotCount];
    bool anyMacro = false;
    for (int n = 0; n < kMacroSlotCount; ++n)
        anyMacro |= macroSlots[n] = differs(working.macroSlot(n), synced.macroSlot(n));
    bool layers[kCustomLayerCount];
    bool anyLayer = false;
    for (int n = 0; n < kCustomLayerCount; ++n)
        anyLayer |= layers[n] = differs(working.customLayer(n), synced.customLayer(n));
    const bool lighting = lightingDiffers(working, synced);

    const bool anyBesidesLighting =
        presets || gameMode || reportRate || responseTime || keyMatrix || enableMask || anyMacro || anyLayer;
    if (!anyBesidesLighting && !lighting)
        return {LinkResult::success(), false};

    // Write from a snapshot, so that the image committed is exactly the image sent.
    KeyboardState sent = working;
    auto run = [&]() -> LinkResult {
        if (anyBesidesLighting) {
            QUENLAR_TRY(acknowledgedStep(config, ack, "SetLighting 1", [&] {
                QUENLAR_TRY(config.set(setLightingReport(sent, LightingPhase::Open), "SetLighting 1"));
                config.pause(10);
                return LinkResult::success();
            }));
        }
        if (presets) {
            QUENLAR_TRY(acknowledgedStep(config, ack, commandName(Command::SetPresetColour), [&] {
                for (int n = 0; n < kPresetColourCount; ++n)
                    QUENLAR_TRY(config.set(setPresetColourReport(sent, n), stepName(Command::SetPresetColour, n)));
                return LinkResult::success();
            }, kPresetColourCount));
        }
        if (gameMode)
            QUENLAR_TRY(acknowledgedStep(config, ack, commandName(Command::SetGameMode),
                                         [&] { return setGameModeFromField(config, sent); }));
        if (reportRate)
            QUENLAR_TRY(acknowledgedStep(config, ack, commandName(Command::SetReportRate), [&] {
                return config.set(setReportRateReport(sent), commandName(Command::SetReportRate));
            }));
        if (responseTime)
            QUENLAR_TRY(acknowledgedStep(config, ack, commandName(Command::SetResponseTime), [&] {
                return config.set(setResponseTimeReport(sent), commandName(Command::SetResponseTime));
            }));
        if (keyMatrix)
            QUENLAR_TRY(acknowledgedStep(config, ack, commandName(Command::WriteKeyMatrix),
                                         [&] { return writeKeyMatrix(config, sent); }));
        if (enableMask)
            QUENLAR_TRY(acknowledgedStep(config, ack, commandName(Command::WriteKeyEnableMask),
                                         [&] { return writeKeyEnableMask(config, sent); }));
        for (int n = 0; n < kMacroSlotCount; ++n)
            if (macroSlots[n])
                QUENLAR_TRY(acknowledgedStep(config, ack, stepName(Command::WriteMacroSlot, n),
                                             [&] { return writeMacroSlot(config, sent, n); }));
        for (int n = 0; n < kCustomLayerCount; ++n)
            if (layers[n])
                QUENLAR_TRY(acknowledgedStep(config, ack, stepName(Command::WriteCustomLayer, n),
                                             [&] { return writeCustomLayer(config, sent, n); }));
        // The closing step is acknowledged like every other; a keyboard that does not confirm it
        // has not been written, and the write is not reported as done.
        return acknowledgedStep(config, ack, "SetLighting 2", [&] {
            return config.set(setLightingReport(sent, LightingPhase::Close), "SetLighting 2");
        });
    };

    LinkResult result = run();
    if (result) {
        images.working = sent;
        images.commit();
    }
    return {result, true};
}

LinkResult factoryResetSequence(ConfigInterface &config) {
    QUENLAR_TRY(config.set(factoryResetReport(), commandName(Command::FactoryReset)));
    for (int i = 0; i < 2; ++i) {
        QUENLAR_TRY(setGameModeValue1(config));
        config.pause(300);
    }
    return LinkResult::success();
}

#undef QUENLAR_TRY

} // namespace quenlar
