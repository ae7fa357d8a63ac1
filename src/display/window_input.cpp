#include "display/window_input.h"

#include "display/display_state.h"
#include "platform/dialogs.h"

namespace kalveo {

void ask_exit(DisplayStateRecord& s, pCpw cpw) {
    if (tinyfd_messageBox("Kalveo", s.MsgExitCnf, "okcancel", "question", 1) != 1) return;
    s.WeAreClosing = Closing::yes;
    cpwBreakMainLoop(cpw);
}

void mouseclick(WindowsRun& s, pCpw cpw, CpwWindowId id, int buttonstate, int button, int /*x*/,
                int /*y*/) {
    if (buttonstate == CPW_BUTTON_DOWN || button != CPW_BUTTON_LEFT) return;
    const int clicked = static_cast<int>(id);
    s.SelectedWindow = s.SelectedWindow == clicked ? 0 : clicked;
    cpwPostRedisplay(cpw);
}

} // namespace kalveo
