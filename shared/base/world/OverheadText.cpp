// Texts over objects, and the texts kept while the server deletes an object
// and sends it again.
#include "world/Obj.h"
#include "world/ObjectManager.h"

namespace {

int CountTexts(CObj* object) {
    int count = 0;
    for (ObjectText* t = object->textGumps; t; t = t->nextText) ++count;
    return count;
}

// Unlinks a text from its object and deletes it.
void DeleteText(CObj* object, ObjectText* text) {
    for (ObjectText** link = &object->textGumps; *link; link = &(*link)->nextText)
        if (*link == text) {
            *link = text->nextText;
            break;
        }
    text->nextText = nullptr;
    delete text;
}

}  // namespace

void CDynamicObj::ArrangeOverheadText() {
    // Newest first: the oldest ordinary text is the last of kind 0.
    for (int count = CountTexts(this); count > 2; --count) {
        ObjectText* oldest = nullptr;
        for (ObjectText* t = textGumps; t; t = t->nextText)
            if (t->GetKind() == 0) oldest = t;
        if (!oldest) break;
        DeleteText(this, oldest);
    }
}

void CDynamicObj::AddOverheadText(const char* text, int hue, int font, CGump* ownerGump,
                                  int value) {
    ArrangeOverheadText();
    world::Texts().MakeText(this, text, hue, font, ownerGump, value, 0);
}

void CDynamicObj::ClearOverheadText() {
    for (ObjectText* t = textGumps; t;) {
        ObjectText* next = t->nextText;
        if (t->GetKind() == 0) DeleteText(this, t);
        t = next;
    }
}

void CDynamicObj::ReplaceOverheadText(const char* text, int hue, int font, CGump* ownerGump) {
    ClearOverheadText();
    world::Texts().MakeText(this, text, hue, font, ownerGump, 0, 0);
}

void CDynamicObj::SaveOverheadText() {
    for (ObjectText* t = textGumps; t; t = t->nextText) {
        const char* text = t->GetText();
        CObjectManager::recentTexts.push_back(
            {GetSerial(), 0, text ? text : "", t->hue, t->font, t->value1, t->value2});
    }
}

void CObjectManager::RestoreOverheadText(CDynamicObj* object) {
    if (!object) return;
    // Saved newest first; made again oldest first so that the order holds.
    for (size_t i = recentTexts.size(); i-- > 0;) {
        if (recentTexts[i].serial != object->GetSerial()) continue;
        const SavedOverheadText saved = recentTexts[i];
        recentTexts.erase(recentTexts.begin() + static_cast<long>(i));
        object->ArrangeOverheadText();
        world::Texts().MakeText(object, saved.text.c_str(), saved.hue, saved.font, nullptr,
                                saved.value1, saved.value2);
    }
}

void CObjectManager::AgeRecentList() {
    for (size_t i = 0; i < recentTexts.size();) {
        const int before = recentTexts[i].age++;
        if (before >= 4 && before <= 254)
            recentTexts.erase(recentTexts.begin() + static_cast<long>(i));
        else
            ++i;
    }
}

void CObjectManager::ClearRecentList() {
    recentTexts.clear();
}
