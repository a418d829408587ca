#pragma once
// CConfigureDlg: the profile manager window. A list of up to six profile names (renamed in
// place), New, Delete and close, and a right-click menu with New, Copy, Save, Load and Delete.
// Every command is ProfileStore's; this class draws, keeps the list in step and forwards.

#include "controls/TransparentListBox.h"
#include "dialogs/SkinnedDialog.h"
#include "profile/ProfileStore.h"

#include <QStringList>

#include <memory>

namespace quenlar::dialogs {

class CConfigureDlg : public SkinnedDialog {
    Q_OBJECT
public:
    static constexpr int kProfileListId = 1016;
    enum MenuCommand : int {
        kMenuNew = 32785,
        kMenuCopy = 32817,
        kMenuSave = 32786,
        kMenuLoad = 32787,
        kMenuDelete = 32788,
    };
    enum Area { CloseArea, NewArea, DeleteArea, AreaCount };

    // working and records are the configuration that Save stores and Load replaces.
    CConfigureDlg(const QString &programFolder, Language language, const std::filesystem::path &profileFolder,
                  UserPrompts &prompts, KeyboardState &working, HostKeyRecords &records, QWidget *parent = nullptr);

    // Opening: places the window one pixel up and left of mainWindowTopLeft and lists the profiles.
    void prepare(const QPoint &mainWindowTopLeft);
    ProfileStore &store() { return store_; }
    static QRect areaRect(Area area);
    // Runs one command of the right-click menu on the selected profile.
    void runCommand(int command);

protected:
    void compose(QPainter &painter) override;
    bool onButton(const QPoint &point) const override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void done(int result) override;

private:
    void refreshList();
    int selectedProfile() const;
    int storeIndexOf(const QString &name) const;
    void showMenu(const QPoint &globalPos);

    ProfileStore store_;
    controls::CTransparentListBox *list_;
    QStringList listed_; // the list's texts as last filled, for the rename message's indexes
};

} // namespace quenlar::dialogs
