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
    // Appended piece by piece: g++ 12 misjudges "literal" + string as overlapping.
    if (stored.maxFormDamaged) {
        std::string line;
        if (stored.maxForm) // an unreadable one has its own message
            line.append("'")
                .append(program_value::kMaxForm)
                .append("' の値 ")
                .append(std::to_string(*stored.maxForm))
                .append(" が不正です。");
        add(line.append("メモを ")
                .append(std::to_string(stored.memos.size()))
                .append(" 枚読み込みました"));
    }
    if (stored.keysBeyondTable)
        add(std::string("メモは")
                .append(std::to_string(MemoTable::kSlots))
                .append("枚までです。")
                .append(MemoKeyName(MemoTable::kSlots))
                .append(" 以降のメモは読み込まずに残してあります"));

    std::vector<std::string> report;
    if (!notice.empty()) report.push_back(notice);
    if (stored.error) report.push_back(*stored.error);
    if (stored.furtherErrors > 0)
        report.push_back(std::string("ほかにも ")
                             .append(std::to_string(stored.furtherErrors))
                             .append(" 個の値が読めなかったため、既定の値で読み込みました"));
    return report;
}

} // namespace petarino::store
