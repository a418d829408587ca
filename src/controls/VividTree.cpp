#include "controls/VividTree.h"

#include "controls/ProgramBitmaps.h"
#include "controls/TreePlacement.h"

#include <QLinearGradient>
#include <QPainter>
#include <QScrollBar>

namespace quenlar::controls {

namespace {

ScrollState scrollState(const QScrollBar *bar) {
    ScrollState state;
    state.visible = bar->isVisible();
    state.position = bar->value();
    state.rangeMin = bar->minimum();
    // Qt's maximum is the last top position; the range's last entry is a page further on.
    state.rangeMax = bar->maximum() + bar->pageStep() - 1;
    return state;
}

} // namespace

VividTree::VividTree(QWidget *parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setRootIsDecorated(true);
    setIndentation(18);
    setFrameShape(QFrame::NoFrame);
    setUniformRowHeights(true);
    viewport()->setAutoFillBackground(false);
    const QString bars = QStringLiteral(
        "QScrollBar { background: rgb(24,24,27); margin: 0; }"
        "QScrollBar:vertical { width: 10px; } QScrollBar:horizontal { height: 10px; }"
        "QScrollBar::handle { background: rgb(102,46,47); border-radius: 4px; min-height: 18px; min-width: 18px; }"
        "QScrollBar::handle:hover { background: rgb(160,40,44); }"
        "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
        "QScrollBar::add-page, QScrollBar::sub-page { background: none; }");
    verticalScrollBar()->setStyleSheet(bars);
    horizontalScrollBar()->setStyleSheet(bars);
    // In bitmap mode an expanding visible item moves the tiles under the items: redraw all.
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *item) {
        if (m_iBackgroundMode == BitmapBackground && visualItemRect(item).intersects(viewport()->rect()))
            viewport()->update();
    });
}

void VividTree::LoadTreeBitmaps() {
    background_ = ProgramBitmaps::treeBackground();
    collapsed_ = ProgramBitmaps::treeCollapsed();
    expanded_ = ProgramBitmaps::treeExpanded();
}

void VividTree::setGradient(const QColor &start, const QColor &end, bool horizontal) {
    gradientStart_ = start;
    gradientEnd_ = end;
    horizontalGradient_ = horizontal;
}

void VividTree::paintBackground(QPainter &painter, int xOrigin, int yOrigin, int virtualWidth, int virtualHeight) {
    switch (m_iBackgroundMode) {
    case BitmapBackground:
        if (background_.isNull())
            break;
        if (tile_) {
            const int bw = background_.width(), bh = background_.height();
            for (int column = 0; column <= virtualWidth / bw; ++column)
                for (int row = 0; row <= virtualHeight / bh; ++row)
                    painter.drawImage(QPoint(xOrigin + column * bw, yOrigin + row * bh), background_);
        } else {
            painter.drawImage(QRect(xOrigin, yOrigin, virtualWidth, virtualHeight), background_);
        }
        break;
    case GradientBackground: {
        const QPointF start(xOrigin, yOrigin);
        const QPointF end = horizontalGradient_ ? QPointF(xOrigin + virtualWidth, yOrigin)
                                                : QPointF(xOrigin, yOrigin + virtualHeight);
        QLinearGradient gradient(start, end);
        gradient.setColorAt(0.0, gradientStart_);
        gradient.setColorAt(1.0, gradientEnd_);
        painter.fillRect(QRect(xOrigin, yOrigin, virtualWidth, virtualHeight), gradient);
        break;
    }
    case SolidBackground:
        painter.fillRect(viewport()->rect(), QColor(kSolidColour));
        break;
    default:
        break;
    }
}

QImage VividTree::renderTree() {
    const QRect client = viewport()->rect();
    const int itemHeight = std::max(1, sizeHintForRow(0) > 0 ? sizeHintForRow(0) : fontMetrics().height());
    const TreePlacement placement =
        placeTree(client, scrollState(horizontalScrollBar()), scrollState(verticalScrollBar()), itemHeight);
    QImage image(client.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setFont(font());
    painter.setBackgroundMode(Qt::TransparentMode);
    paintBackground(painter, placement.xOrigin, placement.yOrigin, placement.virtualWidth, placement.virtualHeight);

    painter.setPen(Qt::white);
    const bool focused = hasFocus();
    for (QModelIndex index = indexAt(QPoint(1, 1)); index.isValid(); index = indexBelow(index)) {
        const QRect cell = visualRect(index);
        if (cell.top() >= client.height())
            break;
        const QTreeWidgetItem *entry = itemFromIndex(index);
        const bool hasChildren = entry->childCount() > 0;
        const bool highlighted = entry->isSelected() && (focused || showSelectionAlways_);
        const int textWidth = painter.fontMetrics().horizontalAdvance(entry->text(0));
        QRect text(cell.left() + kTextShift, cell.top(), textWidth, cell.height());
        if (highlighted)
            painter.fillRect(QRect(0, text.top(), placement.xOrigin + placement.virtualWidth, text.height()),
                             QColor(kBandColour));
        if (hasChildren) {
            const QImage &button = entry->isExpanded() ? expanded_ : collapsed_;
            if (!button.isNull())
                painter.drawImage(QPoint(text.left() - button.width() - 2, text.top() + 4), button);
        }
        text.adjust(0, 1, 0, -1);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, entry->text(0));
    }
    return image;
}

void VividTree::paintEvent(QPaintEvent *) {
    const QImage image = renderTree();
    QPainter screen(viewport());
    screen.drawImage(0, 0, image);
}

} // namespace quenlar::controls
