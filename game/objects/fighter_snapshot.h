#pragma once
// Provisional: the fighter's stage-start snapshot, until the fighter family
// is built here (see README.md).
//
// Threads: main thread only.

// At every stage load. restart: the same stage again; the fighter and its
// gun units come back as they were at that stage's first start. Recording,
// the three records go into the replay header; playing back, they are taken
// from it.
void fighterStageSnapshot(bool restart);
