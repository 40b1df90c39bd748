#include "store/load_report.h"

#include "memos/memo_table.h"
#include "store/store_layout.h"

namespace petarino::store {

std::vector<std::string> LoadReport(const StoredState& stored) {
    std::string notice;
    const auto add = [&notice](const std::string& line) {
        if (!notice.empty()) notice += '\n';
        notice += line;
    };
    if (stored.maxFormDamaged)
        add("'" + std::string(program_value::kMaxForm) + "' の値 " +
            std::to_string(stored.maxForm.value_or(-1)) + " が不正です。メモを " +
            std::to_string(stored.memos.size()) + " 枚読み込みました");
    if (stored.keysBeyondTable)
        add("メモは" + std::to_string(MemoTable::kSlots) + "枚までです。" +
            MemoKeyName(MemoTable::kSlots) + " 以降のメモは読み込まずに残してあります");

    std::vector<std::string> report;
    if (!notice.empty()) report.push_back(notice);
    if (stored.error) report.push_back(*stored.error);
    return report;
}

} // namespace petarino::store
