#include "resources/VoiceClips.h"

#include <QtCore/qglobal.h>

void initVoiceClips() {
    Q_INIT_RESOURCE(voice);
}
