#include "ResourcesTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "config/Config.h"
#include "resources/FontManager.h"
#include "resources/HueManager.h"
#include "resources/SkipDraw.h"
#include "resources/UnicodeFont.h"

namespace tw::test {

void ResourcesTest::SetUp() {
    static bool registered = false;
    if (!registered) {
        registered = true;
        AddServiceReset(ResetConfigForTests);
        AddServiceReset(SkipDrawHandler::reset);
        AddServiceReset(FontManager::reset);
        AddServiceReset(ResetUnicodeFontsForTests);
    }
    TwTest::SetUp();
}

void SetTestHue(int number) {
    Hue* hue = const_cast<Hue*>(HueManager::GetHue(number));
    for (int i = 0; i < 32; ++i) hue->colors[i] = static_cast<M_WORD>(0x0400 + i);
}

std::string Dump(const PixelBuffer& buffer) {
    std::string out = "\n";
    for (int y = 0; y < buffer.height; ++y) {
        for (int x = 0; x < buffer.width; ++x) {
            char cell[8];
            snprintf(cell, sizeof cell, "%04X ", buffer.at(x, y));
            out += cell;
        }
        out += "\n";
    }
    return out;
}

namespace {

std::string Picture(const std::string& name, const PixelBuffer& buffer) {
    static const char kSymbols[] =
        ".abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::map<M_WORD, char> symbol;
    std::string rows, legend;
    for (int y = 0; y < buffer.height; ++y) {
        for (int x = 0; x < buffer.width; ++x) {
            const M_WORD p = buffer.at(x, y);
            auto it = symbol.find(p);
            if (it == symbol.end()) {
                const size_t n = symbol.size();
                const char c = n < sizeof kSymbols - 1 ? kSymbols[n] : '?';
                it = symbol.emplace(p, c).first;
                char line[32];
                snprintf(line, sizeof line, "%c %04X\n", c, p);
                legend += line;
            }
            rows += it->second;
        }
        rows += "\n";
    }
    std::ostringstream out;
    out << "# " << name << ": " << buffer.width << " x " << buffer.height << "\n" << legend << rows;
    return out.str();
}

}  // namespace

::testing::AssertionResult MatchesGolden(const std::string& name, const PixelBuffer& buffer) {
    const std::string path = std::string(TW_GOLDEN_DIR) + "/" + name + ".txt";
    const std::string actual = Picture(name, buffer);
    const char* update = getenv("TW_UPDATE_GOLDEN");
    if (update && *update == '1') {
        std::ofstream(path, std::ios::binary) << actual;
        return ::testing::AssertionSuccess() << "rewrote " << path;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return ::testing::AssertionFailure() << "no golden picture " << path << "\n" << actual;
    std::stringstream expected;
    expected << in.rdbuf();
    if (expected.str() == actual) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "differs from " << path << "\nexpected:\n"
                                         << expected.str() << "actual:\n"
                                         << actual;
}

}  // namespace tw::test
