#include "controls/TransparentListBox.h"

#include "controls/ProgramBitmaps.h"
#include "controls/SkinDrawing.h"
#include "controls/SkinFont.h"
#include "controls/SkinPalette.h"

#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QWheelEvent>

Q_LOGGING_CATEGORY(lcListBox, "quenlar.controls.listbox", QtWarningMsg)

namespace quenlar::controls {

namespace {
constexpr int kItemDataValue = 0; // every item carries item data 0
} // namespace

CTransparentListBox::CTransparentListBox(QWidget *parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setUniformItemSizes(true);
    setSpacing(0);
    viewport()->setAutoFillBackground(false);
    textColour_ = palette().color(QPalette::Text);
    selectedTextColour_ = palette().color(QPalette::HighlightedText);
    backgroundBitmap_ = ProgramBitmaps::listBackground();
    iconPress_ = ProgramBitmaps::listIconPress();
    iconRelease_ = ProgramBitmaps::listIconRelease();
    iconDelay_ = ProgramBitmaps::listIconDelay();
    verticalScrollBar()->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { background: rgb(24,24,27); width: 10px; margin: 0; }"
        "QScrollBar::handle:vertical { background: rgb(102,46,47); min-height: 18px; border-radius: 4px; }"
        "QScrollBar::handle:vertical:hover { background: rgb(160,40,44); }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
    // Scrolling by the scroll bar: the list takes the focus and an open edit is committed first.
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int) {
        setFocus();
        EndEdit(true);
    });
    updateItemHeight();
}

CTransparentListBox::~CTransparentListBox() {
    // An editor still open is destroyed with the list; its focus loss must not reach a list
    // that is half gone.
    if (edit_)
        edit_->disconnect(this);
}

void CTransparentListBox::SetAppearance(const QColor &shadow, int shadowOffset, int fontHeight, const QString &face,
                                        const QColor &text, const QColor &selectedText, bool shadowOn) {
    shadowColour_ = shadow;
    shadowOffset_ = shadowOffset;
    textColour_ = text;
    selectedTextColour_ = selectedText;
    shadow_ = shadowOn;
    setFont(skinFont(face, fontHeight, 700));
    updateItemHeight();
    viewport()->update();
}

void CTransparentListBox::setBackgroundBitmap(const QImage &image) {
    backgroundBitmap_ = image;
    backgroundValid_ = false;
    viewport()->update();
}

void CTransparentListBox::setIcons(const QImage &press, const QImage &release, const QImage &delay) {
    iconPress_ = press;
    iconRelease_ = release;
    iconDelay_ = delay;
    viewport()->update();
}

// The height of the text "XYZ" in the list's font: the font's ascent plus descent.
int CTransparentListBox::itemHeight() const { return std::max(1, QFontMetrics(font()).height()); }

void CTransparentListBox::updateItemHeight() {
    const int h = itemHeight();
    for (int i = 0; i < count(); ++i)
        item(i)->setSizeHint(QSize(1, h));
}

int CTransparentListBox::AddString(const QString &text) {
    if (sorted_)
        return insertSorted(text);
    return InsertString(count(), text);
}

int CTransparentListBox::InsertString(int index, const QString &text) {
    if (index < 0 || index > count())
        index = count();
    auto *entry = new QListWidgetItem(text);
    entry->setData(Qt::UserRole, kItemDataValue);
    entry->setSizeHint(QSize(1, itemHeight()));
    insertItem(index, entry);
    return index;
}

int CTransparentListBox::insertSorted(const QString &text) {
    int index = 0;
    while (index < count() && item(index)->text().compare(text, Qt::CaseInsensitive) <= 0)
        ++index;
    return InsertString(index, text);
}

QRect CTransparentListBox::itemRectAt(int index) const {
    const int h = itemHeight();
    const int top = verticalScrollBar()->value(); // scrolling is by whole items
    return QRect(0, (index - top) * h, viewport()->width(), h);
}

void CTransparentListBox::takeBackgroundSnapshot() {
    const QSize size = viewport()->size();
    background_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    background_.fill(palette::kPanel);
    if (editMode_ == ListEditMode::RenameReported) {
        // The parent's own pixels under the list (without its children, this list included).
        if (QWidget *owner = parentWidget()) {
            const QRect under(viewport()->mapTo(owner, QPoint(0, 0)), size);
            owner->render(&background_, QPoint(0, 0), QRegion(under), QWidget::DrawWindowBackground);
        }
    } else {
        QPainter painter(&background_);
        copyOpaque(painter, QPoint(0, 0), backgroundBitmap_, QRect(QPoint(7, 22), size));
    }
    backgroundValid_ = true;
}

void CTransparentListBox::drawItem(QPainter &painter, int index, const QRect &rect, bool selected) {
    if (index < 0 || index >= count())
        return;
    copyOpaque(painter, rect.topLeft(), background_, rect);
    const LineLook look = lineLook(editMode_, item(index)->text());
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs;
    painter.setFont(font());
    if (shadow_) {
        painter.setPen(isEnabled() ? shadowColour_ : QColor(Qt::white));
        painter.drawText(rect.translated(shadowOffset_, shadowOffset_), flags, look.text);
    }
    painter.setPen(!isEnabled() ? QColor(Qt::black) : selected ? selectedTextColour_ : textColour_);
    painter.drawText(rect, flags, look.text);
    const QImage *icon = nullptr;
    if (look.icon == LineIcon::Press)
        icon = &iconPress_;
    else if (look.icon == LineIcon::Release)
        icon = &iconRelease_;
    else if (look.icon == LineIcon::Delay)
        icon = &iconDelay_;
    if (icon)
        painter.drawImage(QPoint(rect.x() + rect.width() - 20, rect.y()), *icon);
}

void CTransparentListBox::paintEvent(QPaintEvent *) {
    if (!backgroundValid_ || background_.size() != viewport()->size())
        takeBackgroundSnapshot();
    QImage buffer = background_.copy();
    {
        QPainter painter(&buffer);
        painter.setBackgroundMode(Qt::TransparentMode);
        const int top = verticalScrollBar()->value();
        for (int index = top; index < count(); ++index) {
            const QRect rect = itemRectAt(index);
            if (rect.top() >= viewport()->height())
                break;
            drawItem(painter, index, rect, item(index)->isSelected());
        }
    }
    QPainter screen(viewport());
    screen.drawImage(0, 0, buffer);
}

void CTransparentListBox::mouseDoubleClickEvent(QMouseEvent *event) {
    QListWidget::mouseDoubleClickEvent(event);
    const QList<QListWidgetItem *> selected = selectedItems();
    if (selected.isEmpty())
        return;
    const int index = row(selected.first());
    if (!lineIsEditable(editMode_, selected.first()->text()))
        return;
    if (itemRectAt(index).contains(event->position().toPoint()))
        BeginEdit();
}

void CTransparentListBox::BeginEdit() {
    // One editor at a time: an edit still open is committed first.
    EndEdit(true);
    emit listEditBegin();
    const QList<QListWidgetItem *> selected = selectedItems();
    if (selected.isEmpty())
        return;
    const int index = row(selected.first());
    auto *editor = new CEditHelper(viewport());
    editor->setObjectName(QStringLiteral("listEditor"));
    editor->setGeometry(itemRectAt(index).adjusted(0, -2, 0, 2));
    editor->setFont(font());
    editor->setFrame(true);
    editor->setStyleSheet(QStringLiteral(
        "QLineEdit { background: rgb(42,42,46); color: white; border: 1px solid rgb(215,25,31);"
        " selection-background-color: rgb(102,46,47); selection-color: white; padding: 0 1px; }"));
    editor->setText(editorStartText(editMode_, selected.first()->text()));
    if (editMode_ == ListEditMode::DelayEdit)
        editor->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), editor));
    connect(editor, &CEditHelper::endEditRequested, this, [this](bool commit) { EndEdit(commit); });
    edit_ = editor;
    itemBeingEdited_ = editStartItem_ = index;
    qCDebug(lcListBox, "m_iItemBeingEdited=%d ", index);
    editor->show();
    editor->selectAll();
    editor->setFocus();
}

void CTransparentListBox::EndEdit(bool commit) {
    if (!edit_)
        return;
    CEditHelper *editor = edit_;
    if (commit && itemBeingEdited_ >= 0 && itemBeingEdited_ < count()) {
        const QString oldText = item(itemBeingEdited_)->text();
        QString newText = editor->text();
        if (editMode_ == ListEditMode::DelayEdit) {
            const int value = committedDelay(newText);
            newText = delayLineText(value);
            emit listEditDone(itemBeingEdited_, value);
        }
        // The parent may have changed the list while handling the message.
        if (edit_ == editor && itemBeingEdited_ >= 0 && itemBeingEdited_ < count() && newText != oldText) {
            delete takeItem(itemBeingEdited_);
            itemBeingEdited_ = sorted_ ? insertSorted(newText) : InsertString(itemBeingEdited_, newText);
            setCurrentRow(itemBeingEdited_);
            if (notify_)
                emit listItemChanged(itemBeingEdited_, oldText);
            if (editMode_ == ListEditMode::RenameReported)
                emit listEditDone(editStartItem_, itemBeingEdited_);
        }
    }
    if (edit_ != editor)
        return; // ended while the parent handled a message
    itemBeingEdited_ = -1;
    edit_ = nullptr;
    const bool hadFocus = editor->hasFocus();
    editor->hide(); // its focus loss finds no editor open and changes nothing
    editor->deleteLater();
    if (hadFocus)
        setFocus();
    viewport()->update();
}

void CTransparentListBox::wheelEvent(QWheelEvent *event) {
    EndEdit(true);
    QListWidget::wheelEvent(event);
    viewport()->update();
    event->accept();
}

void CTransparentListBox::resizeEvent(QResizeEvent *event) {
    EndEdit(true);
    QListWidget::resizeEvent(event);
    backgroundValid_ = false;
    viewport()->update();
}

void CTransparentListBox::moveEvent(QMoveEvent *event) {
    QListWidget::moveEvent(event);
    backgroundValid_ = false;
    viewport()->update();
}

void CTransparentListBox::showEvent(QShowEvent *event) {
    QListWidget::showEvent(event);
    viewport()->update();
}

} // namespace quenlar::controls
