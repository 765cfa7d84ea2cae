#pragma once

#include <QList>
#include <QObject>
#include <functional>

namespace fw {

struct SharedFlags;

// Every dialog of the window opens through here: one at a time, and a
// request that comes while one is open waits until it has closed rather than
// being dropped. The shared isSubWindowOpened flag follows the dialogs that
// are really open. Main thread only.
class DialogQueue : public QObject {
    Q_OBJECT
public:
    // Shows the dialog and returns at once (window-modal, never a nested
    // loop); false when the dialog is no longer wanted by the time its turn
    // comes (an import that ended while another dialog was open), and the
    // next one waiting opens instead.
    using Opener = std::function<bool()>;

    explicit DialogQueue(SharedFlags& flags, QObject* parent = nullptr);

    // Opens the dialog now, or after the ones before it have closed.
    void request(Opener open);
    // The dialog on screen has closed; the next one waiting opens.
    void closed();
    bool isShowing() const;
    qsizetype waiting() const { return pending.size(); }

Q_SIGNALS:
    void showingChanged(bool showing);

private:
    void openNext();

    SharedFlags& flags;
    QList<Opener> pending;
};

} // namespace fw
