#include "device/LinkResult.h"

namespace quenlar {

std::string LinkResult::message(Language language) const {
    const bool zh = language == Language::Chinese;
    switch (failure) {
    case LinkFailure::None:
        return zh ? "完成。" : "Done.";
    case LinkFailure::NoKeyboard:
        return zh ? "未找到键盘，请检查键盘是否已连接。" : "No keyboard found. Check that the keyboard is plugged in.";
    case LinkFailure::Disconnected:
        return zh ? "键盘在执行 " + step + " 时断开了连接。"
                  : "The keyboard was disconnected during " + step + ".";
    case LinkFailure::NoAcknowledgement:
        return zh ? "键盘在 3 秒内没有确认 " + step + "，更改未写入键盘。"
                  : "The keyboard did not acknowledge " + step +
                        " within 3 seconds. The changes were not written to the keyboard.";
    case LinkFailure::BadAnswer:
        return zh ? "键盘对 " + step + " 的回答数据有误，未作任何更改。"
                  : "The keyboard answered " + step + " with damaged data. Nothing was changed.";
    case LinkFailure::NoBlockData:
        return zh ? "键盘在 1 秒内没有发送 " + step + " 的数据。"
                  : "The keyboard sent no data for " + step + " within 1 second.";
    }
    return {};
}

} // namespace quenlar
