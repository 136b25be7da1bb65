#pragma once

// Makes the compiled-in pictures and icon available; call before a window design is set up.
void ensureResources();
