#include "contract/registry_contract.h"
#include "platform/fake/fake_registry.h"

#include <gtest/gtest.h>

namespace petarino::platform {

namespace {

class FakeSubject final : public RegistryContractSubject {
public:
    Registry& registry() override { return registry_; }
    void Seed(std::string_view path, std::string_view name, const RegistryValue& value) override {
        registry_.SetValue(path, name, value);
    }
    std::optional<RegistryValue> Stored(std::string_view path, std::string_view name) override {
        return registry_.Value(path, name);
    }
    bool KeyExists(std::string_view path) override { return registry_.KeyExists(path); }

private:
    FakeRegistry registry_;
};

} // namespace

std::unique_ptr<RegistryContractSubject> MakeRegistryContractSubject() {
    return std::make_unique<FakeSubject>();
}

namespace {

constexpr std::string_view kProgramKey = "\\Software\\Mivora\\Petarino";

template <typename Call> std::string ErrorOf(Call call) {
    try {
        call();
    } catch (const ERegistryException& error) {
        return error.what();
    }
    return "no error";
}

class FakeRegistryTest : public testing::Test {
protected:
    // The next call fails.
    void FailNext() { registry_.FailCall(registry_.Calls() + 1); }

    FakeRegistry registry_;
    std::unique_ptr<RegistryAccess> access_ = registry_.Access();
};

TEST_F(FakeRegistryTest, EveryOperationIsOneCallAndSeedingIsNone) {
    registry_.SetValue(kProgramKey, "Saving", DwordValue(5));
    EXPECT_EQ(registry_.Calls(), 0u);
    access_->OpenKey(kProgramKey, false);
    access_->ReadBool("Saving");
    access_->WriteBool("Saving", true);
    access_->ValueNames();
    access_->Flush();
    access_->CloseKey();
    EXPECT_EQ(registry_.Calls(), 6u);
    EXPECT_EQ(registry_.Flushes(), 1);
    registry_.Access()->DeleteKeyTree(kProgramKey);
    EXPECT_EQ(registry_.Calls(), 7u);
}

TEST_F(FakeRegistryTest, AFailingCallReportsWhatTheSystemsRefusalWould) {
    registry_.SetValue(kProgramKey, "Total", DwordValue(60));
    registry_.SetValue(std::string(kProgramKey) + "\\Memo0", "Top", DwordValue(0));
    ASSERT_TRUE(access_->OpenKey(kProgramKey, false));

    FailNext();
    EXPECT_FALSE(access_->OpenKey(std::string(kProgramKey) + "\\Memo0", false));
    FailNext();
    EXPECT_FALSE(access_->ValueExists("Total"));
    FailNext();
    EXPECT_EQ(ErrorOf([&] { access_->ReadInteger("Total"); }), "'Total' の取得に失敗しました");
    FailNext();
    EXPECT_EQ(ErrorOf([&] { access_->ReadString("Total"); }), "'Total' の取得に失敗しました");
    FailNext();
    EXPECT_EQ(ErrorOf([&] { access_->WriteInteger("Total", 61); }), "'Total' の設定に失敗しました");
    FailNext();
    EXPECT_TRUE(access_->ValueNames().empty());
    FailNext();
    EXPECT_TRUE(access_->SubkeyNames().empty());
    FailNext();
    EXPECT_FALSE(access_->DeleteValue("Total"));
    FailNext();
    EXPECT_FALSE(access_->DeleteKeyTree(std::string(kProgramKey) + "\\Memo0"));
    FailNext();
    EXPECT_FALSE(access_->Flush());

    // The failed open left the program key open, and nothing was changed.
    EXPECT_EQ(access_->ReadInteger("Total"), 60);
    EXPECT_TRUE(registry_.KeyExists(std::string(kProgramKey) + "\\Memo0"));
    EXPECT_EQ(registry_.Flushes(), 0);
}

TEST_F(FakeRegistryTest, StoppingDeadWritesNothingMoreUntilTheNextStart) {
    registry_.StopAtCall(3);
    ASSERT_TRUE(access_->OpenKey(kProgramKey, true));
    access_->WriteInteger("MaxForm", 0);
    EXPECT_THROW(access_->WriteInteger("Total", 60), SimulatedCrash);
    EXPECT_THROW(access_->WriteInteger("Exec", 2), SimulatedCrash);
    EXPECT_THROW(registry_.Access()->OpenKey(kProgramKey, false), SimulatedCrash);
    EXPECT_EQ(registry_.Contents(kProgramKey),
              (std::map<std::string, std::map<std::string, RegistryValue>>{
                  {"\\Software\\Mivora\\Petarino", {{"MaxForm", DwordValue(0)}}}}));

    registry_.Restart();
    EXPECT_EQ(registry_.Calls(), 0u);
    const auto access = registry_.Access();
    ASSERT_TRUE(access->OpenKey(kProgramKey, false));
    access->WriteInteger("Total", 60);
    EXPECT_EQ(registry_.Value(kProgramKey, "Total"), DwordValue(60));
}

TEST_F(FakeRegistryTest, ContentsListsEveryKeyBelowByItsFullPath) {
    registry_.SetValue("\\Software\\Mivora\\Petarino\\Memo0", "Title", SzValue("表示"));
    registry_.CreateKey("\\Software\\Mivora\\Petarino\\表示");
    registry_.SetValue("\\Software\\Other", "X", DwordValue(1));
    EXPECT_EQ(registry_.Contents("\\software\\mivora\\petarino"),
              (std::map<std::string, std::map<std::string, RegistryValue>>{
                  {"\\software\\mivora\\petarino", {}},
                  {"\\software\\mivora\\petarino\\Memo0", {{"Title", SzValue("表示")}}},
                  {"\\software\\mivora\\petarino\\表示", {}}}));
    EXPECT_TRUE(registry_.Contents("\\Software\\Missing").empty());
}

TEST_F(FakeRegistryTest, CountsTheLocksHeld) {
    {
        const auto lock = registry_.Lock(kProgramKey);
        const auto again = registry_.Lock(kProgramKey);
        EXPECT_EQ(registry_.LocksHeld(), 2);
    }
    EXPECT_EQ(registry_.LocksHeld(), 0);
}

} // namespace
} // namespace petarino::platform
