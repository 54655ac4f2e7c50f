// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace runeshot::bench {

// Every measuring program prints its figures as rows of tab-separated fields,
// "figure  median  min  max  unit", which bench/run_bench gathers into one table.
inline void printRow(const std::string& figure, double median, double min, double max,
                     const char* unit) {
    std::printf("%s\t%.3f\t%.3f\t%.3f\t%s\n", figure.c_str(), median, min, max, unit);
    std::fflush(stdout);
}

inline double medianOf(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    return n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

inline double smallest(const std::vector<double>& samples) {
    return *std::min_element(samples.begin(), samples.end());
}

inline double largest(const std::vector<double>& samples) {
    return *std::max_element(samples.begin(), samples.end());
}

inline void printRow(const std::string& figure, const std::vector<double>& samples,
                     const char* unit) {
    if (samples.empty()) {
        std::printf("%s\t-\t-\t-\t%s\n", figure.c_str(), unit);
        std::fflush(stdout);
        return;
    }
    printRow(figure, medianOf(samples), smallest(samples), largest(samples), unit);
}

}  // namespace runeshot::bench
