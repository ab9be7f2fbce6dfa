// Configuration lookups are made at start-up and when options are applied;
// this keeps an eye on the linear, case-blind, last-wins search beside a
// plain std::map lookup of the same keys.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "BenchScratch.h"
#include "ConfigurationManager.h"
#include "TWReport.h"

namespace {

void Fill(int keys) {
    static bool done = false;
    if (done) return;
    done = true;
    tw::bench::EnterScratchDir();
    FILE* f = fopen("tw.cfg", "w");
    for (int i = 0; i < keys; ++i) fprintf(f, "Key%d=%d\n", i, i);
    fclose(f);
    ConfigurationManager::startup();
    ConfigurationManager::loadFromFile("tw.cfg");
}

void BM_ConfigurationGetValue(benchmark::State& state) {
    Fill(200);
    int i = 0;
    for (auto _ : state) {
        std::string key = "KEY" + std::to_string(i++ % 200);
        benchmark::DoNotOptimize(ConfigurationManager::getValue(key.c_str()));
    }
}
BENCHMARK(BM_ConfigurationGetValue);

void BM_StdMapBaseline(benchmark::State& state) {
    std::map<std::string, std::string> map;
    for (int i = 0; i < 200; ++i) map["key" + std::to_string(i)] = std::to_string(i);
    int i = 0;
    for (auto _ : state) {
        std::string key = "key" + std::to_string(i++ % 200);
        benchmark::DoNotOptimize(map.find(key));
    }
}
BENCHMARK(BM_StdMapBaseline);

}  // namespace
