// The sound module: Qt Multimedia's playback, loaded with the first sound.
#include "platform/QtSound.h"

extern "C" Q_DECL_EXPORT void* huxoMakeSound()
{
    return static_cast<Sound*>(new QtSound);
}
