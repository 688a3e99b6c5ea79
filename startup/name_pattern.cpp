#include "startup/name_pattern.h"

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvane {

namespace {

// One element of a parsed pattern: either a run of any characters ("*") or
// exactly one character out of a set of ranges, or outside it when negated.
// "?" is the negated empty set, "#" the range 0-9, a plain character the
// range from itself to itself.
struct Element {
    bool anyRun = false;
    bool negated = false;
    std::vector<std::pair<char32_t, char32_t>> ranges;

    bool Accepts(char32_t c) const
    {
        bool inSet = false;
        for (const auto& [low, high] : ranges) {
            inSet = inSet || (c >= low && c <= high);
        }
        return inSet != negated;
    }
};

Element Single(char32_t low, char32_t high) { return {false, false, {{low, high}}}; }

// The list between "[" and "]": a leading "!" negates it, "a-z" is a range,
// a "-" first or last stands for itself. A range running backwards is
// malformed.
std::optional<Element> ParseList(std::u32string_view list)
{
    Element element;
    if (!list.empty() && list.front() == U'!') {
        element.negated = true;
        list.remove_prefix(1);
    }
    for (size_t i = 0; i < list.size(); ++i) {
        if (i + 2 < list.size() && list[i + 1] == U'-') {
            if (list[i] > list[i + 2]) {
                return std::nullopt;
            }
            element.ranges.emplace_back(list[i], list[i + 2]);
            i += 2;
        } else {
            element.ranges.emplace_back(list[i], list[i]);
        }
    }
    return element;
}

// Nothing when the pattern matches no name of `length` characters: when it
// is malformed, or when it asks for more single characters than that. The
// second ends the parse early for a pattern far longer than any name, such
// as one taken from a huge line of the language code file.
std::optional<std::vector<Element>> Parse(const Text& pattern, size_t length)
{
    std::vector<Element> elements;
    size_t singles = 0;
    const auto addSingle = [&](Element element) {
        elements.push_back(std::move(element));
        ++singles;
    };
    for (size_t i = 0; i < pattern.size() && singles <= length; ++i) {
        switch (pattern[i]) {
        case U'*':
            if (elements.empty() || !elements.back().anyRun) {  // "**" is "*"
                elements.push_back({true, false, {}});
            }
            break;
        case U'?': addSingle({false, true, {}}); break;
        case U'#': addSingle(Single(U'0', U'9')); break;
        case U'[': {
            const size_t close = pattern.find(U']', i + 1);
            if (close == Text::npos) {
                return std::nullopt;
            }
            // "[]" stands for no character at all.
            if (close > i + 1) {
                const auto list = ParseList(std::u32string_view(pattern).substr(i + 1, close - i - 1));
                if (!list) {
                    return std::nullopt;
                }
                addSingle(*list);
            }
            i = close;
            break;
        }
        default: addSingle(Single(pattern[i], pattern[i])); break;
        }
    }
    if (singles > length) {
        return std::nullopt;
    }
    return elements;
}

}  // namespace

bool MatchesNamePattern(const Text& name, const Text& pattern)
{
    const auto elements = Parse(pattern, name.size());
    if (!elements) {
        return false;
    }
    // Greedy scan that remembers only the latest "*": a mismatch lets that
    // run take one more character. Earlier runs never need to grow, so the
    // work stays within name length times pattern length.
    size_t e = 0;
    size_t n = 0;
    std::optional<size_t> afterRun;
    size_t runEnd = 0;
    while (n < name.size()) {
        if (e < elements->size() && (*elements)[e].anyRun) {
            afterRun = ++e;
            runEnd = n;
        } else if (e < elements->size() && (*elements)[e].Accepts(name[n])) {
            ++e;
            ++n;
        } else if (afterRun) {
            e = *afterRun;
            n = ++runEnd;
        } else {
            return false;
        }
    }
    while (e < elements->size() && (*elements)[e].anyRun) {
        ++e;
    }
    return e == elements->size();
}

}  // namespace quorvane
