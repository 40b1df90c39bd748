#include "memos/memo_drag.h"
#include "testing/in_memory_memo.h"

#include <gtest/gtest.h>

namespace petarino {
namespace {

using platform::ShiftState;
using enum ShiftState::Key;

TEST(MemoDrag, TheStripMovesWithTheLeftButtonWhateverElseIsHeld) {
    for (const ShiftState shift :
         {ShiftState{Left}, ShiftState{Left, Ctrl}, ShiftState{Left, Shift}, ShiftState{Left, Alt},
          ShiftState{Left, Ctrl, Shift, Alt}, ShiftState{Left, Right}, ShiftState{Left, Middle}})
        EXPECT_TRUE(MovesMemo(DragSender::Window, shift));
    for (const ShiftState shift : {ShiftState{}, ShiftState{Right}, ShiftState{Middle},
                                   ShiftState{Right, Ctrl}, ShiftState{Ctrl, Shift}})
        EXPECT_FALSE(MovesMemo(DragSender::Window, shift));
}

TEST(MemoDrag, TheTextMovesOnlyWithExactlyCtrlAndTheLeftButton) {
    EXPECT_TRUE(MovesMemo(DragSender::TextArea, {Ctrl, Left}));
    for (const ShiftState shift :
         {ShiftState{Left}, ShiftState{Left, Ctrl, Shift}, ShiftState{Left, Ctrl, Alt},
          ShiftState{Left, Ctrl, Right}, ShiftState{Right, Ctrl}, ShiftState{Ctrl}})
        EXPECT_FALSE(MovesMemo(DragSender::TextArea, shift));
}

TEST(MemoDrag, TheGrabbedPointFollowsThePointerAndTheSizeStays) {
    InMemoryMemo memo;
    memo.SetBounds(100, 200, 300, 120);
    MemoMouseDown(memo, 40, 7);
    EXPECT_EQ(memo.DragX(), 40);
    EXPECT_EQ(memo.DragY(), 7);
    // The sender's coordinates move with the window: each move is relative to where it is.
    EXPECT_TRUE(MemoMouseMove(memo, DragSender::Window, {Left}, 50, 27));
    EXPECT_TRUE(MemoMouseMove(memo, DragSender::Window, {Left}, 35, 2));
    EXPECT_EQ(memo.Left(), 100 + 10 - 5);
    EXPECT_EQ(memo.Top(), 200 + 20 - 5);
    EXPECT_EQ(memo.Width(), 300);
    EXPECT_EQ(memo.Height(), 120);

    EXPECT_FALSE(MemoMouseMove(memo, DragSender::TextArea, {Left}, 500, 500));
    EXPECT_EQ(memo.Left(), 105) << "a move that does not drag leaves the window";
}

TEST(MemoDrag, AWindowAtTheEdgeOfThe32BitRangeDoesNotWrap) {
    InMemoryMemo memo;
    memo.SetBounds(INT32_MAX - 5, INT32_MIN + 5, 10, 10);
    MemoMouseDown(memo, 0, 100);
    MemoMouseMove(memo, DragSender::Window, {Left}, 100, 0);
    EXPECT_EQ(memo.Left(), INT32_MAX);
    EXPECT_EQ(memo.Top(), INT32_MIN);
}

} // namespace
} // namespace petarino
