#pragma once

#include <QString>

// Starts playing a sound file without waiting for it; a missing or unplayable file is ignored.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // volume 0..100
    virtual void play(const QString &path, int volume) = 0;
};
