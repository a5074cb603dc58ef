#pragma once

// Registers the voice clips (":/voice/<name>.wav") with the resource system. Safe to call more
// than once; the program calls it before looking a clip up.
void initVoiceClips();
