#pragma once
// VividTree: the tree of the skinned windows. It keeps the platform tree's items, selection,
// expansion and scrolling and replaces the painting: a background (bitmap, gradient or solid),
// white item text, a full-width band behind the selected item while the tree has the focus
// (or always, with showSelectionAlways), and its own expand and collapse buttons.

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QTreeWidget>

namespace quenlar::controls {

class VividTree : public QTreeWidget {
    Q_OBJECT
public:
    enum BackgroundMode : int { BitmapBackground = 0, GradientBackground = 1, SolidBackground = 2 };

    static constexpr QRgb kSolidColour = 0xFF1E1E1E; // RGB(30, 30, 30)
    static constexpr QRgb kBandColour = 0xFF662E2F;  // RGB(102, 46, 47)
    static constexpr int kTextShift = 7;             // item text starts this far right of the platform's place

    explicit VividTree(QWidget *parent = nullptr);

    // Loads the background bitmap and the two button bitmaps from the program's bitmaps.
    void LoadTreeBitmaps();

    int m_iBackgroundMode = GradientBackground;

    void setGradient(const QColor &start, const QColor &end, bool horizontal);
    void setTileBackground(bool tile) { tile_ = tile; }
    void setBackgroundBitmap(const QImage &image) { background_ = image; }
    void setShowSelectionAlways(bool always) { showSelectionAlways_ = always; }

    // The icon the owner hands the tree; kept, not drawn.
    void setTreeIcon(const QIcon &icon) { icon_ = icon; }
    QIcon treeIcon() const { return icon_; }

    // Render the tree's picture as paintEvent shows it.
    QImage renderTree();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintBackground(QPainter &painter, int xOrigin, int yOrigin, int virtualWidth, int virtualHeight);

    QImage collapsed_;
    QImage expanded_;
    QImage background_;
    QColor gradientStart_{255, 255, 255};
    QColor gradientEnd_{213, 213, 224};
    bool horizontalGradient_ = true;
    bool tile_ = false;
    bool showSelectionAlways_ = false;
    QIcon icon_;
};

} // namespace quenlar::controls
