#pragma once
// The event list's context menu of the macro manager: its items in both languages, with the
// command number each item sends, and the editing command each number stands for.

#include "macro/MacroEditSession.h"
#include "model/Language.h"

#include <QMenu>

#include <optional>

namespace quenlar::dialogs {

enum MacroMenuCommand : int {
    kInsertBefore = 32790,
    kInsertAfter = 32791,
    kInsertDelay = 32793,
    kLeftDown = 32800,
    kLeftUp = 32801,
    kLeftClick = 32802,
    kRightDown = 32804,
    kRightUp = 32806,
    kRightClick = 32807,
    kMiddleDown = 32811,
    kMiddleUp = 32812,
    kMiddleClick = 32813,
    kDeleteEvent = 32815,
};

// Fills `menu` with the five items and the mouse-key submenus; every action carries its command
// number as data.
void fillMacroEventMenu(QMenu &menu, Language language);

// Shows the menu at globalPos and returns the command chosen, in the menu or a submenu.
std::optional<int> execCommandMenu(QMenu &menu, const QPoint &globalPos);

// Carries out a command on the session; false for a number that is no command of the menu.
bool runMacroEventCommand(MacroEditSession &session, int command);

} // namespace quenlar::dialogs
