#include "support/ScriptedServer.h"

#include <chrono>
#include <cstdio>

namespace tw::test {

namespace {

// How long the script thread waits for one message before it looks for a
// new connection or the end.
constexpr int kStepMs = 20;

}  // namespace

ScriptedServer::ScriptedServer(Mode mode) : mode_(mode) {
    thread_ = std::thread([this] { Run(); });
}

ScriptedServer::~ScriptedServer() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    thread_.join();
}

void ScriptedServer::On(M_BYTE id, std::vector<Bytes> answer) {
    On(id, [answer](const Bytes&) { return answer; });
}

void ScriptedServer::On(M_BYTE id, Answer answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    rules_[id].answer = std::move(answer);
}

void ScriptedServer::CloseAfter(M_BYTE id, bool close) {
    std::lock_guard<std::mutex> lock(mutex_);
    rules_[id].close = close;
}

void ScriptedServer::OnConnect(std::vector<Bytes> messages) {
    std::lock_guard<std::mutex> lock(mutex_);
    onConnect_ = std::move(messages);
}

bool ScriptedServer::Send(const Bytes& message) {
    return server_.SendMessage(message);
}

void ScriptedServer::Close() {
    server_.CloseConnection();
}

void ScriptedServer::Run() {
    int handled = 0;  // connections whose seed was read
    bool reading = false;
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stop_) return;
        }
        // A new connection replaces the one being read: the client talks to
        // one server connection at a time.
        if (server_.ConnectionCount() > handled) {
            M_DWORD seed = 0;
            if (!server_.ReadSeed(&seed, kStepMs)) continue;
            ++handled;
            reading = true;
            if (mode_ == kGame) server_.SetGameMode(true);
            std::vector<Bytes> greeting;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                seeds_.push_back(seed);
                connections_ = handled;
                greeting = onConnect_;
            }
            changed_.notify_all();
            for (const Bytes& m : greeting) server_.SendMessage(m);
            continue;
        }
        if (!reading) {
            server_.WaitForConnections(handled + 1, kStepMs);
            continue;
        }
        Bytes message;
        if (!server_.ReadMessage(&message, kStepMs)) continue;
        Rule rule;
        bool hasRule = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            received_.push_back(message);
            auto it = rules_.find(message[0]);
            if (it != rules_.end()) {
                rule = it->second;
                hasRule = true;
            }
        }
        changed_.notify_all();
        if (!hasRule) continue;
        if (rule.answer)
            for (const Bytes& m : rule.answer(message)) server_.SendMessage(m);
        if (rule.close) {
            server_.CloseConnection();
            reading = false;
        }
    }
}

bool ScriptedServer::Find(M_BYTE id, size_t nth, Bytes* message) {
    size_t seen = 0;
    for (const Bytes& m : received_) {
        if (m.empty() || m[0] != id) continue;
        if (seen++ == nth) {
            if (message) *message = m;
            return true;
        }
    }
    return false;
}

bool ScriptedServer::WaitFor(M_BYTE id, Bytes* message, int timeoutMs, size_t nth) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return Find(id, nth, message); });
}

bool ScriptedServer::WaitForPolling(M_BYTE id, Bytes* message, int timeoutMs, size_t nth) {
    return PollUntil(
        [&] {
            std::lock_guard<std::mutex> lock(mutex_);
            return Find(id, nth, message);
        },
        timeoutMs);
}

std::vector<Bytes> ScriptedServer::Received() {
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

std::vector<M_DWORD> ScriptedServer::Seeds() {
    std::lock_guard<std::mutex> lock(mutex_);
    return seeds_;
}

int ScriptedServer::Connections() {
    std::lock_guard<std::mutex> lock(mutex_);
    return connections_;
}

void WriteLoginCfg(const std::string& dir, M_WORD port) {
    const std::string path = dir + "/login.cfg";
    if (FILE* f = fopen(path.c_str(), "w")) {
        fprintf(f, "LoginServer=127.0.0.1,%u\n", static_cast<unsigned>(port));
        fclose(f);
    }
}

}  // namespace tw::test
