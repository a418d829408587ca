#include "dialogs/MacroEventMenu.h"

#include <functional>

namespace quenlar::dialogs {

namespace {
QString pick(Language language, const char *english, const char *chinese) {
    return QString::fromUtf8(language == Language::Chinese ? chinese : english);
}

void addCommand(QMenu &menu, const QString &text, int command) { menu.addAction(text)->setData(command); }

void addButtonMenu(QMenu &menu, Language language, const char *english, const char *chinese, int down, int up,
                   int click) {
    QMenu *sub = menu.addMenu(pick(language, english, chinese));
    addCommand(*sub, pick(language, "Down", "压下"), down);
    addCommand(*sub, pick(language, "Up", "释放"), up);
    addCommand(*sub, pick(language, "Click", "单击"), click);
}
} // namespace

void fillMacroEventMenu(QMenu &menu, Language language) {
    addCommand(menu, pick(language, "Insert Before", "在之前开始录入"), kInsertBefore);
    addCommand(menu, pick(language, "Insert After", "在之后开始录入"), kInsertAfter);
    QMenu *mouse = menu.addMenu(pick(language, "Insert Mouse Key", "插入鼠标按键"));
    addButtonMenu(*mouse, language, "Left", "左键", kLeftDown, kLeftUp, kLeftClick);
    addButtonMenu(*mouse, language, "Right", "右键", kRightDown, kRightUp, kRightClick);
    addButtonMenu(*mouse, language, "Middle", "中健", kMiddleDown, kMiddleUp, kMiddleClick);
    addCommand(menu, pick(language, "Insert Delay", "插入延迟"), kInsertDelay);
    addCommand(menu, pick(language, "Delete", "删除"), kDeleteEvent);
}

std::optional<int> execCommandMenu(QMenu &menu, const QPoint &globalPos) {
    std::optional<int> chosen;
    const std::function<void(QMenu &)> listen = [&](QMenu &m) {
        for (QAction *action : m.actions()) {
            if (action->menu())
                listen(*action->menu());
            else
                QObject::connect(action, &QAction::triggered, &menu, [&chosen, action] { chosen = action->data().toInt(); });
        }
    };
    listen(menu);
    menu.exec(globalPos);
    return chosen;
}

bool runMacroEventCommand(MacroEditSession &session, int command) {
    switch (command) {
    case kInsertBefore: session.insertBefore(); return true;
    case kInsertAfter: session.insertAfter(); return true;
    case kInsertDelay: session.insertDelay(); return true;
    case kDeleteEvent: session.deleteSelected(); return true;
    case kLeftDown: session.insertMouseKey(MouseButton::Left, MouseKeyAction::Down); return true;
    case kLeftUp: session.insertMouseKey(MouseButton::Left, MouseKeyAction::Up); return true;
    case kLeftClick: session.insertMouseKey(MouseButton::Left, MouseKeyAction::Click); return true;
    case kRightDown: session.insertMouseKey(MouseButton::Right, MouseKeyAction::Down); return true;
    case kRightUp: session.insertMouseKey(MouseButton::Right, MouseKeyAction::Up); return true;
    case kRightClick: session.insertMouseKey(MouseButton::Right, MouseKeyAction::Click); return true;
    case kMiddleDown: session.insertMouseKey(MouseButton::Middle, MouseKeyAction::Down); return true;
    case kMiddleUp: session.insertMouseKey(MouseButton::Middle, MouseKeyAction::Up); return true;
    case kMiddleClick: session.insertMouseKey(MouseButton::Middle, MouseKeyAction::Click); return true;
    default: return false;
    }
}

} // namespace quenlar::dialogs
