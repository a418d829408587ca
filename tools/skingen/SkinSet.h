#pragma once
// The skin images of one language, by folder.

#include "model/Language.h"

#include <QImage>
#include <QString>

#include <vector>

namespace quenlar::skingen {

struct SkinImage {
    QString folder; // "" for the main window, or "Custom", "MacroManagement", "Config"
    QString name;
    QImage image;
};

using SkinSet = std::vector<SkinImage>;

// The main window's background, which the keyboard picture and the buttons are drawn on.
QImage mainWindowBackground(Language language);

void addMainWindowSkin(SkinSet &set, Language language);
void addKeyboardSkin(SkinSet &set, Language language);
void addKeyAssignmentSkin(SkinSet &set, Language language);
void addMacroManagerSkin(SkinSet &set, Language language);
void addProfileManagerSkin(SkinSet &set, Language language);

} // namespace quenlar::skingen
