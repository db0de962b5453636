// Timing and reporting helpers for the benchmark program.
#pragma once

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/clock.h"

namespace bench {

struct Timing {
    double median = 0, min = 0, max = 0;
    int runs = 0;
};

// Runs `body` `runs` times (after one warm-up) and summarises the times in ms.
// `body` may return its own measured time, for work that needs set-up.
inline Timing measure(int runs, const std::function<double()>& body) {
    body();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(body());
    std::sort(times.begin(), times.end());
    return Timing{times[times.size() / 2], times.front(), times.back(), runs};
}

inline Timing measureCalls(int runs, int callsPerRun, const std::function<void()>& call) {
    return measure(runs, [&] {
        const double start = nowMs();
        for (int i = 0; i < callsPerRun; ++i) call();
        return (nowMs() - start) / callsPerRun;
    });
}

// One row of the printed table and of the JSON file: a timing, or a plain
// value when the timing has no runs.
struct Row {
    std::string section, name;
    Timing timing;
    double value = 0;
    std::string unit;
    std::string reference;  // what this is compared with, if anything
    Timing referenceTiming;
    std::string target;
    std::string verdict;  // "met", "missed", or empty

    static Row timed(std::string section, std::string name, Timing timing,
                     std::string unit = "ms") {
        Row row;
        row.section = std::move(section);
        row.name = std::move(name);
        row.timing = timing;
        row.unit = std::move(unit);
        return row;
    }
    static Row plain(std::string section, std::string name, double value, std::string unit) {
        Row row = timed(std::move(section), std::move(name), Timing{}, std::move(unit));
        row.value = value;
        return row;
    }
    Row& against(std::string what, Timing measured) {
        reference = std::move(what);
        referenceTiming = measured;
        return *this;
    }
    Row& aim(std::string what, bool met) {
        target = std::move(what);
        verdict = met ? "met" : "missed";
        return *this;
    }
};

class Report {
public:
    void add(const Row& row) { rows_.push_back(row); }
    void print(FILE* out) const;
    bool writeJson(const char* path) const;

private:
    std::vector<Row> rows_;
};

}  // namespace bench
