#pragma once
// What the dialog tests share: scripted answers to the dialogs' questions, the skin folder the
// build draws beside the test executables, screenshots, and driving a modal dialog.

#include "dialogs/DialogServices.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quenlar::testing {

class ScriptedServices : public dialogs::DialogServices {
public:
    struct Notice {
        std::string text;
        std::string caption;
    };

    bool confirm(const std::string &text, const std::string &caption) override {
        questions.push_back({text, caption});
        return confirmAnswer;
    }
    void inform(const std::string &text, const std::string &caption) override { notices.push_back({text, caption}); }
    std::optional<std::filesystem::path> chooseFileToOpen(const std::string &filter) override {
        filters.push_back(filter);
        return openAnswer;
    }
    std::optional<std::filesystem::path> chooseFileToSave(const std::string &, const std::string &filter) override {
        filters.push_back(filter);
        return saveAnswer;
    }
    std::optional<std::filesystem::path> chooseActionFile(const dialogs::FileChooserSpec &spec) override {
        choosers.push_back(spec.description + "|" + spec.pattern + "|" + spec.defaultSuffix);
        return fileAnswer;
    }
    std::optional<std::filesystem::path> chooseFolder(const std::string &title) override {
        choosers.push_back("folder|" + title);
        return folderAnswer;
    }

    bool confirmAnswer = true;
    std::optional<std::filesystem::path> openAnswer, saveAnswer, fileAnswer, folderAnswer;
    std::vector<Notice> questions, notices;
    std::vector<std::string> filters, choosers;
};

// The tests run beside the skin images the build draws (bin/png/english, bin/png/chinese).
inline QString programFolder() { return QCoreApplication::applicationDirPath() + QLatin1Char('/'); }

// The window with its children as the user sees it, saved as screenshots/<name>.png.
inline void saveScreenshot(QWidget &window, const QString &name) {
    const QString file = QStringLiteral(QUENLAR_SCREENSHOT_DIR "/") + name + QStringLiteral(".png");
    QVERIFY2(window.grab().save(file), qPrintable(file));
}

// Runs `drive` once the modal dialog of the given object name (or class, when the name is
// empty) is open.
inline void whenModalOpens(const QString &objectName, std::function<void(QWidget &)> drive,
                           const char *className = nullptr) {
    auto *timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, objectName, drive, className] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (className ? !modal->inherits(className) : modal->objectName() != objectName)
            return;
        timer->stop();
        timer->deleteLater();
        drive(*modal);
    });
    timer->start();
}

// Picks the menu item with this command number from the popup menu that opens within 5 s.
inline void choosePopupCommand(int command) {
    auto *timer = new QTimer;
    timer->setInterval(20);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, command, ticks] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu && ++*ticks > 250) {
            timer->stop();
            timer->deleteLater();
        }
        if (!menu)
            return;
        timer->stop();
        timer->deleteLater();
        std::function<QAction *(QMenu *)> find = [&](QMenu *m) -> QAction * {
            for (QAction *action : m->actions()) {
                if (action->menu())
                    if (QAction *inner = find(action->menu()))
                        return inner;
                if (action->data().toInt() == command)
                    return action;
            }
            return nullptr;
        };
        QAction *action = find(menu);
        if (action) {
            // Closing the popup first lets its exec() return the chosen action.
            QMenu *owner = menu;
            action->activate(QAction::Trigger);
            owner->close();
            Q_UNUSED(owner);
        } else {
            menu->close();
        }
    });
    timer->start();
}

// The texts of a menu and its submenus, indented by depth.
inline QStringList menuTexts(const QMenu &menu, int depth = 0) {
    QStringList out;
    for (QAction *action : menu.actions()) {
        out << QString(depth * 2, QLatin1Char(' ')) + action->text();
        if (action->menu())
            out << menuTexts(*action->menu(), depth + 1);
    }
    return out;
}

} // namespace quenlar::testing
