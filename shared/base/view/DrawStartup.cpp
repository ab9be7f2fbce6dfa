// The draw manager's start-up and the state it keeps besides the table.
#include "TWReport.h"
#include "view/DrawItemOps.h"
#include "view/DrawManager.h"

BOOL DrawManager::heightCut = FALSE;
int DrawManager::heightCutLimit = 0;
int DrawManager::roofLimit = 127;
BOOL DrawManager::roofRecompute = FALSE;

void DrawManager::startup() {
    TWReport::message("DrawManager::startup: begin.\n");
    heightCut = FALSE;
}

void DrawManager::shutdown() {}

void DrawManager::reset() {
    ClearTable();
    heightCut = FALSE;
    heightCutLimit = 0;
    roofLimit = 127;
    drawitem::BeginInFrontPass();
    drawitem::EndInFrontPass();
}
