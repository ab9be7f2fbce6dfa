// A recording double of the texts over objects (world/ObjectText.h): texts
// attach themselves to their object as the real ones do, keep what they were
// made with, answer their kind (the first value, or one a test sets) and
// count what the world asks of them.  It installs itself while it lives.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Service.h"
#include "world/Obj.h"
#include "world/ObjectText.h"

namespace tw::doubles {

class RecordingTexts final : public ObjectTexts {
public:
    int made = 0;
    int deleted = 0;
    int follows = 0;
    int arranges = 0;
    // Kinds by text; a text not listed answers its first value.
    std::vector<std::pair<const ObjectText*, int>> kinds;

    // The texts attached to an object, newest first.
    static std::vector<std::string> TextsOf(const CObj* object) {
        std::vector<std::string> texts;
        for (ObjectText* t = object->textGumps; t; t = t->nextText) texts.push_back(t->GetText());
        return texts;
    }

    ObjectText* MakeText(CObj* object, const char* text, int hue, int font, CGump*, int value1,
                         int value2) override {
        ++made;
        return new Text(*this, object, text, hue, font, value1, value2);
    }
    void ArrangeStack(ObjectText*) override { ++arranges; }

private:
    class Text final : public ObjectText {
    public:
        Text(RecordingTexts& texts, CObj* object, const char* text, int hueIn, int fontIn, int v1,
             int v2)
            : texts_(texts), owner_(object), text_(text ? text : "") {
            hue = static_cast<M_WORD>(hueIn);
            font = static_cast<M_WORD>(fontIn);
            value1 = v1;
            value2 = v2;
            if (object) {
                nextText = object->textGumps;
                object->textGumps = this;
            }
        }
        ~Text() override {
            // Unless the object deletes its texts itself, a text leaves its
            // list.
            if (owner_ && !g_objectDeletingTexts) {
                for (ObjectText** link = &owner_->textGumps; *link; link = &(*link)->nextText)
                    if (*link == this) {
                        *link = nextText;
                        break;
                    }
            }
            ++texts_.deleted;
        }
        int GetKind() override {
            for (const auto& [text, kind] : texts_.kinds)
                if (text == this) return kind;
            return value1;
        }
        void FollowOwner() override { ++texts_.follows; }
        const char* GetText() override { return text_.c_str(); }

    private:
        RecordingTexts& texts_;
        CObj* owner_;
        std::string text_;
    };

    tw::ScopedService<ObjectTexts> installed_{this};
};

}  // namespace tw::doubles
