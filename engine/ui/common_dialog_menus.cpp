#include "engine/ui/common_dialog_menus.h"

#include <algorithm>

namespace {

constexpr float kGap = 30.0f;
// Buttons are fitted to the screen's width less this.
constexpr float kButtonMargin = 110.0f;

// Scale 1.0, or what fits buttons of the given total width to the screen.
float buttonScale(float totalWidth) {
    const float width = commonDialogScreenWidth();
    if (width <= 0.0f || totalWidth <= width - kButtonMargin) return 1.0f;
    return (width - 80.0f - kGap) / totalWidth;
}

MViewSize sizeOf(MView* view) { return view->getSize(); }

}  // namespace

MCommonDialogMenu::MCommonDialogMenu(const std::string& message, MInputHub* hub, MCommonCursor* cursor)
    : MMenu(hub ? hub->getInput(0) : nullptr),
      message_(message),
      cursor_(cursor ? cursor : new MCommonCursor),
      pendingCursor_(cursor_) {
    if (hub) getParallelSet().add(hub);
}

void MCommonDialogMenu::buildMessage() {
    getParallelSet().add(pendingCursor_.release());
    messageView_ = new MCommonMsg(message_, 1.0f);
    messageView_->show();
    getParallelSet().add(messageView_);
}

MCommonMsgMenuItem* MCommonDialogMenu::makeItem(const std::string& label, float scale) {
    auto* item = new MCommonMsgMenuItem(label, scale);
    addItem(item);
    return item;
}

void MCommonDialogMenu::placeCursor() {
    MInput* input = getInput();
    const MDisplay* display = MDisplay::getInstance();
    if (!(input->buttons & kPointerBit) || !display) {
        cursor_->hide();
        return;
    }
    cursor_->setPosition(display->screenWidth() / 2 * input->touchX, display->screenHeight() / 2 * input->touchY);
    cursor_->show();
}

MCommonNoticeDialogMenu::MCommonNoticeDialogMenu(const std::string& message, const std::string& label,
                                                 MInputHub* hub, MCommonCursor* cursor)
    : MCommonDialogMenu(message, hub, cursor), label_(label) {}

void MCommonNoticeDialogMenu::build() {
    buildMessage();
    button_ = makeItem(label_, buttonScale(measureCommonText(label_).width));
    const MViewSize message = sizeOf(getMessageView());
    const MViewSize button = sizeOf(button_->getMessage());
    const float top = -(message.height + kGap + button.height) / 2;
    getMessageView()->setPosition(-message.width / 2, top);
    button_->getMessage()->setPosition(-button.width / 2, top + message.height + kGap);
    select(button_);
}

void MCommonNoticeDialogMenu::onSelect(MMenuItem*) { setState(kFinished); }

MCommonYesNoDialogMenu::MCommonYesNoDialogMenu(const std::string& message, const std::string& yes,
                                               const std::string& no, int32_t* result, MInputHub* hub,
                                               MCommonCursor* cursor)
    : MCommonDialogMenu(message, hub, cursor), yesLabel_(yes), noLabel_(no), result_(result) {}

void MCommonYesNoDialogMenu::build() {
    buildMessage();
    const float scale = buttonScale(measureCommonText(yesLabel_).width + measureCommonText(noLabel_).width);
    yes_ = makeItem(yesLabel_, scale);
    no_ = makeItem(noLabel_, scale);
    no_->shortcutMask = 0x2;
    const MViewSize message = sizeOf(getMessageView());
    const MViewSize yes = sizeOf(yes_->getMessage());
    const MViewSize no = sizeOf(no_->getMessage());
    const float top = -(message.height + kGap + std::max(yes.height, no.height)) / 2;
    getMessageView()->setPosition(-message.width / 2, top);
    const float row = top + message.height + kGap;
    const float yesX = -(yes.width + kGap + no.width) / 2;
    yes_->getMessage()->setPosition(yesX, row);
    no_->getMessage()->setPosition(yesX + yes.width + kGap, row);
    if (*result_ == 1) select(yes_);
    if (*result_ == 0) select(no_);
}

void MCommonYesNoDialogMenu::onSelect(MMenuItem* item) {
    if (item != yes_ && item != no_) return;
    *result_ = item == yes_ ? 1 : 0;
    setState(kFinished);
}

MCommonChoiceDialogMenu::MCommonChoiceDialogMenu(const std::string& message, std::vector<std::string> labels,
                                                 int32_t* result, MInputHub* hub, MCommonCursor* cursor)
    : MCommonDialogMenu(message, hub, cursor), labels_(std::move(labels)), result_(result) {}

void MCommonChoiceDialogMenu::build() {
    buildMessage();
    for (const std::string& label : labels_) items_.push_back(makeItem(label, 1.0f));
    const MViewSize message = sizeOf(getMessageView());
    float height = message.height;
    for (MCommonMsgMenuItem* item : items_) height += kGap + sizeOf(item->getMessage()).height;
    float y = -height / 2;
    getMessageView()->setPosition(-message.width / 2, y);
    y += message.height + kGap;
    for (MCommonMsgMenuItem* item : items_) {
        const MViewSize size = sizeOf(item->getMessage());
        item->getMessage()->setPosition(-size.width / 2, y);
        y += size.height + kGap;
    }
    if (uint32_t(*result_) < items_.size()) select(items_[uint32_t(*result_)]);
}

void MCommonChoiceDialogMenu::onSelect(MMenuItem* item) {
    const auto found = std::find(items_.begin(), items_.end(), item);
    *result_ = int32_t(found - items_.begin());
    setState(kFinished);
}
