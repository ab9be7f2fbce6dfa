// A library listed below the higher one that calls it anyway: the deliberate
// upward call and the upward include the check must refuse.
#include "lckhigh/High.h"

int CallsUpward() {
    return High() + HighInline();
}
