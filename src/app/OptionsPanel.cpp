#include "app/OptionsPanel.h"

#include "app/MainLayout.h"
#include "app/PanelPainter.h"
#include "controls/BitSlider.h"
#include "controls/SkinDrawing.h"

#include <algorithm>

namespace quenlar {

OptionsPanel::OptionsPanel(controls::CBitSlider &reportSlider) : report_(reportSlider) {}

namespace {
// The report-rate slider keeps its thumb within 0..205 of the track, and at step 0 draws it two
// pixels further right so that it sits inside the track's rounded end.
void drawReportSlider(PanelPainter &p, const controls::CBitSlider &slider) {
    const QPoint topLeft = slider.mapTo(&p.window, QPoint(0, 0));
    const int width = slider.width(), height = slider.height();
    int thumbX = std::clamp(slider.thumbX(), 0, 205);
    if (slider.value() == 0)
        thumbX += 2;
    const int thumbY = std::max(0, slider.thumbY());
    controls::copyOpaque(p.painter, topLeft, slider.filledTrack(), QRect(0, 0, thumbX, height));
    controls::copyOpaque(p.painter, topLeft + QPoint(thumbX, 0), slider.emptyTrack(),
                         QRect(thumbX, 0, width - thumbX, height));
    controls::DrawSkinImagePart(p.cache, p.painter, p.folder, QStringLiteral("Thumb.png"),
                                QRect(QPoint(0, 0), slider.thumbSize()), topLeft + QPoint(thumbX, thumbY + 1));
}
} // namespace

int OptionsPanel::listRowAt(int x, int y, int top) {
    if (x < kListLeft || x > kListRight || y < top || y >= top + kRowHeight * kListRows)
        return -1;
    return (y - top) / kRowHeight;
}

void OptionsPanel::listMove(int x, int y, int top) {
    const int row = listRowAt(x, y, top);
    responseListRow = row < 0 ? 255 : static_cast<uint8_t>(row);
}

void OptionsPanel::listClick(int x, int y, int top, KeyboardState &state) {
    responseListOpen = false;
    const int row = listRowAt(x, y, top);
    if (row < 0)
        return;
    responseListRow = static_cast<uint8_t>(row);
    state.responseTime = static_cast<uint8_t>(row + 1);
}

void OptionsPanel::applyGameModeRegion(int regionCode, KeyboardState &state) {
    switch (regionCode) {
    case region::kGameModeOn:
        if (state.gameMode == 0) {
            state.gameMode = 1;
            state.winLock = 1;
        }
        break;
    case region::kGameModeOff:
        state.gameMode = 0;
        state.winLock = 0;
        break;
    case region::kWinLockOn:
        if (state.gameMode == 1)
            state.winLock = 1;
        break;
    case region::kWinLockOff: state.winLock = 0; break;
    default: break;
    }
}

void OptionsPanel::draw(PanelPainter &p, KeyboardState &state, const MainLayout &layout) {
    const int c = layout.c();
    const bool zh = p.language == Language::Chinese;
    p.image("MacroManagementBK.png", 19, c + 110);
    p.image("MacroButton3.png", 19, c + 120);
    p.text("Macro Management", "宏管理器", 21, c + 122, 15);

    const int y0 = c + 165;
    if (layout.folding.game) {
        p.image("gamemode_Close.png", 19, y0);
        p.text("Game Mode", "游戏模式", 19, y0, 15);
        if (!zh)
            p.text(QStringLiteral("Win Lock"), 149, y0, 15);
    } else {
        p.image("gamemode_open.png", 19, y0);
        p.text("Game Mode", "游戏模式", 19, y0, 15);
        p.text("Win Lock", "Win Lock模式", 149, y0, 15);
        auto pair = [&](bool on, int x) {
            p.image(on ? "Enable.png" : "Disable.png", x, y0 + 33);
            p.image(on ? "Disable.png" : "Enable.png", x + 54, y0 + 33);
            p.text("ON", "开启", x + 17, y0 + 31, 15);
            p.text("OFF", "关闭", x + 71, y0 + 31, 15);
        };
        pair(state.gameMode != 0, 34);
        pair(state.winLock != 0, 164);
    }

    const int y1 = c + 220;
    if (layout.folding.response) {
        p.image("responsetime_close.png", 19, y1);
        p.text("Response Time", "按键响应时间", 19, y1, 15);
    } else {
        p.image("responsetime_open.png", 19, y1);
        p.text("Response Time", "按键响应时间", 19, y1, 15);
        p.image("Light_Item.png", 28, y1 + 28);
        p.text(QStringLiteral("%1 ms").arg(2 * state.responseTime), 100, y1 + 28, 15);
    }

    const int y2 = layout.reportBlockTop();
    if (layout.folding.report) {
        p.image("reportrate_Close.png", 19, y2);
        p.text("USB Report Rate", "USB报告率", 19, y2, 15);
        report_.hide();
        return;
    }
    p.image("reportrate_Open.png", 19, y2);
    p.text("USB Report Rate", "USB报告率", 19, y2, 15);
    if (y2 != reportSliderTop) {
        report_.move(28, y2 + 23);
        report_.LoadTrack();
        reportSliderTop = y2;
    }
    drawReportSlider(p, report_);
    state.reportRate = static_cast<uint8_t>(report_.value());
    report_.show();
}

void OptionsPanel::drawList(PanelPainter &p, int top) {
    if (!responseListOpen)
        return;
    for (int r = 0; r < kListRows; ++r) {
        const QRect row(QPoint(kListLeft, top + kRowHeight * r), QPoint(kListRight, top + kRowHeight + kRowHeight * r));
        p.painter.fillRect(row, r == responseListRow ? QColor(80, 0, 0) : QColor(59, 59, 59));
        p.text(QStringLiteral("%1ms").arg(2 * (r + 1)), 97, top + kRowHeight * r, 18);
    }
}

} // namespace quenlar
