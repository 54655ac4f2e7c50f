// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

#include "bench/figure_rows.h"

namespace runeshot::bench {

// Prints one row per benchmark from the median, min and max of its repetitions, in
// microseconds, in the order the benchmarks ran.
class AggregateRowReporter final : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.error_occurred) continue;
            const std::string name = run.run_name.function_name;
            if (times_.find(name) == times_.end()) order_.push_back(name);
            times_[name][run.aggregate_name] = inMicroseconds(run);
        }
    }

    void Finalize() override {
        for (const std::string& name : order_) {
            auto& t = times_[name];
            printRow(name, t["median"], t["min"], t["max"], "us");
        }
    }

private:
    static double inMicroseconds(const Run& run) {
        const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        return seconds * 1e6;
    }

    std::vector<std::string> order_;
    std::map<std::string, std::map<std::string, double>> times_;
};

}  // namespace runeshot::bench
