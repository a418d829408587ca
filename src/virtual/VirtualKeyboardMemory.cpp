#include "virtual/VirtualKeyboardMemory.h"

#include "model/KeyTable.h"

namespace quenlar {

VirtualKeyboardMemory factoryMemory() {
    VirtualKeyboardMemory m;
    m.reportRate = 3;
    m.responseTime = 1;
    m.lightEffect = 3;
    m.lightWireSpeed = 10 - 5;
    m.lightBrightness = 50;
    m.lightColour = 8;
    m.lightDirection = 2;
    m.gameMode = 0;
    m.version = {1, 4, 0, 0, 0, 0};
    m.presetColours = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    m.keyEnableMask.fill(0xFF);
    m.keyMatrix = defaultKeyMatrix();
    return m;
}

} // namespace quenlar
