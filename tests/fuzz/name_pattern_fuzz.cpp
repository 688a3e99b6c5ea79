// The input is a name, a NUL byte and a pattern, each byte one character
// (Latin-1), so that the dictionary's special characters stay single bytes.
// Relations that hold for every pattern are checked too.
#include <algorithm>

#include "startup/name_pattern.h"
#include "tests/fuzz/fuzz_support.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t* const nul = std::find(data, data + size, 0);
    const Text name(data, nul);
    const Text pattern = nul == data + size ? Text() : Text(nul + 1, data + size);
    const bool matches = MatchesNamePattern(name, pattern);
    if (matches) {
        fuzzing::Require(MatchesNamePattern(name, U"*" + pattern), "a leading * keeps a match");
        fuzzing::Require(MatchesNamePattern(name + U"x", pattern + U"*"), "a trailing * takes what follows");
    }
    if (pattern.find_first_of(U"?*#[") == Text::npos) {
        fuzzing::Require(matches == (name == pattern), "a plain pattern matches only itself");
    }
    fuzzing::Require(MatchesNamePattern(name, U"*"), "* matches every name");
    return 0;
}
