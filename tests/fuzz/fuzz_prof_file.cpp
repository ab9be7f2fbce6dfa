// The profession file reader and the tree it links, over arbitrary text.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "fuzz/FuzzSupport.h"
#include "login/ProfessionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    if (!tw::fuzz::WriteInputFile("prof.txt", data, size)) return 0;
    FILE* f = fopen("prof.txt", "r");
    if (!f) return 0;
    ProfessionList list;
    ReadProfessionFile(f, list);
    fclose(f);
    LinkProfessionParents(list);
    for (const auto& p : list) {
        if (strnlen(p->Name, sizeof p->Name) > Profession::kNameLength) __builtin_trap();
        if (strnlen(p->TrueName, sizeof p->TrueName) > Profession::kNameLength) __builtin_trap();
        for (const auto& child : p->Children)
            if (child.size() > Profession::kNameLength) __builtin_trap();
        for (const auto& skill : p->Skills)
            if (skill.index < -1 || skill.index > 48) __builtin_trap();
        // Every parent is a record of the list that names the child.
        if (p->Parent && !FindProfessionIn(list, p->Name)) __builtin_trap();
    }
    return 0;
}
