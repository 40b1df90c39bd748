#include "macro_memos/macro_expander.h"

#include "macro/convert_error.h"

namespace petarino {
namespace {

// Remembers the argument of the macro being replaced, for the error message.
class ArgumentTracker final : public MacroReplacer {
public:
    explicit ArgumentTracker(MacroReplacer& inner) : inner_(inner) {}
    void Replace(char letter, std::string_view argument, std::string& out) override {
        argument_ = argument;
        inner_.Replace(letter, argument, out);
    }
    const std::string& Argument() const { return argument_; }

private:
    MacroReplacer& inner_;
    std::string argument_;
};

} // namespace

void MacroExpander::ExpandMacros(Memo& memo, MacroHost& host) {
    if (!memo.ReadOnly()) return;
    MacroReplacements replacements(services_, host);
    ArgumentTracker tracker(replacements);
    try {
        const auto expanded = ExpandSource(memo.MacroText(), tracker);
        memo.SetText(expanded ? *expanded : "Error.");
    } catch (const EConvertError&) {
        // Stopped first, so no tick comes in while the box runs its message loop.
        host.StopTimer();
        windows_.ShowMessageBox(memo.Hint() + "のマクロ(" + tracker.Argument() +
                                    ")が間違っています。\rペタリノは停止しています。"
                                    "マクロを再設定してください。",
                                "エラー", platform::MessageBoxStyle::IconError);
    }
}

} // namespace petarino
