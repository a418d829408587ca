// controls_contact_sheet: one picture of every skinned control in its states, composed from the
// generated skin the way the windows draw it: the main window (English, and Chinese with the
// effect list and help panel open), image sliders at several positions, the transparent list box
// in each edit mode with an open editor, and the function tree with a selection.
// Usage: controls_contact_sheet [output.png]   (default: contact_sheet.png beside the program)
#include "controls/BitSlider.h"
#include "controls/ProgramBitmaps.h"
#include "controls/SkinDrawing.h"
#include "controls/SkinFolders.h"
#include "controls/TransparentListBox.h"
#include "controls/VividTree.h"
#include "model/KeyTable.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <cstdio>
#include <memory>

using namespace quenlar;
using namespace quenlar::controls;

namespace {

QString text(Language language, const char *english, const char *chinese) {
    return QString::fromUtf8(language == Language::Chinese ? chinese : english);
}

// A widget that shows a fixed picture (a dialog's painted surface) under its child controls.
class Backdrop : public QWidget {
public:
    explicit Backdrop(QImage picture) : picture_(std::move(picture)) { resize(picture_.size()); }
    QImage picture_;

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.drawImage(0, 0, picture_);
    }
};

void copyKeyLit(SkinImageCache &cache, QPainter &p, const QString &folder, int index) {
    if (index == 54) {
        const KeyRect &r = keyAt(54).rect;
        DrawSkinImagePart(cache, p, folder, "kb_hl.png", QRect(r.left, r.top, 57, 33), QPoint(r.left + 278, r.top + 107));
        DrawSkinImagePart(cache, p, folder, "kb_hl.png", QRect(504, 224, 44, 38), QPoint(782, 331));
        return;
    }
    const KeyRect &r = keyAt(index).rect;
    DrawSkinImagePart(cache, p, folder, "kb_hl.png", QRect(r.left, r.top, r.right - r.left, r.bottom - r.top),
                      QPoint(r.left + 278, r.top + 107));
}

QImage mainWindow(SkinImageCache &cache, Language language, bool listsOpen) {
    const QString folder = skinFolder(executableFolder(), language, SkinWindow::Main);
    Backdrop owner(QImage(1000, 644, QImage::Format_RGB32));
    CBitSlider speed(&owner), brightness(&owner), report(&owner);
    const struct {
        CBitSlider *slider;
        QPoint at;
        int max, value;
    } sliders[] = {{&speed, {28, 303}, 9, 6}, {&brightness, {28, 260}, 50, 32}, {&report, {28, 543}, 3, 1}};
    for (const auto &s : sliders) {
        s.slider->move(s.at);
        s.slider->AttachThumb();
        s.slider->LoadTrack();
        s.slider->setRange(0, s.max);
        s.slider->setValue(s.value);
        s.slider->PlaceThumb();
    }
    QImage surface(1000, 644, QImage::Format_RGB32);
    surface.fill(Qt::black);
    QPainter p(&surface);
    const QColor white(Qt::white);
    DrawSkinImage(cache, p, folder, "main.png", 0, 0);
    DrawSkinImage(cache, p, folder, "button-help-normal.png", 936, 5);
    DrawSkinImage(cache, p, folder, "button-min-normal.png", 957, 5);
    DrawSkinImage(cache, p, folder, listsOpen ? "button-close-normal.png" : "button-close-over.png", 978, 5);
    DrawSkinImage(cache, p, folder, "logo.png", 19, 35);
    DrawSkinImage(cache, p, folder, "kb_BK.png", 278, 107);
    for (int index : {0, 43, 54, 60, 61, 62, 63, 92})
        copyKeyLit(cache, p, folder, index);
    DrawSkinImage(cache, p, folder, "button-cancel-normal.png", 800, 605);
    DrawSkinImage(cache, p, folder, "button-cancel-over.png", 862, 605);
    DrawSkinImage(cache, p, folder, "button-cancel-normal.png", 924, 605);
    DrawSkinImage(cache, p, folder, "Config.png", 17, 603);
    DrawSkinText(p, text(language, "Profile", "配置"), 45, 612, white, 16);
    DrawSkinText(p, text(language, "Return", "恢复"), 810, 612, white, 16);
    DrawSkinText(p, text(language, "Cancel", "取消"), 872, 612, white, 16);
    if (language == Language::Chinese)
        DrawSkinText(p, "保存", 934, 607, white, 16);
    else
        DrawSkinText(p, "Save", 937, 612, white, 16);
    // Light section, unfolded, effect Wave with direction right.
    DrawSkinImage(cache, p, folder, "itemBK.png", 19, 110);
    DrawSkinText(p, text(language, "Light", "灯光"), 19, 110, white, 15);
    DrawSkinImage(cache, p, folder, "LEDEffect_open.png", 19, 130);
    DrawSkinText(p, text(language, "Effect", "效果"), 28, 137, white, 15);
    DrawSkinImage(cache, p, folder, "Light_Item.png", 28, 158);
    DrawSkinImage(cache, p, folder, "freq.png", 19, 245);
    DrawImageSlider(p, owner, speed, cache, folder);
    DrawSkinText(p, text(language, "Speed", "速度"), 28, 290, white, 13);
    DrawSkinText(p, text(language, "Slow", "慢"), 28, 317, white, 13);
    DrawSkinText(p, text(language, "Fast", "快"), 230, 317, white, 13);
    DrawSkinText(p, text(language, "Brightness", "亮度"), 28, 247, white, 13);
    DrawSkinText(p, text(language, "Dark", "黑"), 28, 274, white, 13);
    DrawSkinText(p, text(language, "Bright", "亮"), 230, 274, white, 13);
    DrawImageSlider(p, owner, brightness, cache, folder);
    DrawSkinText(p, text(language, "Direction", "方向"), 29, 177, white, 15);
    DrawSkinImage(cache, p, folder, "Direction-T-Disable.png", 29, 197);
    DrawSkinImage(cache, p, folder, "Direction-B-Disable.png", 79, 197);
    DrawSkinImage(cache, p, folder, "Direction-R-Enable.png", 129, 197);
    DrawSkinImage(cache, p, folder, "Direction-L-Disable.png", 179, 197);
    DrawSkinText(p, text(language, "Wave", "波浪"), 28, 158, white, 14);
    // Option sections, all unfolded (c = 225, f = 75).
    DrawSkinImage(cache, p, folder, "MacroManagementBK.png", 19, 335);
    DrawSkinImage(cache, p, folder, "MacroButton3.png", 19, 345);
    DrawSkinText(p, text(language, "Macro Management", "宏管理器"), 21, 347, white, 15);
    DrawSkinImage(cache, p, folder, "gamemode_open.png", 19, 390);
    DrawSkinText(p, text(language, "Game Mode", "游戏模式"), 19, 390, white, 15);
    DrawSkinText(p, text(language, "Win Lock", "Win Lock模式"), 149, 390, white, 15);
    DrawSkinImage(cache, p, folder, "Enable.png", 34, 423);
    DrawSkinImage(cache, p, folder, "Disable.png", 88, 423);
    DrawSkinText(p, text(language, "ON", "开启"), 51, 421, white, 15);
    DrawSkinText(p, text(language, "OFF", "关闭"), 105, 421, white, 15);
    DrawSkinImage(cache, p, folder, "Disable.png", 164, 423);
    DrawSkinImage(cache, p, folder, "Enable.png", 218, 423);
    DrawSkinText(p, text(language, "ON", "开启"), 181, 421, white, 15);
    DrawSkinText(p, text(language, "OFF", "关闭"), 235, 421, white, 15);
    DrawSkinImage(cache, p, folder, "responsetime_open.png", 19, 445);
    DrawSkinText(p, text(language, "Response Time", "按键响应时间"), 19, 445, white, 15);
    DrawSkinImage(cache, p, folder, "Light_Item.png", 28, 473);
    DrawSkinText(p, "8 ms", 100, 473, white, 15);
    DrawSkinImage(cache, p, folder, "reportrate_Open.png", 19, 520);
    DrawSkinText(p, text(language, "USB Report Rate", "USB报告率"), 19, 520, white, 15);
    DrawImageSlider(p, owner, report, cache, folder);
    if (listsOpen) {
        static const char *names[][2] = {
            {"Static", "全亮"}, {"Breathing", "呼吸"}, {"Wave", "波浪"}, {"Reactive", "随按渐灭"},
            {"Sidewinder", "蛇形跑马"}, {"Ripple", "涟漪"}, {"Raindrop", "雨滴"}, {"Vortex", "环形跑马"},
            {"Spotlight", "对冲"}, {"Radar", "雷达"}, {"Running water run mode", "流水跑马"},
            {"Running mold", "奔跑模式"}, {"Shade mold", "渐变模式"}, {"DIY1", "DIY1"}, {"DIY2", "DIY2"},
            {"DIY3", "DIY3"}, {"DIY4", "DIY4"}, {"DIY5", "DIY5"}};
        for (int i = 0; i < 18; ++i) {
            p.fillRect(QRect(QPoint(28, 173 + 20 * i), QPoint(248, 193 + 20 * i)),
                       i == 4 ? QColor(80, 0, 0) : QColor(59, 59, 59));
            DrawSkinText(p, text(language, names[i][0], names[i][1]), 28, 173 + 20 * i, white, 18);
        }
        DrawSkinImage(cache, p, folder, "HelpWindow.png", 830, 22);
        DrawSkinText(p, "www.quenlar.example", 850, 25, white, 15);
        DrawSkinText(p, text(language, "Update Firmware", "驱动更新"), 850, 50, white, 15);
        DrawSkinText(p, "Ver: 1.0", 850, 75, white, 15);
    }
    return surface;
}

QImage sliderStrip(SkinImageCache &cache) {
    const QString folder = skinFolder(executableFolder(), Language::English, SkinWindow::Main);
    QImage panel(270, 5 * 30 + 10, QImage::Format_RGB32);
    panel.fill(0xFF1E1E21);
    Backdrop owner(panel);
    QPainter p(&panel);
    const int positions[] = {0, 2, 5, 7, 9};
    std::vector<std::unique_ptr<CBitSlider>> sliders;
    for (int i = 0; i < 5; ++i) {
        auto slider = std::make_unique<CBitSlider>(&owner);
        slider->move(40, 10 + 30 * i);
        slider->AttachThumb();
        slider->LoadTrack();
        slider->setRange(0, 9);
        slider->setValue(positions[i]);
        slider->PlaceThumb();
        DrawImageSlider(p, owner, *slider, cache, folder);
        DrawSkinText(p, QString::number(positions[i]), 12, 10 + 30 * i, Qt::white, 15);
        sliders.push_back(std::move(slider));
    }
    return panel;
}

QImage macroLists(SkinImageCache &cache, Language language) {
    const QString folder = skinFolder(executableFolder(), language, SkinWindow::MacroManager);
    QImage background(LoadSkinImageSize(cache, folder, "MacroManagement.png"), QImage::Format_RGB32);
    {
        QPainter p(&background);
        DrawSkinImage(cache, p, folder, "MacroManagement.png", 0, 0);
        const QColor white(Qt::white);
        DrawSkinText(p, text(language, "Macro Manager", "宏管理器"), 16, 9, white, 18);
        DrawSkinText(p, text(language, "Select Macro", "选择宏"), 39, 60, white, 15);
        DrawSkinText(p, text(language, "Keystrobe Sequence", "按键系列"), 151, 60, white, 15);
        DrawSkinText(p, text(language, "Options", "录制选项"), 311, 60, white, 15);
        DrawSkinImage(cache, p, folder, "Record-over.png", 290, 100);
        DrawSkinText(p, text(language, "Start Recording", "开始录制"), language == Language::Chinese ? 310 : 292, 103,
                     white, 15);
        DrawSkinImage(cache, p, folder, "PaneMakingTick.png", 368, 168);
        DrawSkinImage(cache, p, folder, "Pane.png", 296, 315);
        if (language == Language::Chinese) {
            DrawSkinText(p, "记录按键动作", 290, 168, white, 15);
            DrawSkinText(p, "间的延迟", 290, 184, white, 15);
        } else {
            DrawSkinText(p, "Record Delay", 290, 153, white, 15);
            DrawSkinText(p, "between", 290, 168, white, 15);
            DrawSkinText(p, "keystrokes", 290, 183, white, 15);
        }
        DrawSkinText(p, text(language, "Number of Loops", "循环次数"), 295, 300, white, 15);
        DrawSkinText(p, "1", 300, 332, white, 15);
        DrawSkinImage(cache, p, folder, "button-new-normal.png", 20, 368);
        DrawSkinImage(cache, p, folder, "button-new-over.png", 80, 368);
        DrawSkinImage(cache, p, folder, "button-new-normal.png", 280, 400);
        DrawSkinImage(cache, p, folder, "button-new-normal.png", 340, 400);
        DrawSkinText(p, text(language, "New", "新建"), 35, 372, white, 15);
        DrawSkinText(p, text(language, "Delete", "删除"), language == Language::Chinese ? 95 : 92, 372, white, 15);
        DrawSkinText(p, text(language, "OK", "确认"), 300, 404, white, 15);
        DrawSkinText(p, text(language, "Cancel", "取消"), 352, 404, white, 15);
    }
    Backdrop dialog(background);
    CTransparentListBox names(&dialog), events(&dialog);
    for (CTransparentListBox *list : {&names, &events})
        list->SetAppearance(Qt::black, 2, 16, "Arial", Qt::white, QColor(0, 255, 255), true);
    names.setGeometry(20, 80, 113, 275);
    events.setGeometry(150, 80, 113, 275);
    names.SetEditMode(ListEditMode::PlainRename);
    events.SetEditMode(ListEditMode::DelayEdit);
    for (const char *name : {"Combo A", "Reload", "Build 1", "Build 2", "Sprint"})
        names.AddString(name);
    for (const char *line : {"Ctrl dn", "250 ms", "C dn", "36 ms", "C up", "120 ms", "Ctrl up", "1000 ms"})
        events.AddString(line);
    names.setCurrentRow(1);
    events.setCurrentRow(3);
    dialog.show();
    events.BeginEdit(); // the delay line "36 ms" under edit: the editor shows 36
    return dialog.grab().toImage();
}

QImage profileList(SkinImageCache &cache, Language language) {
    const QString folder = skinFolder(executableFolder(), language, SkinWindow::ProfileManager);
    QImage background(LoadSkinImageSize(cache, folder, "Config.png"), QImage::Format_RGB32);
    {
        QPainter p(&background);
        DrawSkinImage(cache, p, folder, "Config.png", 0, 0);
        DrawSkinText(p, text(language, "Profile", "配置"), 10, 10, Qt::white, 15);
        DrawSkinImage(cache, p, folder, "button-close-normal.png", 247, 10);
        DrawSkinImage(cache, p, folder, "New.png", 13, 575);
        DrawSkinImage(cache, p, folder, "Delete.png", 183, 575);
        DrawSkinText(p, text(language, "New", "新建"), 30, 578, Qt::white, 16);
        DrawSkinText(p, text(language, "Delete", "删除"), 200, 578, Qt::white, 16);
    }
    Backdrop dialog(background);
    CTransparentListBox list(&dialog);
    list.SetAppearance(Qt::black, 2, 15, "Arial", Qt::white, QColor(0, 255, 255), true);
    list.SetEditMode(ListEditMode::RenameReported);
    list.setSorted(true);
    list.setNotify(true);
    list.setGeometry(1, 34, 260, 540);
    for (const char *name : {"FPS", "MOBA", "Office", "Racing", "Night"})
        list.AddString(name);
    list.setCurrentRow(2);
    dialog.show();
    list.BeginEdit();
    return dialog.grab().toImage();
}

QImage functionTree(SkinImageCache &cache, Language language) {
    const QString folder = skinFolder(executableFolder(), language, SkinWindow::KeyAssignment);
    QImage background(LoadSkinImageSize(cache, folder, "Custom_BK.png"), QImage::Format_RGB32);
    {
        QPainter p(&background);
        const QColor white(Qt::white), grey(192, 192, 192);
        DrawSkinImage(cache, p, folder, "Custom_BK.png", 0, 0);
        DrawSkinText(p, text(language, "Current Key:", "当前按键:") + "F5", 2, 2, white, 14);
        DrawSkinImage(cache, p, folder, "button-close-normal.png", 303, 2);
        for (int x : {0, 81, 162, 243})
            DrawSkinImage(cache, p, folder, "large_button.png", x, 31);
        DrawSkinImage(cache, p, folder, "single_combine_option.png", 0, 30);
        DrawSkinImage(cache, p, folder, "cursor.png", 200, 30);
        DrawSkinText(p, text(language, "Single/Combine", "单键/组合键"), 6, 39, grey, 14);
        DrawSkinText(p, text(language, "Macro", "宏"), 115, 39, grey, 14);
        DrawSkinText(p, text(language, "Basic", "基本功能"), 182, 39, white, 14);
        DrawSkinText(p, text(language, "Advance", "高级功能"), 259, 39, grey, 14);
        DrawSkinImage(cache, p, folder, "Disable.png", 19, 251);
        DrawSkinText(p, text(language, "Disable", "禁用按钮"), 34, 249, white, 14);
        DrawSkinImage(cache, p, folder, "button-cancel-normal.png", 156, 246);
        DrawSkinImage(cache, p, folder, "button-cancel-normal.png", 210, 246);
        DrawSkinImage(cache, p, folder, "button-save-over.png", 264, 246);
        DrawSkinText(p, text(language, "Default", "初始值"), 158, 248, white, 14);
        DrawSkinText(p, text(language, "Cancel", "取消"), language == Language::Chinese ? 218 : 214, 248, white, 14);
        DrawSkinText(p, text(language, "Save", "保存"), 272, 248, white, 14);
    }
    Backdrop dialog(background);
    VividTree tree(&dialog);
    tree.setGeometry(10, 60, 295, 160);
    tree.LoadTreeBitmaps();
    tree.m_iBackgroundMode = VividTree::SolidBackground;
    tree.setShowSelectionAlways(true);
    new QTreeWidgetItem(&tree, QStringList(text(language, "Search", "搜索")));
    new QTreeWidgetItem(&tree, QStringList(text(language, "Run", "运行")));
    auto *media = new QTreeWidgetItem(&tree, QStringList(text(language, "Media", "多媒体")));
    QTreeWidgetItem *selected = nullptr;
    for (const char *name : {"Play/Pause", "Stop", "Previous", "Next", "Volume Up"}) {
        auto *item = new QTreeWidgetItem(media, QStringList(QString::fromUtf8(name)));
        if (!selected)
            selected = item;
    }
    new QTreeWidgetItem(new QTreeWidgetItem(&tree, QStringList(text(language, "Shortcut", "快捷健"))),
                        QStringList("Copy"));
    new QTreeWidgetItem(new QTreeWidgetItem(&tree, QStringList("Windows")), QStringList("Lock"));
    media->setExpanded(true);
    tree.setCurrentItem(selected->parent()->child(2));
    dialog.show();
    return dialog.grab().toImage();
}

QImage programBitmaps() {
    QImage sheet(420, 110, QImage::Format_RGB32);
    sheet.fill(0xFF1E1E21);
    QPainter p(&sheet);
    int x = 10;
    for (const QImage &image : {ProgramBitmaps::filledTrack(), ProgramBitmaps::emptyTrack()}) {
        p.drawImage(10, x == 10 ? 10 : 32, image);
        x += 1;
    }
    x = 240;
    for (const QImage &image : {ProgramBitmaps::thumbBitmap(), ProgramBitmaps::listIconPress(),
                                ProgramBitmaps::listIconRelease(), ProgramBitmaps::listIconDelay(),
                                ProgramBitmaps::treeCollapsed(), ProgramBitmaps::treeExpanded()}) {
        p.drawImage(x, 12, image);
        x += 22;
    }
    p.drawImage(10, 56, ProgramBitmaps::treeBackground().copy(0, 0, 64, 48));
    p.drawImage(90, 50, ProgramBitmaps::programIcon(16));
    p.drawImage(112, 44, ProgramBitmaps::programIcon(64));
    return sheet;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : executableFolder() + "contact_sheet.png";
    SkinImageCache cache;
    const QImage english = mainWindow(cache, Language::English, false);
    const QImage chinese = mainWindow(cache, Language::Chinese, true);
    const QImage parts[] = {sliderStrip(cache), programBitmaps(), macroLists(cache, Language::English),
                            macroLists(cache, Language::Chinese), profileList(cache, Language::English),
                            functionTree(cache, Language::English), functionTree(cache, Language::Chinese)};
    int rowWidth = 0, rowHeight = 0;
    for (const QImage &part : parts) {
        rowWidth += part.width() + 20;
        rowHeight = std::max(rowHeight, part.height());
    }
    QImage sheet(std::max(2 * 1000 + 30, rowWidth + 20), 644 + rowHeight + 30, QImage::Format_RGB32);
    sheet.fill(0xFF0A0A0B);
    QPainter p(&sheet);
    p.drawImage(10, 10, english);
    p.drawImage(1020, 10, chinese);
    int x = 10;
    for (const QImage &part : parts) {
        p.drawImage(x, 664, part);
        x += part.width() + 20;
    }
    p.end();
    if (!sheet.save(output)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    std::printf("%s\n", qPrintable(output));
    return 0;
}
