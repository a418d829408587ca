#pragma once
// Only one copy of the program runs. The first copy holds a lock file in the user's runtime
// folder and listens on a local socket beside it; a second copy finds the lock taken, asks
// the first to show its window through the socket, and reports that it is secondary so that
// it can end without opening a window of its own.
//
// Both are named after the program's single-instance name, " {57D1171D-1a36-0804-8A3A-65ABA2150010}"
// (with its leading blank), made safe for a file name.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace quenlar {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr const char *kInstanceName = " {57D1171D-1a36-0804-8A3A-65ABA2150010}";

    // The name reduced to letters, digits and "-": "57D1171D-1a36-0804-8A3A-65ABA2150010".
    static QString sanitisedName(const QString &name);
    // The user's runtime folder (XDG_RUNTIME_DIR), or the temporary folder when there is none.
    static QString defaultFolder();

    // Takes the lock or, when another copy holds it, asks that copy to show itself.
    explicit SingleInstance(const QString &name = QString::fromLatin1(kInstanceName),
                            const QString &folder = defaultFolder(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True for the copy that runs; false when another copy was asked to show itself.
    bool isPrimary() const { return primary_; }
    // Secondary only: whether the running copy received the request.
    bool requestDelivered() const { return delivered_; }
    QString socketPath() const { return socketPath_; }

signals:
    // On the running copy: a second start asked for the window.
    void showRequested();

private:
    void listen();
    bool askRunningCopyToShow();

    QString socketPath_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
    bool primary_ = false;
    bool delivered_ = false;
};

} // namespace quenlar
