// Rebuilding the directory list's rows against the bare enumeration of the same folder.
//
// Makes real folders with 1,000, 10,000 and 50,000 subfolders (mixed-case names in no
// particular order, one in a hundred hidden) under the temporary folder ($TMPDIR or /tmp),
// then measures in the same run:
//   Enumerate/n : the bare folder search through the platform (every entry's name and
//                 attributes collected), what any listing of the folder costs;
//   Rebuild/n   : DirectoryListModel::BuildRows on that folder: volume flags, the search,
//                 filtering, the case-insensitive sort with duplicates dropped, the rows.
// and prints Rebuild / Enumerate for each n. The folders are removed afterwards.
// Run: build/native/bin/chooser_bench   (Google Benchmark flags work as usual)
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "PosixChooserPlatform.h"
#include "core/chooser/DirectoryListModel.h"
#include "core/common/Ascii.h"

namespace {

using korva::DirectoryListModel;
using korva::FolderEntry;
using korva::PosixChooserPlatform;

const std::vector<int> kSizes = {1000, 10000, 50000};
std::map<int, std::string> g_folders;

std::string MakeName(int index, std::uint32_t& seed) {
    std::string name;
    const int length = 6 + static_cast<int>(seed % 7);
    for (int i = 0; i < length; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const char letter = static_cast<char>('a' + (seed >> 24) % 26);
        name += (seed >> 16) & 1 ? korva::AsciiUpper(letter) : letter;
    }
    name += "_" + std::to_string(index);  // unique also without regard to case
    return index % 100 == 0 ? "." + name : name;
}

bool MakeFolders(const std::filesystem::path& base) {
    std::uint32_t seed = 7716;
    for (int n : kSizes) {
        const std::filesystem::path folder = base / ("n" + std::to_string(n));
        std::error_code error;
        std::filesystem::create_directory(folder, error);
        if (error) return false;
        for (int i = 0; i < n; ++i) {
            std::filesystem::create_directory(folder / MakeName(i, seed), error);
            if (error) {
                std::fprintf(stderr, "chooser_bench: cannot create folders in %s: %s\n", folder.c_str(),
                             error.message().c_str());
                return false;
            }
        }
        g_folders[n] = folder.string();
    }
    return true;
}

void Enumerate(benchmark::State& state) {
    PosixChooserPlatform platform;
    const std::string pattern = g_folders.at(static_cast<int>(state.range(0))) + "\\*.*";
    std::size_t count = 0;
    for (auto _ : state) {
        std::vector<FolderEntry> entries;
        auto search = platform.FindFirst(pattern);
        if (!search) {
            state.SkipWithError("search failed");
            break;
        }
        for (FolderEntry entry; search->Next(entry);) entries.push_back(entry);
        count = entries.size();
        benchmark::DoNotOptimize(entries.data());
    }
    state.counters["items"] = static_cast<double>(count);
}

void Rebuild(benchmark::State& state) {
    PosixChooserPlatform platform;
    const std::string folder = g_folders.at(static_cast<int>(state.range(0)));
    if (platform.SetWorkingDirectory(folder) != 0) {
        state.SkipWithError("cannot change into the folder");
        return;
    }
    DirectoryListModel list(platform);
    for (auto _ : state) {
        list.BuildRows();
        benchmark::DoNotOptimize(list.Rows().data());
    }
    state.counters["items"] = static_cast<double>(list.Rows().size());
}

// Console output as usual, and the mean real time of every benchmark kept for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            auto& [sum, count] = times_[run.run_name.function_name + "/" + run.run_name.args];
            sum += run.GetAdjustedRealTime() * UnitToMicroseconds(run.time_unit);
            ++count;
        }
    }
    double MeanMicroseconds(const std::string& name) const {
        auto it = times_.find(name);
        return it == times_.end() ? 0.0 : it->second.first / it->second.second;
    }

private:
    static double UnitToMicroseconds(benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kNanosecond: return 1e-3;
        case benchmark::kMicrosecond: return 1.0;
        case benchmark::kMillisecond: return 1e3;
        case benchmark::kSecond: return 1e6;
        }
        return 1.0;
    }
    std::map<std::string, std::pair<double, int>> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    std::error_code error;
    std::string base = (std::filesystem::temp_directory_path(error) / "chooser_bench.XXXXXX").string();
    if (error || !mkdtemp(base.data())) {
        std::fprintf(stderr, "chooser_bench: cannot make a temporary folder\n");
        return 1;
    }
    std::printf("chooser_bench: making %d, %d and %d subfolders in %s\n", kSizes[0], kSizes[1], kSizes[2],
                base.c_str());
    std::fflush(stdout);
    const bool made = MakeFolders(base);
    int status = 1;
    if (made) {
        for (int n : kSizes) {
            benchmark::RegisterBenchmark("Enumerate", Enumerate)->Arg(n)->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark("Rebuild", Rebuild)->Arg(n)->Unit(benchmark::kMillisecond);
        }
        RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);

        std::printf("\n%10s %16s %16s %18s\n", "subfolders", "enumerate (ms)", "rebuild (ms)", "rebuild/enumerate");
        for (int n : kSizes) {
            const std::string arg = "/" + std::to_string(n);
            const double enumerate = reporter.MeanMicroseconds("Enumerate" + arg) / 1000.0;
            const double rebuild = reporter.MeanMicroseconds("Rebuild" + arg) / 1000.0;
            if (enumerate > 0 && rebuild > 0)
                std::printf("%10d %16.3f %16.3f %18.2f\n", n, enumerate, rebuild, rebuild / enumerate);
        }
        status = 0;
    }
    chdir("/");
    std::filesystem::remove_all(base, error);
    if (error) std::fprintf(stderr, "chooser_bench: could not remove %s: %s\n", base.c_str(), error.message().c_str());
    benchmark::Shutdown();
    return status;
}
