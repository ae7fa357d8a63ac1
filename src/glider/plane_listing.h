// glider/plane_listing: the diagnostic listings of the plane data and polar
// nodes (standard output, and the node listing file under Details).
#pragma once

#include "glider/records.h"

#include <string>

namespace kalveo {

/// Lists the plane data and its masses on standard output after a plane-data
/// file `fnam` was read with the class word `class_word`.
void list_plane_data(const std::string& fnam, const Cndrp0Record& plane, int class_word,
                     bool condor3);

/// Echoes the nodes with their indices on standard output.
void echo_polar_nodes(const Rrrppp000Record& nodes);

/// Writes "Details\<glider>_pol.txt": the node count and fcor, then one line
/// per node. Returns false (and logs why) when the file cannot be written.
bool write_polar_listing(const std::string& glider, const PlanePolar& polar);

} // namespace kalveo
