// The backup reader over any bytes: it never crashes, and a text it takes is a store that
// loads cleanly and that it writes back to the same snapshot.
#include "platform/fake/fake_kernel.h"
#include "store/backup_file.h"
#include "store/snapshot_access.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace petarino;
    platform::FakeKernel kernel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    store::Backup backup;
    try {
        backup = store::ParseBackup(text, kernel);
    } catch (const store::EBackupRefused&) {
        return 0;
    }
    const store::StoredState stored = store::ReadSnapshotAsStore(backup.snapshot, kernel);
    if (stored.error || stored.maxFormDamaged || stored.keysBeyondTable ||
        static_cast<int>(stored.memos.size()) != backup.memoCount)
        std::abort(); // taken, yet a load would refuse it
    const std::string again = store::BackupText(backup.snapshot, {}, kernel);
    if (store::ParseBackup(again, kernel).snapshot != backup.snapshot)
        std::abort(); // not written back as it was read
    return 0;
}
