// The application's side of the interfaces that lower modules declare for
// what they must ask of it.  main installs them with InstallAppServices at
// start-up; a test installs the one it needs with tw::ScopedService.  Each
// implementation lives for the process.
#pragma once

class AppSpeech;
class InputLineRedraw;

// The ignore list, the spam throttle and the speech hues and fonts, for the
// speech display and sender.
AppSpeech& ApplicationSpeech();
// The speech input line that the screen update redraws.
InputLineRedraw& ApplicationInputLine();

void InstallAppServices();
