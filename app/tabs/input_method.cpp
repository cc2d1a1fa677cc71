#include "app/tabs/input_method.h"

#include <imm.h>

namespace qucap {

void setInputMethodOpen(HWND edit, bool open) {
    HIMC context = ImmGetContext(edit);
    if (!context) return;
    ImmSetOpenStatus(context, open ? TRUE : FALSE);
    ImmReleaseContext(edit, context);
}

}  // namespace qucap
