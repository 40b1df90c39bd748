// The export at exit: every memo as a text file named after its title, beside the program.
#pragma once

#include "memos/memo_table.h"
#include "platform/files.h"
#include "platform/kernel.h"

namespace petarino::store {

// Slot by slot, hidden memos too, to program folder + title + ".txt", holding the text
// area's text: in code page 932 byte for byte when it and the title fit the code page, else
// as UTF-8 with a byte-order mark (memos/memo_text_code_page.h). A macro memo shows its source from
// then on and is exported with it. A name that would leave the program folder, or name a stream or
// a device, is refused as a file that cannot be created (export_name.h). The first file that cannot
// be written ends the export with EFCreateError or EWriteError, that file as it was.
void ExportMemos(MemoTable& memos, platform::Files& files, platform::Kernel& kernel);

} // namespace petarino::store
