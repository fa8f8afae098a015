#pragma once
// Provisional: the rank and item-carrier steps the game core calls. The
// issue that builds rank and the item carriers replaces this file.
//
// Threads: main thread only.

// Once an act pass while the fighter exists: the rank counter and the
// enemy-shot speed bonus from the fighter's rank. Does nothing yet.
void enemyUpdateRank();
// Once an act pass while the fighter exists, after enemyUpdateRank: the two
// item-carrier counters. Does nothing yet.
void itemCarrierUpdate();
