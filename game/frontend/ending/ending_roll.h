#pragma once
// The credit roll of the endings (steps 29 and 30 of the stage result): a
// page of 30 rows every 450 frames, each row revealed in 15, over the
// ending pictures cross-faded page by page; 300 frames on the last page,
// then the cover closes and the scene ends.
//
// Threads: main thread only.

struct ObjWork;
struct SceneFields;

// Step 29: the cover up, the motions hidden, the roll at its first page.
void endingRollBegin(ObjWork* work, SceneFields& fields);
// Step 30, once a frame.
void endingRollStep(SceneFields& fields);
