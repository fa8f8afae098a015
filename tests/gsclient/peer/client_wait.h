#pragma once
// Pumps a client the way the frame loop does until one slot has an outcome.

#include <chrono>

#include "gsclient/abaas/gs_main.h"

namespace gstest {

// The poll's result once it is no longer 1 (running), or 1 when the slot
// did not end within `limit`.
int waitForSlot(am::abaas::GsMain& client, int slot, am::abaas::GsMain::Result& result,
                std::chrono::milliseconds limit = std::chrono::seconds(10));

}  // namespace gstest
