// Stand-in for the parts of the application object that are not built yet.
#include "app/App.h"
#include "pending/Pending.h"

void CApp::SendAcctLogin(char*, char*, unsigned char) {
    TW_PENDING("CApp::SendAcctLogin");
}
