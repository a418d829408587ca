#include "dialogs/SkinnedDialogs.h"

#include "dialogs/CConfigureDlg.h"
#include "dialogs/CKeyMap.h"
#include "dialogs/CMacroRecordDlg.h"
#include "model/KeyTable.h"

#include <QWidget>

namespace quenlar::dialogs {

namespace {
// Folders arrive as paths; the skin code wants a folder text ending in "/".
QString folderText(const std::filesystem::path &folder) {
    QString text = QString::fromStdU16String(folder.u16string());
    if (!text.endsWith(QLatin1Char('/')))
        text += QLatin1Char('/');
    return text;
}
} // namespace

std::optional<AssignmentRequest> SkinnedDialogs::runKeyAssignment(QWidget *parent, DialogContext &context,
                                                                  int keyIndex) {
    CKeyMap dialog(folderText(context.programFolder), context.language, context.keyNames, services_, parent);
    const KeyboardState &state = context.images.working;
    dialog.prepare(keyIndex, context.records.working[keyIndex], state.enableBit(keyAt(keyIndex).enableBit),
                   context.macros);
    // The dialog opens at the top-left corner of the main window's client area.
    if (parent)
        dialog.move(parent->mapToGlobal(QPoint(0, 0)));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.request();
}

bool SkinnedDialogs::runMacroManager(QWidget *parent, DialogContext &context) {
    CMacroRecordDlg dialog(folderText(context.programFolder), context.language, context.keyNames, services_, clock_,
                           parent);
    dialog.prepare(context.macros);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    context.macros = dialog.workingTable();
    return true;
}

void SkinnedDialogs::runProfileManager(QWidget *parent, DialogContext &context) {
    CConfigureDlg dialog(folderText(context.programFolder), context.language, context.dataFolder / "Configure",
                         services_, context.images.working, context.records.working, parent);
    dialog.prepare(parent ? parent->window()->frameGeometry().topLeft() : QPoint(1, 1));
    dialog.exec();
}

} // namespace quenlar::dialogs
