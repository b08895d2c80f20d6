#pragma once

#include <Vantrel3/Enums.h>
#include <Vantrel3/OleColor.h>

#include <QFont>

namespace Vantrel3 {

// The control's own editing settings, read by the editor, the key handling and the popups.
struct EditOptions {
    bool allowEdit = true;
    bool autoInsert = true;
    // Stays False while allowEdit is False.
    bool autoComplete = false;
    bool arrowAsKeyTab = false;
    bool enterAsKeyTab = false;
    // The key code that opens the current cell's popup.
    qint32 setKeyFunction = eKeyF7;
    // The editor's look while the user types.
    OleColor foreColorEdit = 0x80;
    QFont fontEditText;
};

} // namespace Vantrel3
