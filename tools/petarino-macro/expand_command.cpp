// petarino-macro expand SOURCE: what a new macro memo with this source shows after one
// expansion. A date error prints the message box's text on the standard error, the text
// the memo keeps on the standard output, and exits with status 3.
#include "command.h"
#include "memos/memo_text_code_page.h"
#include "testing/fake_macro_host.h"
#include "testing/in_memory_memo.h"

namespace petarino::tool {

int RunExpand(Session& session, std::span<const std::string> operands) {
    const SessionOptions& options = session.Options();
    MacroWorld& world = session.World();
    InMemoryMemo memo;
    if (options.title) memo.SetHint(MemoTextOfCp932(world.kernel, session.Input(*options.title)));
    memo.SetMacroText(MemoTextOfCp932(world.kernel, operands[0]));
    memo.SetReadOnly(true);
    FakeMacroHost host;
    host.caption = session.Input(options.label);
    host.exec = options.exec;

    world.expander.ExpandMacros(memo, host);
    for (const auto& box : world.windows.Shown())
        session.PrintLine(box.text, stderr);
    session.PrintLine(Cp932Shown(world.kernel, memo.Text()));
    return world.windows.Shown().empty() ? 0 : 3;
}

} // namespace petarino::tool
