// glider/plane_listing: the diagnostic listings of the plane data and polar
// nodes (standard output, and the node listing file under Details).
#pragma once

#include <string>

namespace kalveo {

/// Lists cndrp0 and the masses on standard output after a plane-data file
/// `fnam` was read with the class word `class_word`.
void list_plane_data(const std::string& fnam, int class_word, bool condor3);

/// Echoes the nodes of rrrppp000 with their indices on standard output.
void echo_polar_nodes();

/// Writes "Details\<glider>_pol.txt": the node count and fcor, then one line
/// per node. Returns false (and logs why) when the file cannot be written.
bool write_polar_listing(const std::string& glider);

} // namespace kalveo
