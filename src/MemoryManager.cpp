#include "MemoryManager.h"

#include <cstdlib>

#include "TWReport.h"

namespace {
bool s_started = false;
}

CGlobalList* g_globalList = nullptr;

void MemoryManager::startup() {
    TWReport::print("MemoryManager::start\n");
    if (!s_started) {
        s_started = true;
        TWReport::print("MemoryManager::started\n");
    }
}

void MemoryManager::shutdown() {
    TWReport::print("MemoryManager::shutdown: stopping...\n");
    if (s_started) {
        report();
        s_started = false;
        TWReport::print("MemoryManager::stopped.\n");
    }
}

void MemoryManager::report() {
    TWReport::print("MemoryManager::report:\n");
    TWReport::print(
        " MemoryManager__OVERLOAD_GLOBAL_NEW_AND_DELETE not defined. nothing to report.\n");
}

void* MemoryManager::GetMem(long size) {
    if (size < 1) TWReport::error("MemoryManager::GetMem: size <= 0\n");
    void* m = malloc(size < 0 ? 0 : static_cast<size_t>(size));
    if (!m) TWReport::fatal("MemoryManager::GetMem: m == 0\n");
    return m;
}

void MemoryManager::FreeMem(void* p) {
    if (isValidPointer(p)) free(p);
}

bool MemoryManager::isValidPointer(const void* p) {
    return p && reinterpret_cast<std::uintptr_t>(p) != FREED_POINTER;
}

bool MemoryManager::validateRawPointer(const void* p, M_DWORD validationCode, const char* file,
                                       int line) {
    if (!p) {
        TWReport::warning("MemoryManager::validateRawPointer: p == 0, from file '%s', line '%d'\n",
                          file, line);
        return false;
    }
    if (reinterpret_cast<std::uintptr_t>(p) == FREED_POINTER) {
        TWReport::warning(
            "MemoryManager::validateRawPointer: p == 0xdddddddd, from file '%s', line '%d'\n", file,
            line);
        return false;
    }
    if (validationCode != VALID_OBJECT_BIT_PATTERN) {
        TWReport::warning(
            "MemoryManager::validateRawPointer: validation_code != "
            "MemoryManager::VALID_OBJECT_BIT_PATTERN, from file '%s', line '%d'\n",
            file, line);
        return false;
    }
    return true;
}

void MemoryManager::reset() {
    s_started = false;
}

CGlobalList::~CGlobalList() {
    while (head_) {
        Node* next = head_->next;
        delete head_;
        head_ = next;
    }
}
