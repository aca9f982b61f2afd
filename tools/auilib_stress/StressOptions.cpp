#include "StressOptions.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

bool number(const std::string &text, long long &out)
{
    if (text.empty())
        return false;
    char *end = nullptr;
    out = std::strtoll(text.c_str(), &end, 10);
    return *end == '\0';
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator))
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

bool stepRanges(const std::string &text, std::vector<std::pair<int, int>> &out)
{
    for (const std::string &part : split(text, ',')) {
        const std::size_t dash = part.find('-');
        long long first = 0;
        long long last = 0;
        if (dash == std::string::npos) {
            if (!number(part, first))
                return false;
            last = first;
        } else if (!number(part.substr(0, dash), first) || !number(part.substr(dash + 1), last)) {
            return false;
        }
        if (first < 0 || last < first)
            return false;
        out.emplace_back(static_cast<int>(first), static_cast<int>(last));
    }
    return !out.empty();
}

} // namespace

bool StressOptions::parse(const std::vector<std::string> &arguments)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &name = arguments[i];
        auto value = [&](std::string &out) {
            if (i + 1 >= arguments.size()) {
                std::fprintf(stderr, "auilib_stress: %s needs a value\n", name.c_str());
                return false;
            }
            out = arguments[++i];
            return true;
        };
        std::string text;
        long long n = 0;
        if (name == "--trace") {
            trace = true;
        } else if (name == "--list") {
            list = true;
        } else if (name == "--seed" || name == "--seqs" || name == "--replay" || name == "--steps") {
            if (!value(text))
                return false;
            if (!number(text, n) || n < 0 || (name == "--steps" && (n < 1 || n > 1000000))) {
                std::fprintf(stderr, "auilib_stress: %s takes a number, not \"%s\"\n", name.c_str(), text.c_str());
                return false;
            }
            if (name == "--seed")
                seed = static_cast<std::uint64_t>(n);
            else if (name == "--seqs")
                sequences = n;
            else if (name == "--replay")
                replay = n;
            else
                steps = static_cast<int>(n);
        } else if (name == "--minutes") {
            if (!value(text))
                return false;
            char *end = nullptr;
            minutes = std::strtod(text.c_str(), &end);
            if (*end != '\0' || !(minutes > 0) || minutes > 100000) {
                std::fprintf(stderr, "auilib_stress: --minutes takes a positive number, not \"%s\"\n", text.c_str());
                return false;
            }
        } else if (name == "--skip") {
            if (!value(text))
                return false;
            for (const std::string &part : split(text, ','))
                skips.insert(part);
        } else if (name == "--only") {
            if (!value(text))
                return false;
            if (!stepRanges(text, only)) {
                std::fprintf(stderr, "auilib_stress: --only takes steps such as 3,17,40-45, not \"%s\"\n",
                             text.c_str());
                return false;
            }
        } else {
            std::fprintf(stderr,
                         "usage: auilib_stress [--seed N] [--minutes M | --seqs K | --replay S [--only LIST]] "
                         "[--steps N] [--skip NAME]... [--trace] [--list]\n");
            return false;
        }
    }
    if (!only.empty() && replay < 0) {
        std::fprintf(stderr, "auilib_stress: --only narrows a --replay\n");
        return false;
    }
    if (replay < 0 && minutes <= 0 && sequences == 0)
        sequences = 20;
    return true;
}

bool StressOptions::runsStep(int step) const
{
    if (only.empty())
        return true;
    for (const auto &range : only)
        if (step >= range.first && step <= range.second)
            return true;
    return false;
}

std::string StressOptions::replaySwitches() const
{
    std::string switches;
    if (steps != kDefaultSteps)
        switches += " --steps " + std::to_string(steps);
    if (!skips.empty()) {
        std::string joined;
        for (const std::string &name : skips)
            joined += (joined.empty() ? "" : ",") + name;
        switches += " --skip " + joined;
    }
    return switches;
}
