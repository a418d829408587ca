#pragma once
// CEditHelper: the single-line editor the transparent list box opens over the item being
// edited. Releasing Enter asks the list to commit, releasing Escape to cancel, and losing the
// focus to commit; each then goes on with the ordinary editor handling.

#include <QLineEdit>

namespace quenlar::controls {

class CEditHelper : public QLineEdit {
    Q_OBJECT
public:
    // The editor's request to its list to end the edit.
    static constexpr int kEditHelperEndMessage = 34881;

    explicit CEditHelper(QWidget *parent = nullptr);

signals:
    // kEditHelperEndMessage: commit = wParam (1 commit, 0 cancel).
    void endEditRequested(bool commit);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};

} // namespace quenlar::controls
