// A memo's text where code page 932 is needed: in a message, in the exported file, and in the
// macro engine, which counts bytes of code page 932 as the system's own texts do.
#pragma once

#include "platform/kernel.h"
#include "text/memo_text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace petarino {

// Nullopt unless the whole text fits the code page exactly.
std::optional<std::string> Cp932OfMemoText(platform::Kernel& kernel, MemoTextView text);
// For a message: "?" for every character the code page lacks, never a look-alike.
std::string Cp932Shown(platform::Kernel& kernel, MemoTextView text);
MemoText MemoTextOfCp932(platform::Kernel& kernel, std::string_view cp932);

// A memo's text as a text file: code page 932 when it holds every character (the bytes a
// code-page program has always written), else UTF-8 with a byte-order mark, which Notepad
// and every editor open whole.
std::string TextFileBytes(platform::Kernel& kernel, MemoTextView text);
// UTF-8 with a byte-order mark, a lone surrogate written as U+FFFD, as the system writes it.
std::string Utf8TextFile(MemoTextView text);
// A text file read back: UTF-8 after a byte-order mark, else code page 932; up to the first NUL,
// every line break made CR LF.
MemoText MemoTextOfFile(platform::Kernel& kernel, std::string_view bytes);

// The text in code page 932 with each character the code page lacks standing as one
// double-byte character of a lead byte the code page leaves unused, as a kanji would stand;
// Back turns such bytes into the characters again. So the macro engine works on what it
// always worked on, and for a text the code page holds the bytes are exactly its own.
class Cp932View {
public:
    Cp932View(platform::Kernel& kernel, MemoTextView text);

    const std::string& Bytes() const { return bytes_; }
    // The bytes made from Bytes() (by the macro engine) as a memo text again.
    MemoText Back(std::string_view bytes) const;

private:
    platform::Kernel& kernel_;
    std::string bytes_;
    // The characters that stand as placeholders, in the order of their placeholders.
    std::vector<MemoText> standIns_;
};

} // namespace petarino
