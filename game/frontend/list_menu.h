#pragma once
// The list menus' shared code: a static item table of MenuItemRow, the state
// every list menu keeps (cursor, working values, input lock, close counter,
// row highlight counters) and the rules they all follow: cursor moves with
// wrap, values stepped and clamped, one input a frame (up, down, left,
// right, decide), leaving through the menu frame's end, the highlight
// counters, the cursor targets, the slide offset and the list draw.
// CONFIG, TRAINING, SCORE ATTACK and the screens after them build on it.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

struct ObjTask;
struct ObjWork;

// A row's value shown as a number or as a percentage. Compared by identity:
// a list of names whose only name reads "INT" is still a list.
extern const char* const kMenuValueInt[1];
extern const char* const kMenuValueIntPercent[1];

struct MenuItemRow {
    const char* label;
    // Null: an action row. Else kMenuValueInt, kMenuValueIntPercent or the
    // names of the values 0..max (a table holds max + 1 of them).
    const char* const* values;
    int32_t min, max;  // -1 and -1 on action rows
    int32_t step;
};

// An action row.
constexpr MenuItemRow menuActionRow(const char* label) { return {label, nullptr, -1, -1, 0}; }
// A row of named values min..max, the names indexed by the value from 0.
template <int N>
constexpr MenuItemRow menuNamesRow(const char* label, const char* const (&names)[N], int32_t min = 0) {
    return {label, names, min, N - 1, 1};
}

inline constexpr int kListMenuMostRows = 21;
inline constexpr int32_t kListMenuLockFrames = 10;
inline constexpr int32_t kListMenuCounterTop = 10;
inline constexpr int32_t kListMenuLeaving = 101;

struct ListMenu {
    const MenuItemRow* rows = nullptr;
    int32_t firstRow = 0;
    int32_t lastRow = 0;
    int32_t cursor = 0;
    // Indexed by row; only the editable rows' are used.
    std::array<int32_t, kListMenuMostRows> values{};
    int32_t inputLock = 0;
    int32_t closeCounter = 0;
    int32_t counters = 20;  // the highlight counters in use (21 in CONFIG)
    std::array<int32_t, kListMenuMostRows> rowCounters{};
};

// The four arrow texts of one width: right only, left only, both.
struct ListMenuArrows {
    const char* right;
    const char* left;
    const char* both;
};
extern const ListMenuArrows kListMenuArrowsWide;    // CONFIG: 13 characters
extern const ListMenuArrows kListMenuArrowsNarrow;  // TRAINING, SCORE ATTACK: 11

bool listMenuEditable(const MenuItemRow& row);
// Opens over rows 0..lastRow: input locked 10 frames, close counter 0, every
// highlight counter 10. The cursor and the values are the caller's.
void listMenuOpen(ListMenu& menu, const MenuItemRow* rows, int32_t lastRow, int32_t counters);

// What a frame's input did: nothing (locked or no input), the cursor moved,
// left or right pressed (on whatever row), or button 1.
enum class ListMenuInput { none, moved, left, right, decide };
// Rule 2 and the order of the inputs: up, down, left, right, decide; the
// first one present acts alone. Left and right change nothing here.
ListMenuInput listMenuReadInput(ListMenu& menu);
// Rule 3 on the cursor row with this step (negative for left): clamped to
// min..max, effect 2 when the value changed. False on an action row or
// when nothing changed.
bool listMenuStepValue(ListMenu& menu, int32_t step);
// Rule 5: effect 0, the result code, the frame's end asked, state 101.
void listMenuLeave(ObjTask* task, int32_t code);
// Rules 7, 1 and 6, every frame: cursor targets, input lock, row counters.
void listMenuTick(ListMenu& menu);
// State 101: the close counter rises to 10 while slide is set; true once the
// frame is done and the count-down (if any) has run out.
bool listMenuLeft(ListMenu& menu, bool slide, int32_t countDown);
// Rule 8.
float listMenuSlide(const ListMenu& menu);

// The text of a row's value: "%d", "%d%%" or its name; a value with no name
// in the row's list shows as its number.
const char* listMenuValueText(const MenuItemRow& row, int32_t value, char (&text)[16]);

// The list draw. nameOf, when set, may name a value in place of the table
// (null: the table's); arrows null draws none.
struct ListMenuLook {
    const char* title;
    const ListMenuArrows* arrows;
    const char* (*nameOf)(const ListMenu& menu, int32_t row);
};
void listMenuDraw(const ListMenu& menu, const ListMenuLook& look, ObjTask* task, ObjWork* work);
