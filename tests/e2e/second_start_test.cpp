// A second start while a copy runs: refused with a message and without a trace. Shift held at
// the answer is tested in the Win32 tier: Wine takes the keyboard's state from the X server
// again as the focus moves, so a Shift sent from here reaches the program only now and then.
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "window_search.h"

namespace petarino::e2e {
namespace {

// A key held down on the keyboard for the life of the object, as the system reports it to
// every program.
class SecondStart : public PetarinoTest {
protected:
    void SetUp() override {
        PetarinoTest::SetUp();
        remote::WriteStore({.exec = 41}, {{.top = 50, .left = 50, .title = L"一つ目"}});
    }

    // Starts the second copy and returns the message box it shows; no window of its own exists
    // while the box is up.
    std::optional<remote::MessageBoxView> SecondCopysMessage(const RunningPetarino& second) {
        auto box = second.WaitForMessageBox();
        if (!box) return box;
        EXPECT_EQ(box->caption, L"だめだこりゃ。");
        EXPECT_EQ(box->text, L"ペタリノは、二重起動できません。\n"
                             L"強制的に起動するには、Shiftを押しながらOKを押してください。");
        EXPECT_EQ(remote::TopLevelWindows(remote::kPropertiesClass, second.Id()).size(), 0u);
        EXPECT_EQ(remote::MemoWindows(second.Id()).size(), 0u);
        return box;
    }
};

TEST_F(SecondStart, IsRefusedAndEndsWithoutSavingWhileTheFirstRunsOn) {
    RunningPetarino& first = Launch();
    ASSERT_TRUE(first.WaitForStart());
    RunningPetarino& second = Launch();
    const auto box = SecondCopysMessage(second);
    ASSERT_TRUE(box) << "no message for the second start";

    ASSERT_TRUE(remote::Answer(*box, IDOK));
    EXPECT_TRUE(second.WaitForExit());
    EXPECT_TRUE(first.KeepsRunning());
    EXPECT_EQ(first.VisibleMemos().size(), 1u);
    EXPECT_EQ(StoredExec(), 41) << "the refused copy saved";

    ASSERT_TRUE(first.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(first.WaitForExit());
    EXPECT_EQ(StoredExec(), 42);
}

} // namespace
} // namespace petarino::e2e
