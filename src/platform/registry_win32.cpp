#include "platform/registry.h"

#include <cstdio>
#include <string>
#include <windows.h>

namespace kalveo {

int RdUsrReg(std::string_view subkey, std::string_view name, std::string& outval, int& len) {
    const HKEY root = len < 0 ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
    const std::string key(subkey);
    const std::string value_name(name);
    outval.clear();
    len = 0;
    std::printf("Subkey,name : %s %s \n", key.c_str(), value_name.c_str());
    HKEY handle = nullptr;
    const LONG open_status = RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle);
    std::printf("USER Open Status : %ld\n", open_status);
    if (open_status != ERROR_SUCCESS) return static_cast<int>(open_status);

    char buffer[kRegistryValueMax + 1] = {};
    DWORD size = kRegistryValueMax;
    DWORD type = 0;
    const LONG query_status = RegQueryValueExA(handle, value_name.c_str(), nullptr, &type,
                                               reinterpret_cast<BYTE*>(buffer), &size);
    std::printf("Query Status, Length : %ld %lu\n", query_status, size);
    if (query_status == ERROR_SUCCESS) {
        buffer[size < sizeof buffer ? size : sizeof buffer - 1] = '\0';
        outval = buffer;
        len = static_cast<int>(outval.size());
        std::printf("value : %s \n", outval.c_str());
    }
    const LONG close_status = RegCloseKey(handle);
    // A missing value under an existing key is a failure, not an empty success.
    const int status = query_status != ERROR_SUCCESS ? static_cast<int>(query_status)
                                                     : static_cast<int>(close_status);
    std::printf("Status : %d\n", status);
    return status;
}

} // namespace kalveo
