#include "dialogs/CConfigureDlg.h"

#include "dialogs/MacroEventMenu.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace quenlar::dialogs {

CConfigureDlg::CConfigureDlg(const QString &programFolder, Language language,
                             const std::filesystem::path &profileFolder, UserPrompts &prompts, KeyboardState &working,
                             HostKeyRecords &records, QWidget *parent)
    : SkinnedDialog(programFolder, language, controls::SkinWindow::ProfileManager, parent),
      store_(profileFolder, language, prompts, working, records) {
    setObjectName(QStringLiteral("CConfigureDlg"));
    escapeCloses_ = true;
    sizeToBackground(QStringLiteral("Config.png"));
    list_ = new controls::CTransparentListBox(this);
    list_->setObjectName(QStringLiteral("profileList"));
    list_->setGeometry(1, 34, 260, 540);
    list_->setSorted(true);
    list_->setNotify(true);
    list_->SetAppearance(Qt::black, 2, 15, QStringLiteral("Arial"), Qt::white, QColor(0, 255, 255), true);
    list_->SetEditMode(controls::ListEditMode::RenameReported);
    list_->viewport()->installEventFilter(this);
    // 1781 in rename-reported mode: (index when the edit began, index after it).
    connect(list_, &controls::CTransparentListBox::listEditDone, this, [this](int before, int after) {
        if (before < 0 || before >= listed_.size() || after < 0 || after >= list_->count())
            return;
        const int index = storeIndexOf(listed_[before]);
        if (index >= 0)
            store_.renameProfile(index, list_->item(after)->text().toStdString());
        refreshList();
    });
}

void CConfigureDlg::done(int result) {
    list_->EndEdit(true); // a rename still being typed is kept
    SkinnedDialog::done(result);
}

void CConfigureDlg::prepare(const QPoint &mainWindowTopLeft) {
    move(mainWindowTopLeft - QPoint(1, 1));
    store_.reload();
    refreshList();
    list_->setFocus();
}

void CConfigureDlg::refreshList() {
    list_->EndEdit(false);
    list_->clear();
    listed_.clear();
    for (const ProfileEntry &entry : store_.profiles())
        list_->AddString(QString::fromStdString(entry.name));
    for (int i = 0; i < list_->count(); ++i)
        listed_ << list_->item(i)->text();
    list_->viewport()->update();
}

int CConfigureDlg::storeIndexOf(const QString &name) const {
    const std::string wanted = name.toStdString();
    const auto &profiles = store_.profiles();
    for (std::size_t i = 0; i < profiles.size(); ++i)
        if (profiles[i].name == wanted)
            return static_cast<int>(i);
    return ProfileStore::kNoSelection;
}

int CConfigureDlg::selectedProfile() const {
    const QList<QListWidgetItem *> selected = list_->selectedItems();
    return selected.isEmpty() ? ProfileStore::kNoSelection : storeIndexOf(selected.first()->text());
}

void CConfigureDlg::runCommand(int command) {
    const int selection = selectedProfile();
    const QList<QListWidgetItem *> selected = list_->selectedItems();
    const QString keep = selected.isEmpty() ? QString() : selected.first()->text();
    switch (command) {
    case kMenuNew: store_.newProfile(); break;
    case kMenuCopy: store_.copyProfile(selection); break;
    case kMenuSave: store_.saveProfile(selection); break;
    case kMenuLoad: store_.loadProfile(selection); break;
    case kMenuDelete: store_.deleteProfile(selection); break;
    default: return;
    }
    // Keep the selection on the same profile where it still exists.
    refreshList();
    if (!keep.isEmpty())
        if (const auto found = list_->findItems(keep, Qt::MatchExactly); !found.isEmpty())
            list_->setCurrentItem(found.first());
}

QRect CConfigureDlg::areaRect(Area area) {
    switch (area) {
    case CloseArea: return inclusive(248, 11, 262, 24);
    case NewArea: return inclusive(14, 576, 79, 624);
    case DeleteArea: return inclusive(184, 576, 249, 624);
    case AreaCount: break;
    }
    return {};
}

bool CConfigureDlg::onButton(const QPoint &point) const {
    for (int a = 0; a < AreaCount; ++a)
        if (areaRect(static_cast<Area>(a)).contains(point))
            return true;
    return false;
}

void CConfigureDlg::mouseReleaseEvent(QMouseEvent *event) {
    const bool wasDragging = dragging();
    SkinnedDialog::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || wasDragging)
        return;
    const QPoint point = event->position().toPoint();
    if (areaRect(CloseArea).contains(point))
        accept();
    else if (areaRect(NewArea).contains(point))
        runCommand(kMenuNew);
    else if (areaRect(DeleteArea).contains(point))
        runCommand(kMenuDelete);
}

bool CConfigureDlg::eventFilter(QObject *watched, QEvent *event) {
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            showMenu(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return SkinnedDialog::eventFilter(watched, event);
}

void CConfigureDlg::showMenu(const QPoint &globalPos) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("profileMenu"));
    const struct {
        int command;
        const char *english;
        const char *chinese;
    } items[] = {{kMenuNew, "New", "新建"},
                 {kMenuCopy, "Copy", "复制"},
                 {kMenuSave, "Save", "保存"},
                 {kMenuLoad, "Load", "加载"},
                 {kMenuDelete, "Delete", "删除"}};
    for (const auto &item : items)
        menu.addAction(tr2(item.english, item.chinese))->setData(item.command);
    if (const std::optional<int> chosen = execCommandMenu(menu, globalPos))
        runCommand(*chosen);
}

void CConfigureDlg::compose(QPainter &p) {
    image(p, QStringLiteral("Config.png"), 0, 0);
    text(p, tr2("Profile", "配置"), 10, 10, 15);
    image(p, QStringLiteral("button-close-normal.png"), 247, 10);
    image(p, QStringLiteral("New.png"), 13, 575);
    text(p, tr2("New", "新建"), 30, 578, 16);
    image(p, QStringLiteral("Delete.png"), 183, 575);
    text(p, tr2("Delete", "删除"), 200, 578, 16);
}

} // namespace quenlar::dialogs
