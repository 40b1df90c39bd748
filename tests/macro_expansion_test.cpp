#include "macro/macro_expansion.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace petarino {
namespace {

// Writes every macro as "<letter:argument>" unless told what to answer.
class RecordingReplacer final : public MacroReplacer {
public:
    void Replace(char letter, std::string_view argument, std::string& out) override {
        calls.push_back(std::string(1, letter) + ":" + std::string(argument));
        if (!answers.empty()) {
            out += answers.front();
            answers.erase(answers.begin());
            return;
        }
        out += "<" + calls.back() + ">";
    }
    std::vector<std::string> calls;
    std::vector<std::string> answers;
};

std::optional<std::string> Expand(std::string_view source) {
    RecordingReplacer replacer;
    return ExpandSource(source, replacer);
}

TEST(ExpandSource, ReplacesMacrosLeftToRightKeepingTheTextAround) {
    RecordingReplacer replacer;
    EXPECT_EQ(ExpandSource("Today N#{yyyy#} year, a#{12/25#}.", replacer),
              "Today <N:yyyy> year, <a:12/25>.");
    EXPECT_EQ(replacer.calls, (std::vector<std::string>{"N:yyyy", "a:12/25"}));
}

TEST(ExpandSource, LeavesTextWithoutAClosingMarkerAsItIs) {
    EXPECT_EQ(Expand(""), "");
    EXPECT_EQ(Expand("plain text"), "plain text");
    EXPECT_EQ(Expand("N#{yyyy"), "N#{yyyy");
    EXPECT_EQ(Expand("L#{#} then N#{open"), "<L:> then N#{open");
}

TEST(ExpandSource, TakesTheArgumentUpToTheFirstClosingMarker) {
    EXPECT_EQ(Expand("N#{a#{b#}"), "<N:a#{b>");
    EXPECT_EQ(Expand("I#{#}"), "<I:>");
}

TEST(ExpandSource, TakesTheByteBeforeTheMarkerAsTheLetterWhateverItIs) {
    EXPECT_EQ(Expand(" #{#}"), "< :>");
    const std::string a = "あ"; // two bytes: the second is the letter
    EXPECT_EQ(Expand(a + "#{#}"), std::string(1, a[0]) + "<" + a[1] + ":>");
}

TEST(ExpandSource, RescansReplacementsLikeTypedText) {
    RecordingReplacer replacer;
    replacer.answers = {"L#{#} and #", "1", "{x#}"};
    // The last replacement's "{" completes a marker with the "#" the first one left, and
    // the blank before that "#" becomes its letter.
    EXPECT_EQ(ExpandSource("N#{one#}N#{two#}", replacer), "1 and< :x>");
    EXPECT_EQ(replacer.calls, (std::vector<std::string>{"N:one", "L:", "N:two", " :x"}));
}

TEST(ExpandSource, FindsALetterThatAReplacementPutsBeforeAMarker) {
    RecordingReplacer replacer;
    replacer.answers = {"x", "y"};
    EXPECT_EQ(ExpandSource("ab#{1#}#{2#}", replacer), "ay");
    EXPECT_EQ(replacer.calls, (std::vector<std::string>{"b:1", "x:2"}));
}

TEST(ExpandSource, RejectsMalformedSourcesOnEveryPass) {
    EXPECT_EQ(Expand("#{#}"), std::nullopt) << "a marker without a letter";
    EXPECT_EQ(Expand("#} N#{yyyy#}"), std::nullopt) << "a stray closing marker first";
    EXPECT_EQ(Expand("text #} more"), std::nullopt);
    EXPECT_EQ(Expand("N#{yyyy#} #}"), std::nullopt) << "a stray marker after the last macro";

    RecordingReplacer replacer;
    replacer.answers = {"#{#}"}; // the next pass finds a marker without a letter
    EXPECT_EQ(ExpandSource("N#{'#{'#}", replacer), std::nullopt);
}

// A replacer that writes its own macro back: without bounds this never ends.
class SelfReproducingReplacer final : public MacroReplacer {
public:
    explicit SelfReproducingReplacer(std::string output) : output_(std::move(output)) {}
    void Replace(char, std::string_view, std::string& out) override {
        ++calls;
        out += output_;
    }
    std::size_t calls = 0;

private:
    std::string output_;
};

TEST(ExpandSource, EndsEveryExpansionAtItsBounds) {
    SelfReproducingReplacer same("N#{x#}");
    EXPECT_EQ(ExpandSource("N#{x#}", same), std::nullopt);
    EXPECT_EQ(same.calls, kMaxMacroPasses);

    SelfReproducingReplacer growing(std::string(4000, 'z') + "N#{x#}");
    EXPECT_EQ(ExpandSource("N#{x#}", growing), std::nullopt);
    EXPECT_LT(growing.calls, kMaxMacroPasses);
}

TEST(ExpandSource, ExpandsTheLargestTypedSourceWithinTheBounds) {
    std::string source;
    while (source.size() + 5 <= 65'534)
        source += "L#{#}";
    SelfReproducingReplacer widest(std::string(256, 'w'));
    const auto expanded = ExpandSource(source, widest);
    ASSERT_TRUE(expanded.has_value());
    EXPECT_EQ(expanded->size(), widest.calls * 256);
}

} // namespace
} // namespace petarino

namespace petarino {
namespace {

// The scan as the language defines it, one whole rescan a pass, to check the fast one by.
std::optional<std::string> ReferenceExpand(std::string text, MacroReplacer& replacer) {
    for (std::size_t pass = 0;; ++pass) {
        const auto close = text.find("#}");
        if (close == std::string::npos) return text;
        const auto open = text.find("#{");
        if (open == std::string::npos || open > close || open == 0) return std::nullopt;
        if (pass == kMaxMacroPasses) return std::nullopt;
        std::string replacement;
        replacer.Replace(text[open - 1], std::string_view(text).substr(open + 2, close - open - 2),
                         replacement);
        text = text.substr(0, open - 1) + replacement + text.substr(close + 2);
        if (text.size() > kMaxExpandedBytes) return std::nullopt;
    }
}

// Answers from a small set that includes markers, chosen by what it is asked.
class ScramblingReplacer final : public MacroReplacer {
public:
    void Replace(char letter, std::string_view argument, std::string& out) override {
        static const char* const kAnswers[] = {"", "#", "{", "}", "#{", "x#}", "N#{", "ab", "#{#}"};
        const std::size_t pick = (static_cast<unsigned char>(letter) + argument.size() * 7) % 9;
        out += kAnswers[pick];
    }
};

TEST(ExpandSource, AgreesWithTheOnePassAtATimeScanOnRandomSources) {
    std::mt19937 random(20261207);
    const std::string_view pieces[] = {"N#{", "a#{", "#}", "#}", "x", " ", "#", "{", "}"};
    int expandedMacros = 0;
    for (int round = 0; round < 20'000; ++round) {
        std::string source;
        for (auto count = random() % 10; count > 0; --count)
            source += pieces[random() % 9];
        ScramblingReplacer fast, reference;
        const auto expanded = ExpandSource(source, fast);
        ASSERT_EQ(expanded, ReferenceExpand(source, reference)) << source;
        expandedMacros += expanded && source.find("#}") != std::string::npos;
    }
    EXPECT_GT(expandedMacros, 1'500) << "the sources must exercise real expansions";
}

} // namespace
} // namespace petarino
