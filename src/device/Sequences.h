#pragma once
// The fixed read and write sequences over the configuration interface. The program never
// edits the keyboard field by field: it reads the whole configuration into an image, lets the
// user change the working image, and writes back every section that differs from what the
// keyboard was last known to hold, each write step acknowledged on the event interface.

#include "device/ConfigInterface.h"
#include "device/WriteAck.h"
#include "model/KeyboardState.h"

namespace quenlar {

// Game mode on (value 1) without touching the enable mask; the read sequences start with it.
LinkResult setGameModeValue1(ConfigInterface &config);
// Game mode from the image; afterwards bit 1 of the mask follows winLock.
LinkResult setGameModeFromField(ConfigInterface &config, KeyboardState &state);

// Single queries, for the refresh after a read.
LinkResult getReportRate(ConfigInterface &config, KeyboardState &state);
LinkResult getLighting(ConfigInterface &config, KeyboardState &state);

// The firmware version: the 8 answer bytes, and (major, minor, 0, 0) for the update check.
LinkResult getVersion(ConfigInterface &config, DeviceVersion &version, VersionCopy &versionCopy);

// The read at program start: everything, including the firmware version. Fills state; the
// caller commits.
LinkResult readAllWorkerSequence(ConfigInterface &config, KeyboardState &state, DeviceVersion &version,
                                 VersionCopy &versionCopy);

// The read after the keyboard comes back or after a factory reset: no version, no commit.
LinkResult readAllSections(ConfigInterface &config, KeyboardState &state);

// The five custom layers once more (the arrival handling reads them twice).
LinkResult readCustomLayers(ConfigInterface &config, KeyboardState &state);

struct WriteAllOutcome {
    LinkResult result;
    bool sentAnything = false;
};

// Sends every section of images.working that differs from images.synced and commits when the
// keyboard acknowledged every step, the closing lighting command included. On a failure nothing is committed and the working image is
// kept as it was (apart from the Windows-key bit of the mask, which always follows winLock).
WriteAllOutcome writeAll(ConfigInterface &config, KeyboardImages &images, WriteAck &ack);

// Restores the keyboard's factory configuration: 0x13, then game mode on twice, with their pauses.
LinkResult factoryResetSequence(ConfigInterface &config);

} // namespace quenlar
