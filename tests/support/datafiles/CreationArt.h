// Fixture data of character creation: the figure pieces of the appearance
// preview (bodies, underwear, clothes, hair and facial hair styles) as grey
// pictures that hues recolour, and a small profession file with a category,
// its leaves and a top-level leaf.  Shapes and numbers are made up.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "support/datafiles/ArtFormats.h"

namespace tw::datafiles {

// (gump art id, picture) of every piece the preview draws: bodies 1888 and
// 1889, 1890/1891, pants 1848/1892, shirts 1849/1812, the hair pictures
// 1836-1847 and 1870-1880, the facial hair pictures 1881-1887.  Each
// picture is drawn with its top-left corner at the preview's anchor.
std::vector<std::pair<int, Image>> CreationFigureArt();

// A "prof.txt" whose pictures are gump arts 5800-5807 (clear of the
// front end's buttons).
std::string SampleProfessionFile();

// The texts of the "professn" section for that file: the titles (custom
// mode, an unused one, then each profession by its number), the empty entry
// that ends them, then the bodies from the introduction on.
std::vector<std::u16string> SampleProfessionTexts();
// The texts of the "citytext" section: a block for no city, then one per
// starting city (its name, then a paragraph), each ended by ".END".
std::vector<std::u16string> SampleCityTexts();

}  // namespace tw::datafiles
