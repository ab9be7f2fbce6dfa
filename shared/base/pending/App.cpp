// Stand-in for the parts of the application object that are not built yet.
#include "app/App.h"
#include "pending/Pending.h"

void ChooseServer(int) {
    TW_PENDING("ChooseServer");
}

void CApp::SendAcctLogin(char*, char*, unsigned char) {
    TW_PENDING("CApp::SendAcctLogin");
}

BOOL CApp::IsConnected() {
    TW_PENDING("CApp::IsConnected");
    return FALSE;
}

M_DWORD CApp::GetChosenAddress() {
    TW_PENDING("CApp::GetChosenAddress");
    return 0;
}

M_WORD CApp::GetChosenPort() {
    TW_PENDING("CApp::GetChosenPort");
    return 0;
}
