#include "store/text_export.h"

#include "store/export_name.h"

#include <string>

namespace petarino::store {

void ExportMemos(MemoTable& memos, platform::Files& files) {
    const platform::FilePath folder = files.ProgramFolder();
    for (int slot = 0; slot <= memos.MaxForm(); ++slot) {
        Memo& memo = memos.Memos(slot);
        if (memo.ReadOnly()) memo.SetText(memo.MacroText());
        const std::string name = memo.Hint() + ".txt";
        const platform::FilePath file = files.InFolder(folder, name);
        if (!NamesFileInFolder(name)) throw platform::EFCreateError(files.Display(file));
        files.WriteWhole(file, memo.Text());
    }
}

} // namespace petarino::store
