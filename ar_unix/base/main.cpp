// The client's entry point.  It starts the services in their fixed order,
// registering each shutdown with atexit right after the start, so that at
// exit they stop in exactly the reverse order.
#include <cstdlib>

#include "ConfigurationManager.h"
#include "FileManager.h"
#include "MemoryManager.h"
#include "PerformanceManager.h"
#include "TWReport.h"

namespace {

void deleteGlobalList() {
    delete g_globalList;
    g_globalList = nullptr;
}

}  // namespace

int main() {
    TWReport::start();
    atexit(TWReport::stop);
    TWReport::error("reached main!\n");

    PerformanceManager::startup();
    atexit(PerformanceManager::shutdown);

    MemoryManager::startup();
    atexit(MemoryManager::shutdown);

    ConfigurationManager::startup();
    atexit(ConfigurationManager::shutdown);
    ConfigurationManager::loadFromFile("tw.cfg");

    g_globalList = new CGlobalList;
    atexit(deleteGlobalList);

    FileManager::startup();
    atexit(FileManager::shutdown);

    TWReport::print("Main Program Loop. Start.\n");
    return 0;
}
