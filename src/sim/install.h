// sim: the simulator's installations, pilot folders, active version and
// running state (an Installation), and its flight plan (fpl.h).
//
// Folders are kept as Windows names them ("C:\Condor3"); sim_files.h maps them
// to host paths when a file is read. Version 1 has no registry lookup.
#pragma once

#include "sim/records.h"

#include <string>
#include <string_view>

namespace kalveo {

/// Installation folder of version `nc` (1, 2 or 3) from the registry, into
/// `path`; -2 / -3 take `known`'s instpath2 / instpath3 when it has them.
/// Returns the major version that the simulator's log file names, 0 when
/// the folder, the log or its version line is missing. Unless `silent`, a
/// missing registry entry is told in an information box. Any other `nc`
/// stops the program.
int get_condor_inst_dir(int nc, std::string& path, bool silent,
                        const Installation& known = Installation{});

/// Finds versions 2 and 3 and their folders and makes the newest version found
/// the active one; its condor_version is 0 when none is found.
[[nodiscard]] Installation check_condor_install(std::string_view msgpltfldr);

/// User-files folder of version "2" or "3" (Documents\Condor, Documents\Condor3),
/// with `qpilot` the last pilot's folder below it. `condoruserpath` holds the
/// version digit on entry and the folder on return. Returns nonzero when a
/// folder was found. `qconfirm` (asking the user) is never used.
int get_condor_2_path(std::string_view msgpltfldr, bool qconfirm, bool qpilot,
                      std::string& condoruserpath);

/// Chooses the version the pilot is using now (the one whose flight plan or
/// log was written last) and makes its folders the active ones; looks for the
/// installations first when none is known.
void get_active_condor_version(Installation& installation);

/// Whether the active version is in a flight, from its log file: 1 in flight,
/// 0 not in flight or shut down, -1 started but never in flight, -999 log
/// not readable.
[[nodiscard]] int condor_running(const Installation& installation);

/// Completes a program file name: "%INST%\" becomes the program folder; a
/// name with a backslash stays; a bare name stays when `qcur` and it exists
/// in the working folder, else the program folder is put in front.
void locate_file(std::string& fff, bool qcur);

} // namespace kalveo
