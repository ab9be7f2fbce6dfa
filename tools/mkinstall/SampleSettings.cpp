// Configuration and the small saved files of a player.
#include <cstdio>
#include <string>
#include <vector>

#include "ByteWriter.h"
#include "Sample.h"

namespace mkinstall {

namespace {

using tw::datafiles::Bytes;

// "twbscene.lst": each word's 16-bit units with 13 added, ended by the unit
// 23 (a line feed with 13 added).
Bytes wordList(const std::initializer_list<const char*>& words) {
    Bytes out;
    ByteWriter w(out);
    for (const char* word : words) {
        for (const char* c = word; *c; ++c) w.u16le(static_cast<unsigned>(*c) + 13);
        w.u16le(23);
    }
    return out;
}

// 89 key names, one a line.
std::string keyNames() {
    std::vector<std::string> names = {"Esc",      "Tab",    "Enter", "Space", "Backspace",
                                      "Insert",   "Delete", "Home",  "End",   "PageUp",
                                      "PageDown", "Up",     "Down",  "Left",  "Right"};
    char name[32];
    for (int f = 1; f <= 12; ++f) {
        snprintf(name, sizeof name, "F%d", f);
        names.push_back(name);
    }
    for (char c = 'A'; c <= 'Z'; ++c) names.push_back(std::string(1, c));
    for (char c = '0'; c <= '9'; ++c) names.push_back(std::string(1, c));
    for (int n = 0; names.size() < 89; ++n) {
        snprintf(name, sizeof name, "Keypad%d", n);
        names.push_back(name);
    }
    std::string text;
    for (const std::string& n : names) {
        text.append(n);
        text.push_back('\n');
    }
    return text;
}

}  // namespace

void WriteSettings(Output& out) {
    // Sound is off: a sample run usually has no sound device.
    out.text("tw.cfg",
             "; sample configuration\n"
             "HdUsage=max\n"
             "UseVerData=on\n"
             "Sound=off\n"
             "Music=off\n"
             "GamePlayWindowSize=640x480\n");
    out.text("login.cfg", "LoginServer=127.0.0.1,2593\n");
    out.text("version.dat", "sample installation\n");

    // Five saved speech hues (690), then five emote hues (549).
    Bytes chardata;
    ByteWriter w(chardata);
    for (int i = 0; i < 5; ++i) w.u16le(690);
    for (int i = 0; i < 5; ++i) w.u16le(549);
    out.bytes("chardata.mul", chardata);
    out.bytes("twbscene.lst", wordList({"hello", "well met"}));
    out.bytes("ignore.lst", {});
    out.text("keynames.txt", keyNames());
    out.text("macros.txt", "");
}

}  // namespace mkinstall
