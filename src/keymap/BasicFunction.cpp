#include "keymap/BasicFunction.h"

#include <array>

namespace quenlar {

namespace {
constexpr std::string_view kMediaEn = "Media", kMediaZh = "多媒体";
constexpr std::string_view kShortcutEn = "Shortcut", kShortcutZh = "快捷健";
constexpr std::string_view kWindowsEn = "Windows", kWindowsZh = "Windows";

constexpr std::array<BasicFunction, 23> kCatalogue{{
    {"", "", "Search", "搜索", {0, 0xE3, 0x09, 0}},                            // GUI + F
    {"", "", "Run", "运行", {0, 0xE3, 0x15, 0}},                               // GUI + R
    {kMediaEn, kMediaZh, "Media Player", "多媒体播放器", {3, 0, 0x83, 0x01}},  // consumer 0x0183
    {kMediaEn, kMediaZh, "Prev", "上一曲", {3, 0, 0xB6, 0}},
    {kMediaEn, kMediaZh, "Next", "下一曲", {3, 0, 0xB5, 0}},
    {kMediaEn, kMediaZh, "Play/Pause", "播放/暂停", {3, 0, 0xCD, 0}},
    {kMediaEn, kMediaZh, "Stop", "停止", {3, 0, 0xB7, 0}},
    {kMediaEn, kMediaZh, "Vol+", "音量+", {3, 0, 0xE9, 0}},
    {kMediaEn, kMediaZh, "Vol-", "音量-", {3, 0, 0xEA, 0}},
    {kMediaEn, kMediaZh, "Mute", "静音", {3, 0, 0xE2, 0}},
    {kShortcutEn, kShortcutZh, "New", "新建", {0, 0xE0, 0x11, 0}},             // Control + N
    {kShortcutEn, kShortcutZh, "Cut", "剪切", {0, 0xE0, 0x1B, 0}},             // Control + X
    {kShortcutEn, kShortcutZh, "Copy", "复制", {0, 0xE0, 0x06, 0}},            // Control + C
    {kShortcutEn, kShortcutZh, "Paste", "粘贴", {0, 0xE0, 0x19, 0}},           // Control + V
    {kShortcutEn, kShortcutZh, "Save", "保存", {0, 0xE0, 0x16, 0}},            // Control + S
    {kShortcutEn, kShortcutZh, "Print", "打印", {0, 0xE0, 0x13, 0}},           // Control + P
    {kShortcutEn, kShortcutZh, "Select All", "全选", {0, 0xE0, 0x04, 0}},      // Control + A
    {kWindowsEn, kWindowsZh, "Max", "最大化", {0, 0xE2, 0x2C, 0x1B}},          // Alt + Space + X
    {kWindowsEn, kWindowsZh, "Min", "最小化", {0, 0xE2, 0x2C, 0x11}},          // Alt + Space + N
    {kWindowsEn, kWindowsZh, "Computer", "我的电脑", {3, 0, 0x94, 0x01}},      // consumer 0x0194
    {kWindowsEn, kWindowsZh, "Task Management", "任务管理器", {0, 0xE0, 0xE2, 0x4C}}, // Ctrl + Alt + Del
    {kWindowsEn, kWindowsZh, "Homepage", "浏览器-主页", {3, 0, 0x23, 0x02}},   // consumer 0x0223
    {kWindowsEn, kWindowsZh, "Close", "关闭窗口", {0, 0xE2, 0x3D, 0}},         // Alt + F4
}};

constexpr bool actionsAreDistinct() {
    for (std::size_t i = 0; i < kCatalogue.size(); ++i)
        for (std::size_t j = i + 1; j < kCatalogue.size(); ++j)
            if (kCatalogue[i].action == kCatalogue[j].action)
                return false;
    return true;
}
static_assert(actionsAreDistinct(), "stored bytes must identify their catalogue entry");
} // namespace

std::span<const BasicFunction> basicFunctions() { return kCatalogue; }

std::optional<BasicFunction> findBasicFunction(std::string_view name, Language language) {
    for (const auto &function : kCatalogue)
        if (function.name(language) == name)
            return function;
    return std::nullopt;
}

std::optional<BasicFunction> findBasicFunction(KeyAction action) {
    for (const auto &function : kCatalogue)
        if (function.action == action)
            return function;
    return std::nullopt;
}

} // namespace quenlar
