#pragma once

namespace vemo {

// Refused keyboard input answers with the system beep and leaves the cursor where it was.  The beeps
// are counted so that tests can see a refusal.
class SystemBeep {
public:
    static void Beep();
    static int Count();
    static void ResetCount();
};

} // namespace vemo
