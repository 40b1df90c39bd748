#include "macro/macro_expansion.h"

#include <algorithm>

namespace petarino {
namespace {

constexpr std::size_t kNone = std::string::npos;

// What is still to be scanned, with free room in front of it, so that taking bytes off
// its front and putting a replacement there cost only the bytes moved, not the whole rest.
class Pending {
public:
    explicit Pending(std::string_view text) : buffer_(text) {}

    std::string_view View() const { return std::string_view(buffer_).substr(front_); }
    std::size_t size() const { return buffer_.size() - front_; }

    void MoveFrontTo(std::string& out, std::size_t count) {
        out.append(View().substr(0, count));
        front_ += count;
    }
    void Drop(std::size_t count) { front_ += count; }
    void Prepend(std::string_view text) {
        if (text.size() > front_) MakeRoom(text.size());
        front_ -= text.size();
        std::copy(text.begin(), text.end(), buffer_.begin() + static_cast<std::ptrdiff_t>(front_));
    }

private:
    // Doubling the room keeps a long run of growing replacements linear.
    void MakeRoom(std::size_t needed) {
        const std::size_t room = needed + size();
        std::string grown(room, '\0');
        grown.append(View());
        buffer_.swap(grown);
        front_ = room;
    }

    std::string buffer_;
    std::size_t front_ = 0;
};

struct Marker {
    std::size_t position;
    char kind; // '{' or '}'
};

// The first "#{" or "#}": one scan tells where the next macro starts and whether a stray
// closing marker comes before it.
Marker FirstMarker(std::string_view text) {
    for (std::size_t at = text.find('#'); at != kNone && at + 1 < text.size();
         at = text.find('#', at + 1))
        if (text[at + 1] == '{' || text[at + 1] == '}') return {at, text[at + 1]};
    return {kNone, 0};
}

} // namespace

std::optional<std::string> ExpandSource(std::string_view source, MacroReplacer& replacer) {
    // `done` never holds "#{" or "#}", and its last byte is kept at the front of `pending`,
    // so a marker that a replacement completes with the byte before it is still found.
    std::string done;
    done.reserve(source.size() * 2);
    Pending pending(source);
    std::string replacement; // one buffer for every pass
    for (std::size_t pass = 0;; ++pass) {
        const std::string_view rest = pending.View();
        const Marker first = FirstMarker(rest);
        if (first.position == kNone) break;
        if (first.kind == '}') return std::nullopt; // a "#}" before any "#{"
        const std::size_t open = first.position;
        const std::size_t close = rest.find("#}", open + 2);
        if (close == kNone) break;
        if (pass == kMaxMacroPasses) return std::nullopt;

        char letter;
        if (open > 0) {
            pending.MoveFrontTo(done, open - 1);
            letter = pending.View()[0];
            pending.Drop(1);
        } else {
            if (done.empty()) return std::nullopt;
            letter = done.back();
            done.pop_back();
        }
        // "#{" now stands at the front of `pending`, and its "#}" at close - open.
        const std::size_t argumentEnd = close - open;
        // The argument stays in place while the replacer reads it: dropping only moves the
        // front, and nothing is written before the replacement is made.
        const std::string_view argument = pending.View().substr(2, argumentEnd - 2);
        pending.Drop(argumentEnd + 2);

        replacement.clear();
        replacer.Replace(letter, argument, replacement);
        pending.Prepend(replacement);
        if (!done.empty()) {
            pending.Prepend(std::string_view(&done.back(), 1));
            done.pop_back();
        }
        if (done.size() + pending.size() > kMaxExpandedBytes) return std::nullopt;
    }
    pending.MoveFrontTo(done, pending.size());
    return done;
}

} // namespace petarino
