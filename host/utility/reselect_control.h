// ReselectControl: after a refused OK or Apply, the focus goes back to the control at
// fault with its whole text selected, so the user can type the correction at once.
#pragma once

class CWnd;

// An edit, or a combo box with an edit part, has its whole text selected; other
// controls only take the focus. Nothing happens without a window.
void ReselectControl(CWnd* control);
