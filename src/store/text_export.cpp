#include "store/text_export.h"

#include "memos/memo_text_code_page.h"
#include "store/export_name.h"

#include <string>

namespace petarino::store {

void ExportMemos(MemoTable& memos, platform::Files& files, platform::Kernel& kernel) {
    const platform::FilePath folder = files.ProgramFolder();
    for (int slot = 0; slot <= memos.MaxForm(); ++slot) {
        Memo& memo = memos.Memos(slot);
        if (memo.ReadOnly()) memo.SetText(memo.MacroText());
        const MemoText title = memo.Hint();
        const auto cp932Title = Cp932OfMemoText(kernel, title);
        platform::FilePath file;
        if (cp932Title) {
            file = files.InFolder(folder, *cp932Title + ".txt");
        } else {
            file = files.InFolder(folder, "");
            file.units += title + u".txt";
        }
        // The rules read code page 932; a character it lacks stands as a double-byte one,
        // which is neither a separator nor a character no file name holds.
        if (!NamesFileInFolder(Cp932View(kernel, title).Bytes() + ".txt"))
            throw platform::EFCreateError(files.Display(file));
        const MemoText text = memo.Text();
        const auto cp932Text = Cp932OfMemoText(kernel, text);
        files.WriteWhole(file, cp932Title && cp932Text ? *cp932Text : Utf8TextFile(text));
    }
}

} // namespace petarino::store
