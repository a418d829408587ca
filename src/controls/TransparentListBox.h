#pragma once
// CTransparentListBox: the list of the skinned windows. Single selection, text lines drawn over
// a snapshot of what lies under the list, an optional text shadow, icons on macro event lines,
// and in-place editing of an item by double-click (CEditHelper).
//
// Edit modes: PlainRename (macro names), DelayEdit (the delay of a macro event line: only the
// number is edited and the result kept within 2..60000 ms), RenameReported (profile names: the
// parent is told the item's index before and after a committed rename).
//
// The parent learns about edits through three signals, each standing for a fixed message:
//   listEditBegin   kListEditBeginMessage 1780 (0, 0): an edit is about to open
//   listEditDone    kListEditDoneMessage 1781: delay mode (line index, new delay), sent for every
//                   commit before the line changes; rename-reported mode (index when the edit
//                   began, index after it), sent after a committed change of the text
//   listItemChanged kListItemChangedMessage 34880 (new index, old text): a committed change of
//                   the text in a list with the notify style, in every mode

#include "controls/EditHelper.h"
#include "controls/ListEditRules.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QListWidget>
#include <QPointer>

namespace quenlar::controls {

class CTransparentListBox : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kListEditBeginMessage = 1780;
    static constexpr int kListEditDoneMessage = 1781;
    static constexpr int kListItemChangedMessage = 34880;

    explicit CTransparentListBox(QWidget *parent = nullptr);
    ~CTransparentListBox() override;

    // Stores the colours and shadow settings and makes the list's font (bold, `fontHeight`
    // pixels of cell height).
    void SetAppearance(const QColor &shadow, int shadowOffset, int fontHeight, const QString &face,
                       const QColor &text, const QColor &selectedText, bool shadowOn);

    int AddString(const QString &text);
    int InsertString(int index, const QString &text);

    ListEditMode EditMode() const { return editMode_; }
    void SetEditMode(ListEditMode mode) { editMode_ = mode; }

    // The sorted style: items are kept in case-insensitive order.
    void setSorted(bool sorted) { sorted_ = sorted; }
    bool isSorted() const { return sorted_; }
    // The notify style: committed renames are reported with listItemChanged.
    void setNotify(bool notify) { notify_ = notify; }
    bool notifies() const { return notify_; }

    // The icons of delay-edit lines and the background of modes 0 and 1 (the program's bitmaps
    // unless replaced).
    void setBackgroundBitmap(const QImage &image);
    void setIcons(const QImage &press, const QImage &release, const QImage &delay);

    int itemHeight() const;
    QRect itemRectAt(int index) const; // client (viewport) coordinates
    int itemBeingEdited() const { return itemBeingEdited_; }
    int editStartItem() const { return editStartItem_; }
    CEditHelper *editor() const { return edit_; }
    bool backgroundValid() const { return backgroundValid_; }

    void BeginEdit();
    void EndEdit(bool commit);

signals:
    void listEditBegin();
    void listEditDone(int wParam, int lParam);
    void listItemChanged(int newIndex, const QString &oldText);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void takeBackgroundSnapshot();
    void drawItem(QPainter &painter, int index, const QRect &rect, bool selected);
    int insertSorted(const QString &text);
    void updateItemHeight();

    QPointer<CEditHelper> edit_;
    int itemBeingEdited_ = -1;
    int editStartItem_ = -1;
    ListEditMode editMode_ = ListEditMode::PlainRename;
    QColor textColour_;
    QColor selectedTextColour_;
    QColor shadowColour_{0, 0, 0};
    QImage background_;          // the snapshot under the list, client-sized
    bool backgroundValid_ = false;
    int shadowOffset_ = 3;
    bool shadow_ = false;
    bool sorted_ = false;
    bool notify_ = false;
    QImage backgroundBitmap_;
    QImage iconPress_, iconRelease_, iconDelay_;
};

} // namespace quenlar::controls
