// The skill list read from the skill data files.
#include "login/SkillList.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "resources/DHDCache.h"

SkillTextList g_skillList;

void LoadTextList() {
    SkillTextList& list = g_skillList;
    list = SkillTextList{};
    for (int i = 0; i < SkillTextList::kMaxSkills; ++i) {
        int size = 0, extra = 0;
        const M_BYTE* item = CDHDCache::GetCacheItem(FN_SKILLSIDX, FN_SKILLS, i, &size, &extra);
        if (!item || size < 1) continue;
        list.flags[i] = item[0];
        // The name runs to its NUL or the item's end, whichever comes first,
        // and is cut to its slot.
        const size_t length = strnlen(reinterpret_cast<const char*>(item + 1),
                                      std::min<size_t>(size - 1, SkillTextList::kNameSize - 1));
        memcpy(list.names[i], item + 1, length);
        list.present[i] = TRUE;
        list.order[list.count++] = static_cast<M_BYTE>(i);
    }
    // Adjacent swaps until a pass swaps nothing.
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int k = 0; k + 1 < list.count; ++k) {
            if (strcmp(list.names[list.order[k]], list.names[list.order[k + 1]]) > 0) {
                std::swap(list.order[k], list.order[k + 1]);
                swapped = true;
            }
        }
    }
}

const char* SkillListName(int index) {
    if (index < 0 || index >= SkillTextList::kMaxSkills) return "";
    return g_skillList.names[index];
}
