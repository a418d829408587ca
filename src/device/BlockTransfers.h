#pragma once
// The large sections of the keyboard image travel as 64-byte blocks after a command that
// announces them. Section, announcing command, block count and pacing (milliseconds):
//
//   keyMatrix (512)        write 0x0D: 50 after the command, 8 blocks back to back, 60 after the last
//                          read  0x8D: answer read at once, 8 blocks back to back
//   keyEnableMask (18)     write 0x0E: 10 after the command, 1 block (mask, then zeros)
//                          read  0x8E: answer read at once, 1 block; winLock taken from it
//   macro slot n (192)     write 0x11: 1 after the command, a yield after blocks 0 and 1
//                          read  0x91: answer read at once, 3 blocks back to back
//   custom layer n (512)   write 0x12: 5 after the command, 5 after every block
//                          read  0x92: 5, answer, 5, then every block followed by 5
//
// Nothing else may be sent on the configuration interface between a command and its last block;
// the link holds its lock for whole sequences.

#include "device/ConfigInterface.h"
#include "model/KeyboardState.h"

namespace quenlar {

LinkResult writeKeyMatrix(ConfigInterface &config, const KeyboardState &state);
LinkResult readKeyMatrix(ConfigInterface &config, KeyboardState &state);
LinkResult writeKeyEnableMask(ConfigInterface &config, const KeyboardState &state);
LinkResult readKeyEnableMask(ConfigInterface &config, KeyboardState &state);
LinkResult writeMacroSlot(ConfigInterface &config, const KeyboardState &state, int slot);
LinkResult readMacroSlot(ConfigInterface &config, KeyboardState &state, int slot);
LinkResult writeCustomLayer(ConfigInterface &config, const KeyboardState &state, int layer);
LinkResult readCustomLayer(ConfigInterface &config, KeyboardState &state, int layer);

} // namespace quenlar
