// The higher library calls the lower one: the way every call should go.
#include "lckhigh/High.h"

int Low();

int High() {
    return Low() + 1;
}
