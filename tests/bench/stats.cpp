#include "stats.h"

namespace bench {

namespace {

std::string format(double v) {
    char text[32];
    const bool whole = v == static_cast<double>(static_cast<long long>(v));
    std::snprintf(text, sizeof text, whole || v >= 100 ? "%.0f" : v >= 1 ? "%.2f" : "%.4f", v);
    return text;
}

std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

}  // namespace

void Report::print(FILE* out) const {
    std::fprintf(out,
                 "| Section | Measure | Median | Min | Max | Reference | Ref. median | Ratio | "
                 "Target | Verdict |\n|---|---|---|---|---|---|---|---|---|---|\n");
    for (const Row& r : rows_) {
        std::string median, min, max, refMedian, ratio;
        if (r.timing.runs) {
            median = format(r.timing.median) + " " + r.unit;
            min = format(r.timing.min);
            max = format(r.timing.max);
        } else {
            median = format(r.value) + " " + r.unit;
        }
        if (r.referenceTiming.runs) {
            refMedian = format(r.referenceTiming.median) + " " + r.unit;
            if (r.referenceTiming.median > 0)
                ratio = format(r.timing.median / r.referenceTiming.median) + "x";
        }
        std::fprintf(out, "| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n",
                     r.section.c_str(), r.name.c_str(), median.c_str(), min.c_str(), max.c_str(),
                     r.reference.c_str(), refMedian.c_str(), ratio.c_str(), r.target.c_str(),
                     r.verdict.c_str());
    }
}

bool Report::writeJson(const char* path) const {
    FILE* out = std::fopen(path, "w");
    if (!out) return false;
    std::fprintf(out, "[\n");
    for (size_t i = 0; i < rows_.size(); ++i) {
        const Row& r = rows_[i];
        std::fprintf(out,
                     "  {\"section\": %s, \"measure\": %s, \"unit\": %s, \"runs\": %d, "
                     "\"median\": %.6f, \"min\": %.6f, \"max\": %.6f, \"value\": %.6f, "
                     "\"reference\": %s, \"reference_median\": %.6f, \"target\": %s, "
                     "\"verdict\": %s}%s\n",
                     jsonString(r.section).c_str(), jsonString(r.name).c_str(),
                     jsonString(r.unit).c_str(), r.timing.runs, r.timing.median, r.timing.min,
                     r.timing.max, r.value, jsonString(r.reference).c_str(),
                     r.referenceTiming.median, jsonString(r.target).c_str(),
                     jsonString(r.verdict).c_str(), i + 1 < rows_.size() ? "," : "");
    }
    std::fprintf(out, "]\n");
    return std::fclose(out) == 0;
}

}  // namespace bench
