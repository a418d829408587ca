// The profile manager driven like a user: its placement, New and Delete, the right-click menu,
// renaming in place, Enter and Escape; ending in checks of the profile folder.
#include "DialogTestSupport.h"

#include "dialogs/CConfigureDlg.h"
#include "dialogs/SkinnedDialogs.h"
#include "keymap/KeymapFile.h"
#include "model/FileIo.h"

#include <QTemporaryDir>

using namespace quenlar;
using namespace quenlar::dialogs;
using namespace quenlar::testing;

namespace {

struct ProfileFixture {
    QTemporaryDir dir;
    ScriptedServices services;
    KeyboardImages images;
    HostKeyRecordImages records;
    KeyNameTable names;
    MacroTable macros{};
    Language language;
    std::unique_ptr<CConfigureDlg> dialog;

    explicit ProfileFixture(Language lang = Language::English) : language(lang) {
        images.working.lightEffect = 7;
        records.working[3].category = 6;
    }
    std::filesystem::path folder() const { return std::filesystem::path(dir.path().toStdString()) / "Configure"; }
    std::filesystem::path file(const std::string &name) const { return folder() / (name + ".bin"); }
    void open() {
        dialog = std::make_unique<CConfigureDlg>(programFolder(), language, folder(), services, images.working,
                                                 records.working);
        dialog->prepare(QPoint(100, 80));
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    controls::CTransparentListBox *list() {
        return dialog->findChild<controls::CTransparentListBox *>(QStringLiteral("profileList"));
    }
    QStringList listed() {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }
    void click(CConfigureDlg::Area area) {
        QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, CConfigureDlg::areaRect(area).center());
    }
    void menuCommand(int command, const QPoint &at = QPoint(100, 400)) {
        choosePopupCommand(command);
        QTest::mousePress(list()->viewport(), Qt::RightButton, {}, at);
    }
    void rename(int row, const QString &name) {
        list()->setCurrentRow(row);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, list()->itemRectAt(row).center());
        QVERIFY(list()->editor());
        list()->editor()->selectAll();
        QTest::keyClicks(list()->editor(), name);
        QTest::keyClick(list()->editor(), Qt::Key_Return);
    }
    std::vector<uint8_t> workingBytes() const { return keymapFileBytes(images.working, records.working); }
};

} // namespace

class ProfileManagerTest : public QObject {
    Q_OBJECT
private slots:
    void opensOnePixelUpAndLeftOfTheMainWindowAndEscapeCloses() {
        ProfileFixture f;
        QWidget mainWindow(nullptr, Qt::FramelessWindowHint); // the main window is borderless
        mainWindow.resize(400, 300);
        mainWindow.move(100, 80);
        mainWindow.show();
        QPoint openedAt;
        bool enterKeptItOpen = false;
        whenModalOpens(QStringLiteral("CConfigureDlg"), [&](QWidget &dialog) {
            openedAt = dialog.pos();
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog, Qt::Key_Return);
            enterKeptItOpen = dialog.isVisible();
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog, Qt::Key_Escape);
        });
        SkinnedDialogs dialogs(f.services);
        DialogContext context{Language::English, programFolder().toStdString(), f.dir.path().toStdString(), f.images,
                              f.records, f.macros, f.names};
        dialogs.runProfileManager(&mainWindow, context);
        QCOMPARE(openedAt, mainWindow.frameGeometry().topLeft() - QPoint(1, 1));
        QCOMPARE(openedAt, QPoint(99, 79));
        QVERIFY(enterKeptItOpen);
    }

    void newButtonCreatesEmptyProfiles() {
        ProfileFixture f;
        f.open();
        QCOMPARE(f.list()->count(), 0);
        f.click(CConfigureDlg::NewArea);
        f.click(CConfigureDlg::NewArea);
        QCOMPARE(f.listed(), (QStringList{"Profile_1", "Profile_2"}));
        // A new profile holds an all-zero KeyboardState and no records.
        QCOMPARE(readWholeFile(f.file("Profile_1")), std::optional(std::vector<uint8_t>(kKeyboardStateSize, 0)));
        QVERIFY(std::filesystem::exists(f.file("Profile_2")));
    }

    void menuItemTexts_data() {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("English") << Language::English << QStringList{"New", "Copy", "Save", "Load", "Delete"};
        QTest::newRow("Chinese") << Language::Chinese << QStringList{"新建", "复制", "保存", "加载", "删除"};
    }
    void menuItemTexts() {
        QFETCH(Language, language);
        QFETCH(QStringList, texts);
        ProfileFixture f(language);
        f.open();
        QStringList shown;
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, [&shown, timer] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                timer->stop();
                shown = testing::menuTexts(*menu);
                menu->close();
            }
        });
        timer->start(20);
        QTest::mousePress(f.list()->viewport(), Qt::RightButton, {}, QPoint(50, 300));
        QCOMPARE(shown, texts);
    }

    void copyWithNothingSelectedAsks_data() {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::newRow("English") << Language::English << "Please select a profile to copy\n" << "Profile";
        QTest::newRow("Chinese") << Language::Chinese << "请选择一个配置拷贝" << "配置管理";
    }
    void copyWithNothingSelectedAsks() {
        QFETCH(Language, language);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        ProfileFixture f(language);
        f.open();
        f.click(CConfigureDlg::NewArea);
        f.list()->clearSelection();
        f.menuCommand(CConfigureDlg::kMenuCopy); // on the empty part of the list
        QCOMPARE(f.services.notices.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(f.services.notices[0].text), text);
        QCOMPARE(QString::fromStdString(f.services.notices[0].caption), caption);
        QCOMPARE(f.list()->count(), 1);
    }

    void copyMakesASecondFile() {
        ProfileFixture f;
        f.open();
        f.click(CConfigureDlg::NewArea);
        f.list()->setCurrentRow(0);
        f.menuCommand(CConfigureDlg::kMenuCopy);
        QCOMPARE(f.list()->count(), 2);
        QCOMPARE(readWholeFile(f.file(f.listed()[1].toStdString())), readWholeFile(f.file("Profile_1")));
    }

    void renameInPlace() {
        ProfileFixture f;
        f.open();
        f.click(CConfigureDlg::NewArea);
        f.click(CConfigureDlg::NewArea);
        f.rename(0, QStringLiteral("Zeta"));
        QVERIFY(std::filesystem::exists(f.file("Zeta")));
        QCOMPARE(f.listed(), (QStringList{"Profile_2", "Zeta"}));
        QVERIFY(!std::filesystem::exists(f.file("Profile_1")));
        // A name that is taken brings the old name back; no file changes.
        f.rename(1, QStringLiteral("Profile_2"));
        QCOMPARE(f.listed(), (QStringList{"Profile_2", "Zeta"}));
        QVERIFY(std::filesystem::exists(f.file("Zeta")));
        // A name that would leave the folder is refused.
        f.rename(1, QStringLiteral("../escape"));
        QCOMPARE(f.services.notices.size(), std::size_t{1});
        QCOMPARE(f.listed(), (QStringList{"Profile_2", "Zeta"}));
        QVERIFY(!std::filesystem::exists(f.folder().parent_path() / "escape.bin"));
        QVERIFY(!f.services.notices.empty());
    }

    void saveAndLoadThroughTheMenu() {
        ProfileFixture f;
        f.open();
        f.click(CConfigureDlg::NewArea);
        f.list()->setCurrentRow(0);
        f.images.working.lightEffect = 9;
        f.menuCommand(CConfigureDlg::kMenuSave);
        QCOMPARE(readWholeFile(f.file("Profile_1")), std::optional(f.workingBytes()));

        // Load a configuration from elsewhere: it replaces the working one and the profile.
        KeyboardState other;
        other.lightEffect = 2;
        HostKeyRecords otherRecords{};
        otherRecords[5].category = 7;
        const std::filesystem::path outside = std::filesystem::path(f.dir.path().toStdString()) / "elsewhere.bin";
        QVERIFY(writeFileAtomically(outside, keymapFileBytes(other, otherRecords)).ok());
        f.services.openAnswer = outside;
        f.list()->setCurrentRow(0);
        f.menuCommand(CConfigureDlg::kMenuLoad);
        QCOMPARE(f.images.working.lightEffect, uint8_t{2});
        QCOMPARE(f.records.working[5].category, uint8_t{7});
        QCOMPARE(readWholeFile(f.file("Profile_1")), std::optional(f.workingBytes()));
    }

    void deleteButtonAsksAndKeepsTheLastProfile() {
        ProfileFixture f;
        f.open();
        f.click(CConfigureDlg::NewArea);
        f.click(CConfigureDlg::NewArea);
        f.list()->setCurrentRow(1);
        f.services.confirmAnswer = false;
        f.click(CConfigureDlg::DeleteArea);
        QCOMPARE(f.list()->count(), 2);
        f.services.confirmAnswer = true;
        f.list()->setCurrentRow(1);
        f.click(CConfigureDlg::DeleteArea);
        QCOMPARE(f.listed(), QStringList{"Profile_1"});
        QVERIFY(!std::filesystem::exists(f.file("Profile_2")));
        f.list()->setCurrentRow(0);
        f.click(CConfigureDlg::DeleteArea);
        QCOMPARE(f.listed(), QStringList{"Profile_1"});
        QCOMPARE(f.services.notices.back().text, std::string("Please keep a profile\n"));
    }

    void closingKeepsARenameBeingTyped() {
        ProfileFixture f;
        f.open();
        f.click(CConfigureDlg::NewArea);
        f.list()->setCurrentRow(0);
        QTest::mouseDClick(f.list()->viewport(), Qt::LeftButton, {}, f.list()->itemRectAt(0).center());
        QVERIFY(f.list()->editor());
        f.list()->editor()->selectAll();
        QTest::keyClicks(f.list()->editor(), QStringLiteral("Night"));
        f.click(CConfigureDlg::CloseArea);
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(std::filesystem::exists(f.file("Night")));
        QVERIFY(!std::filesystem::exists(f.file("Profile_1")));
    }

    void screenshots_data() {
        QTest::addColumn<Language>("language");
        QTest::newRow("english") << Language::English;
        QTest::newRow("chinese") << Language::Chinese;
    }
    void screenshots() {
        QFETCH(Language, language);
        ProfileFixture f(language);
        f.open();
        for (int i = 0; i < 4; ++i)
            f.click(CConfigureDlg::NewArea);
        f.list()->setCurrentRow(1);
        saveScreenshot(*f.dialog, language == Language::Chinese ? QStringLiteral("profile_manager_chinese")
                                                                : QStringLiteral("profile_manager_english"));
    }
};

QTEST_MAIN(ProfileManagerTest)
#include "tst_profile_manager.moc"
