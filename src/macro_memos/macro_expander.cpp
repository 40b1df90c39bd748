#include "macro_memos/macro_expander.h"

#include "macro/convert_error.h"
#include "memos/memo_text_code_page.h"

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
    // The engine counts bytes of code page 932; a character the code page lacks goes
    // through it as one double-byte character.
    const Cp932View& source = SourceOf(memo.MacroText());
    try {
        const auto expanded = ExpandSource(source.Bytes(), tracker);
        memo.SetText(expanded ? source.Back(*expanded) : u"Error.");
    } catch (const EConvertError&) {
        // Stopped first, so no tick comes in while the box runs its message loop.
        host.StopTimer();
        windows_.ShowMessageBox(memo.Hint() + u"のマクロ(" + source.Back(tracker.Argument()) +
                                    u")が間違っています。\rペタリノは停止しています。"
                                    u"マクロを再設定してください。",
                                "エラー", platform::MessageBoxStyle::IconError);
    }
}

const Cp932View& MacroExpander::SourceOf(const MemoText& macroText) {
    // The sources of the memos there are, a few hundred at the most, after a run of rewriting.
    constexpr std::size_t kKept = 512;
    if (const auto known = sources_.find(macroText); known != sources_.end()) return known->second;
    if (sources_.size() >= kKept) sources_.clear();
    return sources_.try_emplace(macroText, services_.kernel, macroText).first->second;
}

} // namespace petarino
