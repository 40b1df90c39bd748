#include "macro/macro_expansion.h"

namespace petarino {
namespace {

constexpr std::size_t kNone = std::string::npos;

// What is still to be scanned, kept reversed so that taking bytes off its front and
// putting a replacement in front of it cost only the bytes moved, never the whole rest.
class Pending {
public:
    explicit Pending(std::string_view text) : reversed_(text.rbegin(), text.rend()) {}

    std::size_t size() const { return reversed_.size(); }
    char operator[](std::size_t k) const { return reversed_[reversed_.size() - 1 - k]; }

    // Position of the first "#" followed by `second`, from `from` on.
    std::size_t Find(char second, std::size_t from) const {
        for (std::size_t k = from; k + 1 < size(); ++k)
            if ((*this)[k] == '#' && (*this)[k + 1] == second) return k;
        return kNone;
    }

    void MoveFrontTo(std::string& out, std::size_t count) {
        out.append(reversed_.rbegin(), reversed_.rbegin() + static_cast<std::ptrdiff_t>(count));
        reversed_.resize(reversed_.size() - count);
    }
    std::string Copy(std::size_t from, std::size_t to) const {
        const auto front = reversed_.rbegin();
        return {front + static_cast<std::ptrdiff_t>(from), front + static_cast<std::ptrdiff_t>(to)};
    }
    void Drop(std::size_t count) { reversed_.resize(reversed_.size() - count); }
    void Prepend(std::string_view text) { reversed_.append(text.rbegin(), text.rend()); }
    void Prepend(char byte) { reversed_.push_back(byte); }

private:
    std::string reversed_;
};

} // namespace

std::optional<std::string> ExpandSource(std::string_view source, MacroReplacer& replacer) {
    // `done` never holds "#{" or "#}", and its last byte is kept at the front of `pending`,
    // so a marker that a replacement completes with the byte before it is still found.
    std::string done;
    Pending pending(source);
    for (std::size_t pass = 0;; ++pass) {
        const std::size_t close = pending.Find('}', 0);
        if (close == kNone) break;
        const std::size_t open = pending.Find('{', 0);
        if (open == kNone || open > close) return std::nullopt;
        if (pass == kMaxMacroPasses) return std::nullopt;

        char letter;
        if (open > 0) {
            pending.MoveFrontTo(done, open - 1);
            letter = pending[0];
            pending.Drop(1);
        } else {
            if (done.empty()) return std::nullopt;
            letter = done.back();
            done.pop_back();
        }
        // "#{" now stands at the front of `pending`, and its "#}" at close - open.
        const std::size_t argumentEnd = close - open;
        const std::string argument = pending.Copy(2, argumentEnd);
        pending.Drop(argumentEnd + 2);

        pending.Prepend(replacer.Replace(letter, argument));
        if (!done.empty()) {
            pending.Prepend(done.back());
            done.pop_back();
        }
        if (done.size() + pending.size() > kMaxExpandedBytes) return std::nullopt;
    }
    pending.MoveFrontTo(done, pending.size());
    return done;
}

} // namespace petarino
