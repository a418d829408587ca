#include "app/MainLayout.h"

namespace quenlar {

using controls::RegionRect;

namespace {
bool inside(const RegionRect &r, int x, int y) { return r.contains(x, y); }
} // namespace

MainLayout::MainLayout() {
    const RegionRect initial[region::kTableSize] = {
        {936, 5, 952, 20},   {957, 5, 973, 20},   {978, 5, 994, 20},   {28, 158, 248, 173},
        {29, 197, 64, 212},  {79, 197, 114, 212}, {129, 197, 164, 212}, {179, 197, 214, 212},
        {28, 258, 245, 280}, {28, 326, 250, 344}, {34, 397, 44, 406},  {88, 397, 98, 406},
        {28, 455, 247, 470}, {35, 534, 247, 543}, {19, 605, 89, 633},  {800, 605, 857, 635},
        {861, 605, 918, 635}, {923, 605, 980, 635}, {19, 110, 260, 127}, {19, 363, 260, 380},
        {19, 427, 260, 444}, {19, 507, 260, 524}};
    for (int i = 0; i < region::kTableSize; ++i)
        table_[i].rect = initial[i];
    const struct {
        int code;
        const char *normal, *over;
    } images[] = {{region::kHelp, "button-help-normal.png", "button-help-over.png"},
                  {region::kMinimise, "button-min-normal.png", "button-min-over.png"},
                  {region::kClose, "button-close-normal.png", "button-close-over.png"},
                  {region::kFactoryReset, "button-cancel-normal.png", "button-cancel-over.png"},
                  {region::kRevert, "button-cancel-normal.png", "button-cancel-over.png"},
                  {region::kApply, "button-cancel-normal.png", "button-cancel-over.png"}};
    for (const auto &image : images) {
        table_[image.code].normalImage = QString::fromLatin1(image.normal);
        table_[image.code].overImage = QString::fromLatin1(image.over);
    }
    table_[region::kProfile].normalImage = table_[region::kProfile].overImage = QStringLiteral("Config.png");
}

void MainLayout::applyLayout() {
    const int cc = c(), ff = f();
    table_[region::kLightHeader].rect = {19, 110, 261, 130};
    table_[region::kMacroButton].rect = {19, cc + 120, 259, cc + 138};
    table_[region::kGameModeOn].rect = {34, cc + 198, 44, cc + 207};
    table_[region::kGameModeOff].rect = {88, cc + 198, 115, cc + 207};
    table_[region::kGameHeader].rect = {19, cc + 165, 261, cc + 185};
    table_[region::kResponseSelector].rect = {28, cc + 248, 248, cc + 264};
    table_[region::kResponseHeader].rect = {19, cc + 220, 261, cc + 240};
    table_[region::kReportHeader].rect = {19, cc + 220 + ff, 261, cc + 240 + ff};
}

const controls::RegionRecord &MainLayout::record(int code) {
    applyLayout();
    return table_[code];
}

int MainLayout::hitTestRegion(int x, int y, uint8_t lightEffect) {
    applyLayout();
    auto hit = [&](int code) { return inside(table_[code].rect, x, y); };
    for (int code : {region::kHelp, region::kMinimise, region::kClose, region::kLightHeader})
        if (hit(code))
            return code;
    const int cc = c();
    if (!folding.light) {
        if (lightEffect >= 51) {
            if (inside({28, 200, 42, 214}, x, y))
                return region::kKeymapSwitch;
            if (inside({130, 200, 144, 214}, x, y))
                return region::kDiySwitch;
        }
        for (int code : {region::kEffectSelector, region::kDirection1, region::kDirection2, region::kDirection3,
                         region::kDirection4, region::kMacroButton})
            if (hit(code))
                return code;
        for (int k = 0; k < 8; ++k)
            if (inside({28 + 25 * k, 223, 48 + 25 * k, 243}, x, y))
                return region::kColourCell0 + k;
    } else if (hit(region::kMacroButton)) {
        return region::kMacroButton;
    }
    if (!folding.game) {
        for (int code : {region::kGameModeOn, region::kGameModeOff, region::kGameHeader})
            if (hit(code))
                return code;
        if (inside({164, cc + 198, 174, cc + 207}, x, y))
            return region::kWinLockOn;
        if (inside({218, cc + 198, 245, cc + 207}, x, y))
            return region::kWinLockOff;
    } else if (hit(region::kGameHeader)) {
        return region::kGameHeader;
    }
    if (!folding.response && hit(region::kResponseSelector))
        return region::kResponseSelector;
    for (int code : {region::kResponseHeader, region::kReportHeader, region::kProfile, region::kFactoryReset,
                     region::kRevert, region::kApply})
        if (hit(code))
            return code;
    if (inside({19, 32, 261, 102}, x, y))
        return region::kLogoStrip;
    return region::kNone;
}

bool MainLayout::setHover(int code) {
    if (code != region::kNone) {
        hover_.fill(0);
        hover_[code] = 1;
        lastHoverRegion_ = static_cast<uint8_t>(code);
        return false;
    }
    if (lastHoverRegion_ != 255) {
        hover_.fill(0);
        lastHoverRegion_ = 255;
        return true;
    }
    return false;
}

} // namespace quenlar
