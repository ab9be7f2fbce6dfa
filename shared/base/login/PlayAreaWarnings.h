// The yes/no questions the play area asks before harmful acts (the
// PlayAreaQuestions of view/MapGump.h), asked with the front end's yes/no
// gump.  main installs them at start-up.
#pragma once

void InstallPlayAreaWarnings();
