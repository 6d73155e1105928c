// System services in the browser: the message box is a dialog in the page
// that the start-up waits for, as it waits for a desktop message box; the
// end of the show stops the page's frame loop.
#include "platform/system.h"

#include <emscripten.h>

// clang-format off
EM_ASYNC_JS(void, pageMessageBox, (const char* text, const char* caption), {
    await Module.page.messageBox(UTF8ToString(text), UTF8ToString(caption));
});
EM_JS(void, pageEndShow, (), {
    Module.page.showEnded();
});
// clang-format on

void messageBox(const char* text, const char* caption)
{
    pageMessageBox(text, caption);
}

void* foregroundWindow()
{
    return nullptr;
}

void endShow()
{
    pageEndShow();
}
