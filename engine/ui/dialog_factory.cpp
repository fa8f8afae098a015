#include "engine/ui/dialog_factory.h"

#include "engine/ui/common_dialogs.h"

MProcess* MCommonDialogFactory::createSignalWaitDialog(const std::string& message, uint8_t* signal) {
    return new MCommonSignalWaitDialog(message, signal);
}

MProcess* MCommonDialogFactory::createNoticeDialog(const std::string& message, const std::string& label) {
    return new MCommonNoticeDialog(message, label);
}

MProcess* MCommonDialogFactory::createYesNoDialog(const std::string& message, const std::string& yes,
                                                  const std::string& no, int32_t* result) {
    return new MCommonYesNoDialog(message, yes, no, result);
}

MProcess* MCommonDialogFactory::createChoiceDialog(const std::string& message,
                                                   const std::vector<std::string>& labels, int32_t* result) {
    return new MCommonChoiceDialog(message, labels, result);
}
