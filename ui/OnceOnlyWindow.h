#pragma once

#include <QPointer>

// A window of which at most one exists at a time, addressed by its class: the window calls
// becomeTheLoadedOne() when it is made; it is forgotten when it is destroyed.
template <typename Window> class OnceOnlyWindow {
public:
    // The window while it exists, or null.
    static Window *loaded() { return s_loaded; }
    static void closeIfLoaded() {
        if (s_loaded)
            s_loaded->close();
    }

protected:
    void becomeTheLoadedOne(Window *self) { s_loaded = self; }

private:
    static inline QPointer<Window> s_loaded;
};
