// The prefixes are looked for only where the front-ends document them, one folder level
// deep, so the search costs a few directory listings and small reads whatever the size of
// the home folder. Links are followed only where the tools themselves follow them: the
// folders they list (a Lutris game's prefix, a Steam library on another disk) and entries
// of the folders they keep their prefixes in.
#include "platform/env.h"
#include "platform/wine_drives.h"
#include "platform/wine_places.h"
#include "platform/wine_prefix.h"
#include "platform/wine_registry.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>

namespace kalveo {
namespace {

namespace fs = std::filesystem;

// Larger files are no game file, Steam list or registry of a prefix.
constexpr std::uintmax_t kLargestListFile = 1U << 20;
constexpr std::uintmax_t kLargestRegistry = 64U << 20;
constexpr std::size_t kRegistryChunk = 64U << 10;

fs::path& chosen() {
    static fs::path prefix;
    return prefix;
}

std::optional<std::string> small_file(const fs::path& file, std::uintmax_t largest) {
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    if (ec || size > largest) return std::nullopt;
    // One read of the known size: a stream would copy the text twice.
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (in == nullptr) return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    text.resize(std::fread(text.data(), 1, text.size(), in));
    std::fclose(in);
    return text;
}

// A prefix's user.reg up to the end of the simulator's keys: on a desktop's first start the
// registries of a few dozen prefixes are not in the disk cache, and most of each lies after.
std::optional<std::string> registry_head(const fs::path& file) {
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    if (ec || size > kLargestRegistry) return std::nullopt;
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (in == nullptr) return std::nullopt;
    std::string text;
    std::size_t checked = 0;
    std::array<char, kRegistryChunk> chunk{};
    for (std::size_t n = 0; (n = std::fread(chunk.data(), 1, chunk.size(), in)) > 0;) {
        text.append(chunk.data(), n);
        const std::size_t end = text.rfind('\n');
        if (end == std::string::npos || end < checked) continue;
        if (past_simulator_sections(std::string_view(text).substr(checked, end + 1 - checked)))
            break;
        checked = end + 1;
    }
    std::fclose(in);
    return text;
}

struct Place {
    fs::path prefix;
    std::string tool;
};

// The prefixes found so far, each once however it was reached.
class Places {
  public:
    void add(const fs::path& prefix, const std::string& tool) {
        std::error_code ec;
        if (!fs::is_regular_file(prefix / "user.reg", ec)) return;
        const fs::path real = fs::canonical(prefix, ec);
        if (ec || std::find(seen_.begin(), seen_.end(), real) != seen_.end()) return;
        seen_.push_back(real);
        list_.push_back({prefix, tool});
    }

    // Each folder directly in `folder`, with `below` appended (Proton's "pfx").
    void add_each_in(const fs::path& folder, const std::string& tool, const char* below = "") {
        std::error_code ec;
        fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec))
            add(*below != '\0' ? it->path() / below : it->path(), tool);
    }

    [[nodiscard]] const std::vector<Place>& list() const { return list_; }

  private:
    std::vector<fs::path> seen_;
    std::vector<Place> list_;
};

fs::path with_home(const std::string& path, const fs::path& home) {
    if (path == "~") return home;
    if (path.rfind("~/", 0) == 0) return home / path.substr(2);
    return path;
}

void add_lutris(Places& places, const fs::path& home) {
    for (const char* games : {".config/lutris/games", ".local/share/lutris/games"}) {
        std::error_code ec;
        fs::directory_iterator it(home / games, fs::directory_options::skip_permission_denied, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            if (it->path().extension() != ".yml") continue;
            const auto text = small_file(it->path(), kLargestListFile);
            if (!text) continue;
            if (auto prefix = lutris_game_prefix(*text))
                places.add(with_home(*prefix, home), "Lutris");
        }
    }
    // Lutris's default place for a new game's prefix.
    places.add_each_in(home / "Games", "Lutris");
}

void add_steam(Places& places, const fs::path& home) {
    std::vector<fs::path> libraries;
    for (const char* root : {".steam/steam", ".local/share/Steam",
                             ".var/app/com.valvesoftware.Steam/.local/share/Steam"}) {
        libraries.push_back(home / root);
        if (auto vdf = small_file(home / root / "steamapps/libraryfolders.vdf", kLargestListFile))
            for (const std::string& folder : steam_library_folders(*vdf))
                libraries.push_back(with_home(folder, home));
    }
    std::vector<fs::path> seen;
    for (const fs::path& library : libraries) {
        std::error_code ec;
        const fs::path real = fs::canonical(library, ec);
        if (ec || std::find(seen.begin(), seen.end(), real) != seen.end()) continue;
        seen.push_back(real);
        places.add_each_in(library / "steamapps/compatdata", "Steam Proton", "pfx");
    }
}

std::vector<Place> known_prefixes(const fs::path& home) {
    Places places;
    places.add(home / ".wine", "Wine");
    add_lutris(places, home);
    places.add_each_in(home / ".local/share/bottles/bottles", "Bottles");
    places.add_each_in(home / ".var/app/com.usebottles.bottles/data/bottles/bottles",
                       "Bottles Flatpak");
    add_steam(places, home);
    places.add_each_in(home / ".PlayOnLinux/wineprefix", "PlayOnLinux");
    places.add_each_in(home / ".cxoffice", "CrossOver");
    return places.list();
}

struct SimulatorKey {
    int version;
    const char* key;
    const char* log; ///< the simulator's log below its installation folder
};
constexpr std::array<SimulatorKey, 3> kSimulatorKeys = {{
    {1, "Software\\Condor", "Logfile.txt"},
    {2, "Software\\Condor2", "Logs\\Logfile.txt"},
    {3, "Software\\Condor3", "Logs\\Logfile.txt"},
}};

struct Simulator {
    std::vector<int> versions;
    std::optional<fs::file_time_type> last_flown; ///< newest simulator log
};

Simulator simulator_in(const fs::path& prefix) {
    Simulator sim;
    const auto text = registry_head(prefix / "user.reg");
    if (!text) return sim;
    const WineRegistry reg = WineRegistry::parse(simulator_sections(*text));
    for (const SimulatorKey& k : kSimulatorKeys) {
        if (!reg.has_key(k.key)) continue;
        sim.versions.push_back(k.version);
        const auto folder = reg.find(k.key, "InstallDir");
        if (!folder || folder->data.empty()) continue;
        std::string log = folder->data;
        if (log.back() != '\\') log += '\\';
        std::error_code ec;
        const auto written = fs::last_write_time(native_path_in(prefix, log + k.log), ec);
        if (!ec && (!sim.last_flown || written > *sim.last_flown)) sim.last_flown = written;
    }
    return sim;
}

std::string versions_text(const std::vector<int>& versions) {
    std::string out;
    for (const int v : versions)
        out += (out.empty() ? "" : ", ") + std::to_string(v);
    return out;
}

std::string time_text(fs::file_time_type when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(when)));
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

struct Found {
    Place place;
    Simulator sim;
};

std::string found_line(const Found& f) {
    std::string line = "Wine prefix with Condor " + versions_text(f.sim.versions) + " (" +
                       f.place.tool + ") : " + f.place.prefix.string();
    line += f.sim.last_flown ? " : simulator log written " + time_text(*f.sim.last_flown)
                             : " : no simulator log";
    return line;
}

// The one flown last; the first found when no log tells.
const Found& flown_last(const std::vector<Found>& found) {
    const Found* best = &found.front();
    for (const Found& f : found)
        if (f.sim.last_flown &&
            (!best->sim.last_flown || *f.sim.last_flown > *best->sim.last_flown))
            best = &f;
    return *best;
}

std::vector<std::string> search(const fs::path& home) {
    const auto start = std::chrono::steady_clock::now();
    const std::vector<Place> places = known_prefixes(home);
    std::vector<Found> found;
    for (const Place& p : places)
        if (Simulator sim = simulator_in(p.prefix); !sim.versions.empty())
            found.push_back({p, std::move(sim)});
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();

    std::vector<std::string> lines;
    lines.push_back("Wine prefixes looked for in " + home.string() + " : " +
                    std::to_string(places.size()) + " found, " + std::to_string(found.size()) +
                    " with Condor, in " + std::to_string(ms) + " ms");
    for (const Found& f : found)
        lines.push_back(found_line(f));
    if (found.empty()) {
        chosen() = home / ".wine";
        lines.push_back("Wine prefix : " + chosen().string() + " (no prefix holds Condor)");
        return lines;
    }
    const Found& pick = flown_last(found);
    chosen() = pick.place.prefix;
    std::string why = "the only one with Condor";
    if (found.size() > 1)
        why = pick.sim.last_flown ? "Condor was flown there last"
                                  : "no simulator log tells which was flown last: the first found";
    lines.push_back("Wine prefix : " + chosen().string() + " (" + why + ")");
    return lines;
}

} // namespace

fs::path settled_wine_prefix() {
    return chosen();
}

std::vector<std::string> settle_wine_prefix(std::string_view pinned) {
    chosen().clear();
    if (auto env = get_env("WINEPREFIX"); env && !env->empty())
        return {"Wine prefix : " + *env + " (WINEPREFIX)"};
    const auto home_env = get_env("HOME");
    const fs::path home = home_env ? fs::path(*home_env) : fs::path();
    if (pinned.empty() && home.empty()) return {"Wine prefix : no home folder to look in"};
    if (pinned.empty()) return search(home);

    chosen() = with_home(std::string(pinned), home);
    const Simulator sim = simulator_in(chosen());
    std::string line = "Wine prefix : " + chosen().string() + " (setting Wine prefix)";
    line += sim.versions.empty() ? " : it holds no Condor registry key"
                                 : " : Condor " + versions_text(sim.versions);
    return {line};
}

std::vector<std::string> wine_prefix_help() {
    return {
        " The simulator's Wine prefix: WINEPREFIX when set, else the setting \"Wine prefix\",",
        " else of the prefixes of Wine (~/.wine), Lutris, Bottles, Steam (Proton), PlayOnLinux",
        " and CrossOver that hold Condor, the one where it was flown last (the log tells which).",
    };
}

} // namespace kalveo
