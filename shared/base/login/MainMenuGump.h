// The front end's main menu (declared with the other screens).
#pragma once

#include "login/FrontEnd.h"
