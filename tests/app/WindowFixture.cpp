#include "WindowFixture.h"

#include "model/FileIo.h"
#include "model/KeyTable.h"

#include <QCoreApplication>
#include <QTest>

#include <cstring>
#include <fstream>

namespace quenlar::testing {

bool ScriptedPrompts::confirm(const std::string &text, const std::string &) {
    questions.push_back(text);
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<AssignmentRequest> RecordingDialogs::runKeyAssignment(QWidget *, DialogContext &, int keyIndex) {
    ++assignCalls;
    lastKey = keyIndex;
    return assignmentAnswer;
}

bool RecordingDialogs::runMacroManager(QWidget *, DialogContext &context) {
    ++macroCalls;
    return macroManager ? macroManager(context) : false;
}

void RecordingDialogs::runProfileManager(QWidget *, DialogContext &context) {
    ++profileCalls;
    if (profileManager)
        profileManager(context);
}

WindowFixture::WindowFixture(Language language, const VirtualKeyboardMemory *memory) {
    if (memory)
        keyboard.setMemory(*memory);
    tracePath = dir.filePath(QStringLiteral("trace.txt")).toStdString();
    trace = std::make_unique<ReportTrace>(tracePath);
    LinkTimeouts timeouts;
    timeouts.acknowledgement = std::chrono::milliseconds(300);
    timeouts.blockRead = std::chrono::milliseconds(300);
    link = std::make_unique<HidLink>(keyboard, sleeper, *trace, timeouts);
    DataPaths paths;
    paths.programFolder = QCoreApplication::applicationDirPath().toStdString() + "/";
    paths.dataFolder = dir.path().toStdString() + "/";
    app = std::make_unique<ApplicationState>(language, paths);
    window = std::make_unique<MainWindow>(*app, MainWindow::Services{*link, dialogs, prompts, shell});
    MainWindow *target = window.get();
    keyboard.setPlugListener([target](bool plugged) {
        QMetaObject::invokeMethod(target, plugged ? "onDeviceArrived" : "onDeviceRemoved", Qt::QueuedConnection);
    });
}

WindowFixture::~WindowFixture() {
    keyboard.setPlugListener({});
    window.reset();
}

void WindowFixture::start() {
    window->initialise();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_VERIFY_WITH_TIMEOUT(window->readAllFinished(), 10000);
    QCoreApplication::processEvents();
}

void WindowFixture::click(QPoint at) {
    QTest::mouseMove(window.get(), at);
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, at);
}

void WindowFixture::move(QPoint at) { QTest::mouseMove(window.get(), at); }

QPoint WindowFixture::keyCentre(int index) {
    const KeyRect &r = keyAt(index).rect;
    return QPoint((r.left + r.right) / 2 + 278, (r.top + r.bottom) / 2 + 107);
}

std::vector<std::string> WindowFixture::sentReports() const {
    std::vector<std::string> lines;
    std::ifstream in(tracePath);
    for (std::string line; std::getline(in, line);)
        if (line.find(" > ") != std::string::npos)
            lines.push_back(line.substr(line.find(" > ") + 1));
    return lines;
}

std::vector<uint8_t> WindowFixture::keymapFile() const {
    return readWholeFile(app->paths.keymapFile()).value_or(std::vector<uint8_t>{});
}

KeyboardState WindowFixture::keymapState() const {
    KeyboardState state;
    const auto bytes = keymapFile();
    if (bytes.size() >= sizeof(KeyboardState))
        std::memcpy(&state, bytes.data(), sizeof(KeyboardState));
    return state;
}

} // namespace quenlar::testing
