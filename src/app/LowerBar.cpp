#include "app/LowerBar.h"

#include "app/MainLayout.h"
#include "app/PanelPainter.h"
#include "controls/SkinDrawing.h"

namespace quenlar {

namespace {
void drawButton(PanelPainter &p, MainLayout &layout, int code, int x, int y) {
    const controls::RegionRecord &record = layout.record(code);
    const QString &name = layout.hovered(code) ? record.overImage : record.normalImage;
    controls::DrawSkinImage(p.cache, p.painter, p.folder, name, x, y);
}
} // namespace

void LowerBar::drawCaptionButtons(PanelPainter &p, MainLayout &layout) {
    drawButton(p, layout, region::kHelp, 936, 5);
    drawButton(p, layout, region::kMinimise, 957, 5);
    drawButton(p, layout, region::kClose, 978, 5);
}

void LowerBar::draw(PanelPainter &p, MainLayout &layout) {
    drawButton(p, layout, region::kFactoryReset, 800, 605);
    drawButton(p, layout, region::kRevert, 862, 605);
    drawButton(p, layout, region::kApply, 924, 605);
    p.image("Config.png", 17, 603);
    p.text("Profile", "配置", 45, 612, 16);
    p.text("Return", "恢复", 810, 612, 16);
    p.text("Cancel", "取消", 872, 612, 16);
    if (p.language == Language::Chinese)
        p.text(QStringLiteral("保存"), 934, 607, 16);
    else
        p.text(QStringLiteral("Save"), 937, 612, 16);
}

} // namespace quenlar
