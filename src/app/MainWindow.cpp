#include "app/MainWindow.h"

#include "app/LowerBar.h"
#include "app/PanelPainter.h"
#include "app/Texts.h"
#include "app/TrayIcon.h"
#include "controls/SkinDrawing.h"
#include "controls/SkinFolders.h"
#include "controls/SkinPalette.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace quenlar {

MainWindow::MainWindow(ApplicationState &app, Services services, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), app_(app), services_(services), speed_(this),
      brightness_(this), report_(this), lighting_(speed_, brightness_), options_(report_) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // the painting covers every pixel
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setupSliders();
}

MainWindow::~MainWindow() { teardown(); }

QString MainWindow::skinFolder() const {
    return QString::fromStdString(app_.paths.skinFolder(app_.language));
}

bool MainWindow::hasTrayIcon() const { return tray_ && tray_->available(); }

void MainWindow::setupSliders() {
    const struct {
        controls::CBitSlider &slider;
        int id, maximum, initial;
        QPoint at;
    } sliders[] = {{speed_, controls::CBitSlider::kSpeedSliderId, 9, 0, {28, 303}},
                   {brightness_, controls::CBitSlider::kBrightnessSliderId, 50, 1, {28, 260}},
                   {report_, controls::CBitSlider::kReportRateSliderId, 3, 1, {28, 0}}};
    for (const auto &s : sliders) {
        s.slider.setControlId(s.id);
        s.slider.AttachThumb();
        s.slider.LoadTrack();
        s.slider.setRange(0, s.maximum);
        s.slider.setSingleStep(1);
        s.slider.setPageStep(1);
        s.slider.setValue(s.initial);
        s.slider.move(s.at);
        connect(&s.slider, &controls::CBitSlider::sliderNotified, this, &MainWindow::onSliderNotified);
    }
    report_.hide();  // placed under its header by the first repaint
}

void MainWindow::setSlidersFromState() {
    const KeyboardState &state = app_.images.working;
    brightness_.setPositionWithRedraw(state.lightBrightness);
    speed_.setPositionWithRedraw(state.lightSpeed);
    report_.setPositionWithRedraw(state.reportRate);
}

void MainWindow::onSliderNotified(int controlId) {
    KeyboardState &state = app_.images.working;
    controls::CBitSlider *slider = nullptr;
    uint8_t *field = nullptr;
    int index = 0;
    switch (controlId) {
    case controls::CBitSlider::kSpeedSliderId: slider = &speed_, field = &state.lightSpeed, index = 0; break;
    case controls::CBitSlider::kBrightnessSliderId: slider = &brightness_, field = &state.lightBrightness, index = 1; break;
    case controls::CBitSlider::kReportRateSliderId: slider = &report_, field = &state.reportRate, index = 2; break;
    default: return;
    }
    if (!slider->isVisible() || slider->value() == lastSeenPosition_[index])
        return;
    lastSeenPosition_[index] = slider->value();
    *field = static_cast<uint8_t>(slider->value());
    update(slider->geometry());
}

QImage MainWindow::composeFrame() {
    const QString folder = skinFolder();
    const QImage *background = cache_.image(folder, QStringLiteral("main.png"));
    if (!background) {
        // Without the background there is nothing to compose into; show the bare window colour.
        QImage empty(size(), QImage::Format_RGB32);
        empty.fill(controls::palette::kWindow);
        return empty;
    }
    QImage frame = background->convertToFormat(QImage::Format_RGB32);
    QPainter painter(&frame);
    PanelPainter p{painter, cache_, folder, app_.language, *this};
    KeyboardState &state = app_.images.working;
    for (auto *slider : {&speed_, &brightness_, &report_})
        slider->PlaceThumb();
    LowerBar::drawCaptionButtons(p, layout_);
    p.image("logo.png", 19, 35);
    picture_.draw(painter, cache_, folder, state, app_.keyChanged);
    LowerBar::draw(p, layout_);
    lighting_.draw(p, state, layout_.folding.light, picture_.paintMode);
    options_.draw(p, state, layout_);
    lighting_.drawList(p);
    if (options_.responseListOpen) {
        speed_.hide();
        brightness_.hide();
        options_.drawList(p, layout_.responseListTop());
    }
    help_.draw(p);
    if (!services_.link.configOpen())
        controls::DrawSkinText(painter, pick(app_.language, "No Quenlar DE Keyboard Detected!", "未检测到 Quenlar DE 键盘！"),
                               300, 545, QColor(controls::palette::kRedBright), 16);
    return frame;
}

void MainWindow::paintEvent(QPaintEvent *) {
    const QImage frame = composeFrame();
    QPainter painter(this);
    painter.drawImage(0, 0, frame);
}

void MainWindow::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        buttonHeld_ = true;
}

void MainWindow::mouseMoveEvent(QMouseEvent *event) {
    const int x = event->position().toPoint().x(), y = event->position().toPoint().y();
    if (!(event->buttons() & Qt::LeftButton))
        buttonHeld_ = false;
    const bool listOpen = lighting_.effectListOpen || options_.responseListOpen;
    bool repaint = false;
    int code = region::kNone;
    if (lighting_.effectListOpen) {
        lighting_.listMove(x, y);
    } else if (options_.responseListOpen) {
        options_.listMove(x, y, layout_.responseListTop());
    } else {
        code = layout_.hitTestRegion(x, y, app_.images.working.lightEffect);
        repaint = layout_.setHover(code);
    }
    if (buttonHeld_ && !listOpen && code == region::kNone && picture_.hitTestKey(x, y) == KeyboardPicture::kNoKey) {
        buttonHeld_ = false;
        if (QWindow *window = windowHandle())
            window->startSystemMove();
    }
    const bool rowLit = (lighting_.effectListOpen && lighting_.effectListRow != 255) ||
                        (options_.responseListOpen && options_.responseListRow != 255);
    if (picture_.onPointerMoved(x, y))
        repaint = true;
    else if (picture_.hoverKey == KeyboardPicture::kNoKey && (code != region::kNone || rowLit))
        repaint = true;
    if (repaint)
        update();
}

void MainWindow::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int x = event->position().toPoint().x(), y = event->position().toPoint().y();
    KeyboardState &state = app_.images.working;
    if (lighting_.effectListOpen) {
        lighting_.listClick(x, y, state, picture_.paintMode);
    } else if (options_.responseListOpen) {
        options_.listClick(x, y, layout_.responseListTop(), state);
    } else if (help_.open) {
        helpClick(x, y);
    } else {
        dispatchRegion(layout_.hitTestRegion(x, y, state.lightEffect));
        if (!closing_)
            keyClick(x, y);
    }
    update();
}

void MainWindow::dispatchRegion(int code) {
    KeyboardState &state = app_.images.working;
    switch (code) {
    case region::kHelp: help_.open = !help_.open; break;
    case region::kMinimise: minimiseCommand(); break;
    case region::kClose: closeCommand(); break;
    case region::kEffectSelector: lighting_.openList(layout_.folding.light); break;
    case region::kDirection1:
    case region::kDirection2:
    case region::kDirection3:
    case region::kDirection4: LightingPanel::applyDirection(code, state); break;
    case region::kMacroButton: macroCommand(); break;
    case region::kGameModeOn:
    case region::kGameModeOff:
    case region::kWinLockOn:
    case region::kWinLockOff: OptionsPanel::applyGameModeRegion(code, state); break;
    case region::kResponseSelector: options_.responseListOpen = true; break;
    case region::kProfile: profileCommand(); break;
    case region::kFactoryReset: factoryResetCommand(); break;
    case region::kRevert: revertCommand(); break;
    case region::kApply: applyCommand(); break;
    case region::kLightHeader: layout_.folding.light = !layout_.folding.light; break;
    case region::kGameHeader: layout_.folding.game = !layout_.folding.game; break;
    case region::kResponseHeader: layout_.folding.response = !layout_.folding.response; break;
    case region::kReportHeader: layout_.folding.report = !layout_.folding.report; break;
    case region::kKeymapSwitch: picture_.paintMode = false; break;
    case region::kDiySwitch: picture_.paintMode = true; break;
    default: break;  // inert regions and empty spots
    }
}

void MainWindow::keyClick(int x, int y) {
    if (picture_.onKeyClicked(x, y, app_.images.working) == KeyboardPicture::Click::AssignKey)
        assignKey(picture_.hoverKey);
}

void MainWindow::focusOutEvent(QFocusEvent *event) {
    QWidget::focusOutEvent(event);
    layout_.clearHover();
    update();
}

void MainWindow::keyPressEvent(QKeyEvent *event) {
    // Enter, Escape and F1 neither close the window nor ask for help.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: keypadEnter_ = event->modifiers().testFlag(Qt::KeypadModifier); event->accept(); return;
    case Qt::Key_Escape:
    case Qt::Key_F1: event->accept(); return;
    default: QWidget::keyPressEvent(event);
    }
}

} // namespace quenlar
