#pragma once
// MDialogFactory: how the engine and the game make their dialogs; the
// application hands one to its driver at start-up. MCommonDialogFactory
// makes the engine's own. The caller owns each dialog it gets, adds it to a
// task set and watches its state; texts are copied.
//
// Threads: main thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/task/process.h"

class MDialogFactory {
public:
    virtual MProcess* createSignalWaitDialog(const std::string& message, uint8_t* signal) = 0;
    virtual MProcess* createNoticeDialog(const std::string& message, const std::string& label) = 0;
    virtual MProcess* createYesNoDialog(const std::string& message, const std::string& yes, const std::string& no,
                                        int32_t* result) = 0;
    virtual MProcess* createChoiceDialog(const std::string& message, const std::vector<std::string>& labels,
                                         int32_t* result) = 0;
    virtual ~MDialogFactory() = default;
};

class MCommonDialogFactory final : public MDialogFactory {
public:
    MProcess* createSignalWaitDialog(const std::string& message, uint8_t* signal) override;
    MProcess* createNoticeDialog(const std::string& message, const std::string& label) override;
    MProcess* createYesNoDialog(const std::string& message, const std::string& yes, const std::string& no,
                                int32_t* result) override;
    MProcess* createChoiceDialog(const std::string& message, const std::vector<std::string>& labels,
                                 int32_t* result) override;
};
