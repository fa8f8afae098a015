#include <gtest/gtest.h>

#include "game/objects/popups.h"
#include "tests/game/objects/effects_fixture.h"

namespace {

class PopupTest : public EffectsFixture {};

TEST_F(PopupTest, TwoScoreNumbersInOneFrameGiveOne) {
    TSKspltScoreCreate(0, 100.0f, 100.0f, 0, 500);
    TSKspltScoreCreate(1, 120.0f, 100.0f, 0, 700);
    EXPECT_EQ(countOf(kPopupGroup), 1);
    EXPECT_EQ(scorePopupTimer, 8);
    TSKspltScoreCreate(3, 112.0f, 144.0f, 0, 50000);
    EXPECT_EQ(countOf(kPopupGroup), 2) << "the centred count-up is never refused";
    scorePopupTimer = 0;
    TSKspltScoreCreate(1, 120.0f, 100.0f, 0, 700);
    EXPECT_EQ(countOf(kPopupGroup), 3);
}

TEST_F(PopupTest, AValueAbove99999999ShowsAs99999999) {
    TSKspltScoreCreate(0, 100.0f, 100.0f, 0, 123456789);
    actPass(kPopupGroup);
    EXPECT_EQ(popup(tasksOf(kPopupGroup).front()->work).shown, 99999999u);
}

TEST_F(PopupTest, TheCentredCountUpClimbsBySixtiethsAndShiftsByItsDigits) {
    TSKspltScoreCreate(3, 112.0f, 144.0f, 0, 600);
    ObjWork* work = tasksOf(kPopupGroup).front()->work;
    actPass(kPopupGroup);
    EXPECT_EQ(popup(work).shown, 10u);
    EXPECT_FLOAT_EQ(work->x, 112.0f - 30.0f);
    for (int pass = 0; pass < 80; ++pass) actPass(kPopupGroup);
    EXPECT_EQ(popup(work).shown, 600u) << "it never passes the value";
}

TEST_F(PopupTest, ADriftingNumberFadesFromFrame60) {
    TSKspltScoreCreate(0, 100.0f, 50.0f, 0, 500);
    EXPECT_EQ(passesUntilEnded(kPopupGroup, 200), 70);
}

TEST_F(PopupTest, ALabelGrowsHoldsAndShrinksAway) {
    TSKspltCreate(2, 99, 0, 99, 112.0f, 144.0f);
    ObjWork* work = tasksOf(kPopupGroup).front()->work;
    EXPECT_EQ(work->spriteBase, 4645);
    for (int pass = 0; pass < 7; ++pass) actPass(kPopupGroup);
    EXPECT_FLOAT_EQ(popup(work).verticalScale, 1.0f);
    EXPECT_EQ(popup(work).step, 1);
    const int passes = passesUntilEnded(kPopupGroup, 200);
    EXPECT_GE(passes, 100);
    EXPECT_LE(passes, 110);
}

TEST_F(PopupTest, UnknownKindsMakeNothing) {
    TSKspltCreate(1, 0, 0, 0, 112.0f, 144.0f);
    TSKspltScoreCreate(2, 112.0f, 144.0f, 0, 10);
    EXPECT_EQ(countOf(kPopupGroup), 0);
    EXPECT_EQ(scorePopupTimer, 0);
}

}  // namespace
