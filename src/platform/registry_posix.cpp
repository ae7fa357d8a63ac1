#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/wine_registry.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

namespace kalveo {
namespace {

std::optional<WineRegistry> load(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return WineRegistry::parse(text.str());
}

struct Lookup {
    int open_status = kRegistryNotFound;
    std::optional<RegistryValue> value;
};

Lookup look_up(const std::filesystem::path& file, const std::string& key, std::string_view name) {
    Lookup result;
    const auto registry = load(file);
    if (!registry || !registry->has_key(key)) return result;
    result.open_status = kRegistryOk;
    result.value = registry->find(key, name);
    return result;
}

// The classes root merges the user's classes over the machine's.
Lookup look_up_classes(std::string_view subkey, std::string_view name) {
    const std::string key = "Software\\Classes\\" + std::string(subkey);
    auto user = look_up(wine_prefix() / "user.reg", key, name);
    if (user.value) return user;
    auto machine = look_up(wine_prefix() / "system.reg", key, name);
    if (machine.open_status == kRegistryOk) return machine;
    return user;
}

} // namespace

int RdUsrReg(std::string_view subkey, std::string_view name, std::string& outval, int& len) {
    const bool classes = len < 0;
    outval.clear();
    len = 0;
    std::printf("Subkey,name : %.*s %.*s \n", static_cast<int>(subkey.size()), subkey.data(),
                static_cast<int>(name.size()), name.data());
    const Lookup found = classes ? look_up_classes(subkey, name)
                                 : look_up(wine_prefix() / "user.reg", std::string(subkey), name);
    std::printf("USER Open Status : %d\n", found.open_status);
    if (found.open_status != kRegistryOk) return found.open_status;

    int status = kRegistryNotFound;
    int length = 0;
    if (found.value) {
        length = static_cast<int>(found.value->data.size()) + 1; // with its NUL, as queried
        status = length > kRegistryValueMax ? kRegistryMoreData : kRegistryOk;
    }
    std::printf("Query Status, Length : %d %d\n", status, length);
    if (status == kRegistryOk) {
        outval = found.value->data;
        len = static_cast<int>(outval.size());
        std::printf("value : %s \n", outval.c_str());
    }
    std::printf("Status : %d\n", status);
    return status;
}

} // namespace kalveo
