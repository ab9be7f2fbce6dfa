// The session: connect with diversions, the message of the day, the version
// exchange passes and the program flow around them.
#include <arpa/inet.h>
#include <unistd.h>

#include <cstring>

#include "PatchClient.h"
#include "TextBufs.h"
#include "Wire.h"

// A listed name becomes a local file name and an argument of the patch
// command: only a plain name in the download folder is taken.  A leading '-'
// would make the command take the name for an option.
bool IsSafeFileName(const std::string& name) {
    if (name.empty() || name == "." || name.find("..") != std::string::npos) return false;
    if (name[0] == '-') return false;
    for (unsigned char c : name) {
        if (c == '/' || c < 0x20 || c == 0x7F || c == '"' || c == '\'' || c == '`') return false;
    }
    return true;
}

CPatchClient::CPatchClient(COutputManager& out, const char* pathPrefix) : m_out(out) {
    SetPathPrefix(pathPrefix);
}

CPatchClient::~CPatchClient() {
    KeepaliveThreadEnd();
}

bool CPatchClient::SendU32(std::uint32_t value) {
    std::uint32_t wire = htonl(value);
    return Write(&wire, 4) == 4;
}

bool CPatchClient::ReadU32(std::uint32_t& value) {
    std::uint32_t wire;
    if (ReadBlock(&wire, 4) != 4) return false;
    value = ntohl(wire);
    return true;
}

bool CPatchClient::ReadName(std::uint32_t length, std::string& name) {
    if (length > MAX_NAME_LENGTH) {
        m_out << "File name from patch server too long (" << CNumBuf(length) << " bytes)\n";
        return false;
    }
    name.assign(length, '\0');
    if (ReadBlock(name.data(), static_cast<int>(length)) != static_cast<int>(length)) {
        m_out << "Error reading file name from socket\n";
        return false;
    }
    return true;
}

bool CPatchClient::SendMessage(const std::string& message) {
    return Write(message.data(), static_cast<int>(message.size())) ==
           static_cast<int>(message.size());
}

int CPatchClient::Run(const char* versionFile) {
    if (!ReadVersionInfo(versionFile, m_versionItems, MAX_VERSION_ITEMS)) {
        m_out << "Could not read versioninfo file\n";
        return -1;
    }
    if (!ConnectToServer(m_address, m_port)) {
        Close();
        m_out << "Could not connect to a patch server\n"
              << "Make sure you have an active connection to the Internet via an ISP or a direct "
                 "connection.\n";
        return -1;
    }
    int motd = CheckMotd();
    if (motd < 0) {
        Close();
        return -1;
    }
    if (motd == 0) {
        bool sent = SendU32(0);
        Close();
        return sent ? 0 : -1;
    }
    if (!HandleSession(versionFile)) {
        Close();
        m_out << "Error during session\n";
        return -1;
    }
    return 1;
}

bool CPatchClient::ConnectToServer(unsigned address, unsigned short port) {
    for (int diversions = 0;; ++diversions) {
        m_out << "Connecting to patch server " << CIPBuf(address) << ":" << CNumBuf(port) << "\n";
        // A socket whose connect failed cannot be connected again, and a
        // diversion needs a fresh one anyway.
        if (!Resocket() || !Connect(address, port)) {
            m_out << "Could not connect to patch server " << CIPBuf(address) << ":" << CNumBuf(port)
                  << "\n";
            return false;
        }
        m_out << "Connected to patch server\n";
        SetTimeout({TIMEOUT_SECONDS, 0});

        if (!SendU32(PROTOCOL_VERSION)) {
            m_out << "Error writing to socket\n";
            return false;
        }
        std::uint32_t okay;
        if (!ReadU32(okay)) {
            m_out << "Error reading okay message from socket\n";
            return false;
        }
        if (okay != 1) {
            m_out << "Wrong protocol version\n";
            return false;
        }
        std::uint32_t serve;
        if (!ReadU32(serve)) {
            m_out << "Error reading serve message from socket\n";
            return false;
        }
        if (serve == 1) return true;

        std::uint32_t divertAddress, divertPort;
        if (!ReadU32(divertAddress)) {
            m_out << "Error reading divert address from socket\n";
            return false;
        }
        if (!ReadU32(divertPort)) {
            m_out << "Error reading divert port from socket\n";
            return false;
        }
        // A port that does not fit would connect somewhere else entirely.
        if (divertPort > 0xFFFF) {
            m_out << "Bad divert port " << CNumBuf(divertPort) << "\n";
            return false;
        }
        address = divertAddress;
        port = static_cast<unsigned short>(divertPort);
        m_out << "Diverting to " << CIPBuf(address) << ":" << CNumBuf(port) << "\n";
        Close();
        // Servers that divert to each other must not keep us going round.
        if (diversions + 1 > MAX_DIVERSIONS) {
            m_out << "Too many diversions\n";
            return false;
        }
    }
}

int CPatchClient::CheckMotd() {
    std::uint32_t status;
    if (!ReadU32(status)) {
        m_out << "Error reading motd status from socket\n";
        return -1;
    }
    if (status == 0) {
        m_out << "Error message from patch server\n";
        return -1;
    }
    if (status == 1) return 1;
    if (status > 3) {
        m_out << "Unknown response from patch server\n";
        return -1;
    }
    std::uint32_t length;
    if (!ReadU32(length)) {
        m_out << "Error reading motd length from socket\n";
        return -1;
    }
    if (length == 0) {
        m_out << "Odd, zero length motd reported\n";
        return 1;
    }
    if (length > MAX_MOTD_LENGTH) {
        m_out << "Message of the day too long (" << CNumBuf(length) << " bytes)\n";
        return -1;
    }
    m_out << "Reading message\n";
    std::string text(length, '\0');
    if (ReadBlock(text.data(), static_cast<int>(length)) != static_cast<int>(length)) {
        m_out << "Error reading motd from socket\n";
        return -1;
    }
    m_out << "Displaying message\n";
    KeepaliveThreadStart(this);
    m_out.DoMessage(text.data(), length);
    m_out << "Done displaying message\n";
    if (KeepaliveThreadEnd() < 0) {
        m_out << "Error writing to socket during keepalive messages\n";
        return -1;
    }
    return status == 2 ? 1 : 0;
}

bool CPatchClient::HandleSession(const char* versionFile) {
    for (;;) {
        m_out << "Exchanging version information with patch server\n";
        for (const VersionItem& item : m_versionItems) {
            if (!GetVersion(item.name, item.version) || !GetFileNames()) {
                // Nothing of this pass has been downloaded yet: a listed name
                // may be a file that was there before or a partial download
                // that the next run resumes, so nothing is deleted.
                EmptyList(m_downloads);
                return false;
            }
        }
        if (m_downloads.empty()) {
            End();
            m_out << "Ending session\n";
            return true;
        }
        m_out << "Getting required files\n";
        if (!GetFiles()) {
            EmptyList(m_downloads);
            return false;
        }
        m_out << "Processing files\n";
        for (const DownloadItem& file : m_downloads) {
            if (!DoFile(m_pathPrefix + file.name)) {
                EmptyList(m_downloads);
                return false;
            }
        }
        DeleteListedFiles();
        EmptyList(m_downloads);
        m_out << "Writing version information\n";
        if (!WriteVersionInfo(versionFile, m_versionItems)) {
            m_out << "Could not write versioninfo file\n";
            return false;
        }
    }
}

bool CPatchClient::GetVersion(const std::string& name, std::uint32_t version) {
    std::string message;
    AppendU32(message, 1);
    AppendString(message, name);
    AppendU32(message, version);
    if (!SendMessage(message)) {
        m_out << "Error writing to socket\n";
        return false;
    }
    return true;
}

bool CPatchClient::GetFileNames() {
    for (;;) {
        std::uint32_t nameLength;
        if (!ReadU32(nameLength)) {
            m_out << "Error reading file name length from socket\n";
            return false;
        }
        if (nameLength == 0) return true;
        std::string name;
        if (!ReadName(nameLength, name)) return false;
        std::uint32_t length;
        if (!ReadU32(length)) {
            m_out << "Error reading file length from socket\n";
            return false;
        }
        if (!IsSafeFileName(name)) {
            m_out << "Refusing file name \"" << ShownText(name, ShownAs::QuotedName)
                  << "\" from patch server\n";
            return false;
        }
        // The rest of an over-long list would be left unread and taken for
        // the answer to the next message.
        if (m_downloads.size() >= MAX_DOWNLOADS) {
            m_out << "Too many files listed by patch server\n";
            return false;
        }
        m_out << "Received file name \"" << ShownText(name, ShownAs::QuotedName) << "\" of length "
              << CNumBuf(length) << "\n";
        m_downloads.push_back({name, length});
    }
}

void CPatchClient::End() {
    SendU32(0);
    Close();
}

void CPatchClient::DeleteListedFiles() {
    for (const DownloadItem& file : m_downloads) unlink((m_pathPrefix + file.name).c_str());
}

int DoIt(COutputManager& out) {
    if (!CheckSocketSystem()) return -1;
    CPatchClient client(out, "");
    int result = client.Run("verinfo");
    if (result < 0) {
        out << "Trying alternate versioninfo file...\n";
        result = client.Run("versioninfo");
        if (result < 0) {
            out << "Your client may not be the most recent version.\n"
                << "You may be able to play the game with your current client.\n"
                << "Click OK to play the game or Cancel to abort.\n";
            return -1;
        }
    }
    return result != 0 ? 1 : 0;
}
