// The simulator's user-files and pilot folders, below the user's Documents.
#include "platform/registry.h"
#include "platform/win_env.h"
#include "report/messages.h"
#include "report/trace.h"
#include "sim/install.h"

#include <cstdio>

namespace kalveo {
namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr std::size_t kPilotNameLength = 40;

// "%NAME%\rest" becomes the variable's value followed by "\rest"; false when
// the variable is unknown (the user is told).
bool expand_reference(std::string& folder) {
    const auto first = folder.find('%');
    if (first == std::string::npos) return true;
    const auto second = folder.find('%', first + 1);
    auto rest = folder.find('\\', first);
    const std::string name = folder.substr(
        first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    if (rest == std::string::npos) rest = folder.size();
    std::string value;
    int len = 0;
    if (second == std::string::npos || second > rest || MyGetEnv(name, value, len) == 0) {
        error_message_tit(kBoxError, "get_condor_user_path",
                          "Error getting environment variable/" + name);
        return false;
    }
    folder = folder.substr(0, first) + value + folder.substr(rest);
    return true;
}

// Documents folder of the current user, "" when it cannot be found.
std::string documents_folder() {
    std::string folder;
    int len = 0;
    if (RdUsrReg(kShellFolders, "Personal", folder, len) != 0 || folder.empty()) {
        trace("%s NOT READABLE\n", kShellFolders);
        return {};
    }
    if (!expand_reference(folder)) return {};
    return folder;
}

std::string get_condor_user_path(char version, bool qpilot) {
    std::string folder = documents_folder();
    if (folder.empty()) return {};
    folder += version == '2' ? "\\Condor" : "\\Condor3";
    if (qpilot) {
        const std::string key = version == '2' ? "SOFTWARE\\Condor2\\" : "SOFTWARE\\Condor3\\";
        std::string player;
        int len = 0;
        if (RdUsrReg(key, "LastPlayer", player, len) == 0 && !player.empty()) {
            player = player.substr(0, kPilotNameLength);
            folder += "\\Pilots\\" + player;
        }
        trace("player %s\n", player.c_str());
    }
    trace("Final Path : %s\n", folder.c_str());
    return folder;
}

} // namespace

int get_condor_2_path(std::string_view msgpltfldr, bool qconfirm, bool qpilot,
                      std::string& condoruserpath) {
    (void)msgpltfldr; // only the folder prompt, which is never shown, uses it
    const char version = !condoruserpath.empty() && condoruserpath.front() == '2' ? '2' : '3';
    trace("get_condor_2_path %c qconfirm=%d qpilot=%d qdocuments=1\n", version, qconfirm ? 1 : 0,
          qpilot ? 1 : 0);
    condoruserpath = get_condor_user_path(version, qpilot);
    trace("get_condor_user_path=%s\n", condoruserpath.c_str());
    return condoruserpath.empty() ? 0 : 1;
}

} // namespace kalveo
