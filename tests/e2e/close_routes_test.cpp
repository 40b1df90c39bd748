// Every route to the end, with and without the confirmation: a No keeps everything running
// and saves nothing; without the question or after a Yes the program saves and ends.
#include "close_route.h"
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "session_end.h"

namespace petarino::e2e {
namespace {

constexpr wchar_t kSeconds[] = L"N#{nn:ss#}";

class CloseRoutes : public PetarinoTest, public testing::WithParamInterface<CloseRoute> {
protected:
    RunningPetarino& StartWith(bool confirmExit) {
        remote::WriteStore({.exec = 5, .confirmExit = confirmExit},
                           {{.top = 80, .left = 80, .title = L"秒", .text = kSeconds}});
        RunningPetarino& petarino = Launch();
        EXPECT_TRUE(petarino.WaitForStart());
        return petarino;
    }

    static void ExpectSavedOnce() {
        EXPECT_EQ(StoredExec(), 6);
        const auto memo = remote::ReadMemo(0);
        ASSERT_TRUE(memo);
        EXPECT_EQ(memo->text, kSeconds);
    }
};

TEST_P(CloseRoutes, WithoutConfirmationSaveAndEnd) {
    RunningPetarino& petarino = StartWith(false);
    ASSERT_TRUE(petarino.Properties());
    auto agreed = RequestClose(petarino, GetParam());
    ASSERT_TRUE(petarino.WaitForExit());
    EXPECT_TRUE(agreed.get());
    ExpectSavedOnce();
}

TEST_P(CloseRoutes, AskFirstNoKeepsEverythingRunningYesSavesAndEnds) {
    RunningPetarino& petarino = StartWith(true);
    ASSERT_TRUE(petarino.Properties());
    const bool endOfSession = GetParam() == CloseRoute::EndOfSession;

    auto agreed = RequestClose(petarino, GetParam());
    auto box = petarino.WaitForMessageBox();
    ASSERT_TRUE(box) << "no question";
    EXPECT_EQ(box->caption, L"確認");
    EXPECT_EQ(box->text, L"ペタリノを終了しますか？");
    ASSERT_TRUE(remote::Answer(*box, IDNO));
    EXPECT_EQ(agreed.get(), !endOfSession);
    EXPECT_TRUE(petarino.KeepsRunning());
    EXPECT_EQ(StoredExec(), 5) << "a refused exit saved";
    ASSERT_EQ(petarino.VisibleMemos().size(), 1u);
    EXPECT_TRUE(TextChanges(remote::TextAreaOf(petarino.VisibleMemos().front())))
        << "the tick stopped";

    agreed = RequestClose(petarino, GetParam());
    box = petarino.WaitForMessageBox();
    ASSERT_TRUE(box) << "no question the second time";
    ASSERT_TRUE(remote::Answer(*box, IDYES));
    ASSERT_TRUE(petarino.WaitForExit());
    EXPECT_TRUE(agreed.get());
    ExpectSavedOnce();
}

INSTANTIATE_TEST_SUITE_P(Routes, CloseRoutes,
                         testing::Values(CloseRoute::TrayMenu, CloseRoute::ExitButton,
                                         CloseRoute::CloseBox, CloseRoute::ApplicationWindow,
                                         CloseRoute::EndOfSession),
                         [](const auto& route) { return testing::PrintToString(route.param); });

} // namespace
} // namespace petarino::e2e

namespace petarino::e2e {
namespace {

using EndOfSessionWhileStarting = PetarinoTest;

// The properties window exists from the start of its creation, which loads the store; a
// session that ends then must not leave a store without the memos.
TEST_F(EndOfSessionWhileStarting, LosesNoMemo) {
    remote::WriteStore({.exec = 5}, {{.title = L"一"}, {.title = L"二", .text = L"残る"}});
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(remote::WaitForPropertiesWindow(petarino.Id(), remote::kPatienceMs));
    if (!remote::EndSession(petarino.Id())) {
        ASSERT_TRUE(petarino.WaitForStart());
        ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    }
    ASSERT_TRUE(petarino.WaitForExit());
    EXPECT_EQ(remote::ReadMaxForm(), 1);
    const auto kept = remote::ReadMemo(1);
    ASSERT_TRUE(kept) << "the memos are gone";
    EXPECT_EQ(kept->text, L"残る");
}

} // namespace
} // namespace petarino::e2e
