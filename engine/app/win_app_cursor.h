#pragma once
// The cursor as the settings want it. The shell records the visibility it
// last asked for and asks again only when the wanted state differs, so a
// cursor hidden behind its back (the popup window hides it once at
// creation) stays as it is until the wanted state changes.
//
// Threads: main thread only.

// Asks for the cursor shown or hidden unless the recorded state already says so.
void setCursorVisibility(bool shown);
// The visibility last asked for; shown until the first request.
bool recordedCursorVisibility();
// Shown when MOUSE_CURSOR is set, and in full screen only when
// FULLSCREEN_CURSOR is set as well.
void syncCursor();
