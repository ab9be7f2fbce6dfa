// The game dialogs that the world model tells about objects.
#include "dialogs/ContainerGump.h"
#include "dialogs/PaperdollGump.h"
#include "dialogs/RadarGump.h"
#include "dialogs/ShopGump.h"
#include "dialogs/StackGump.h"
#include "dialogs/TradeGump.h"
#include "pending/Pending.h"

void CContainerGump::AddToGump(CObj*) {
    TW_PENDING("CContainerGump::AddToGump");
}
void CContainerGump::AddContents(const RECT&) {
    TW_PENDING("CContainerGump::AddContents");
}
void CPaperdollGump::Invalidate() {
    TW_PENDING("CPaperdollGump::Invalidate");
}
void CRadarGump::RenderMap() {
    TW_PENDING("CRadarGump::RenderMap");
}
void CShopGump::RemoveItem(M_DWORD) {
    TW_PENDING("CShopGump::RemoveItem");
}
void CShopGump::RedrawFrame() {
    TW_PENDING("CShopGump::RedrawFrame");
}
void CStackGump::CenterAmountSlider() {
    TW_PENDING("CStackGump::CenterAmountSlider");
}
M_DWORD CTradeGump::GetTradeSerial() {
    TW_PENDING("CTradeGump::GetTradeSerial");
    return 0;
}
