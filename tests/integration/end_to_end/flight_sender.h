// Telemetry sent to the program under test, as the simulator sends it.
#pragma once

#include "platform/socket.h"
#include "replay/scenario.h"

namespace kalveo::testing {

class FlightSender {
  public:
    explicit FlightSender(int port);
    ~FlightSender();
    FlightSender(const FlightSender&) = delete;
    FlightSender& operator=(const FlightSender&) = delete;

    /// Sends 10 datagrams a second for `seconds` at a steady true airspeed (km/h), in real
    /// time; the simulator's clock runs on from one call to the next.
    void fly(double tas_kmh, double seconds);

  private:
    SocketHandle socket_ = kNoSocket;
    Ipv4Endpoint target_;
    double clock_s_ = 0.0;
};

} // namespace kalveo::testing
