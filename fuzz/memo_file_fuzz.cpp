// The memo file reader over any bytes: it never crashes, and a file it takes is a memo that it
// writes back to text reading as the same memo. Seeded with real files (corpus/memo_file).
#include "platform/fake/fake_kernel.h"
#include "sync/memo_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace petarino;
    platform::FakeKernel kernel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const sync::MemoFileRead read = sync::ReadMemoFile(text, kernel);
    if (read.kind != sync::MemoFileKind::Memo) return 0;
    const sync::MemoFileRead again =
        sync::ReadMemoFile(sync::MemoFileText(read.memo, kernel), kernel);
    if (again.kind != sync::MemoFileKind::Memo || again.memo != read.memo)
        std::abort(); // not written back as it was read
    return 0;
}
