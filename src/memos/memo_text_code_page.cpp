#include "memos/memo_text_code_page.h"

#include "text/cp932.h"
#include "text/line_breaks.h"

#include <algorithm>
#include <array>

namespace petarino {
namespace {

// Lead bytes with no character of code page 932 behind them: the system never makes them
// from UTF-16, so they cannot be confused with a character the text holds.
constexpr std::array<unsigned char, 5> kFreeLeads{0x85, 0x86, 0xEB, 0xEC, 0xEF};
// Trail bytes 0x40-0x7E and 0x80-0xFC.
constexpr std::size_t kTrails = 188;
constexpr std::size_t kStandIns = kFreeLeads.size() * kTrails;

std::string Placeholder(std::size_t index) {
    const std::size_t trail = index % kTrails;
    return {static_cast<char>(kFreeLeads[index / kTrails]),
            static_cast<char>(trail < 0x3F ? 0x40 + trail : 0x41 + trail)};
}

std::optional<std::size_t> PlaceholderIndex(std::string_view character) {
    if (character.size() != 2) return std::nullopt;
    const auto lead =
        std::find(kFreeLeads.begin(), kFreeLeads.end(), static_cast<unsigned char>(character[0]));
    const auto trail = static_cast<unsigned char>(character[1]);
    if (lead == kFreeLeads.end() || !IsTrailByte(trail)) return std::nullopt;
    return static_cast<std::size_t>(lead - kFreeLeads.begin()) * kTrails +
           (trail < 0x7F ? trail - 0x40u : trail - 0x41u);
}

} // namespace

std::optional<std::string> Cp932OfMemoText(platform::Kernel& kernel, MemoTextView text) {
    if (IsAscii(text)) return std::string(text.begin(), text.end());
    return kernel.Cp932OfUtf16(text);
}

std::string Cp932Shown(platform::Kernel& kernel, MemoTextView text) {
    if (auto whole = Cp932OfMemoText(kernel, text)) return *std::move(whole);
    std::string shown;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t units = CharacterUnits(text.substr(at));
        const auto character = Cp932OfMemoText(kernel, text.substr(at, units));
        shown += character ? *character : "?";
        at += units;
    }
    return shown;
}

MemoText MemoTextOfCp932(platform::Kernel& kernel, std::string_view cp932) {
    if (std::all_of(cp932.begin(), cp932.end(), [](char c) { return (c & 0x80) == 0; }))
        return MemoTextOfAscii(cp932);
    return kernel.Utf16OfCp932(cp932);
}

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string TextFileBytes(platform::Kernel& kernel, MemoTextView text) {
    if (auto cp932 = Cp932OfMemoText(kernel, text)) return *std::move(cp932);
    return Utf8TextFile(text);
}

std::string Utf8TextFile(MemoTextView text) {
    std::string utf8(kUtf8ByteOrderMark);
    if (const auto whole = Utf8OfMemoText(text)) return utf8 + *whole;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t units = CharacterUnits(text.substr(at));
        const auto character = Utf8OfMemoText(text.substr(at, units));
        utf8 += character ? *character : "\xEF\xBF\xBD";
        at += units;
    }
    return utf8;
}

MemoText MemoTextOfFile(platform::Kernel& kernel, std::string_view bytes) {
    if (bytes.starts_with(kUtf8ByteOrderMark))
        if (const auto text = MemoTextOfUtf8(bytes.substr(kUtf8ByteOrderMark.size())))
            return TextOfFile(*text);
    return MemoTextOfCp932(kernel, TextOfFile(bytes));
}

// A character at a time only when the whole does not fit; runs that fit go in one call.
Cp932View::Cp932View(platform::Kernel& kernel, MemoTextView text) : kernel_(kernel) {
    if (auto whole = Cp932OfMemoText(kernel, text)) {
        bytes_ = *std::move(whole);
        return;
    }
    std::size_t runStart = 0;
    const auto endRun = [&](std::size_t at) {
        if (at > runStart) bytes_ += *Cp932OfMemoText(kernel, text.substr(runStart, at - runStart));
    };
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t units = CharacterUnits(text.substr(at));
        const MemoTextView character = text.substr(at, units);
        if (!Cp932OfMemoText(kernel, character)) {
            endRun(at);
            const auto known = std::find(standIns_.begin(), standIns_.end(), character);
            const auto index = static_cast<std::size_t>(known - standIns_.begin());
            if (known == standIns_.end() && standIns_.size() < kStandIns)
                standIns_.emplace_back(character);
            // Past the placeholders there are, a character the code page lacks is what the
            // system makes of it: "?".
            bytes_ += index < standIns_.size() ? Placeholder(index) : "?";
            runStart = at + units;
        }
        at += units;
    }
    endRun(text.size());
}

MemoText Cp932View::Back(std::string_view bytes) const {
    if (standIns_.empty()) return MemoTextOfCp932(kernel_, bytes);
    MemoText text;
    std::size_t runStart = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t size = CharacterBytes(bytes.substr(at));
        const auto index = PlaceholderIndex(bytes.substr(at, size));
        if (index && *index < standIns_.size()) {
            text += MemoTextOfCp932(kernel_, bytes.substr(runStart, at - runStart));
            text += standIns_[*index];
            runStart = at + size;
        }
        at += size;
    }
    return text + MemoTextOfCp932(kernel_, bytes.substr(runStart));
}

} // namespace petarino
