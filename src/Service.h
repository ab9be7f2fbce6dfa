// Installed services: how a module calls a service that it does not own.
//
// Libraries link one way, from the base services up to the platform layer
// and main.  Where a lower module must reach a higher one (a world object
// telling the view that it changed, the data-file cache telling the owner of
// a patched group), the lower module declares a small abstract interface in
// its own folder, and the higher module implements it.  main installs every
// implementation at start-up, in its start-up order; a service that is not
// built yet is installed from its one stand-in in shared/base/pending/.
// Tests install recording doubles through the same accessor.
//
// An interface names itself for the log line that a missing installation
// writes:
//
//     class WorldViewHooks {
//     public:
//         static constexpr const char* kServiceName = "WorldViewHooks";
//         virtual ~WorldViewHooks() = default;
//         virtual void InvalidateScreen() = 0;
//     };
//
//     tw::Service<WorldViewHooks>::Get().InvalidateScreen();
#pragma once

#include "TWReport.h"

namespace tw {

template <class Interface>
class Service {
public:
    // The installed implementation.  Using a service that nobody installed
    // is a fault of the program's start-up (or of a test), never of input.
    static Interface& Get() {
        if (!installed_)
            TWReport::fatal("tw::Service: %s is used before it was installed.\n",
                            Interface::kServiceName);
        return *installed_;
    }

    // Installs an implementation (null uninstalls) and returns the one it
    // replaces.  The implementation must outlive its installation.
    static Interface* Install(Interface* implementation) {
        Interface* previous = installed_;
        installed_ = implementation;
        return previous;
    }

    static bool IsInstalled() { return installed_ != nullptr; }

private:
    static inline Interface* installed_ = nullptr;
};

// Installs an implementation for one scope and puts the previous one back:
// how tests put a recording double in place of a service.
template <class Interface>
class ScopedService {
public:
    explicit ScopedService(Interface* implementation)
        : previous_(Service<Interface>::Install(implementation)) {}
    ~ScopedService() { Service<Interface>::Install(previous_); }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    Interface* previous_;
};

}  // namespace tw
