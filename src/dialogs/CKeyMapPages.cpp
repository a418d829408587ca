// The key assignment dialog's page area: the Advance page's cells and choosers, and painting.
#include "dialogs/CKeyMap.h"
#include "dialogs/CKeyMapLayout.h"

#include "keymap/ApplyAssignment.h"
#include "keymap/AssignmentCategory.h"

#include <QPainter>

namespace quenlar::dialogs {

namespace {
using namespace keymap_layout;

const QColor kGreyTitle(192, 192, 192);
struct RowText {
    const char *english;
    const char *chinese;
};
constexpr RowText kRowNames[kAdvanceRows] = {
    {"Play Sound", "播放声音"}, {"Startup", "启动程序"}, {"Open File", "打开文件"}, {"Open Folder", "打开目录"}};
const FileChooserSpec kChoosers[3] = {
    {"mp3 Files(*.mp3)", "*.mp3", "mp3"}, {"exe Files(*.exe)", "*.exe", "exe"}, {"txt Files(*.txt)", "*.txt", "txt"}};
constexpr int kMarkerX[] = {35, 115, 200, 280};
constexpr QPoint kTitleAt[] = {{6, 39}, {115, 39}, {182, 39}, {259, 39}};
} // namespace

QRect CKeyMap::radioRect(int row) { return inclusive(15, 72, 25, 81).translated(0, kRowStep * row); }
QRect CKeyMap::pathRect(int row) { return inclusive(83, 68, 243, 83).translated(0, kRowStep * row); }
QRect CKeyMap::browseRect(int row) { return inclusive(256, 68, 302, 83).translated(0, kRowStep * row); }

void CKeyMap::clickAdvanceCells(const QPoint &point) {
    for (int row = 0; row < kAdvanceRows; ++row) {
        if (radioRect(row).contains(point)) {
            state_.clickRadio(row);
            return;
        }
        if (browseRect(row).contains(point)) {
            browse(row);
            return;
        }
        if (pathRect(row).contains(point) || labelRect(row).contains(point))
            return;
    }
    state_.clickOutsideCells();
}

void CKeyMap::browse(int row) {
    state_.browseStarted(row);
    std::optional<std::filesystem::path> chosen;
    if (row < 3) {
        chosen = services_.chooseActionFile(kChoosers[row]);
    } else {
        chosen = services_.chooseFolder("modification path");
        if (chosen && chosen->empty()) {
            services_.inform(zh() ? "请选择文件夹\n" : "Please select a folder\n", applicationCaption());
            chosen.reset();
        }
    }
    if (!chosen)
        return;
    AssignmentRequest probe;
    probe.category = static_cast<AssignmentCategory>(4 + row);
    probe.actionPath = chosen->u16string();
    // A path that does not fit the key's record is refused, never cut short.
    if (Result fits = checkAssignment(probe, language()); !fits) {
        services_.inform(fits.message(), applicationCaption());
        return;
    }
    state_.browseChosen(row, probe.actionPath);
}

void CKeyMap::compose(QPainter &p) {
    const auto &table = buttons();
    auto drawButton = [&](int b) {
        image(p, QString::fromLatin1(hover_[b] ? table[b].over : table[b].normal), table[b].rect.left(),
              table[b].rect.top());
    };
    image(p, QStringLiteral("Custom_BK.png"), 0, 0);
    text(p, keyName_, 2, 2, kTextHeight);
    for (int b = Close; b <= PageAdvance; ++b)
        drawButton(b);

    const int page = static_cast<int>(state_.page());
    image(p, QString::fromLatin1(table[Strip].normal), 0, 30);
    image(p, QStringLiteral("cursor.png"), kMarkerX[page], 30);
    for (int t = 0; t < 4; ++t)
        text(p, fromUtf8(pageTitle(static_cast<AssignmentPage>(t), language())), kTitleAt[t].x(), kTitleAt[t].y(),
             kTextHeight, t == page ? QColor(Qt::white) : kGreyTitle);
    if (state_.page() == AssignmentPage::SingleCombine) {
        text(p, tr2("Single", "单键"), 20, 69, kTextHeight);
        text(p, tr2("Combine", "组合键"), 20, 119, kTextHeight);
    } else if (state_.page() == AssignmentPage::Advance) {
        image(p, QStringLiteral("Macro_BK.png"), 15, 66);
        for (int row = 0; row < kAdvanceRows; ++row) {
            const int dy = kRowStep * row;
            const bool lit = row == state_.litRow() || row == state_.selectedRow();
            image(p, lit ? QStringLiteral("enable.png") : QStringLiteral("Disable.png"), 15, 72 + dy);
            fittedText(p, tr2(kRowNames[row].english, kRowNames[row].chinese), 30, 69 + dy, kTextHeight, 53);
            image(p, QStringLiteral("Advanced.png"), 85, 68 + dy);
            image(p, row == browseHover_ ? QStringLiteral("view02.png") : QStringLiteral("view.png"), 256, 68 + dy);
        }
        if (const int row = state_.selectedRow(); row != kNoRow) {
            const std::u16string shown = shortPathForField(state_.request().actionPath);
            p.save();
            p.setClipRect(pathRect(row).adjusted(2, 0, -2, 0));
            text(p, QString::fromStdU16String(shown), 85, 69 + kRowStep * row, kTextHeight);
            p.restore();
        }
    }

    image(p, state_.disableBox() ? QStringLiteral("Enable.png") : QStringLiteral("Disable.png"), 19, 251);
    text(p, tr2("Disable", "禁用按钮"), 34, 249, kTextHeight);
    for (int b = Default; b <= Save; ++b)
        drawButton(b);
    text(p, tr2("Default", "初始值"), 158, 248, kTextHeight);
    text(p, tr2("Cancel", "取消"), zh() ? 218 : 214, 248, kTextHeight);
    text(p, tr2("Save", "保存"), 272, 248, kTextHeight);
}

} // namespace quenlar::dialogs
