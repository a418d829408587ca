#pragma once
// CKeyMap: the key assignment dialog. Four pages (Single/Combine, Macro, Basic, Advance), the
// Disable box and Default, Cancel and Save. Keys are captured from the keyboard through the key
// capture in its one-message-per-press mode while the dialog is open. The decisions are
// KeyAssignmentState's; this class draws, places the child controls and forwards events.

#include "dialogs/DialogServices.h"
#include "dialogs/KeyAssignmentState.h"
#include "dialogs/SkinnedDialog.h"
#include "keymap/HostKeyRecord.h"
#include "macro/MacroRecord.h"
#include "model/KeyNameTable.h"

#include <QLineEdit>
#include <QListWidget>

#include <array>

namespace quenlar {
class KeyCapture;
namespace controls {
class VividTree;
}
} // namespace quenlar

namespace quenlar::dialogs {

class CKeyMap : public SkinnedDialog {
    Q_OBJECT
public:
    // Control ids of the dialog's template, kept as the child controls' object names' suffixes.
    static constexpr int kFunctionTreeId = 1003;
    static constexpr int kSingleEditId = 1013;
    static constexpr int kCombineEditId = 1012;
    static constexpr int kMacroListId = 1015;
    // "Delete All" of the Combine edit's menu.
    static constexpr int kDeleteAllCommand = 32789;

    // Image buttons, in hit-test order after the Disable box.
    enum Button { Close, PageSingle, PageMacro, PageBasic, PageAdvance, Strip, DisableBox, Default, Cancel, Save,
                  ButtonCount };

    CKeyMap(const QString &programFolder, Language language, const KeyNameTable &names, DialogServices &services,
            QWidget *parent = nullptr);
    ~CKeyMap() override;

    // Rebuilds everything for KeyTable index keyIndex; call before exec().
    void prepare(int keyIndex, const HostKeyRecord &record, bool keyEnabled, const MacroTable &macros);

    const KeyAssignmentState &state() const { return state_; }
    // The request to apply after OK.
    const AssignmentRequest &request() const { return state_.request(); }
    bool hookInstalled() const { return hookInstalled_; }
    static QRect buttonRect(Button button);
    // Advance page cells of row r.
    static QRect radioRect(int row);
    static QRect browseRect(int row);
    static QRect pathRect(int row);

protected:
    void compose(QPainter &painter) override;
    bool onButton(const QPoint &point) const override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    std::optional<Button> buttonAt(const QPoint &point) const;
    void click(const QPoint &point);
    void clickAdvanceCells(const QPoint &point);
    void browse(int row);
    void showCurrentPage();
    void refreshEdits();
    void buildTree();
    void selectTreeFunction(const QString &name);
    void onHookKey(int vk, bool release);
    void removeHook();

    const KeyNameTable &names_;
    DialogServices &services_;
    KeyAssignmentState state_;
    KeyCapture *capture_;
    controls::VividTree *tree_;
    QLineEdit *singleEdit_;
    QLineEdit *combineEdit_;
    QListWidget *macroList_;
    QString keyName_;
    std::array<int, ButtonCount> hover_{};
    std::optional<Button> lastHover_;
    bool hookInstalled_ = false;
    int browseHover_ = kNoRow;
};

} // namespace quenlar::dialogs
