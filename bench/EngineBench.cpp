#include "CRigEngine.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace kt {

// Timings of the engine's command entry as the program uses it: one channel
// query, the channel list's full refresh, a heal, and a data file saved and
// loaded again.

namespace {
// An engine holding a realistic image: every channel in use and named.
void Fill(CRigEngine& engine) {
    engine.Command("INITIALIZE");
    for (int n = 1; n <= 20; ++n) {
        const std::string ch = "CH.MCH." + std::to_string(n) + ".";
        engine.Command(ch + "FREQUENCY=" + std::to_string(118 + n) + ".025");
        engine.Command(ch + "APPEAR=ON");
        engine.Command(ch + "NAME=CH" + std::to_string(n));
    }
    engine.Command("HEAL");
}

// The queries with which the channel list rebuilds its 20 rows.
std::vector<std::string> RefreshCommands() {
    std::vector<std::string> commands;
    for (int n = 1; n <= 20; ++n) {
        const std::string ch = "CH.MCH." + std::to_string(n) + ".";
        for (const char* property :
             {"APPEAR", "FREQUENCY", "ISLEGAL", "NAME", "TXINHIBIT", "CHLOCKOUT"})
            commands.push_back(ch + property);
        commands.push_back("COMMON.PRIOCH");
        commands.push_back("COMMON.SCAN_PRIO");
    }
    return commands;
}

// A private folder in memory-backed storage when there is one.
class CBenchFolder {
public:
    CBenchFolder() {
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "kt-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            path_ = pattern;
    }
    ~CBenchFolder() {
        std::error_code ec;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ec);
    }
    CBenchFolder(const CBenchFolder&) = delete;
    CBenchFolder& operator=(const CBenchFolder&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

void ChannelQuery(benchmark::State& state) {
    CRigEngine engine;
    Fill(engine);
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.Command("CH.MCH.5.FREQUENCY"));
}
BENCHMARK(ChannelQuery);

void ChannelListRefresh(benchmark::State& state) {
    CRigEngine engine;
    Fill(engine);
    const std::vector<std::string> commands = RefreshCommands();
    for (auto _ : state)
        for (const std::string& command : commands)
            benchmark::DoNotOptimize(engine.Command(command));
    state.counters["commands"] = static_cast<double>(commands.size());
}
BENCHMARK(ChannelListRefresh)->Unit(benchmark::kMicrosecond);

void Heal(benchmark::State& state) {
    CRigEngine engine;
    Fill(engine);
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.Command("HEAL"));
}
BENCHMARK(Heal)->Unit(benchmark::kMicrosecond);

void SaveThenLoad(benchmark::State& state) {
    CRigEngine engine;
    Fill(engine);
    CBenchFolder folder;
    const std::string path = folder.File("bench.vkf");
    const std::string save = "FILE.SAVE.\"" + path + "\"";
    const std::string load = "FILE.LOAD.\"" + path + "\"";
    for (auto _ : state) {
        if (engine.Command(save) != "OK" || engine.Command(load) != "OK") {
            state.SkipWithError("the data file could not be saved or loaded");
            break;
        }
    }
}
BENCHMARK(SaveThenLoad)->Unit(benchmark::kMicrosecond);
} // namespace

} // namespace kt

BENCHMARK_MAIN();
