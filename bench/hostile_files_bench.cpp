// The worst files a user can choose or a synced folder can hand over, as large as the program
// reads them (a backup at the 16 MB limit, a memo file at 256 KB): each must be taken or
// refused within a second.
#include "platform/fake/fake_kernel.h"
#include "platform/files.h"
#include "store/backup_file.h"
#include "sync/memo_file.h"

#include <benchmark/benchmark.h>
#include <functional>
#include <string>
#include <utility>

namespace petarino {
namespace {

constexpr char kBackupHead[] = R"({"format": "petarino-backup", "version": 1, "memos": 0, )";
constexpr char kBackupBody[] = R"("programKey": [], "memoKeys": [])";
constexpr char kMemoHead[] = R"({"format": "petarino-memo", "version": 1, )"
                             R"("id": "6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b", )"
                             R"("versions": {"0a000000-0000-4000-8000-000000000001": 1}, )"
                             R"("device": "0a000000-0000-4000-8000-000000000001", )"
                             R"("updated": "2026-12-08T12:34:56Z", "deleted": false, )";

// `head`, then items joined by commas while the whole stays within `bytes`, then `tail`.
std::string Flood(std::string head, const std::function<std::string(int)>& item,
                  std::string_view tail, std::size_t bytes) {
    std::string text = std::move(head);
    for (int i = 0;; ++i) {
        std::string next = item(i);
        if (i > 0) next.insert(0, 1, ',');
        if (text.size() + next.size() + tail.size() > bytes) break;
        text += next;
    }
    return text + std::string(tail);
}

std::string Key(int i) {
    return std::string("\"k").append(std::to_string(i)) + "\":0";
}
std::string Value(int i) {
    return std::string(R"({"name":"v)").append(std::to_string(i)) + R"(","type":4,"dword":0})";
}

// Each shape at the given size; the head makes the reader take it for one of its own.
struct Shapes {
    std::string head;
    std::string body; // the fields the reader needs besides the head, without the values
    std::string valuesField;

    std::string KeyFlood(std::size_t bytes) const {
        return Flood(head + body + ",", Key, "}", bytes);
    }
    std::string KeyFloodBeforeTheHeader(std::size_t bytes) const {
        return Flood("{", Key, std::string(",").append(head, 1) + body + "}", bytes);
    }
    std::string DeepNesting(std::size_t bytes) const {
        const std::size_t depth = (bytes - head.size() - body.size() - 8) / 2;
        return head + body + ",\"x\":" + std::string(depth, '[') + std::string(depth, ']') + "}";
    }
    std::string HugeArray(std::size_t bytes) const {
        return Flood(
            head + body + ",\"x\":[", [](int) { return "0"; }, "]}", bytes);
    }
    std::string ManyValues(std::size_t bytes) const {
        return Flood(head + valuesField + "[", Value, "]}", bytes);
    }
    std::string NumbersBeforeTheHeader(std::size_t bytes) const {
        return Flood(
            "{\"x\":[", [](int) { return "1e1"; }, "]," + head.substr(1) + body + "}", bytes);
    }
    // Japanese as UTF-8 and as escapes, each converted to code page 932.
    std::string HugeString(std::size_t bytes) const {
        const std::string open = head + valuesField + R"([{"name":"Text","type":1,"text":")";
        const std::string close = "\"}]}";
        std::string text = open;
        while (text.size() + 9 + close.size() <= bytes)
            text += "\xE3\x81\x82\\u3042";
        return text + close;
    }
};

const Shapes kBackup{kBackupHead, kBackupBody, R"("memoKeys": [], "programKey": )"};
const Shapes kMemo{kMemoHead, R"("values": [])", R"("values": )"};

using Shape = std::string (Shapes::*)(std::size_t) const;

void ReadBackup(benchmark::State& state, Shape shape) {
    platform::FakeKernel kernel;
    const std::string text = (kBackup.*shape)(platform::kMostBytesRead);
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(store::ParseBackup(text, kernel));
        } catch (const store::EBackupRefused&) {
        }
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}

void ReadMemo(benchmark::State& state, Shape shape) {
    platform::FakeKernel kernel;
    const std::string text = (kMemo.*shape)(sync::kMostMemoFileBytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(sync::ReadMemoFile(text, kernel));
    state.counters["bytes"] = static_cast<double>(text.size());
}

const bool kRegistered = [] {
    const std::pair<const char*, Shape> shapes[]{
        {"KeyFlood", &Shapes::KeyFlood},
        {"KeyFloodBeforeTheHeader", &Shapes::KeyFloodBeforeTheHeader},
        {"DeepNesting", &Shapes::DeepNesting},
        {"HugeArray", &Shapes::HugeArray},
        {"ManyValues", &Shapes::ManyValues},
        {"NumbersBeforeTheHeader", &Shapes::NumbersBeforeTheHeader},
        {"HugeString", &Shapes::HugeString},
    };
    for (const auto& [name, shape] : shapes) {
        benchmark::RegisterBenchmark((std::string("Backup/") + name).c_str(), ReadBackup, shape)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("MemoFile/") + name).c_str(), ReadMemo, shape)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace
} // namespace petarino
