// The server-described gump: parsing its layout into the element tree.
#include "gumps/GenericGump.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "TWReport.h"
#include "gumps/InputWindow.h"
#include "resources/GraphicManager.h"
#include "resources/GumpArt.h"
#include "resources/SkipDraw.h"
#include "resources/UnicodeFont.h"

namespace {

int Clamped(int value) {
    return std::clamp(value, 0, CGenericGump::MAX_EXTENT);
}

int ArtWidth(int art, int* height) {
    int w = 0, h = 0;
    GetGumpArtSize(art, &w, &h);
    *height = std::max(h, 0);
    return std::max(w, 0);
}

}  // namespace

void ScanLayoutNumbers(const char* text, int* values, int count) {
    for (int i = 0; i < count; ++i) values[i] = 0;
    const char* p = text ? text : "";
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        const long long v = strtoll(p, &end, 10);
        if (end == p) return;  // not a number: this and the later fields stay 0
        values[i] = static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
        p = end;
    }
}

CGenericGumpElement::~CGenericGumpElement() {
    // Siblings are freed in a loop: a long list must not become a deep
    // recursion.  Children nest at most MAX_GROUP_DEPTH deep.
    CGenericGumpElement* child = firstChild;
    while (child) {
        CGenericGumpElement* following = child->next;
        child->next = nullptr;
        delete child;
        child = following;
    }
}

int CGenericGumpElement::Depth() const {
    int depth = 0;
    for (const CGenericGumpElement* p = parent; p; p = p->parent) ++depth;
    return depth;
}

CGenericGumpElement* CGenericGumpElement::FindGroup(int number) {
    if (kind == GROUP && group == number) return this;
    for (CGenericGumpElement* c = firstChild; c; c = c->next)
        if (CGenericGumpElement* found = c->FindGroup(number)) return found;
    return nullptr;
}

CGenericGumpElement* CGenericGumpElement::HitTest(int px, int py) {
    CGenericGumpElement* hit = nullptr;
    for (CGenericGumpElement* c = firstChild; c; c = c->next)
        if (c->page == 0 || c->page == groupPage)
            if (CGenericGumpElement* h = c->HitTest(px, py)) hit = h;
    if (hit) return hit;
    if (kind == GROUP) return nullptr;
    return px >= x && px < x + width && py >= y && py < y + height ? this : nullptr;
}

CGenericGump::CGenericGump(int xIn, int yIn, const char* layout, const M_WORD* const* lines,
                           int lineCount, M_DWORD serialIn, M_DWORD gumpIdIn)
    : CGump(xIn, yIn, nullptr, nullptr, 1, 1, 1), serial(serialIn), gumpId(gumpIdIn) {
    name = "generic gump";
    Parse(layout, lines, std::max(lineCount, 0));
    Redraw();
    PutInGump(nullptr);
}

CGenericGump::~CGenericGump() {
    CGenericGumpElement* node = firstElement;
    firstElement = nullptr;
    while (node) {
        CGenericGumpElement* following = node->next;
        node->next = nullptr;
        delete node;
        node = following;
    }
}

CGenericGumpElement* CGenericGump::FindGroup(int number) {
    for (CGenericGumpElement* e = firstElement; e; e = e->next)
        if (CGenericGumpElement* found = e->FindGroup(number)) return found;
    return nullptr;
}

void CGenericGump::Parse(const char* layout, const M_WORD* const* lines, int lineCount) {
    const char* p = layout ? layout : "";
    while (*p) {
        const char* open = strchr(p, '{');
        if (!open) break;
        p = open + 1;
        while (*p && isspace(static_cast<unsigned char>(*p))) ++p;
        char buffer[COMMAND_BUFFER];
        size_t n = 0;
        for (; *p && *p != '}'; ++p)
            if (n + 1 < sizeof buffer) buffer[n++] = *p;  // a longer command is cut
        if (*p == '}') ++p;
        while (n > 0 && isspace(static_cast<unsigned char>(buffer[n - 1]))) --n;
        buffer[n] = 0;
        char word[16];
        const char* arguments = GetLowercaseWord(buffer, word, sizeof word);
        Command(word, arguments, lines, lineCount);
    }
}

CGenericGumpElement* CGenericGump::Append(CGenericGumpElement* node) {
    CGenericGumpElement** tail = &firstElement;
    if (parseGroup_ != 0) {
        CGenericGumpElement* holder = FindGroup(parseGroup_);
        if (!holder || holder->Depth() + 1 >= MAX_GROUP_DEPTH) {
            delete node;
            return nullptr;
        }
        node->parent = holder;
        tail = &holder->firstChild;
    }
    while (*tail) tail = &(*tail)->next;
    *tail = node;
    return node;
}

void CGenericGump::Command(const char* word, const char* arguments, const M_WORD* const* lines,
                           int lineCount) {
    int v[7];
    auto line = [&](int number) {
        std::vector<M_WORD> text;
        if (lines && number >= 0 && number < lineCount && lines[number])
            for (const M_WORD* u = lines[number]; *u; ++u) text.push_back(*u);
        text.push_back(0);
        return text;
    };
    auto node = [&](int kind, int nx, int ny) {
        auto* e = new CGenericGumpElement;
        e->kind = kind;
        e->page = parsePage_;
        e->group = parseGroup_;
        e->x = Clamped(nx);
        e->y = Clamped(ny);
        return e;
    };
    if (strcmp(word, "page") == 0) {
        ScanLayoutNumbers(arguments, v, 1);
        parsePage_ = v[0];
    } else if (strcmp(word, "nodispose") == 0) {
        disposable = FALSE;
    } else if (strcmp(word, "nomove") == 0) {
        movable = FALSE;
    } else if (strcmp(word, "noclose") == 0) {
        closable = FALSE;
    } else if (strcmp(word, "group") == 0) {
        ScanLayoutNumbers(arguments, v, 1);
        CGenericGumpElement* e = node(CGenericGumpElement::GROUP, 0, 0);
        e->group = v[0];
        Append(e);
        parseGroup_ = v[0];
    } else if (strcmp(word, "gumppic") == 0) {
        ScanLayoutNumbers(arguments, v, 3);
        CGenericGumpElement* e = node(CGenericGumpElement::GUMP_PICTURE, v[0], v[1]);
        e->art = v[2];
        e->width = Clamped(ArtWidth(v[2], &e->height));
        e->height = Clamped(e->height);
        Append(e);
    } else if (strcmp(word, "tilepic") == 0) {
        ScanLayoutNumbers(arguments, v, 3);
        CGenericGumpElement* e = node(CGenericGumpElement::TILE_PICTURE, v[0], v[1]);
        e->art = v[2];
        const SkipImage image = GraphicManager::GetStaticArt(v[2]);
        e->width = image ? Clamped(image.Width()) : 0;
        e->height = image ? Clamped(image.Height()) : 0;
        Append(e);
    } else if (strcmp(word, "resizepic") == 0) {
        ScanLayoutNumbers(arguments, v, 5);
        CGenericGumpElement* e = node(CGenericGumpElement::RESIZE_FRAME, v[0], v[1]);
        e->art = v[2];
        e->width = Clamped(v[3]);
        e->height = Clamped(v[4]);
        Append(e);
    } else if (strcmp(word, "text") == 0) {
        ScanLayoutNumbers(arguments, v, 4);
        CGenericGumpElement* e = node(CGenericGumpElement::TEXT, v[0], v[1]);
        e->art = v[2];
        e->text = line(v[3]);
        int w = 0, h = 0, baseline = 0;
        UnicodeCalcInfoLine(e->text.data(), &w, &h, &baseline);
        e->width = Clamped(w + 2);
        e->height = Clamped(h + 2);
        Append(e);
    } else if (strcmp(word, "textentry") == 0) {
        ScanLayoutNumbers(arguments, v, 7);
        CGenericGumpElement* e = node(CGenericGumpElement::TEXT_ENTRY, v[0], v[1]);
        e->width = Clamped(Clamped(v[2]) + 2);
        e->height = Clamped(Clamped(v[3]) + 2);
        e->art = v[4];
        e->id = v[5];
        e->text = line(v[6]);
        if (e->text.size() > MAX_ENTRY_LENGTH + 1) {
            e->text.resize(MAX_ENTRY_LENGTH);
            e->text.push_back(0);
        }
        Append(e);
    } else if (strcmp(word, "button") == 0) {
        ScanLayoutNumbers(arguments, v, 7);
        CGenericGumpElement* e = node(CGenericGumpElement::BUTTON, v[0], v[1]);
        e->art = v[2];
        e->secondArt = v[3];
        e->buttonFlags = (v[4] ? REPLY_BUTTON : 0) | (v[5] ? PAGE_BUTTON : 0);
        e->value = v[5];
        e->id = v[6];
        e->width = Clamped(ArtWidth(v[2], &e->height));
        e->height = Clamped(e->height);
        Append(e);
    } else if (strcmp(word, "checkbox") == 0 || strcmp(word, "radio") == 0) {
        ScanLayoutNumbers(arguments, v, 6);
        CGenericGumpElement* e =
            node(word[0] == 'c' ? CGenericGumpElement::CHECKBOX : CGenericGumpElement::RADIO, v[0],
                 v[1]);
        e->art = v[2];
        e->secondArt = v[3];
        e->value = v[4] != 0;
        e->state = e->value;
        e->id = v[5];
        e->width = Clamped(ArtWidth(v[2], &e->height));
        e->height = Clamped(e->height);
        Append(e);
    }
}
