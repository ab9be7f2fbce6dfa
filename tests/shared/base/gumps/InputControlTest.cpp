// The input field: key sequences in every mode, the click that takes the
// keyboard, the double click's mobile target and its 0x98 message, and the
// field's picture.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "gumps/GumpManager.h"
#include "gumps/InputControlGump.h"
#include "gumps/TextManager.h"
#include "net/ClientSock.h"
#include "support/LoopbackServer.h"
#include "world/Mobile.h"

namespace {

using Field = CInputControlGump;
using tw::test::ControlTest;

constexpr int kEnd = Field::KEY_END, kHome = Field::KEY_HOME, kLeft = Field::KEY_LEFT,
              kRight = Field::KEY_RIGHT, kUp = Field::KEY_UP, kDown = Field::KEY_DOWN,
              kDel = Field::KEY_DELETE, kBack = Field::KEY_BACKSPACE;

// Key codes: the characters of a text, then the given codes.
std::vector<int> Keys(const std::string& typed, std::vector<int> more = {}) {
    std::vector<int> keys(typed.begin(), typed.end());
    keys.insert(keys.end(), more.begin(), more.end());
    return keys;
}
std::vector<int> operator+(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class RecordingTextManager : public TextManagerService {
public:
    void startup() override {}
    void shutdown() override {}
    void CloseJournalFile() override {}
    void AddSystemMessage(int hue, int font, const char* text) override {
        messages.push_back(std::string(text) + " " + std::to_string(hue) + " " +
                           std::to_string(font));
    }
    void SendSpeech(const char*, int, int) override {}
    void AddJournalText(const char*, M_DWORD) override {}
    void AddJournalText(const M_WORD*, M_DWORD) override {}
    std::vector<std::string> messages;
};

class RecordingTargetCursor : public InputTargetCursor {
public:
    BOOL IsTargeting() override { return targeting; }
    void SetTargetCursor(int kind, void (*cb)(CDrawItem*)) override {
        targeting = TRUE;
        calls.push_back("SetTargetCursor " + std::to_string(kind));
        callback = cb;
    }
    void EndTarget() override {
        targeting = FALSE;
        calls.push_back("EndTarget");
        callback = nullptr;
    }
    BOOL targeting = FALSE;
    void (*callback)(CDrawItem*) = nullptr;
    std::vector<std::string> calls;
};

class InputControlTest : public ControlTest {
protected:
    // An art-less text field of width x 20 in font 5, linked to the owner.
    Field* NewField(int mode = Field::TEXT, int max = 30, int width = 100, int height = 20) {
        auto* field = new Field(10, 10, owner, width, height, mode, max, 5, 902, TRUE, FALSE, 0);
        field->PutInGump(owner);
        return field;
    }
    // Focuses the field and sends the keys; the owner's calls start empty.
    void Type(Field* field, const std::vector<int>& keys) {
        CGumpManager::SetActiveGump(field);
        owner->calls.clear();
        for (int k : keys) field->HandleKey(k);
    }
    int Notifications() const {
        int n = 0;
        for (const auto& c : owner->calls) n += c.rfind("HandleButton", 0) == 0;
        return n;
    }

    void SetUp() override {
        ControlTest::SetUp();
        // After the fixture installed the program's stand-ins.
        textService_.emplace(&texts);
        targetService_.emplace(&targetCursor);
    }
    void TearDown() override {
        ControlTest::TearDown();
        targetService_.reset();
        textService_.reset();
    }

    RecordingTextManager texts;
    RecordingTargetCursor targetCursor;
    std::optional<tw::ScopedService<TextManagerService>> textService_;
    std::optional<tw::ScopedService<InputTargetCursor>> targetService_;
};

struct KeyCase {
    const char* what;
    std::function<void(Field*)> setUp;
    std::vector<int> keys;
    std::string text;
    int caret;
    int notifications;
};

TEST_F(InputControlTest, KeySequencesEditTheTextAndTellTheOwnerOfEachChange) {
    const KeyCase cases[] = {
        {"typing", nullptr, Keys("abc"), "abc", 3, 3},
        {"Home then typing inserts at the start", nullptr, Keys("abc", {kHome}) + Keys("x"), "xabc",
         1, 4},
        {"Left Left Backspace", nullptr, Keys("abcd", {kLeft, kLeft, kBack}), "acd", 1, 5},
        {"Home Delete", nullptr, Keys("abcd", {kHome, kDel}), "bcd", 0, 5},
        {"Delete at the end does nothing", nullptr, Keys("abc", {kDel}), "abc", 3, 3},
        {"Backspace on an empty field does nothing", nullptr, {kBack, kDel}, "", 0, 0},
        {"Backspace at the start removes nothing but tells", nullptr, Keys("ab", {kHome, kBack}),
         "ab", 0, 3},
        {"Right stops at the end, End goes there", nullptr,
         Keys("abc", {kHome, kRight, kRight, kRight, kRight, kHome, kEnd}) + Keys("d"), "abcd", 4,
         4},
        {"Up and Down are ignored", nullptr, Keys("ab", {kUp, kDown, kLeft}) + Keys("x"), "axb", 2,
         3},
        {"the length limit refuses silently", [](Field* f) { f->max = 3; }, Keys("abcd"), "abc", 3,
         3},
        {"alphanumeric only", [](Field* f) { f->alphanumericOnly = TRUE; }, Keys("a-b 1!Z"), "ab1Z",
         4, 4},
        {"name characters only", [](Field* f) { f->nameCharsOnly = TRUE; }, Keys("Jo-n. O'x!2_"),
         "Jo-n. O'x2", 10, 10},
        {"characters without a glyph are refused", nullptr, Keys("a\x01\x7f\xe9z"), "az", 2, 2},
        // Width 40: the text and the caret mark must stay narrower than 34
        // pixels, 6 a character: four characters and the mark.
        {"fit width refuses the character that does not fit", [](Field* f) { f->fitWidth = TRUE; },
         Keys("abcdef"), "abcd", 4, 4},
        // Height 20 and wrap width 34: two rows of five characters, the
        // last place taken by the caret mark.
        {"wrap refuses the character that needs a third row", [](Field* f) { f->wrap = TRUE; },
         Keys("abcdefghijkl"), "abcdefghi", 9, 9},
        {"list mode types and erases but does not move the caret",
         [](Field* f) { f->mode = Field::LIST; }, Keys("abc", {kLeft, kHome, kBack}), "ab", 2, 4},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        const bool narrow = std::string(c.what).find("fit width") != std::string::npos ||
                            std::string(c.what).find("wrap") != std::string::npos;
        Field* field = NewField(Field::TEXT, 30, narrow ? 40 : 100);
        if (c.setUp) c.setUp(field);
        Type(field, c.keys);
        EXPECT_STREQ(field->text, c.text.c_str());
        EXPECT_EQ(field->caret, c.caret);
        EXPECT_EQ(Notifications(), c.notifications);
        delete field;
    }
}

TEST_F(InputControlTest, NumberModeKeepsTheValueWithinItsMaximum) {
    Field* field = NewField(Field::NUMBER, 100);
    Type(field, Keys("1x00"));
    EXPECT_EQ(field->value, 100);
    EXPECT_EQ(Notifications(), 3) << "the letter is refused";
    Type(field, Keys("0"));
    EXPECT_EQ(field->value, 100) << "1000 is beyond the maximum";
    EXPECT_EQ(Notifications(), 0);
    Type(field, {kBack});
    EXPECT_EQ(field->value, 10);
    Type(field, {kBack, kBack, kBack});
    EXPECT_EQ(field->value, 0);
    EXPECT_EQ(Notifications(), 2) << "Backspace on 0 does nothing";
    Type(field, Keys("9", {kHome, kLeft}) + Keys("9"));
    EXPECT_EQ(field->value, 99) << "Home and Left do not move a number's caret";
}

TEST_F(InputControlTest, TheMaximumLengthIsClampedToTheTextBuffer) {
    Field* field = NewField(Field::TEXT, 500);
    EXPECT_EQ(field->max, Field::MAX_TEXT);
    Type(field, Keys(std::string(300, 'a')));
    EXPECT_EQ(field->TextLength(), Field::MAX_TEXT);
    EXPECT_EQ(field->text[Field::MAX_TEXT], 0);
    field->SetText(std::string(300, 'b').c_str());
    EXPECT_EQ(field->TextLength(), Field::MAX_TEXT);
}

TEST_F(InputControlTest, TheThreeFormsSizeAndPaintTheirBackground) {
    // The art-less field: transparent where no text is.
    Field* bare = NewField();
    EXPECT_TRUE(bare->clearBackground);
    EXPECT_EQ(BitmapPixel(bare, 99, 19), 0);
    // As large as its art, one row taller; or as wide as the tiled width
    // over a bar of three pieces.
    auto* sized = new Field(Field::SizedFromArt{}, 0, 0, owner, kFieldArt, 0, Field::TEXT, 10, 5,
                            902, TRUE, FALSE, 0);
    EXPECT_EQ(sized->width, 100);
    EXPECT_EQ(sized->height, 21);
    EXPECT_FALSE(sized->tiledBar);
    EXPECT_NE(BitmapPixel(sized, 99, 0), 0);
    EXPECT_EQ(BitmapPixel(sized, 99, 20), 0) << "the extra row has no art";
    auto* bar = new Field(Field::SizedFromArt{}, 0, 0, owner, 1010, 0, Field::TEXT, 10, 5, 902,
                          TRUE, FALSE, 150);
    EXPECT_EQ(bar->width, 150);
    EXPECT_TRUE(bar->tiledBar);
    EXPECT_NE(BitmapPixel(bar, 149, 0), 0) << "the bar's right piece";
    // A maximum of 0 or below takes no text.
    auto* none = new Field(0, 0, owner, 50, 20, Field::TEXT, -5, 5, 902, TRUE, FALSE, 0);
    EXPECT_EQ(none->max, 0);
    delete sized;
    delete bar;
    delete none;
}

TEST_F(InputControlTest, TheCaretScrollsTheTextAndLeftScrollsBackByEight) {
    // Width 40: 28 pixels hold four characters.
    Field* field = NewField(Field::TEXT, 30, 40);
    Type(field, Keys("abcdefghijklmnopqrst"));
    EXPECT_EQ(field->caret, 20);
    EXPECT_EQ(field->scroll, 16) << "the caret stays in sight: four characters before it";
    Type(field, {kHome});
    EXPECT_EQ(field->scroll, 0);
    Type(field, {kEnd});
    const int scrolled = field->scroll;
    ASSERT_GT(scrolled, 8);
    Type(field, std::vector<int>(static_cast<size_t>(20 - scrolled + 1), kLeft));
    EXPECT_EQ(field->caret, scrolled - 1);
    EXPECT_EQ(field->scroll, scrolled - 8);
    field->scroll = 3;
    field->caret = 3;
    Type(field, {kLeft});
    EXPECT_EQ(field->scroll, 0) << "not below 0";

    // A wrapping field shows all its rows from the first character.
    Field* wrapping = NewField(Field::TEXT, 30, 40);
    wrapping->wrap = TRUE;
    Type(wrapping, Keys("abcdefghi"));
    EXPECT_EQ(wrapping->scroll, 0);
}

TEST_F(InputControlTest, TabEnterAndEscGoToTheOwnerUnlessReadOnly) {
    Field* field = NewField();
    Type(field, {Field::KEY_TAB, Field::KEY_ENTER, Field::KEY_LINEFEED, Field::KEY_ESCAPE});
    EXPECT_EQ(owner->calls,
              (std::vector<std::string>{"OnActivate", "OnAccept", "OnAccept", "OnCancel"}));
    field->readOnly = TRUE;
    Type(field, Keys("ab", {Field::KEY_TAB, Field::KEY_ENTER, Field::KEY_ESCAPE, kBack}));
    EXPECT_TRUE(owner->calls.empty());
    EXPECT_STREQ(field->text, "");
}

TEST_F(InputControlTest, AClickTakesTheKeyboardAndPlacesTheCaret) {
    Field* plain = NewField();
    plain->SetText("abcdef");
    Field* masked = NewField();
    masked->SetText("abcdef");
    masked->masked = TRUE;
    // x - 1 = 9 pixels: one letter of 6, or two stars of 3.
    plain->HandleLButtonDown(10, 5);
    EXPECT_EQ(g_focusGump, plain);
    EXPECT_EQ(plain->caret, 1);
    masked->HandleLButtonDown(10, 5);
    EXPECT_EQ(g_focusGump, masked);
    EXPECT_EQ(masked->caret, 2) << "the caret follows the stars";
    EXPECT_EQ(owner->calls, (std::vector<std::string>{"HandleChildEvent InputControl gump",
                                                      "HandleChildEvent InputControl gump"}));

    Field* list = NewField(Field::LIST);
    list->editable = FALSE;
    owner->calls.clear();
    list->HandleLButtonDown(5, 5);
    EXPECT_EQ(g_focusGump, masked) << "a list field does not take the keyboard";
    EXPECT_EQ(owner->calls, (std::vector<std::string>{"HandleChildEvent InputControl gump",
                                                      "OpenListBox InputControl gump"}));
}

TEST_F(InputControlTest, DoubleClickAndLongPressFollowTheClock) {
    Field* field = NewField();
    field->targetMobile = TRUE;
    const auto click = [&](M_DWORD at) {
        SetNow(at);
        field->HandleLButtonDown(5, 5);
        field->HandleLButtonUp(5, 5);
        field->Tick();
    };
    click(1000);
    click(1250);
    EXPECT_EQ(texts.messages, (std::vector<std::string>{"Select a player. 0 3"}));
    EXPECT_EQ(targetCursor.calls, (std::vector<std::string>{"SetTargetCursor 2"}));
    EXPECT_EQ(owner->calls.back(), "SelectEntry InputControl gump");
    EXPECT_EQ(Field::pendingTargetField, field);

    // While a target cursor is up, a double click only selects the entry.
    owner->calls.clear();
    click(5000);
    click(5100);
    EXPECT_EQ(targetCursor.calls.size(), 1u);
    EXPECT_EQ(owner->calls.back(), "SelectEntry InputControl gump");

    // Two clicks 251 ms apart are two single clicks; a press held past the
    // double-click time is a long press, and its release no double click.
    targetCursor.targeting = FALSE;
    owner->calls.clear();
    const auto expire = [&](M_DWORD at) {
        SetNow(at);
        field->Tick();
    };
    click(9000);
    expire(9251);
    click(9251);
    expire(9502);
    SetNow(10000);
    field->HandleLButtonDown(5, 5);
    expire(10251);
    EXPECT_EQ(field->longPress, 1);
    field->HandleLButtonUp(5, 5);
    EXPECT_EQ(field->longPress, 0);
    EXPECT_EQ(field->clickState, 0);
    for (const auto& call : owner->calls) EXPECT_NE(call, "SelectEntry InputControl gump");
}

TEST_F(InputControlTest, APickedMobileFillsTheFieldAndAsksForItsName) {
    tw::test::LoopbackServer server;
    g_pGameSocket = new CClientSock;
    ASSERT_TRUE(g_pGameSocket->Connect(tw::test::LoopbackServer::kAddress, server.port()));
    ASSERT_TRUE(server.WaitForConnections(1));
    M_DWORD seed = 0;
    ASSERT_TRUE(server.ReadSeed(&seed));

    Field* field = NewField();
    field->targetMobile = TRUE;
    field->SelectMobileTarget();
    ASSERT_NE(targetCursor.callback, nullptr);

    // Not a mobile: nothing is filled or sent.
    auto* item = new CItemObj(0x40000010, 0x0F00, 0, TRUE);
    targetCursor.callback(item);
    EXPECT_EQ(texts.messages.back(), "Not a mobile. 0 3");
    EXPECT_EQ(field->value, 0);
    EXPECT_EQ(Field::pendingTargetField, nullptr);

    field->SelectMobileTarget();
    owner->calls.clear();
    auto* mobile = new CMobile(0x00012345, 400, 0);
    targetCursor.callback(mobile);
    EXPECT_EQ(field->value, 0x12345);
    EXPECT_STREQ(field->text, "(mobile)");
    EXPECT_EQ(owner->calls, (std::vector<std::string>{"HandleButton InputControl gump"}));
    EXPECT_EQ(targetCursor.calls.back(), "EndTarget");
    EXPECT_EQ(tw::test::PollMessages(server, 1),
              (std::vector<tw::test::Bytes>{{0x98, 0x00, 0x07, 0x00, 0x01, 0x23, 0x45}}));

    // A field that closes while its target is pending is forgotten.
    field->SelectMobileTarget();
    delete field;
    EXPECT_EQ(Field::pendingTargetField, nullptr);
    targetCursor.callback(mobile);
    EXPECT_EQ(texts.messages.back(), "Not a mobile. 0 3");
    delete g_pGameSocket;
    g_pGameSocket = nullptr;
}

// The looks of a field: focused with its caret (plain, masked, wrapping),
// over its art, the empty, hover, selected and read-only arts, a centred
// number, list fields with their drop-down marks, a read-only text cut with
// an ellipsis, and the line's icon and selected hue.
TEST_F(InputControlTest, PicturesOfTheFieldsLooks) {
    std::vector<tw::test::Image16> pictures;
    const auto take = [&](Field* field) { pictures.push_back(BitmapOf(field)); };
    const auto overArt = [&](int art, int mode = Field::TEXT, int height = 20) {
        auto* field = new Field(0, 0, 100, height, owner, art, kReadOnlyArt, mode, 30, 5, 902, TRUE,
                                FALSE, 0);
        field->PutInGump(owner);
        return field;
    };

    Field* focused = overArt(kFieldArt);
    Type(focused, Keys("caret", {kLeft, kLeft}));
    take(focused);
    Field* masked = overArt(kFieldArt);
    masked->masked = TRUE;
    Type(masked, Keys("secret", {kLeft}));
    take(masked);
    Field* wrapped = overArt(kFieldArt, Field::TEXT, 30);
    wrapped->wrap = TRUE;
    Type(wrapped, Keys("wrapping onto two rows"));
    take(wrapped);
    CGumpManager::DeactivateGump();
    take(wrapped);

    Field* empty = overArt(kFieldArt);
    empty->emptyArt = kEmptyArt;
    empty->hoverArt = kHoverArt;
    empty->RedrawText();
    take(empty);
    empty->HandleMouseMove(1, 1);
    take(empty);
    Field* readOnly = overArt(kFieldArt);
    readOnly->readOnly = TRUE;
    readOnly->centred = TRUE;
    readOnly->SetText("a read-only text too long");
    readOnly->RedrawText();
    take(readOnly);
    Field* number = overArt(kFieldArt, Field::NUMBER);
    number->centred = TRUE;
    number->value = 4096;
    number->RedrawText();
    take(number);
    for (int art : {2445, kFieldArt}) {
        Field* list = overArt(art, Field::LIST);
        list->centred = TRUE;
        list->SetText("Short");
        list->RedrawText();
        take(list);
    }

    auto* line = new CInputLineGump(0, 0, owner, 100, 20, Field::TEXT, 30, 5, 902, TRUE, FALSE, 0);
    line->PutInGump(owner);
    line->SetText("line");
    line->iconArt = 1020;
    line->selectedHue = 33;
    line->selected = TRUE;
    line->RedrawText();
    take(line);

    tw::test::Image16 sheet;
    sheet.width = 100;
    sheet.depth = 15;
    for (const auto& picture : pictures) {
        ASSERT_EQ(picture.width, 100);
        sheet.height += picture.height;
        sheet.pixels.insert(sheet.pixels.end(), picture.pixels.begin(), picture.pixels.end());
    }
    EXPECT_TRUE(tw::test::MatchesGolden(sheet, "shared/base/gumps/golden/input_fields.png"));
}

}  // namespace
