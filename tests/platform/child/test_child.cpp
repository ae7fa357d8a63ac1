// A child program for the process tests, the same on every system: does what its first
// argument says.
//   write FILE ARG...   writes each ARG followed by '|' to FILE
//   exit N              ends with status N
//   say TEXT N          writes TEXT on standard output and ends with status N
//   flood N             writes N bytes on standard output
//   sleep MS N          ends with status N after MS milliseconds (further arguments ignored)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "write" && argc > 2) {
        std::FILE* out = std::fopen(argv[2], "wb");
        if (out == nullptr) return 90;
        for (int i = 3; i < argc; ++i) {
            std::fputs(argv[i], out);
            std::fputc('|', out);
        }
        return std::fclose(out) == 0 ? 0 : 91;
    }
    if (what == "exit" && argc > 2) return std::atoi(argv[2]);
    if (what == "say" && argc > 3) {
        std::fputs(argv[2], stdout);
        return std::atoi(argv[3]);
    }
    if (what == "flood" && argc > 2) {
        for (long n = std::atol(argv[2]); n > 0; --n)
            std::fputc('x', stdout);
        return 0;
    }
    if (what == "sleep" && argc > 3) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(argv[2])));
        return std::atoi(argv[3]);
    }
    return 99;
}
