#include "profile/ProfileMessages.h"

namespace quenlar {

std::string profileMessage(ProfileMessage message, Language language) {
    const bool zh = language == Language::Chinese;
    switch (message) {
    case ProfileMessage::SixProfiles: return zh ? "最多可以存储6个配置\n" : "Only Create Six Profile mostly\n";
    case ProfileMessage::SelectToSave: return zh ? "请选择一个配置存储" : "Please select a profile to Save\n";
    case ProfileMessage::SelectToOpen: return zh ? "请选择一个配置打开" : "Please select a profile to Open\n";
    case ProfileMessage::SelectToCopy: return zh ? "请选择一个配置拷贝" : "Please select a profile to copy\n";
    case ProfileMessage::KeepOne: return zh ? "请至少保留一个配置文件" : "Please keep a profile\n";
    case ProfileMessage::SelectToDelete: return zh ? "请选择一个配置删除" : "Please select a profile to delete\n";
    case ProfileMessage::ConfirmDelete: return zh ? "删除当前配置文件吗" : "Delete current profile ?";
    case ProfileMessage::NameLeavesFolder:
        return zh ? "配置名称不能包含 \"/\"、\"\\\" 或 \"..\"\n"
                  : "A profile name cannot contain \"/\", \"\\\" or \"..\"\n";
    case ProfileMessage::NameEmpty: return zh ? "请输入配置名称\n" : "Please enter a profile name\n";
    case ProfileMessage::NameTaken: return zh ? "已经有同名的配置文件\n" : "A profile file of this name already exists\n";
    case ProfileMessage::CannotWrite: return zh ? "无法保存配置文件\n" : "Cannot save the profile file\n";
    case ProfileMessage::CannotRead: return zh ? "无法读取配置文件\n" : "Cannot read the profile file\n";
    case ProfileMessage::CannotDelete: return zh ? "无法删除配置文件\n" : "Cannot delete the profile file\n";
    case ProfileMessage::CannotRename: return zh ? "无法重命名配置文件\n" : "Cannot rename the profile file\n";
    }
    return {};
}

std::string profileCaption(Language language) { return language == Language::Chinese ? "配置管理" : "Profile"; }

} // namespace quenlar
