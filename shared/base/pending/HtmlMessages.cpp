#include "comm/HtmlMessages.h"

#include "pending/Pending.h"

void DeleteHtmlMessages() {
    TW_PENDING("DeleteHtmlMessages");
}
