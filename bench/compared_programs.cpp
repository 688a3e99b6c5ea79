#include "compared_programs.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace quorvane::bench {

namespace {

double ReadRatio(const std::string& word)
{
    size_t end = 0;
    const double ratio = std::stod(word, &end);
    if (end != word.size() || !(ratio > 0)) {
        throw std::invalid_argument("no ratio: " + word);
    }
    return ratio;
}

}  // namespace

ComparedPrograms ReadComparedPrograms(int argc, char* argv[], ComparedPrograms builtIn)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    const std::invalid_argument usage("usage: " + NameOf({argv[0]}) +
                                      " [--goal RATIO] [FOLDER QUORVANE_COMMAND... -- FLOOR_COMMAND...]");
    auto word = words.begin();
    if (word != words.end() && *word == "--goal") {
        if (words.end() - word < 2) {
            throw usage;
        }
        try {
            builtIn.goal = ReadRatio(word[1]);
        } catch (const std::logic_error&) {
            throw usage;
        }
        word += 2;
    }
    if (word == words.end()) {
        return builtIn;
    }
    const auto separator = std::find(word, words.end(), "--");
    if (separator == words.end() || separator - word < 2 || separator + 1 == words.end()) {
        throw usage;
    }
    builtIn.folder = *word;
    builtIn.quorvane.assign(word + 1, separator);
    builtIn.floor.assign(separator + 1, words.end());
    return builtIn;
}

std::string NameOf(const std::vector<std::string>& command)
{
    const std::string& last = command.back();
    return last.substr(last.find_last_of('/') + 1);
}

int RunComparison(const char* name, int argc, char* argv[], ComparedPrograms builtIn,
                  const std::function<int(const ComparedPrograms&)>& compare)
{
    ComparedPrograms compared;
    try {
        compared = ReadComparedPrograms(argc, argv, std::move(builtIn));
    } catch (const std::invalid_argument& usage) {
        std::fprintf(stderr, "%s\n", usage.what());
        return 2;
    }
    try {
        return compare(compared);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", name, error.what());
        return 1;
    }
}

}  // namespace quorvane::bench
