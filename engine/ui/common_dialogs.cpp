#include "engine/ui/common_dialogs.h"

#include "engine/render/camera_2d.h"
#include "engine/task/call_task.h"
#include "engine/ui/common_dialog_menus.h"

namespace {

// The dialog's scene: it ends once its menu has ended and been removed.
class DialogScene final : public M2DCameraRoot {
public:
    void update() override {
        M2DCameraRoot::update();
        if (isEmpty()) setState(kFinished);
    }
};

}  // namespace

MCommonSignalWaitDialog::MCommonSignalWaitDialog(const std::string& message, uint8_t* signal)
    : message_(message), signal_(signal) {}

void MCommonSignalWaitDialog::step() {
    if (!messageView_) {
        messageView_ = new MCommonMsg(message_, 1.0f);
        const MViewSize size = messageView_->getSize();
        messageView_->setPosition(-size.width / 2, -size.height / 2);
        messageView_->show();
        getParallelSet().add(messageView_);
        return;
    }
    if (*signal_) setState(kFinished);
}

void MCommonSignalWaitDialog::draw(int pass) {
    MDisplay::setCamera(0.0f, 0.0f, 1.0f, 0.0f);
    if (messageView_ && !messageView_->isHidden() && messageView_->getState() != kFinished)
        messageView_->draw(pass);
}

void MCommonButtonDialog::step() {
    if (started_) return;
    started_ = true;
    auto* scene = new DialogScene;
    scene->add(makeMenu(hub_.release(), cursor_.release()));
    getSerialSet().add(scene);
    getSerialSet().add(new MCallTask0<MCommonButtonDialog>(this, &MCommonButtonDialog::finish));
}

MMenu* MCommonNoticeDialog::makeMenu(MInputHub* hub, MCommonCursor* cursor) {
    return new MCommonNoticeDialogMenu(message_, label_, hub, cursor);
}

MMenu* MCommonYesNoDialog::makeMenu(MInputHub* hub, MCommonCursor* cursor) {
    return new MCommonYesNoDialogMenu(message_, yes_, no_, result_, hub, cursor);
}

MMenu* MCommonChoiceDialog::makeMenu(MInputHub* hub, MCommonCursor* cursor) {
    return new MCommonChoiceDialogMenu(message_, labels_, result_, hub, cursor);
}
