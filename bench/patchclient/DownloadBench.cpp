// Download throughput of the patch program over loopback TCP: 100 MB sent in
// 4 KB and in 64 KB blocks, received by the program's own request and block
// loop into a file, beside a plain recv-and-write loop over the same stream.
#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "OutputManager.h"
#include "PatchClient.h"

namespace {

constexpr std::uint32_t kFileSize = 100u << 20;
constexpr unsigned kLoopback = 0x7F000001;

bool SendAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t rc = send(fd, p, size, MSG_NOSIGNAL);
        if (rc <= 0) return false;
        p += rc;
        size -= static_cast<size_t>(rc);
    }
    return true;
}

bool RecvAll(int fd, void* data, size_t size) {
    char* p = static_cast<char*>(data);
    while (size > 0) {
        ssize_t rc = recv(fd, p, size, 0);
        if (rc <= 0) return false;
        p += rc;
        size -= static_cast<size_t>(rc);
    }
    return true;
}

bool SendU32(int fd, std::uint32_t value) {
    value = htonl(value);
    return SendAll(fd, &value, 4);
}

// Answers file requests {2, name, offset} on one connection with the whole
// file in blocks of the given size, until the client closes.
class Sender {
public:
    explicit Sender(std::uint32_t blockSize) : block_(blockSize, 'x') {
        listen_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in at = {};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(kLoopback);
        socklen_t size = sizeof at;
        bind(listen_, reinterpret_cast<sockaddr*>(&at), size);
        listen(listen_, 1);
        getsockname(listen_, reinterpret_cast<sockaddr*>(&at), &size);
        port = ntohs(at.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~Sender() {
        thread_.join();
        close(listen_);
    }

    unsigned short port = 0;

private:
    void Serve() {
        int fd = accept(listen_, nullptr, nullptr);
        if (fd < 0) return;
        for (;;) {
            std::uint32_t head[2];
            if (!RecvAll(fd, head, sizeof head)) break;
            std::string name(ntohl(head[1]), '\0');
            std::uint32_t offset;
            if (!RecvAll(fd, name.data(), name.size()) || !RecvAll(fd, &offset, 4)) break;
            SendU32(fd, static_cast<std::uint32_t>(name.size()));
            SendAll(fd, name.data(), name.size());
            SendU32(fd, kFileSize);
            for (std::uint32_t sent = 0; sent < kFileSize;) {
                std::uint32_t n = std::min<std::uint32_t>(block_.size(), kFileSize - sent);
                SendU32(fd, n);
                SendAll(fd, block_.data(), n);
                sent += n;
            }
            SendU32(fd, 0);
        }
        close(fd);
    }

    std::string block_;
    int listen_ = -1;
    std::thread thread_;
};

// The benchmark works in a scratch folder (the program creates "patchlog" in
// its working folder); the program's progress lines go nowhere while the
// clock runs.
struct Scratch {
    std::string dir;
    std::filesystem::path oldDir = std::filesystem::current_path();
    int savedStdout = -1;

    Scratch() {
        std::string pattern = (std::filesystem::temp_directory_path() / "twbench.XXXXXX").string();
        if (mkdtemp(pattern.data())) dir = pattern;
        std::filesystem::current_path(dir);
        fflush(stdout);
        savedStdout = dup(1);
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        close(null);
    }
    ~Scratch() {
        fflush(stdout);
        dup2(savedStdout, 1);
        close(savedStdout);
        std::filesystem::current_path(oldDir);
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::string File() const { return dir + "/download.bin"; }
};

void BM_PatchClientDownload(benchmark::State& state) {
    Scratch scratch;
    Sender sender(static_cast<std::uint32_t>(state.range(0)));
    COutputManager out;
    CPatchClient client(out, "");
    if (!client.Connect(kLoopback, sender.port)) {
        state.SkipWithError("connect failed");
        return;
    }
    client.SetTimeout({90, 0});
    for (auto _ : state) {
        if (!client.SendFileRequest("download.bin", 0) || !client.GetFile(scratch.File(), 0)) {
            state.SkipWithError("download failed");
            break;
        }
    }
    client.Close();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kFileSize);
}
BENCHMARK(BM_PatchClientDownload)
    ->Arg(4096)
    ->Arg(65536)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Baseline: the same request and stream, read with plain recv into a 64 KB
// buffer and written to the file as it comes, without looking at the blocks.
void BM_PlainRecvBaseline(benchmark::State& state) {
    Scratch scratch;
    const std::uint32_t blockSize = static_cast<std::uint32_t>(state.range(0));
    Sender sender(blockSize);
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(sender.port);
    to.sin_addr.s_addr = htonl(kLoopback);
    if (connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        state.SkipWithError("connect failed");
        close(fd);
        return;
    }
    const std::string name = "download.bin";
    const size_t blocks = (kFileSize + blockSize - 1) / blockSize;
    const size_t reply = 4 + name.size() + 4 + blocks * 4 + kFileSize + 4;
    std::vector<char> buffer(64 * 1024);
    for (auto _ : state) {
        std::uint32_t request[2] = {htonl(2), htonl(static_cast<std::uint32_t>(name.size()))};
        std::uint32_t offset = 0;
        SendAll(fd, request, sizeof request);
        SendAll(fd, name.data(), name.size());
        SendAll(fd, &offset, 4);
        int file = open(scratch.File().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0664);
        size_t left = reply;
        while (left > 0) {
            ssize_t got = recv(fd, buffer.data(), std::min(buffer.size(), left), 0);
            if (got <= 0) break;
            if (write(file, buffer.data(), static_cast<size_t>(got)) != got) break;
            left -= static_cast<size_t>(got);
        }
        close(file);
        if (left != 0) {
            state.SkipWithError("download failed");
            break;
        }
    }
    close(fd);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kFileSize);
}
BENCHMARK(BM_PlainRecvBaseline)
    ->Arg(4096)
    ->Arg(65536)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
