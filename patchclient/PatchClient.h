// CPatchClient: one patch session against the patch server named in the
// version-info file.  The session connects (following diversions), shows the
// message of the day, sends the version of every item, downloads the files the
// server lists (resuming partial downloads), applies patch files with the
// external "patch-apply" command, merges "pat" files into its item list,
// rewrites the version-info file and repeats until the server lists nothing.
//
// Wire format: every integer is a u32 in network byte order; a string is a
// u32 length followed by that many bytes, no terminator.
//
//   client -> server   21                       protocol version, once per connection
//                      1  name version          version of one item
//                      2  name offset           file request
//                      3                        keep-alive (from the keep-alive thread)
//                      0                        end of session
//   server -> client   okay (1), then 1 (serve) or divert address port
//                      motd status [length bytes]
//                      per version: {name length}* ended by a name length of 0
//                      per request: name size {length bytes}* ended by a length of 0
//
// Everything the server sends is bounded here: names, the message of the day,
// the number of listed files and of diversions; blocks are copied in chunks.
// Names the server lists become local file names and arguments of the patch
// command, so only plain names without path parts or quotes are taken.
//
// The object lives for the whole program run; its socket is re-created for
// every connect.  The download list lives for one pass of the session.
#pragma once

#include <pthread.h>

#include <cstdint>
#include <string>
#include <vector>

#include "MySocket.h"
#include "OutputManager.h"

struct VersionItem {
    std::string name;
    std::uint32_t version = 0;
};

struct DownloadItem {
    std::string name;
    std::uint32_t length = 0;
};

class CPatchClient : public CMySocket {
public:
    static constexpr unsigned MAX_VERSION_ITEMS = 512;
    static constexpr unsigned MAX_DOWNLOADS = 512;
    static constexpr unsigned MAX_NAME_LENGTH = 512;
    static constexpr std::uint32_t MAX_MOTD_LENGTH = 1024 * 1024;
    static constexpr int MAX_DIVERSIONS = 8;
    static constexpr int PROTOCOL_VERSION = 21;
    static constexpr int TIMEOUT_SECONDS = 90;

    CPatchClient(COutputManager& out, const char* pathPrefix);
    ~CPatchClient() override;

    // -1 on failure, 0 when the message of the day says stop, 1 on success.
    int Run(const char* versionFile);

    // Version-info file and patch info files.
    bool ReadVersionInfo(const char* file, std::vector<VersionItem>& items, unsigned maximum);
    bool WriteVersionInfo(const char* file, const std::vector<VersionItem>& items);
    bool DoPatchInfoFile(const char* file);
    bool ReplaceOrAddVerItem(const std::string& name, std::uint32_t version);
    template <typename List>
    void EmptyList(List& list) {
        list.clear();
    }
    void SetPathPrefix(const char* text) { m_pathPrefix = text ? text : ""; }
    void SetClientPath(const char* text) { m_clientPath = text ? text : ""; }

    // The steps of a session; public so that tools can drive a part of it.
    bool ConnectToServer(unsigned address, unsigned short port);
    int CheckMotd();
    bool HandleSession(const char* versionFile);
    bool GetVersion(const std::string& name, std::uint32_t version);
    bool GetFileNames();
    void End();
    bool GetFiles();
    bool SendFileRequest(const std::string& name, std::uint32_t offset);
    bool GetFile(const std::string& localName, std::uint32_t offset);
    bool DoFile(const std::string& localName);

    // Read access for tests and tools.
    const std::vector<VersionItem>& VersionItems() const { return m_versionItems; }
    const std::vector<DownloadItem>& Downloads() const { return m_downloads; }
    const std::string& PathPrefix() const { return m_pathPrefix; }
    const std::string& ClientPath() const { return m_clientPath; }
    std::uint32_t Version() const { return m_version; }
    unsigned ServerAddress() const { return m_address; }
    unsigned short Port() const { return m_port; }

private:
    bool SendU32(std::uint32_t value);
    // False on an error, a time-out or the end of the stream.
    bool ReadU32(std::uint32_t& value);
    // The bytes of a name whose length the server gave, at most
    // MAX_NAME_LENGTH of them.
    bool ReadName(std::uint32_t length, std::string& name);
    bool SendMessage(const std::string& message);
    bool RunPatchCommand(const std::string& localName);
    void DeleteListedFiles();

    // Keep-alive thread: writes message 3 every 10 s on the given socket
    // while the session waits for the user or the patch command.
    bool KeepaliveThreadStart(CMySocket* socket);
    // Stops and joins the thread; -1 when a keep-alive could not be sent.
    int KeepaliveThreadEnd();
    static void* MyControllingFunction(void* arg);

    std::string m_pathPrefix;
    std::string m_clientPath = ".";
    std::uint32_t m_version = 0;
    unsigned m_address = 0;
    unsigned m_a = 0, m_b = 0, m_c = 0, m_d = 0;
    unsigned short m_port = 8888;
    std::vector<DownloadItem> m_downloads;
    std::vector<VersionItem> m_versionItems;
    COutputManager& m_out;
    pthread_t m_keepaliveThread{};
    bool m_keepaliveRunning = false;
};

// A name the server lists is taken only when it is a plain file name: not
// empty, not ".", not starting with '-', without "/", "..", control
// characters or quotes.
bool IsSafeFileName(const std::string& name);

// The program flow: -1 on failure, 0 when the server said stop, else 1.
int DoIt(COutputManager& out);
