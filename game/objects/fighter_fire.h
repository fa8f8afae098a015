#pragma once
// The fighter's fire: turns the fighter's fire counter into volleys of two
// fighter shots every second frame, with a muzzle flash per shot.
//
// Threads: main thread only (act pass).

struct ObjTask;

// Called by the fighter's act after its update and bank steps, with the
// fighter's task.
void TSKfighterFire(ObjTask* fighterTask);
