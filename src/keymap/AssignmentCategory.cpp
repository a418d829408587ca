#include "keymap/AssignmentCategory.h"

namespace quenlar {

std::string_view categoryLabel(AssignmentCategory category, Language language) {
    const bool zh = language == Language::Chinese;
    switch (category) {
    case AssignmentCategory::Single: return zh ? "单键" : "Single";
    case AssignmentCategory::Combine: return zh ? "组合键" : "Combine";
    case AssignmentCategory::Macro: return zh ? "宏" : "Macro";
    case AssignmentCategory::Basic: return zh ? "基本功能" : "Basic";
    case AssignmentCategory::PlaySound: return zh ? "播放声音" : "Play Sound";
    case AssignmentCategory::Startup: return zh ? "启动程序" : "Startup";
    case AssignmentCategory::OpenFile: return zh ? "打开文件" : "Open File";
    case AssignmentCategory::OpenFolder: return zh ? "打开目录" : "Open Folder";
    case AssignmentCategory::RestoreKey:
    case AssignmentCategory::None: return {};
    }
    return {};
}

std::string_view pageTitle(AssignmentPage page, Language language) {
    const bool zh = language == Language::Chinese;
    switch (page) {
    case AssignmentPage::SingleCombine: return zh ? "单键/组合键" : "Single/Combine";
    case AssignmentPage::Macro: return zh ? "宏" : "Macro";
    case AssignmentPage::Basic: return zh ? "基本功能" : "Basic";
    case AssignmentPage::Advance: return zh ? "高级功能" : "Advance";
    }
    return {};
}

} // namespace quenlar
