// Cost of the readers that run at start-up and at each new flight: the glider data file
// looked up for a glider near its end and for one it does not hold (the whole file read),
// and the shipped settings file read into the records.
#include "config/settings.h"
#include "glider/glider_data.h"
#include "report/log.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace kalveo;

const std::string kDataFile = std::string(KALVEO_DATA_DIR) + "/Settings/Kalveo_data.txt";

void BM_GliderLookup(benchmark::State& state, const char* glider) {
    for (auto _ : state) {
        GliderValues values;
        benchmark::DoNotOptimize(read_data(kDataFile, glider, false, 3, values));
        benchmark::DoNotOptimize(values);
    }
}
BENCHMARK_CAPTURE(BM_GliderLookup, listed_glider, "ASW20");
BENCHMARK_CAPTURE(BM_GliderLookup, unknown_glider, "NoSuchGlider");

// rd_ini reads "Settings\Kalveo.ini" from the working folder: a scratch program folder
// holding the shipped file.
void BM_ReadSettings(benchmark::State& state) {
    const fs::path scratch =
        fs::temp_directory_path() / ("kalveo-bench-settings-" + std::to_string(::getpid()));
    fs::create_directories(scratch / "Settings");
    fs::create_directories(scratch / "Logs");
    fs::copy_file(std::string(KALVEO_DATA_DIR) + "/Settings/Kalveo.ini",
                  scratch / "Settings" / "Kalveo.ini", fs::copy_options::overwrite_existing);
    const fs::path old_cwd = fs::current_path();
    fs::current_path(scratch);
    // The reader's console lines would otherwise be most of what is measured.
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    for (auto _ : state)
        benchmark::DoNotOptimize(rd_ini());
    std::fflush(stdout);
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    ::close(null);
    fs::current_path(old_cwd);
    fs::remove_all(scratch);
}
BENCHMARK(BM_ReadSettings);

} // namespace
