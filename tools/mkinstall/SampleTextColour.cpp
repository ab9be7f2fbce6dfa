// Colours and text: hues, palette, bitmap and Unicode fonts, the language
// files and the hue lists of the hue tools.
#include <cmath>
#include <cstdio>

#include "Sample.h"
#include "support/datafiles/CreationArt.h"

namespace mkinstall {

namespace {

using namespace tw::datafiles;

// The sections the language manager loads at start-up, each with a few
// placeholder texts.
std::vector<std::string> sectionNames() {
    std::vector<std::string> names = {"intro",    "gt_0000", "gt_1010", "gt_2000",
                                      "gt_2310",  "gt_2400", "gt_5000", "gt_5400",
                                      "skilname", "chat",    "options", "tooltips"};
    for (int i = 1; i <= 6; ++i) names.push_back(std::to_string(i) + "gen");
    for (int i = 1; i <= 46; ++i) {
        char name[16];
        snprintf(name, sizeof name, "skill%02d", i);
        names.push_back(name);
    }
    return names;
}

}  // namespace

void WriteTextAndColour(Output& out, const SampleWorld& world) {
    out.bytes("hues.mul", EncodeHues(world.hues));
    out.bytes("palette.mul", GreyPalette());
    out.text(
        "skinhue.txt",
        EncodeHueList({{200, 150, 120}, {180, 130, 100}, {0, 0, 0}, {120, 80, 60}, {90, 60, 40}}));
    out.text("hairhue.txt",
             EncodeHueList({{60, 40, 20}, {120, 90, 40}, {0, 0, 0}, {200, 200, 200}}));

    // Ten bitmap fonts in grey (hues recolour them); font 0 is twice as large.
    std::vector<std::optional<BitmapFont>> fonts(kFontCount);
    fonts[0] = TextFont(0x7FFF, 2);
    for (int i = 1; i < 10; ++i) fonts[i] = TextFont(static_cast<M_WORD>(0x7BDE - i * 0x0421));
    out.bytes("fonts.mul", EncodeFonts(fonts));

    const Bytes unicode = EncodeUnicodeFont(TextUnicodeGlyphs(1, 5));
    out.bytes("unifont.mul", unicode);
    out.bytes("unifont1.mul", EncodeUnicodeFont(TextUnicodeGlyphs(2, 1)));
    out.bytes("unifont2.mul", unicode);

    // The language codes are looked for in "language/" first and the
    // sections beside the other files first: each is where it is found at
    // the first try.
    out.bytes("language/langcode.iff",
              LanguageCodesImage({{"enu", 101, "English", "United States"}}));
    for (const std::string& name : sectionNames()) {
        LanguageSectionFile section;
        section.name = name;
        for (int i = 0; i < 8; ++i) {
            std::string text = name + " text " + std::to_string(i);
            section.texts.push_back(std::u16string(text.begin(), text.end()));
        }
        out.bytes(LanguageSectionFileName(section), LanguageSectionImage(section));
    }
    // The descriptions of character creation.
    for (LanguageSectionFile section : {LanguageSectionFile{.name = "professn",
                                                            .texts = SampleProfessionTexts()},
                                        LanguageSectionFile{.name = "citytext",
                                                            .texts = SampleCityTexts()}})
        out.bytes(LanguageSectionFileName(section), LanguageSectionImage(section));
}

}  // namespace mkinstall
