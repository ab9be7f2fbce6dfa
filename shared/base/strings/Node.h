// CNode<T>: one node of a CList<T>.  The node owns its element.
#pragma once

#include <cstdio>
#include <cstring>

#include "strings/AssertFail.h"

// Copies the element type's name out of the compiler's signature text
// (`pretty`), which GCC and clang both end with "[with T = X]" or "[T = X]",
// for the assertion messages of the list templates.
inline const char* ListElementName(char* out, size_t size, const char* pretty) {
    const char* name = "T";
    size_t nameLen = 1;
    if (const char* eq = strstr(pretty, "T = ")) {
        name = eq + 4;
        nameLen = strcspn(name, ";]");
    }
    snprintf(out, size, "%.*s", static_cast<int>(nameLen), name);
    return out;
}

template <typename T>
class CNode {
public:
    CNode() = default;
    ~CNode() = default;
    CNode(const CNode&) = delete;
    CNode& operator=(const CNode&) = delete;

    // The element; a node without one is an assertion failure.
    T& GetDataRef() const {
        if (!data) {
            char name[192];
            char text[1024];
            ListElementName(name, sizeof name, __PRETTY_FUNCTION__);
            snprintf(text, sizeof text, "class %s & CNode<%s>::GetDataRef<%s>() const", name, name,
                     name);
            AssertFail("0", "shared/base/node", 121, text);
        }
        return *data;
    }

    CNode* next = nullptr;
    CNode* prev = nullptr;
    T* data = nullptr;
};
