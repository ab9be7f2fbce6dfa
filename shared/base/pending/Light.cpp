#include "view/Light.h"
#include "pending/Pending.h"

void thelightthingie::startup() {
    TW_PENDING("thelightthingie::startup");
}
void thelightthingie::shutdown() {
    TW_PENDING("thelightthingie::shutdown");
}
void thelightthingie::PaintFrame() {
    TW_PENDING("thelightthingie::PaintFrame");
}

void thelightthingie::ScrollView(int, int) {
    TW_PENDING("thelightthingie::ScrollView");
}

int thelightthingie::personalLight = 0;

void InvalidateObjectLight(CObj*) {
    TW_PENDING("InvalidateObjectLight");
}
