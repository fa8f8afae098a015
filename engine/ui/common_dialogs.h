#pragma once
// The engine's four dialogs. Each is a process its caller adds to a task set
// and watches until its state is finished; the yes/no and choice dialogs
// write their answer through the pointer given at creation before they
// finish. A caller may hand a button dialog a cursor view and an input hub
// (both then owned by the dialog) before its first step; without them the
// dialog makes its own cursor and its menu its own hub.
//
// Threads: main thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/input/input_hub.h"
#include "engine/task/process.h"
#include "engine/ui/common_views.h"

class MMenu;

class MCommonSignalWaitDialog final : public MProcess {
public:
    // signal: raised (non-zero) by the caller when the wait is over; not owned.
    MCommonSignalWaitDialog(const std::string& message, uint8_t* signal);

    void step() override;
    void draw(int pass) override;

private:
    std::string message_;
    MCommonMsg* messageView_ = nullptr;
    uint8_t* signal_;
};

// The frame of the three button dialogs: their first step puts their menu in
// a scene of its own and finishes the dialog when the menu has ended.
class MCommonButtonDialog : public MProcess {
public:
    void step() override;

    void setCursor(MCommonCursor* cursor) { cursor_.reset(cursor); }
    void setInputHub(MInputHub* hub) { hub_.reset(hub); }

protected:
    virtual MMenu* makeMenu(MInputHub* hub, MCommonCursor* cursor) = 0;

private:
    void finish() { setState(kFinished); }

    // Owned here until the first step hands them to the menu.
    std::unique_ptr<MCommonCursor> cursor_;
    std::unique_ptr<MInputHub> hub_;
    bool started_ = false;
};

class MCommonNoticeDialog final : public MCommonButtonDialog {
public:
    MCommonNoticeDialog(const std::string& message, const std::string& label) : message_(message), label_(label) {}

protected:
    MMenu* makeMenu(MInputHub* hub, MCommonCursor* cursor) override;

private:
    std::string message_;
    std::string label_;
};

class MCommonYesNoDialog final : public MCommonButtonDialog {
public:
    // result: 1 selects yes first and 0 no; receives 1 (yes) or 0 (no).
    MCommonYesNoDialog(const std::string& message, const std::string& yes, const std::string& no, int32_t* result)
        : message_(message), yes_(yes), no_(no), result_(result) {}

protected:
    MMenu* makeMenu(MInputHub* hub, MCommonCursor* cursor) override;

private:
    std::string message_;
    std::string yes_;
    std::string no_;
    int32_t* result_;
};

class MCommonChoiceDialog final : public MCommonButtonDialog {
public:
    // result: an index below the labels' count selects that entry first;
    // receives the decided entry's index.
    MCommonChoiceDialog(const std::string& message, std::vector<std::string> labels, int32_t* result)
        : message_(message), labels_(std::move(labels)), result_(result) {}

protected:
    MMenu* makeMenu(MInputHub* hub, MCommonCursor* cursor) override;

private:
    std::string message_;
    std::vector<std::string> labels_;
    int32_t* result_;
};
