// A second start while a copy runs: refused with a message and without a trace, unless Shift
// is held when the message is answered.
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "window_search.h"

namespace petarino::e2e {
namespace {

// A key held down on the keyboard for the life of the object, as the system reports it to
// every program.
class HeldKey {
public:
    explicit HeldKey(WORD key) : key_(key) { Press(0); }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;
    ~HeldKey() { Press(KEYEVENTF_KEYUP); }

private:
    void Press(DWORD flags) {
        INPUT input{.type = INPUT_KEYBOARD, .ki = {.wVk = key_, .dwFlags = flags}};
        SendInput(1, &input, sizeof input);
    }
    WORD key_;
};

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

// The first copy may save or end while the second's question is open: the second reads the
// store only once it may run, so its next save keeps what the first saved.
TEST_F(SecondStart, ASecondCopyReadsTheStoreOnlyOnceItMayRun) {
    RunningPetarino& first = Launch();
    ASSERT_TRUE(first.WaitForStart());
    RunningPetarino& second = Launch();
    const auto box = SecondCopysMessage(second);
    ASSERT_TRUE(box) << "no message for the second start";
    ASSERT_TRUE(first.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(first.WaitForExit());
    ASSERT_EQ(StoredExec(), 42);

    ASSERT_TRUE(remote::WaitFor([&] { return GetForegroundWindow() == box->window; }));
    Sleep(500);
    {
        const HeldKey shift(VK_SHIFT);
        ASSERT_TRUE(remote::Answer(*box, IDOK));
        ASSERT_TRUE(second.WaitForStart());
    }
    EXPECT_TRUE(remote::WaitFor([&] { return second.VisibleMemos().size() == 1u; }));
    ASSERT_TRUE(second.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(second.WaitForExit());
    EXPECT_EQ(StoredExec(), 43) << "the second copy counted its start on the first one's";
}

TEST_F(SecondStart, RunsAsASecondCopyWhenShiftIsHeldAtTheAnswer) {
    RunningPetarino& first = Launch();
    ASSERT_TRUE(first.WaitForStart());
    RunningPetarino& second = Launch();
    const auto box = SecondCopysMessage(second);
    ASSERT_TRUE(box) << "no message for the second start";
    // Wine sets its key states from the X server's whenever a window takes the focus, and there
    // Shift is up: hold it only once the box has the focus.
    ASSERT_TRUE(remote::WaitFor([&] { return GetForegroundWindow() == box->window; }));
    Sleep(500);
    {
        const HeldKey shift(VK_SHIFT);
        ASSERT_TRUE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
        ASSERT_TRUE(remote::Answer(*box, IDOK));
        ASSERT_TRUE(second.WaitForStart())
            << (second.Running() ? "the second copy did not finish its start"
                                 : "Shift did not force a second copy");
    }
    EXPECT_NE(second.Properties(), first.Properties());
    // It waited for input in the message box already, so its start may still be loading.
    EXPECT_TRUE(remote::WaitFor([&] { return second.VisibleMemos().size() == 1u; }));
    EXPECT_TRUE(first.Running());

    for (RunningPetarino* copy : {&second, &first}) {
        ASSERT_TRUE(copy->ChooseFromTrayMenu(L'x'));
        ASSERT_TRUE(copy->WaitForExit());
    }
    EXPECT_EQ(StoredExec(), 42);
}

} // namespace
} // namespace petarino::e2e
