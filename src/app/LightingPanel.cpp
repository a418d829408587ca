#include "app/LightingPanel.h"

#include "app/MainLayout.h"
#include "app/PanelPainter.h"
#include "app/Texts.h"
#include "controls/BitSlider.h"
#include "model/LightingEffects.h"

namespace quenlar {

LightingPanel::LightingPanel(controls::CBitSlider &speed, controls::CBitSlider &brightness)
    : speed_(speed), brightness_(brightness) {}

int LightingPanel::listRowAt(int x, int y) {
    if (x < kListLeft || x > kListRight || y < kListTop || y >= kListBottom)
        return -1;
    return (y - kListTop) / kRowHeight;
}

void LightingPanel::openList(bool lightFolded) {
    if (lightFolded)
        return;
    effectListOpen = true;
    speed_.hide();
    brightness_.hide();
}

void LightingPanel::listMove(int x, int y) {
    const int row = listRowAt(x, y);
    effectListRow = row < 0 ? 255 : static_cast<uint8_t>(row);
}

void LightingPanel::listClick(int x, int y, KeyboardState &state, bool &paintMode) {
    effectListOpen = false;
    const int row = listRowAt(x, y);
    if (row < 0)
        return;
    effectListRow = static_cast<uint8_t>(row);
    const uint8_t code = lightingEffects()[row].code;
    state.lightEffect = code;
    paintMode = code >= kFirstCustomEffect;
    speed_.show();
    if (code == 1 && state.lightColour == 8)
        state.lightColour = 1;
    else if (code == 3)
        state.lightColour = 8;
}

void LightingPanel::applyDirection(int regionCode, KeyboardState &state) {
    const int button = regionCode - region::kDirection1;  // 0..3
    if (button < 0 || button > 3)
        return;
    static constexpr uint8_t radarOrRunning[4] = {2, 1, 2, 1};
    static constexpr uint8_t shade[4] = {3, 4, 3, 4};
    static constexpr uint8_t others[4] = {3, 4, 2, 1};
    switch (state.lightEffect) {
    case 13:
    case 15: state.lightDirection = radarOrRunning[button]; break;
    case 16: state.lightDirection = shade[button]; break;
    default: state.lightDirection = others[button]; break;
    }
}

void LightingPanel::applyColourRule(KeyboardState &state) {
    if (state.lightEffect >= kFirstCustomEffect)
        return;
    if (state.lightColour > 8)
        state.lightColour = 8;
    else if (state.lightColour == 0)
        state.lightColour = 1;
}

void LightingPanel::drawDirections(PanelPainter &p, const KeyboardState &state) {
    const uint8_t direction = state.lightDirection;
    auto button = [&](char side, bool enabled, int x) {
        const QByteArray name = QByteArray("Direction-") + side + (enabled ? "-Enable.png" : "-Disable.png");
        p.image(name.constData(), x, 197);
    };
    switch (state.lightEffect) {
    case 3:
        p.text("Direction", "方向", 29, 177, 15);
        button('T', direction == 3, 29);
        button('B', direction == 4, 79);
        button('R', direction == 2, 129);
        button('L', direction == 1, 179);
        break;
    case 13:
    case 15:
        p.text("Direction", "方向", 29, 177, 15);
        button('R', direction == 2, 29);
        button('L', direction != 2, 79);
        break;
    case 16:
        p.text("Direction", "方向", 29, 177, 15);
        button('T', direction == 3, 29);
        button('B', direction != 3, 79);
        break;
    default:
        if (state.lightEffect >= kFirstCustomEffect) {
            p.image(paintMode_ ? "Disable.png" : "Enable.png", 28, 199);
            p.image(paintMode_ ? "Enable.png" : "Disable.png", 130, 199);
            p.text(QStringLiteral("Keymap"), 45, 197, 15);
            p.text(QStringLiteral("DIY"), 147, 197, 15);
        }
        break;
    }
}

void LightingPanel::draw(PanelPainter &p, KeyboardState &state, bool lightFolded, bool paintMode) {
    p.image("itemBK.png", 19, 110);
    p.text("Light", "灯光", 19, 110, 15);
    if (lightFolded) {
        speed_.hide();
        brightness_.hide();
        return;
    }
    p.image("LEDEffect_open.png", 19, 130);
    p.text("Effect", "效果", 28, 137, 15);
    p.image("Light_Item.png", 28, 158);
    if (hasSpeed(state.lightEffect)) {
        p.image("freq.png", 19, 245);
        controls::DrawImageSlider(p.painter, p.window, speed_, p.cache, p.folder);
        state.lightSpeed = static_cast<uint8_t>(speed_.value());
        if (!effectListOpen) {
            speed_.show();
            brightness_.show();
            p.text("Speed", "速度", 28, 290, 13);
            p.text("Slow", "慢", 28, 317, 13);
            p.text("Fast", "快", 230, 317, 13);
        }
    } else {
        speed_.hide();
    }
    p.text("Brightness", "亮度", 28, 247, 13);
    p.text("Dark", "黑", 28, 274, 13);
    p.text("Bright", "亮", 230, 274, 13);
    if (!effectListOpen) {
        brightness_.show();
        controls::DrawImageSlider(p.painter, p.window, brightness_, p.cache, p.folder);
        state.lightBrightness = static_cast<uint8_t>(brightness_.value());
    } else {
        brightness_.hide();
    }
    applyColourRule(state);
    paintMode_ = paintMode;
    drawDirections(p, state);
    if (const LightingEffect *effect = findLightingEffect(state.lightEffect)) {
        const std::string_view name = p.language == Language::Chinese ? effect->chineseName : effect->englishName;
        p.text(QString::fromUtf8(name.data(), static_cast<int>(name.size())), 28, 158, 14);
    }
}

void LightingPanel::drawList(PanelPainter &p) {
    if (!effectListOpen)
        return;
    speed_.hide();
    brightness_.hide();
    for (int i = 0; i < kListRows; ++i) {
        const QRect row(QPoint(kListLeft, kListTop + kRowHeight * i), QPoint(kListRight, kListTop + kRowHeight + kRowHeight * i));
        p.painter.fillRect(row, i == effectListRow ? QColor(80, 0, 0) : QColor(59, 59, 59));
        const LightingEffect &effect = lightingEffects()[i];
        const std::string_view name = p.language == Language::Chinese ? effect.chineseName : effect.englishName;
        p.text(QString::fromUtf8(name.data(), static_cast<int>(name.size())), kListLeft, kListTop + kRowHeight * i, 18);
    }
}

} // namespace quenlar
