// Downloads with resume, and the processing of what was downloaded.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "PatchClient.h"
#include "TextBufs.h"
#include "Wire.h"

namespace {

// Blocks may be up to 4 GB long; they are copied through a buffer this big.
constexpr std::uint32_t CHUNK_SIZE = 64 * 1024;

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t rc = write(fd, data, size);
        if (rc < 0 && errno == EINTR) continue;
        if (rc <= 0) return false;
        data += rc;
        size -= static_cast<size_t>(rc);
    }
    return true;
}

}  // namespace

bool CPatchClient::GetFiles() {
    for (const DownloadItem& file : m_downloads) {
        std::string localName = m_pathPrefix + file.name;
        const std::string shown = ShownText(file.name, ShownAs::QuotedName);
        std::uint32_t offset = 0;
        struct stat st;
        if (stat(localName.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            if (static_cast<unsigned long long>(st.st_size) == file.length) {
                m_out << "Using existing file \"" << shown << "\" of size " << CNumBuf(file.length)
                      << "\n";
                continue;
            }
            if (static_cast<unsigned long long>(st.st_size) < file.length) {
                offset = static_cast<std::uint32_t>(st.st_size);
                m_out << "Resuming transfer of file \"" << shown << "\" at offset "
                      << CNumBuf(offset) << "\n";
            }
        }
        m_out << "Sending request for file \"" << shown << "\" of size " << CNumBuf(file.length)
              << "\n";
        if (!SendFileRequest(file.name, offset)) return false;
        m_out << "Receiving \"" << shown << "\"\n";
        if (!GetFile(localName, offset)) {
            m_out << "Error receiving \"" << shown << "\"\n";
            return false;
        }
    }
    return true;
}

bool CPatchClient::SendFileRequest(const std::string& name, std::uint32_t offset) {
    std::string message;
    AppendU32(message, 2);
    AppendString(message, name);
    AppendU32(message, offset);
    if (!SendMessage(message)) {
        m_out << "Error writing to socket\n";
        return false;
    }
    return true;
}

bool CPatchClient::GetFile(const std::string& localName, std::uint32_t offset) {
    std::uint32_t nameLength;
    if (!ReadU32(nameLength)) {
        m_out << "Error reading file name length from socket\n";
        return false;
    }
    if (nameLength == 0) {
        m_out << "Server refused to send file\n";
        return false;
    }
    std::string name;
    if (!ReadName(nameLength, name)) return false;
    std::uint32_t size;
    if (!ReadU32(size)) {
        m_out << "Error reading file size from socket\n";
        return false;
    }
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (offset > 0 ? O_APPEND : O_TRUNC);
    int fd = open(localName.c_str(), flags, 0664);
    if (fd < 0) {
        m_out << "Error writing file\n";
        return false;
    }
    m_out << "Reading file \"" << ShownText(name, ShownAs::QuotedName) << "\" of size "
          << CNumBuf(size) << " as file name \"" << ShownText(localName, ShownAs::QuotedName)
          << "\"\n";
    m_out.SetProgressRange(0, size);
    m_out.SetProgressStatus(offset);

    // Blocks are gathered in the chunk and written a chunk at a time: a
    // server that sends small blocks costs no more writes than one that
    // sends large ones.
    unsigned long long total = offset;
    std::string chunk(CHUNK_SIZE, '\0');
    size_t filled = 0;
    auto writeChunk = [&] {
        bool written = WriteAll(fd, chunk.data(), filled);
        filled = 0;
        if (!written) m_out << "Error writing file\n";
        return written;
    };
    for (;;) {
        std::uint32_t blockLength;
        if (!ReadU32(blockLength)) {
            // What did arrive is good data at its place; keeping it lets the
            // next run resume after it.
            writeChunk();
            m_out << "Error reading block length from socket\n";
            close(fd);
            return false;
        }
        if (blockLength == 0) break;
        // The file ends at its announced size: a server that sends more is
        // not sending this file, and would fill the disk.  What came before
        // stays, as for any broken download.
        if (total > size || blockLength > size - total) {
            writeChunk();
            m_out << "File data beyond the announced size of " << CNumBuf(size)
                  << " bytes from socket\n";
            close(fd);
            return false;
        }
        while (blockLength > 0) {
            int want = static_cast<int>(std::min<size_t>(blockLength, CHUNK_SIZE - filled));
            int got = ReadBlock(chunk.data() + filled, want);
            if (got > 0) {
                filled += static_cast<size_t>(got);
                total += static_cast<unsigned>(got);
                blockLength -= static_cast<std::uint32_t>(got);
                m_out.IncreaseProgressStatus(static_cast<std::uint32_t>(got));
            }
            if ((filled == CHUNK_SIZE || got != want) && !writeChunk()) {
                close(fd);
                return false;
            }
            if (got != want) {
                m_out << "Error reading file block from socket\n"
                      << "To attempt to resume the transfer press Cancel and run TW again.\n";
                close(fd);
                return false;
            }
        }
    }
    if (!writeChunk()) {
        close(fd);
        return false;
    }
    if (close(fd) != 0) {
        m_out << "Error writing file\n";
        return false;
    }
    m_out << "Read a total of " << std::to_string(total) << " bytes\n";
    return true;
}

bool CPatchClient::DoFile(const std::string& localName) {
    size_t dot = localName.rfind('.');
    std::string extension = dot == std::string::npos ? localName : localName.substr(dot + 1, 511);
    if (extension == "rtp" || extension == "bz2") {
        m_out << "Applying patch " << ShownText(localName, ShownAs::QuotedName) << " on path "
              << m_clientPath << "\n";
        KeepaliveThreadStart(this);
        bool applied = RunPatchCommand(localName);
        if (KeepaliveThreadEnd() < 0) {
            m_out << "Error writing to socket during keepalive messages\n";
            return false;
        }
        if (!applied) {
            m_out << "Error applying patch\n";
            return false;
        }
        m_out << "Applied patch\n";
        return true;
    }
    if (extension == "pat") {
        if (!DoPatchInfoFile(localName.c_str())) {
            m_out << "Error reading patch info file\n";
            return false;
        }
    }
    return true;
}

// The names come from the server: they go to the command as separate
// arguments, never through a shell.
bool CPatchClient::RunPatchCommand(const std::string& localName) {
    const char* argv[] = {"patch-apply", localName.c_str(), m_clientPath.c_str(), nullptr};
    fflush(stdout);
    pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        execvp(argv[0], const_cast<char* const*>(argv));
        _exit(127);
    }
    int status;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
