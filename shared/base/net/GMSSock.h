// The message-service socket: a second connection object beside the game
// connection, for the text-based mail and messenger service.  The mail,
// messenger and HTML windows and the help-mail message turn user actions into
// command records and append them to its output.
//
// A record is one NUL-terminated 16-bit text, written as little-endian units
// with its 16-bit terminator:
//   "/x\r\n" "To: <...> ..." "\r\n" 0x0000
//
// Lifetimes: one object for the program, created at the first full logout
// from the world and replaced at every later one (connection lifetime).  It
// is never connected by this client; while it is not connected, records are
// dropped instead of piling up in a buffer that nothing drains.
#pragma once

#include <cstddef>

#include "TWTypes.h"
#include "net/ClientSock.h"

class CGMSSock : public CSocket {
public:
    static constexpr size_t kBufferSize = 65536;

    CGMSSock();
    ~CGMSSock() override;

    // Appends the text and its terminator to the output while the service is
    // connected.  A record that does not fit whole in the free room is
    // dropped with a log line.  TRUE when the record was appended.
    BOOL Write(const M_WORD* text);

    BOOL IsConnected() const { return socket_ != -1; }
    size_t OutputLength() const { return outputLength_; }
    const M_BYTE* Output() const { return output_; }
    M_DWORD GetLocalAddress() const { return localAddress_; }

    // Test support: a descriptor the tests opened stands in for a connection.
    void AdoptDescriptorForTests(int fd) { socket_ = fd; }

private:
    // Kept for the socket's layout; nothing reads them yet.
    [[maybe_unused]] M_BYTE input_[kBufferSize];
    M_BYTE output_[kBufferSize];
    [[maybe_unused]] size_t inputLength_ = 0;
    size_t outputLength_ = 0;
    [[maybe_unused]] int reserved_ = 0;
    M_DWORD localAddress_ = 0;
};

// The program's message-service socket; null until the first full logout.
extern CGMSSock* g_pGMSSock;
// The player's number on the message service; negative = none (-1 after a
// logout).  Connection lifetime.
extern int g_messageServiceUserNumber;
// The sign-in state that the mail windows read: 1 once the sign-in command
// (code 9) has been built, -1 after a logout.
extern int g_messageServiceState;
// The mail domain of the service, used in the sender's address.
extern const char* const MESSAGE_SERVICE_MAIL_DOMAIN;

// Replaces the program's message-service socket with a new one (the full
// logout does this).
void RecreateMessageServiceSocket();
