#include "loopback.h"
#include "platform/socket.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

TEST(ParseIpv4, AcceptsDottedQuadsOnly) {
    EXPECT_EQ(parse_ipv4("127.0.0.1"), 0x7F000001u);
    EXPECT_EQ(parse_ipv4("  192.168.1.20  "), 0xC0A80114u);
    EXPECT_EQ(parse_ipv4("0.0.0.0"), 0u);
    EXPECT_EQ(parse_ipv4("255.255.255.255"), 0xFFFFFFFFu);
    for (const char* bad :
         {"", "   ", "localhost", "256.0.0.1", "1.2.3", "1.2.3.4.5", "1..2.3", "1.2.3.", ".1.2.3",
          "1.2.3.4x", "-1.2.3.4", "1.2.3.0004", "1.2 .3.4", "0x7f.0.0.1"}) {
        EXPECT_FALSE(parse_ipv4(bad).has_value()) << bad;
    }
}

TEST(FormatIpv4, WritesWhatParseReads) {
    EXPECT_EQ(format_ipv4(0x7F000001u), "127.0.0.1");
    EXPECT_EQ(format_ipv4(0xFFFFFFFFu), "255.255.255.255");
    EXPECT_EQ(parse_ipv4(format_ipv4(0x0A01FE03u)), 0x0A01FE03u);
}

TEST(NetworkOrder, PutsTheMostSignificantByteFirstInMemory) {
    const std::uint16_t port = network_order16(55278);
    const auto* port_bytes = reinterpret_cast<const unsigned char*>(&port);
    EXPECT_EQ(port_bytes[0], 0xD7);
    EXPECT_EQ(port_bytes[1], 0xEE);
    const std::uint32_t address = network_order32(0x7F000001u);
    const auto* address_bytes = reinterpret_cast<const unsigned char*>(&address);
    EXPECT_EQ(address_bytes[0], 0x7F);
    EXPECT_EQ(address_bytes[3], 0x01);
}

TEST(UdpSocket, ReceivingFromAnEmptySocketSaysWouldBlock) {
    const testing::SocketLibrary library;
    const SocketHandle socket = udp_socket_open();
    ASSERT_NE(socket, kNoSocket);
    ASSERT_EQ(socket_bind(socket, {kIpv4Loopback, 0}), 0);
    EXPECT_EQ(socket_wait_readable(socket, 1000), 0);
    char buffer[16];
    EXPECT_EQ(socket_receive(socket, buffer, nullptr), -1);
    EXPECT_TRUE(socket_error_is_would_block(socket_last_error()));
    EXPECT_EQ(socket_close(socket), 0);
}

} // namespace
} // namespace kalveo
