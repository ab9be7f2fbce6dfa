// Every fixture writer of the installed data files.
#pragma once

#include "support/datafiles/AnimFormats.h"
#include "support/datafiles/ArtFormats.h"
#include "support/datafiles/ColourFormats.h"
#include "support/datafiles/CursorArt.h"
#include "support/datafiles/DataFile.h"
#include "support/datafiles/FontFormats.h"
#include "support/datafiles/IffFormat.h"
#include "support/datafiles/LanguageFormats.h"
#include "support/datafiles/PatchFormats.h"
#include "support/datafiles/WorldFormats.h"
