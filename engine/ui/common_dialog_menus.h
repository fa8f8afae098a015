#pragma once
// The menus of the three button dialogs. Each shows its message above its
// buttons, centred on the screen, shows the pointer's mark while the pointer
// is held, and ends once a button is decided, writing the answer first.
//
// Threads: main thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/input/input_hub.h"
#include "engine/ui/common_views.h"
#include "engine/ui/menu.h"

class MCommonDialogMenu : public MMenu {
public:
    // With a hub the menu reads its first record and takes the hub into its
    // parallel set. The menu owns the cursor.
    MCommonDialogMenu(const std::string& message, MInputHub* hub, MCommonCursor* cursor);

    void placeCursor() override;

protected:
    // Adds the cursor and the message view; their size is known afterwards.
    void buildMessage();
    MCommonMsgMenuItem* makeItem(const std::string& label, float scale);
    MCommonMsg* getMessageView() const { return messageView_; }

private:
    std::string message_;
    MCommonCursor* cursor_;
    // Owned here until build hands it to the parallel set.
    std::unique_ptr<MCommonCursor> pendingCursor_;
    MCommonMsg* messageView_ = nullptr;
};

class MCommonNoticeDialogMenu final : public MCommonDialogMenu {
public:
    MCommonNoticeDialogMenu(const std::string& message, const std::string& label, MInputHub* hub,
                            MCommonCursor* cursor);
    void build() override;
    void onSelect(MMenuItem* item) override;

private:
    std::string label_;
    MCommonMsgMenuItem* button_ = nullptr;
};

class MCommonYesNoDialogMenu final : public MCommonDialogMenu {
public:
    MCommonYesNoDialogMenu(const std::string& message, const std::string& yes, const std::string& no,
                           int32_t* result, MInputHub* hub, MCommonCursor* cursor);
    void build() override;
    void onSelect(MMenuItem* item) override;

private:
    std::string yesLabel_;
    std::string noLabel_;
    MCommonMsgMenuItem* yes_ = nullptr;
    MCommonMsgMenuItem* no_ = nullptr;
    int32_t* result_;
};

class MCommonChoiceDialogMenu final : public MCommonDialogMenu {
public:
    MCommonChoiceDialogMenu(const std::string& message, std::vector<std::string> labels, int32_t* result,
                            MInputHub* hub, MCommonCursor* cursor);
    void build() override;
    void onSelect(MMenuItem* item) override;

private:
    std::vector<std::string> labels_;
    std::vector<MCommonMsgMenuItem*> items_;
    int32_t* result_;
};
