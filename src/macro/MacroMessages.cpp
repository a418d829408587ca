#include "macro/MacroMessages.h"

namespace quenlar {

namespace {
struct Texts {
    const char *englishText;
    const char *englishCaption;
    const char *chineseText;
    const char *chineseCaption;
};

Texts textsOf(MacroMessageId id) {
    switch (id) {
    case MacroMessageId::SelectMacroToRecord:
        return {"Please select a Macro file to record \n", "Macro Manager", "请选择一个宏指令文件录制\n", "宏管理器"};
    case MacroMessageId::ConfirmDelete:
        return {"Confirm to delete?", "Macro Manager", "确认删除吗？", "宏管理"};
    case MacroMessageId::SelectMacroToDelete:
        return {"Please select a Macro file to delete\n", "Macro Manager", "请选择一个宏指令文件删除\n", "宏管理"};
    case MacroMessageId::EditCurrentDelay:
        return {"Please edit current delay\n", "Macro Manager", "请编辑当前延时\n", "宏管理"};
    case MacroMessageId::MacroFull:
        return {"The macro is full: there is no room for this change.\n", "Macro Manager",
                "宏已满，没有空间进行此更改。\n", "宏管理器"};
    case MacroMessageId::BadMacroName:
        return {"A macro name must have 1 to 254 characters.\n", "Macro Manager",
                "宏名称必须为1到254个字符。\n", "宏管理器"};
    case MacroMessageId::LibraryUnreadable:
        return {"The macro library MacroDefine.bin cannot be read; no macros are loaded.\n", "Macro Manager",
                "无法读取宏文件 MacroDefine.bin，未载入任何宏。\n", "宏管理器"};
    case MacroMessageId::LibraryNotCreated:
        return {"The macro library MacroDefine.bin cannot be created.\n", "Macro Manager",
                "无法创建宏文件 MacroDefine.bin。\n", "宏管理器"};
    case MacroMessageId::LibraryNotSaved:
        return {"The macro library MacroDefine.bin cannot be saved; the file is unchanged.\n", "Macro Manager",
                "无法保存宏文件 MacroDefine.bin，文件未更改。\n", "宏管理器"};
    }
    return {"", "", "", ""};
}
} // namespace

MacroMessage macroMessage(MacroMessageId id, Language language) {
    const Texts texts = textsOf(id);
    if (language == Language::Chinese)
        return {texts.chineseText, texts.chineseCaption};
    return {texts.englishText, texts.englishCaption};
}

} // namespace quenlar
