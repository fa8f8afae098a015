#pragma once
// The small air enemies, a file a kind or pair. Kind 2, the most common one
// (scripted, homing or backing off by its spawn param, aimed shots of type
// 37), and kind 0, its homing sibling with a heavier gun.
//
// Threads: main thread only.

struct ObjTask;
struct ObjWork;

void TSKzako02Act(ObjTask* task);
void TSKzako02Draw(ObjTask* task, ObjWork* work);
void TSKzako02Attack(ObjTask* task, ObjWork* work);

void TSKzako00Act(ObjTask* task);
void TSKzako00Draw(ObjTask* task, ObjWork* work);
void TSKzako00Attack(ObjTask* task, ObjWork* work);
void TSKzako00Hit(ObjTask* task, ObjWork* work);

// Kind 1: the joining pair (body and pieces run one act).
void TSKzako01Act(ObjTask* task);
void TSKzako01Draw(ObjTask* task, ObjWork* work);
void TSKzako01Attack(ObjTask* task, ObjWork* work);
void TSKzako01Hit(ObjTask* task, ObjWork* work);

// Kinds 3 and 4: the mirrored sideways swoopers that bank away once past the
// fighter.
void TSKzako03Act(ObjTask* task);
void TSKzako03Draw(ObjTask* task, ObjWork* work);
void TSKzako03Attack(ObjTask* task, ObjWork* work);
void TSKzako03Hit(ObjTask* task, ObjWork* work);
void TSKzako04Act(ObjTask* task);
void TSKzako04Draw(ObjTask* task, ObjWork* work);
void TSKzako04Attack(ObjTask* task, ObjWork* work);

// Kind 11: the gunship rising from below, firing upward.
void TSKzako11Act(ObjTask* task);
void TSKzako11Draw(ObjTask* task, ObjWork* work);
void TSKzako11Attack(ObjTask* task, ObjWork* work);

// The spawners 140 (drops kind 8) and 141 (drops kind 13) and their
// children.
void TSKzako140Act(ObjTask* task);
void TSKzako141Act(ObjTask* task);
void TSKzako08Act(ObjTask* task);
void TSKzako08Draw(ObjTask* task, ObjWork* work);
void TSKzako08Attack(ObjTask* task, ObjWork* work);
void TSKzako13Act(ObjTask* task);
void TSKzako13Draw(ObjTask* task, ObjWork* work);
void TSKzako13Attack(ObjTask* task, ObjWork* work);
void TSKzako13Hit(ObjTask* task, ObjWork* work);

// Kind 14: the carrier that splits into pieces (all three run one act).
void TSKzako14Act(ObjTask* task);
void TSKzako14Draw(ObjTask* task, ObjWork* work);
void TSKzako14Hit(ObjTask* task, ObjWork* work);
