#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "model/editing/project_observer.h"

namespace ze {
class CZeDialogData;
class CZeResourceData;
}  // namespace ze

namespace ze::link {
class CDeviceLink;
}  // namespace ze::link

namespace ze::panels {

// "自動送信": while it is on and a device is connected, the dialog being
// edited goes to the device (as "送信" sends it) once its changes have been
// quiet for a moment; a dialog that becomes the one edited goes at once.
// Sends never pile up: while one is still on its way, further changes only
// ask for one more after it.
class LiveSync : public QObject, private ProjectObserver {
    Q_OBJECT

public:
    static constexpr int kQuietMilliseconds = 300;

    // edited answers the dialog being edited (null: none).
    LiveSync(CZeResourceData& project, link::CDeviceLink& link,
             std::function<CZeDialogData*()> edited, QObject* parent = nullptr);
    ~LiveSync() override;

    void SetEnabled(bool on);
    bool IsEnabled() const { return enabled_; }
    void SetQuietPeriod(int milliseconds) { quiet_.setInterval(milliseconds); }

    // The dialog being edited is another one now: it is sent at once.
    void EditedDialogChanged();

    // The sends made so far (tests, the benchmark).
    int SendCount() const { return sends_; }

signals:
    // A send was made; the link has logged it as it logs every send.
    void Sent();

private:
    void ElementsChanged(const ElementChange& change) override;
    void DialogRemoving(CZeDialogData& dialog) override;
    // Sends now, or after the send still under way.
    void Send();
    void SendFinished();

    CZeResourceData& project_;
    link::CDeviceLink& link_;
    std::function<CZeDialogData*()> edited_;
    QTimer quiet_;
    bool enabled_ = false;
    bool sendAfterThis_ = false;
    int sends_ = 0;
};

}  // namespace ze::panels
