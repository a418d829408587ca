#include "app/HelpPanel.h"

#include "app/PanelPainter.h"
#include "app/Texts.h"

namespace quenlar {

HelpPanel::Line HelpPanel::lineAt(int x, int y) {
    if (x < 830 || x > 996 || y < 22 || y > 99)
        return Line::Outside;
    if (y <= 46)
        return Line::HomePage;
    if (y <= 71)
        return Line::UpdateFirmware;
    if (y <= 96)
        return Line::Version;
    return Line::Below;
}

bool HelpPanel::updaterOffered(uint8_t keyboardMajor, uint8_t packagedMajor) {
    return keyboardMajor >= 1 && packagedMajor > 1;
}

void HelpPanel::draw(PanelPainter &p) const {
    if (!open)
        return;
    p.image("HelpWindow.png", 830, 22);
    p.text(QString::fromLatin1(kHomePageText), 850, 25, 15);
    p.text("Update Firmware", "驱动更新", 850, 50, 15);
    p.text(QStringLiteral("Ver: 1.0"), 850, 75, 15);
}

} // namespace quenlar
