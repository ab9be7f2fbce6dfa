// Records the clearing of the HTML message store.
#pragma once

namespace tw::fake {
// How often DeleteHtmlMessages ran.
int& HtmlMessageDeletes();
}  // namespace tw::fake
