// The export at exit: every memo as a text file named after its title, beside the program.
#pragma once

#include "memos/memo_table.h"
#include "platform/files.h"

namespace petarino::store {

// Slot by slot, hidden memos too, to program folder + title + ".txt", holding the text
// area's text byte for byte. A macro memo shows its source from then on and is exported
// with it. A name that would leave the program folder, or name a stream or a device, is
// refused as a file that cannot be created (export_name.h). The first file that cannot be
// written ends the export with EFCreateError or EWriteError, that file as it was.
void ExportMemos(MemoTable& memos, platform::Files& files);

} // namespace petarino::store
