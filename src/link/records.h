// link/records: the telemetry ports and the forward target from the settings.
#pragma once

#include <string>

namespace kalveo {

struct Communic0Record {
    /// Local UDP port on which the simulator's datagrams arrive.
    int udp_port = 55278;
    /// UDP port every datagram is forwarded to; 0 or negative: no forwarding.
    int fwd_port = 0;
};

struct CommunicCRecord {
    /// Forward target as dotted IPv4 text (at most 32 characters).
    std::string fwd_addr = "127.0.0.1";
    /// Kept in the settings file only; nothing in the program uses it (at most 8 characters).
    std::string cmprt;
};

extern Communic0Record communic_0;
extern CommunicCRecord communic_c;

} // namespace kalveo
