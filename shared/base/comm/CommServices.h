// What the communication module installs at start-up: the text manager
// (gumps/TextManager.h), the barks as the world's texts over objects
// (world/ObjectText.h) and the speech input line (gumps/InputWindow.h).
#pragma once

void InstallTextManager();
void InstallBarkServices();
void InstallSpeechLine();
